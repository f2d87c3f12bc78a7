// Pure transformations that turn a TPostMessage into what goes over the wire: the
// header lines, the text lines of the body, and the address of a recipient entry.
//
// Text that is ASCII goes out as it is; other text is encoded (see MimeText.h).
#pragma once

#include "mail/ExStrings.h"
#include "mail/PostMessage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mail {

enum class TSubType { mtPlain, mtEnriched, mtSgml, mtTabSeperated, mtHtml };

// "text/plain" and the like, for a message without attachments.
std::string_view contentTypeOf(TSubType subType);

// A moment as a mail states it: seconds since 1970 and the local offset from UTC.
struct MessageTime {
    std::int64_t secondsSinceEpoch = 0;
    int utcOffsetMinutes = 0;
};

// Now, in the system's local time.
MessageTime systemMessageTime();

// The RFC 5322 date, "Tue, 02 Jan 2024 03:04:05 +0100".
std::string messageDate(MessageTime time);

// "<seconds.unique@domain>", the domain taken from the sender's address, or
// "localhost" when that has none fit for an identifier.
std::string messageId(MessageTime time, std::string_view unique, std::string_view fromAddress);

// What every message carries besides the fields of the TPostMessage.
struct HeaderStamp {
    std::string date;      // used when the message names no Date of its own
    std::string messageId; // a Message-ID line when not empty
};

// The header lines. With a non-empty boundary the message is multipart/mixed;
// blind copies never appear. Display names and the subject that are not ASCII
// are written as encoded-words, and so is a text body that is not ASCII declared
// as UTF-8 in quoted-printable.
TExStringList buildHeader(const TPostMessage& message, std::string_view boundary, TSubType subType,
                          std::string_view charset, const HeaderStamp& stamp = {});

// The text lines, each followed by "\r\n"; a line break inside an entry starts a
// new line, and a line that begins with "." gets one more in front, so that no
// text can end the data early.
std::string bodyText(const std::vector<std::string>& lines);

// The text of a message: bodyText for ASCII lines, otherwise every line in
// quoted-printable, dot-stuffed the same way.
std::string textBody(const std::vector<std::string>& lines);

// The boundary line and header of the text part of a multipart message, through
// its empty line: charset for ASCII lines, otherwise UTF-8 in quoted-printable.
std::string textPartHeader(const std::vector<std::string>& lines, std::string_view charset,
                           std::string_view boundary);

// The address that RCPT TO names for a recipient entry: the text in angle
// brackets, or after a "group:" prefix, or the entry itself; empty to skip it.
std::string extractAddress(std::string_view entry);

// Refuses a message whose header fields or recipients hold a line break or a
// zero byte, which would let the text inject header lines or SMTP commands.
void checkHeaderFields(const TPostMessage& message);
// The same refusal for a single field; what names it in the message.
void checkHeaderField(std::string_view value, std::string_view what);

} // namespace mail
