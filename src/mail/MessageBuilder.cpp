#include "mail/MessageBuilder.h"

#include "mail/MailErrors.h"
#include "mail/MimeText.h"
#include "mail/UUProcessor.h"
#include "rtfengine/Calendar.h"

#include <algorithm>
#include <ctime>

namespace mail {

namespace {

constexpr std::string_view kQuotedPrintable = "Content-Transfer-Encoding: quoted-printable";

std::string twoDigits(std::int64_t value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

bool isDomainCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
}

std::string fromLine(const TPostMessage& message) {
    if (isAscii(message.FromName))
        return "From: " + message.FromName + "<" + message.FromAddress + ">";
    // An encoded display name must stand apart from the "<" that follows it.
    std::string_view name = message.FromName;
    name.remove_prefix(std::min(name.find_first_not_of(" \t"), name.size()));
    name.remove_suffix(name.size() - (name.find_last_not_of(" \t") + 1));
    return "From: " + encodedWords(name) + " <" + message.FromAddress + ">";
}

// The entries joined with "," (no space), each with its display names made safe.
std::string joined(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& e : entries) {
        if (!out.empty())
            out += ',';
        out += addressListText(e);
    }
    return out;
}

// Calls line for every text line of the entries: a line break inside an entry
// ("\r\n", "\r" or "\n") starts a new one.
template <class F> void forEachTextLine(const std::vector<std::string>& entries, F line) {
    for (const std::string& entry : entries) {
        std::string_view rest = entry;
        for (;;) {
            const auto br = rest.find_first_of("\r\n");
            if (br == std::string_view::npos) {
                line(rest);
                break;
            }
            line(rest.substr(0, br));
            const std::size_t skip = rest.compare(br, 2, "\r\n") == 0 ? 2 : 1;
            rest.remove_prefix(br + skip);
        }
    }
}

void appendBodyLine(std::string& out, std::string_view line) {
    if (!line.empty() && line.front() == '.')
        out += '.';
    out += line;
    out += "\r\n";
}

} // namespace

std::string_view contentTypeOf(TSubType subType) {
    switch (subType) {
    case TSubType::mtPlain:
        return "text/plain";
    case TSubType::mtEnriched:
        return "text/enriched";
    case TSubType::mtSgml:
        return "text/sgml";
    case TSubType::mtTabSeperated:
        return "text/tab-separated-values";
    case TSubType::mtHtml:
        return "text/html";
    }
    return "text/plain";
}

MessageTime systemMessageTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return {static_cast<std::int64_t>(now), static_cast<int>(local.tm_gmtoff / 60)};
}

std::string messageDate(MessageTime time) {
    static constexpr const char* kDays[] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::int64_t local = time.secondsSinceEpoch + std::int64_t{time.utcOffsetMinutes} * 60;
    std::int64_t days = local / 86400;
    std::int64_t seconds = local % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    const rtfengine::CivilDate date = rtfengine::civilFromDays(days);
    const int offset = time.utcOffsetMinutes < 0 ? -time.utcOffsetMinutes : time.utcOffsetMinutes;
    return std::string(kDays[((days % 7) + 7) % 7]) + ", " + twoDigits(date.day) + " " +
           kMonths[date.month - 1] + " " + std::to_string(date.year) + " " +
           twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" +
           twoDigits(seconds % 60) + " " + (time.utcOffsetMinutes < 0 ? "-" : "+") +
           twoDigits(offset / 60) + twoDigits(offset % 60);
}

std::string messageId(MessageTime time, std::string_view unique, std::string_view fromAddress) {
    const auto at = fromAddress.rfind('@');
    std::string_view domain =
        at == std::string_view::npos ? std::string_view() : fromAddress.substr(at + 1);
    if (domain.empty() || !std::all_of(domain.begin(), domain.end(), isDomainCharacter))
        domain = "localhost";
    return "<" + std::to_string(time.secondsSinceEpoch) + "." + std::string(unique) + "@" +
           std::string(domain) + ">";
}

