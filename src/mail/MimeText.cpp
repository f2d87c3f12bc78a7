#include "mail/MimeText.h"

#include "rtfengine/Ascii.h"

#include <algorithm>

namespace mail {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::string_view kWordStart = "=?utf-8?q?";
constexpr std::string_view kWordEnd = "?=";
// Keeps "Subject: " or "From: " and the first word within 78 characters.
constexpr std::size_t kMaxWordLength = 64;
constexpr std::size_t kMaxWordText = kMaxWordLength - kWordStart.size() - kWordEnd.size();
// A quoted-printable line holds at most 76 characters, the soft break's "=" included.
constexpr std::size_t kMaxQuotedLine = 75;

void appendHex(std::string& out, unsigned char byte) {
    out += '=';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 15];
}

bool isLetterOrDigit(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The characters an encoded-word may carry as they are, even inside a display
// name (RFC 2047, section 5).
bool isWordSafe(unsigned char c) {
    return isLetterOrDigit(c) || c == '!' || c == '*' || c == '+' || c == '-' || c == '/';
}

// A byte that continues a UTF-8 character rather than starting one.
bool continuesCharacter(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmedBlanks(std::string_view text) {
    return rtfengine::trimBytes(text, isBlank);
}

// A display name written as a quoted string, without its quotes and escapes.
std::string unquoted(std::string_view phrase) {
    if (phrase.size() < 2 || phrase.front() != '"' || phrase.back() != '"')
        return std::string(phrase);
    std::string out;
    phrase = phrase.substr(1, phrase.size() - 2);
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        if (phrase[i] == '\\' && i + 1 < phrase.size())
            ++i;
        out += phrase[i];
    }
    return out;
}

// One address of a list, with its display name made safe.
std::string mailboxText(std::string_view mailbox) {
    if (isAscii(mailbox))
        return std::string(mailbox);
    const auto lt = mailbox.find('<');
    if (lt == std::string_view::npos)
        return std::string(mailbox);
    const std::string_view phrase = trimmedBlanks(mailbox.substr(0, lt));
    if (phrase.empty() || isAscii(phrase))
        return std::string(mailbox);
    const std::size_t lead = mailbox.find_first_not_of(" \t");
    return std::string(mailbox.substr(0, lead)) + encodedWords(unquoted(phrase)) + " " +
           std::string(mailbox.substr(lt));
}

} // namespace

bool isAscii(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool isAscii(const std::vector<std::string>& lines) {
    return std::all_of(lines.begin(), lines.end(),
                       [](const std::string& line) { return isAscii(line); });
}

std::string encodedWords(std::string_view text) {
    std::string out;
    std::string word;
    auto closeWord = [&] {
        if (!out.empty())
            out += "\r\n ";
        out += kWordStart;
        out += word;
        out += kWordEnd;
        word.clear();
    };
    std::size_t i = 0;
    while (i < text.size()) {
        // One whole character: a word never splits the bytes of one.
        std::size_t end = i + 1;
        while (end < text.size() && continuesCharacter(static_cast<unsigned char>(text[end])))
            ++end;
        std::string encoded;
        for (std::size_t k = i; k < end; ++k) {
            const auto c = static_cast<unsigned char>(text[k]);
            if (c == ' ')
                encoded += '_';
            else if (isWordSafe(c))
                encoded += static_cast<char>(c);
            else
                appendHex(encoded, c);
        }
        if (!word.empty() && word.size() + encoded.size() > kMaxWordText)
            closeWord();
        word += encoded;
        i = end;
    }
    if (!word.empty())
        closeWord();
    return out;
}

std::string headerText(std::string_view text) {
    return isAscii(text) ? std::string(text) : encodedWords(text);
}

std::string addressListText(std::string_view entries) {
    if (isAscii(entries))
        return std::string(entries);
    std::string out;
    std::size_t start = 0;
    bool inQuotes = false;
    bool inAngles = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const char c = entries[i];
        if (inQuotes) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inQuotes = false;
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == '<') {
            inAngles = true;
        } else if (c == '>') {
            inAngles = false;
        } else if (c == ',' && !inAngles) {
            out += mailboxText(entries.substr(start, i - start));
            out += ',';
            start = i + 1;
        }
    }
    out += mailboxText(entries.substr(std::min(start, entries.size())));
    return out;
}

std::string quotedPrintable(std::string_view line) {
    std::string out;
    std::size_t length = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        const bool last = i + 1 == line.size();
        std::string encoded;
        if ((c >= 33 && c <= 126 && c != '=') || (isBlank(static_cast<char>(c)) && !last))
            encoded += static_cast<char>(c);
        else
            appendHex(encoded, c);
        if (length + encoded.size() > kMaxQuotedLine) {
            out += "=\r\n";
            length = 0;
        }
        out += encoded;
        length += encoded.size();
    }
    out += "\r\n";
    return out;
}

} // namespace mail
