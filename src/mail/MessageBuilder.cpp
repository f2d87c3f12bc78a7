#include "mail/MessageBuilder.h"

#include "mail/MailErrors.h"
#include "mail/UUProcessor.h"

namespace mail {

namespace {

std::string joined(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& e : entries) {
        if (!out.empty())
            out += ',';
        out += e;
    }
    return out;
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

TExStringList buildHeader(const TPostMessage& message, std::string_view boundary, TSubType subType,
                          std::string_view charset) {
    TExStringList header;
    header.add("From: " + message.FromName + "<" + message.FromAddress + ">");
    if (!message.ToAddress.empty())
        header.add("To: " + joined(message.ToAddress));
    if (!message.ToCarbonCopy.empty())
        header.add("CC: " + joined(message.ToCarbonCopy));
    header.setHeader("Subject", message.Subject);
    header.setHeader("X-Mailer", message.LocalProgram);
    header.setHeader("Reply-To", message.ReplyTo);
    header.setHeader("Date", message.Date);
    header.add("Mime-Version: 1.0");
    if (!boundary.empty())
        header.add("Content-Type: multipart/mixed; boundary=\"" + std::string(boundary) + "\"");
    else
        header.add("Content-Type: " + std::string(contentTypeOf(subType)) +
                   "; charset=" + std::string(charset));
    return header;
}

std::string bodyText(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& entry : lines) {
        std::string_view rest = entry;
        for (;;) {
            const auto br = rest.find_first_of("\r\n");
            if (br == std::string_view::npos) {
                appendBodyLine(out, rest);
                break;
            }
            appendBodyLine(out, rest.substr(0, br));
            const std::size_t skip = rest.compare(br, 2, "\r\n") == 0 ? 2 : 1;
            rest.remove_prefix(br + skip);
        }
    }
    return out;
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
