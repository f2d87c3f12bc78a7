#include "store/SqlText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace store {

namespace {

int decimalDigitCount(int n) {
    int count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
}

// The UTF-8 encodings of the white space characters beyond ASCII.
constexpr std::string_view kMultiByteSpaces[] = {
    "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81",
    "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86",
    "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8",
    "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80",
};

// Length of the white space character `text` starts with, 0 when it starts with none.
size_t leadingSpaceLength(std::string_view text) {
    if (text.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80)
        return isAsciiSpace(text.front()) ? 1 : 0;
    // Every multi-byte space starts with one of these lead bytes; most text reaches
    // here only for a letter, so the table is searched only when one can match.
    if (lead != 0xC2 && lead != 0xE1 && lead != 0xE2 && lead != 0xE3)
        return 0;
    for (std::string_view space : kMultiByteSpaces)
        if (text.starts_with(space))
            return space.size();
    return 0;
}

// Length of the white space character `text` ends with, 0 when it ends with none. Every
// multi-byte space begins with a lead byte, which can never be the continuation of an
// earlier character, so a matching suffix of well-formed text is a whole character.
size_t trailingSpaceLength(std::string_view text) {
    if (text.empty())
        return 0;
    if (static_cast<unsigned char>(text.back()) < 0x80)
        return isAsciiSpace(text.back()) ? 1 : 0;
    for (std::string_view space : kMultiByteSpaces)
        if (text.ends_with(space))
            return space.size();
    return 0;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string shortestNumberText(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (value == 0)
        return "0"; // negative zero too

    // The shortest digits that read back as the value, as "d.ddde+x".
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific);
    const std::string_view scientific(buffer, static_cast<size_t>(written.ptr - buffer));
    const size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e))
        if (c != '.')
            digits += c;
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);

    // Value = 0.digits × 10^point. Both notations are measured; the exponent form wins
    // only when strictly shorter.
    const int count = static_cast<int>(digits.size());
    const int point = exponent + 1;
    const int plainLength = point <= 0 ? 2 - point + count : point < count ? count + 1 : point;
    const int absExponent = exponent < 0 ? -exponent : exponent;
    const int exponentDigits = std::max(2, decimalDigitCount(absExponent));
    const int scientificLength = count + (count > 1 ? 1 : 0) + 2 + exponentDigits;

    std::string text;
    if (value < 0)
        text += '-';
    if (scientificLength < plainLength) {
        text += digits[0];
        if (count > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += 'e';
        text += exponent < 0 ? '-' : '+';
        const std::string magnitude = std::to_string(absExponent);
        text.append(static_cast<size_t>(exponentDigits) - magnitude.size(), '0');
        text += magnitude;
    } else if (point <= 0) {
        text += "0.";
        text.append(static_cast<size_t>(-point), '0');
        text += digits;
    } else if (point < count) {
        text.append(digits, 0, static_cast<size_t>(point));
        text += '.';
        text.append(digits, static_cast<size_t>(point));
    } else {
        text += digits;
        text.append(static_cast<size_t>(point - count), '0');
    }
    return text;
}

std::string_view trimmedSpace(std::string_view utf8) {
    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.remove_prefix(3);
    while (const size_t n = leadingSpaceLength(utf8))
        utf8.remove_prefix(n);
    while (const size_t n = trailingSpaceLength(utf8))
        utf8.remove_suffix(n);
    return utf8;
}

bool parseNumber(std::string_view text, double& value) {
    std::string_view number = trimmedSpace(text);
    bool signed_ = false;
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        signed_ = true;
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    if (equalsIgnoringAsciiCase(number, "inf")) {
        value = negative ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
        return true;
    }
    if (!signed_ && equalsIgnoringAsciiCase(number, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    // from_chars would also take "infinity", "nan(...)" and a second '-'; a number proper
    // starts with a digit or the point.
    if (number.empty() ||
        !((number.front() >= '0' && number.front() <= '9') || number.front() == '.'))
        return false;
    double magnitude = 0;
    const char* end = number.data() + number.size();
    const auto read = std::from_chars(number.data(), end, magnitude, std::chars_format::general);
    // Out of range covers both overflow and a non-zero number that rounds to zero.
    if (read.ec != std::errc() || read.ptr != end)
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

std::string utf16ToUtf8(const char16_t* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out += '?';
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace store
