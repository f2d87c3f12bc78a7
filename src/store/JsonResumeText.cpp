#include "store/JsonResumeText.h"

#include "store/SqlText.h"

#include <cstdio>

namespace store::jsonresume {

namespace {

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> result;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isAsciiSpace(text[i]))
            ++i;
        size_t end = i;
        while (end < text.size() && !isAsciiSpace(text[end]))
            ++end;
        if (end > i)
            result.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return result;
}

// One letter of any script, written as one UTF-8 character, with an optional dot.
bool isInitial(std::string_view word) {
    if (!word.empty() && word.back() == '.')
        word.remove_suffix(1);
    if (word.empty())
        return false;
    const auto lead = static_cast<unsigned char>(word[0]);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (word.size() != length)
        return false;
    return length > 1 || (lead >= 'A' && lead <= 'Z') || (lead >= 'a' && lead <= 'z');
}

bool isDigits(std::string_view text, size_t count) {
    if (text.size() != count)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int number(std::string_view digits) {
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

PersonName splitName(std::string_view name) {
    const std::vector<std::string> parts = words(name);
    PersonName result;
    if (parts.empty())
        return result;
    result.last = parts.back();
    size_t firstCount = parts.size() - 1;
    if (parts.size() == 3 && isInitial(parts[1])) {
        result.middle = parts[1];
        --firstCount;
    }
    result.first = joinAll({parts.begin(), parts.begin() + firstCount}, " ");
    return result;
}

std::string joinName(const PersonName& name) {
    std::string result;
    for (const std::string* part : {&name.first, &name.middle, &name.last}) {
        if (part->empty())
            continue;
        if (!result.empty())
            result += ' ';
        result += *part;
    }
    return result;
}

std::optional<std::string> storedDate(std::string_view text) {
    const std::vector<std::string> fields = splitAll(text, "-");
    if (fields.empty() || fields.size() > 3 || !isDigits(fields[0], 4))
        return std::nullopt;
    const int year = number(fields[0]);
    int month = 1;
    int day = 1;
    if (fields.size() > 1) {
        if (!isDigits(fields[1], 2))
            return std::nullopt;
        month = number(fields[1]);
    }
    if (fields.size() > 2) {
        if (!isDigits(fields[2], 2))
            return std::nullopt;
        day = number(fields[2]);
    }
    if (year < 1000 || year > 2999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    char stored[11];
    std::snprintf(stored, sizeof stored, "%04d-%02d-%02d", year, month, day);
    return std::string(stored);
}

std::string joinTwo(const TwoParts& parts, std::string_view separator) {
    if (parts.first.empty())
        return parts.second;
    if (parts.second.empty())
        return parts.first;
    return parts.first + std::string(separator) + parts.second;
}

TwoParts splitAtFirst(std::string_view text, std::string_view separator) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos || at == 0 || at + separator.size() == text.size())
        return {std::string(text), {}};
    return {std::string(text.substr(0, at)), std::string(text.substr(at + separator.size()))};
}

TwoParts splitAtLast(std::string_view text, std::string_view separator) {
    const size_t at = text.rfind(separator);
    if (at == std::string_view::npos || at == 0 || at + separator.size() == text.size())
        return {std::string(text), {}};
    return {std::string(text.substr(0, at)), std::string(text.substr(at + separator.size()))};
}

std::string joinComment(std::string_view leadPrefix, const CommentParts& parts) {
    std::vector<std::string> lines;
    if (parts.lead)
        lines.push_back(std::string(leadPrefix) + *parts.lead);
    if (!parts.body.empty())
        lines.push_back(parts.body);
    for (const std::string& item : parts.items)
        lines.push_back(std::string(kBullet) + item);
    return joinAll(lines, "\n");
}

CommentParts splitComment(std::string_view leadPrefix, std::string_view comment) {
    std::vector<std::string> lines = splitAll(comment, "\n");
    CommentParts parts;
    size_t itemsFrom = lines.size();
    while (itemsFrom > 0 && startsWith(lines[itemsFrom - 1], kBullet))
        --itemsFrom;
    for (size_t i = itemsFrom; i < lines.size(); ++i)
        parts.items.push_back(lines[i].substr(kBullet.size()));
    lines.resize(itemsFrom);
    if (!leadPrefix.empty() && !lines.empty() && startsWith(lines.front(), leadPrefix)) {
        parts.lead = lines.front().substr(leadPrefix.size());
        lines.erase(lines.begin());
    }
    parts.body = joinAll(lines, "\n");
    return parts;
}

std::string detailLine(std::string_view prefix, const NamedDetail& value) {
    return std::string(prefix) + joinTwo({value.name, value.detail}, kDetailSeparator);
}

std::optional<NamedDetail> parseDetailLine(std::string_view prefix, std::string_view line) {
    if (!startsWith(line, prefix))
        return std::nullopt;
    const TwoParts parts = splitAtFirst(line.substr(prefix.size()), kDetailSeparator);
    return NamedDetail{parts.first, parts.second};
}

std::vector<std::string> splitAll(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty())
        return pieces;
    size_t from = 0;
    for (size_t at; (at = text.find(separator, from)) != std::string_view::npos;
         from = at + separator.size())
        pieces.emplace_back(text.substr(from, at - from));
    pieces.emplace_back(text.substr(from));
    return pieces;
}

std::string joinAll(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string result;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            result += separator;
        result += pieces[i];
    }
    return result;
}

bool isUri(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size())
        return false;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!letter(text[0]))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const char c = text[i];
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    }
    // The characters a URI may hold, as the strictest validators read them.
    static constexpr std::string_view kAllowed = "-._~:/?#[]@!$&'()*+,;=%";
    for (size_t i = colon + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (!letter(c) && !(c >= '0' && c <= '9') && kAllowed.find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

std::string uriForm(std::string_view text) {
    std::string encoded;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            encoded += c;
            continue;
        }
        static const char hex[] = "0123456789ABCDEF";
        encoded += '%';
        encoded += hex[byte >> 4];
        encoded += hex[byte & 0xF];
    }
    if (isUri(encoded))
        return encoded;
    if (const std::string withScheme = "https://" + encoded; isUri(withScheme))
        return withScheme;
    return {};
}

bool isEmailAddress(std::string_view text) {
    const size_t at = text.find('@');
    if (at == std::string_view::npos || at == 0 || at + 1 == text.size() ||
        text.find('@', at + 1) != std::string_view::npos)
        return false;
    for (char c : text)
        if (isAsciiSpace(c) || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

} // namespace store::jsonresume
