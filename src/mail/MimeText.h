// Text that is not plain ASCII, made fit for a mail: encoded-words for header
// fields (RFC 2047, UTF-8) and quoted-printable for text parts (RFC 2045).
//
// Each encoder is a free function over bytes. ASCII text never reaches them: the
// callers keep it exactly as it was, so messages without such text do not change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mail {

// Whether every byte is below 0x80.
bool isAscii(std::string_view text);
bool isAscii(const std::vector<std::string>& lines);

// The UTF-8 text as encoded-words in the Q form with the letters, digits and
// "!*+-/" as they are, "_" for a space and =XX for every other byte. A word holds
// whole characters and at most 64 characters of its own; further words follow on
// continuation lines ("\r\n ").
std::string encodedWords(std::string_view text);

// An unstructured header value (a subject): ASCII as it is, otherwise encoded-words.
std::string headerText(std::string_view text);

// A header value holding addresses separated by ",": every display name in front
// of an address in angle brackets that is not ASCII becomes encoded-words,
// unquoted first and followed by a space; everything else stays as it is.
std::string addressListText(std::string_view entries);

// One text line as quoted-printable lines, each ended by "\r\n": "=", control
// bytes and bytes from 0x80 as =XX, a space or tab that ends the line as well;
// lines longer than 76 characters are broken with a soft line break ("=").
std::string quotedPrintable(std::string_view line);

} // namespace mail
