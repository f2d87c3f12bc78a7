#include "rtfengine/RtfText.h"

#include <cstdint>

namespace rtfengine {
namespace {

// Code page 1252 bytes 0x80..0x9F and the characters they stand for; 0 marks the five
// bytes that the code page leaves undefined.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The code page 1252 byte of a character above ASCII, or -1 when it has none.
int cp1252Byte(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF) {
        return static_cast<int>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == c) {
            return 0x80 + i;
        }
    }
    return -1;
}

void appendHex(std::string& out, unsigned byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\'";
    out += kDigits[(byte >> 4) & 0xF];
    out += kDigits[byte & 0xF];
}

void appendUnicodeUnit(std::string& out, uint16_t unit) {
    out += "\\u";
    out += std::to_string(static_cast<int16_t>(unit));
    out += '?';
}

// Decodes one UTF-8 sequence at `text[pos]`; returns its length, or 0 when the bytes
// there are not a well-formed sequence (overlong forms and surrogates included).
size_t decodeUtf8(std::string_view text, size_t pos, char32_t& c) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    struct Form {
        unsigned char firstLead, lastLead, payloadMask;
        size_t length;
        char32_t min;
    };
    static constexpr Form kForms[] = {
        {0xC2, 0xDF, 0x1F, 2, 0x80}, {0xE0, 0xEF, 0x0F, 3, 0x800}, {0xF0, 0xF4, 0x07, 4, 0x10000}};
    const Form* form = nullptr;
    for (const Form& f : kForms) {
        if (lead >= f.firstLead && lead <= f.lastLead) {
            form = &f;
        }
    }
    if (form == nullptr) {
        return 0;
    }
    const size_t length = form->length;
    const char32_t min = form->min;
    c = lead & form->payloadMask;
    if (pos + length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

void appendRtfText(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size());
    for (size_t pos = 0; pos < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[pos]);
        if (b == '\r' || b == '\n') {
            out += "\\par ";
            pos += (b == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (b < 0x80) {
            if (b == '\\' || b == '{' || b == '}') {
                out += '\\';
                out += static_cast<char>(b);
            } else if (b == '\t') {
                out += "\\tab ";
            } else if (b < 0x20 || b == 0x7F) {
                appendHex(out, b);
            } else {
                out += static_cast<char>(b);
            }
            ++pos;
            continue;
        }
        char32_t c = 0;
        const size_t length = decodeUtf8(text, pos, c);
        if (length == 0) {
            appendHex(out, b);
            ++pos;
            continue;
        }
        pos += length;
        if (const int cp = cp1252Byte(c); cp >= 0) {
            appendHex(out, static_cast<unsigned>(cp));
        } else if (c > 0xFFFF) {
            const char32_t v = c - 0x10000;
            appendUnicodeUnit(out, static_cast<uint16_t>(0xD800 + (v >> 10)));
            appendUnicodeUnit(out, static_cast<uint16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            appendUnicodeUnit(out, static_cast<uint16_t>(c));
        }
    }
}

std::string rtfText(std::string_view text) {
    std::string out;
    appendRtfText(out, text);
    return out;
}

} // namespace rtfengine