TExStringList buildHeader(const TPostMessage& message, std::string_view boundary, TSubType subType,
                          std::string_view charset, const HeaderStamp& stamp) {
    TExStringList header;
    header.add(fromLine(message));
    if (!message.ToAddress.empty())
        header.add("To: " + joined(message.ToAddress));
    if (!message.ToCarbonCopy.empty())
        header.add("CC: " + joined(message.ToCarbonCopy));
    header.setHeader("Subject", headerText(message.Subject));
    header.setHeader("X-Mailer", headerText(message.LocalProgram));
    header.setHeader("Reply-To", addressListText(message.ReplyTo));
    header.setHeader("Date", message.Date.empty() ? stamp.date : message.Date);
    header.setHeader("Message-ID", stamp.messageId);
    header.add("Mime-Version: 1.0");
    if (!boundary.empty()) {
        header.add("Content-Type: multipart/mixed; boundary=\"" + std::string(boundary) + "\"");
        return header;
    }
    if (isAscii(message.Body)) {
        header.add("Content-Type: " + std::string(contentTypeOf(subType)) +
                   "; charset=" + std::string(charset));
        return header;
    }
    header.add("Content-Type: " + std::string(contentTypeOf(subType)) + "; charset=utf-8");
    header.add(std::string(kQuotedPrintable));
    return header;
}

std::string bodyText(const std::vector<std::string>& lines) {
    std::string out;
    forEachTextLine(lines, [&](std::string_view line) { appendBodyLine(out, line); });
    return out;
}

std::string textBody(const std::vector<std::string>& lines) {
    if (isAscii(lines))
        return bodyText(lines);
    std::string out;
    forEachTextLine(lines, [&](std::string_view line) {
        // A soft line break may start a line with "." too: stuff every line sent.
        const std::string encoded = quotedPrintable(line);
        std::string_view rest = encoded;
        while (!rest.empty()) {
            const auto end = rest.find("\r\n");
            appendBodyLine(out, rest.substr(0, end));
            rest.remove_prefix(end + 2);
        }
    });
    return out;
}

std::string textPartHeader(const std::vector<std::string>& lines, std::string_view charset,
                           std::string_view boundary) {
    std::string h = "--" + std::string(boundary) + "\r\n";
    if (isAscii(lines))
        return h + "Content-Type: text/plain; charset=" + std::string(charset) + "\r\n\r\n";
    return h + "Content-Type: text/plain; charset=utf-8\r\n" + std::string(kQuotedPrintable) +
           "\r\n\r\n";
}

std::string extractAddress(std::string_view entry) {
    const auto lt = entry.find('<');
    if (lt != std::string_view::npos) {
        const auto gt = entry.find('>', lt + 1);
        return std::string(entry.substr(lt + 1, gt == std::string_view::npos ? gt : gt - lt - 1));
    }
    const auto colon = entry.find(':');
    if (colon == std::string_view::npos)
        return std::string(entry);
    const auto next = entry.find(':', colon + 1);
    return std::string(
        entry.substr(colon + 1, next == std::string_view::npos ? next : next - colon - 1));
}

void checkHeaderField(std::string_view value, std::string_view what) {
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        throw EMailError("The " + std::string(what) +
                         " must not contain a line break or control character");
}

void checkHeaderFields(const TPostMessage& message) {
    checkHeaderField(message.FromName, "sender's name");
    checkHeaderField(message.FromAddress, "sender's e-mail address");
    for (const auto* list : {&message.ToAddress, &message.ToCarbonCopy, &message.ToBlindCarbonCopy})
        for (const std::string& entry : *list)
            checkHeaderField(entry, "recipient's e-mail address");
    checkHeaderField(message.Subject, "subject");
    checkHeaderField(message.LocalProgram, "mailer name");
    checkHeaderField(message.ReplyTo, "reply address");
    checkHeaderField(message.Date, "date");
    for (const std::string& path : message.Attachments)
        checkHeaderField(attachmentFileName(path), "attached file's name");
}

} // namespace mail
