#include "rtfengine/RtfText.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Errors.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

namespace rtfengine {

std::string_view digitsAt(std::string_view text, size_t from) {
    size_t end = from;
    while (end < text.size() && isAsciiDigit(text[end]))
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
            i += escapeLength(text, i) - 1;
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

size_t binaryDataEnd(std::string_view text, size_t i) {
    if (text.compare(i, 4, "\\bin") != 0 || i + 4 >= text.size() || !isAsciiDigit(text[i + 4]))
        return 0;
    size_t j = i + 4;
    uint64_t length = 0;
    while (j < text.size() && isAsciiDigit(text[j]))
        length = std::min<uint64_t>(length * 10 + (text[j++] - '0'), text.size());
    if (j < text.size() && text[j] == ' ')
        ++j;
    return j + static_cast<size_t>(std::min<uint64_t>(length, text.size() - j));
}

size_t ungroupedFontEntryEnd(std::string_view body, size_t from) {
    size_t i = from;
    while (i < body.size()) {
        switch (body[i]) {
        case '\\':
            i += escapeLength(body, i);
            continue;
        case '{': {
            const size_t end = findGroupEnd(body, i);
            if (end == std::string_view::npos)
                return body.size();
            i = end;
            continue;
        }
        case ';':
            return i + 1;
        case '}':
            return i;
        default:
            ++i;
            continue;
        }
    }
    return body.size();
}

void RtfRebuilder::append(char c) {
    if (m_cut && continuesWord(c))
        m_text += ' ';
    if (m_afterBackslash) {
        m_inWord = isAsciiLetter(c);
        m_afterBackslash = false;
    } else {
        m_inWordBefore = m_cut || m_inWord;
        m_inWord = m_inWord && continuesWord(c);
        m_afterBackslash = c == '\\';
    }
    m_cut = false;
    m_text += c;
}

void RtfRebuilder::dropBackslash() {
    m_text.pop_back();
    m_afterBackslash = false;
    m_inWord = m_inWordBefore;
    cut();
}

std::string colourTableWords(std::string_view text) {
    RtfRebuilder out(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '\\' && !(i + 1 < text.size() && isAsciiLetter(text[i + 1]))) {
            i += escapeLength(text, i);
            out.cut();
        } else if (text[i] == '{') {
            const size_t end = findGroupEnd(text, i);
            i = end == std::string_view::npos ? text.size() : end;
            out.cut();
        } else {
            out.append(text[i++]);
        }
    }
    return out.take();
}

std::optional<std::string> withMendedHexEscapes(std::string_view text) {
    std::optional<std::string> mended;
    for (size_t i = text.find('\\'); i < text.size(); i = text.find('\\', i)) {
        const size_t length = escapeLength(text, i);
        if (length == 4 && i + 3 < text.size() &&
            !(isAsciiHexDigit(text[i + 2]) && isAsciiHexDigit(text[i + 3]))) {
            if (!mended)
                mended.emplace(text);
            (*mended)[i + 2] = '3';
            (*mended)[i + 3] = 'f';
        }
        i += length;
    }
    return mended;
}

} // namespace rtfengine

namespace rtfengine {

namespace {

// Code page 1252 bytes 0x80 to 0x9F and the characters they stand for; 0 marks the
// five unassigned bytes.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code page 1252 byte of a character, or 0 when it has none.
unsigned char cp1252Byte(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF)
        return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c && c != 0)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

struct Cp1252Fallback {
    uint16_t unit;
    unsigned char byte;
};

// The nearest code page 1252 character of each character beyond the code page that
// has one, in order of the character (generated from the Unicode decompositions).
constexpr Cp1252Fallback kCp1252Fallbacks[] = {
#include "Cp1252Fallbacks.inc"
};

// What readers without Unicode show for a UTF-16 unit: its nearest code page 1252
// character, or a question mark (a Chinese character, half of an emoji).
unsigned char cp1252Fallback(uint16_t unit) {
    const auto* end = std::end(kCp1252Fallbacks);
    const auto* at =
        std::lower_bound(std::begin(kCp1252Fallbacks), end, unit,
                         [](const Cp1252Fallback& entry, uint16_t u) { return entry.unit < u; });
    return at != end && at->unit == unit ? at->byte : '?';
}

// "\uN" and its fallback, always as a hex escape: a literal "?" after the number is
// read by some readers as part of the text that follows.
void appendUnicodeUnit(std::string& out, uint16_t unit) {
    out += "\\u";
    out += std::to_string(static_cast<int16_t>(unit));
    appendHexByte(out, cp1252Fallback(unit));
}

// Bytes that appendRtfText writes as they are: the printable ASCII characters but
// the three RTF specials.
constexpr bool isPlainByte(unsigned char b) {
    return b >= 0x20 && b < 0x7F && b != '\\' && b != '{' && b != '}';
}

} // namespace

void appendHexByte(std::string& out, unsigned char b) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const char escape[4] = {'\\', '\'', kHex[b >> 4], kHex[b & 0x0F]};
    out.append(escape, sizeof escape);
}

bool appendRtfSpecial(std::string& out, char c) {
    switch (c) {
    case '\t':
        out += "\\tab ";
        return true;
    case 0x0B:
        out += "\\line ";
        return true;
    case 0x0C:
        out += "\\page ";
        return true;
    case '\r':
        out += "\\par ";
        return true;
    case '\\':
    case '{':
    case '}':
        out += '\\';
        out += c;
        return true;
    default:
        break;
    }
    return false;
}

void appendRtfText(std::string& out, std::string_view s) {
    out.reserve(out.size() + s.size());
    size_t i = 0;
    while (i < s.size()) {
        // Runs of plain bytes are appended whole rather than byte by byte.
        size_t run = i;
        while (run < s.size() && isPlainByte(static_cast<unsigned char>(s[run])))
            ++run;
        if (run > i) {
            out.append(s.data() + i, run - i);
            i = run;
            if (i == s.size())
                break;
        }
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            if (appendRtfSpecial(out, s[i])) {
                // CR LF is one line break.
                if (b == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                    ++i;
            } else if (b == '\n') {
                out += "\\par ";
            }
            // NUL would end the fragment early in the filter, and the other control
            // bytes are invisible: neither is part of what a reader sees.
            ++i;
            continue;
        }
        char32_t c = 0;
        const size_t len = decodeUtf8(s, i, c);
        if (len == 0) {
            appendHexByte(out, b);
            ++i;
            continue;
        }
        i += len;
        if (c < 0xA0)
            continue; // a C1 control character: invisible, like the C0 ones
        if (const unsigned char cp = cp1252Byte(c)) {
            appendHexByte(out, cp);
        } else if (c > 0xFFFF) {
            const char32_t v = c - 0x10000;
            appendUnicodeUnit(out, static_cast<uint16_t>(0xD800 + (v >> 10)));
            appendUnicodeUnit(out, static_cast<uint16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            appendUnicodeUnit(out, static_cast<uint16_t>(c));
        }
    }
}

std::string rtfText(std::string_view utf8) {
    std::string out;
    appendRtfText(out, utf8);
    return out;
}

size_t decodeUtf8(std::string_view s, size_t i, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        c = b0 & 0x1F;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        c = b0 & 0x0F;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        c = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return len;
}

} // namespace rtfengine
