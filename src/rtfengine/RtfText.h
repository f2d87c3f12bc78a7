// RTF text at byte level: turning UTF-8 text into RTF text, and the small helpers
// of the fragment filter and the template's table readers (numbers, groups).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rtfengine {

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The run of decimal digits at `from` (empty when there is none).
std::string_view digitsAt(std::string_view text, size_t from);

// Reads `number` (an optional "-" and decimal digits, nothing else) as a 32-bit value.
// Raises EBadRtfFormat naming `what` when it is empty, malformed or out of range: a
// number the filter must rewrite cannot be guessed.
int32_t toNumber(std::string_view number, std::string_view what);

void appendNumber(std::string& out, int64_t value);

// Index just past the "}" that closes the group opening at `open`, or npos when the
// text ends first. A byte after a backslash is never counted, so "\{", "\}" and "\\"
// are read as the symbols they are.
size_t findGroupEnd(std::string_view text, size_t open);

// Calls `visit(std::string_view subGroup)` for every group found at the top level of
// `body` (nested groups stay inside their entry). Stops at a "}" that closes `body`'s
// own group; an unclosed sub-group at the end is not visited.
template <typename Visit> void forEachSubGroup(std::string_view body, Visit&& visit) {
    size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '\\') {
            i += 2;
            continue;
        }
        if (c == '}')
            return;
        if (c != '{') {
            ++i;
            continue;
        }
        const size_t end = findGroupEnd(body, i);
        if (end == std::string_view::npos)
            return;
        visit(body.substr(i, end - i));
        i = end;
    }
}

// Appends UTF-8 text as RTF text. ASCII stays as it is except "\", "{" and "}",
// which are escaped; tab, vertical tab and form feed become "\tab ", "\line " and
// "\page "; a line break (CR LF, CR or LF) becomes "\par ". The other control
// characters (C0 with NUL, DEL, C1) are dropped: a reader would not see them, and a
// NUL would cut the text short wherever it is read. Other characters of code page
// 1252 become "\'xx", all the rest "\uN?" (N a signed 16-bit number, a surrogate
// pair above U+FFFF). Bytes that are not valid UTF-8 are taken as single code page
// 1252 bytes and written as "\'xx".
void appendRtfText(std::string& out, std::string_view utf8);

std::string rtfText(std::string_view utf8);

} // namespace rtfengine
