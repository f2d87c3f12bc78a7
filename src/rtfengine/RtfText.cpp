#include "rtfengine/RtfText.h"

#include "rtfengine/Errors.h"

#include <charconv>

namespace rtfengine {

std::string_view digitsAt(std::string_view text, size_t from) {
    size_t end = from;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return from < end ? text.substr(from, end - from) : std::string_view{};
}

int32_t toNumber(std::string_view number, std::string_view what) {
    int32_t value = 0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (number.empty() || ec != std::errc{} || ptr != last)
        throw EBadRtfFormat("Invalid number in RTF fragment: " + std::string(what));
    return value;
}

void appendNumber(std::string& out, int64_t value) {
    char buffer[24];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ptr);
}

size_t findGroupEnd(std::string_view text, size_t open) {
    size_t depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        switch (text[i]) {
        case '\\':
            ++i;
            break;
        case '{':
            ++depth;
            break;
        case '}':
            if (depth == 0)
                return std::string_view::npos;
            if (--depth == 0)
                return i + 1;
            break;
        default:
            break;
        }
    }
    return std::string_view::npos;
}

} // namespace rtfengine
