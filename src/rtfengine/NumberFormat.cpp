#include "rtfengine/NumberFormat.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace rtfengine {

namespace {

// A finite value as decimal digits: value = 0.d1d2d3... x 10^point.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zeros; empty for zero
    int point = 0;
};

// The shortest digits that read back as the same double.
Decimal toDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0)
        return d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string_view text(buf, res.ptr - buf);
    const size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.')
            d.digits += c;
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    d.point = exponent + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void roundTo(Decimal& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<size_t>(keep) >= d.digits.size())
        return;
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[i];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.point = 0;
}

char digitAt(const Decimal& d, int index) {
    return index >= 0 && static_cast<size_t>(index) < d.digits.size() ? d.digits[index] : '0';
}

std::string groupThousands(const std::string& integer, char separator) {
    std::string out;
    const size_t n = integer.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += integer[i];
    }
    return out;
}

// Integer and fraction digits of a rounded decimal, without sign.
std::string fixedDigits(const Decimal& d, int decimals, char decimalSeparator,
                        char thousandSeparator, bool grouped) {
    std::string integer;
    for (int i = 0; i < d.point; ++i)
        integer += digitAt(d, i);
    if (integer.empty())
        integer = "0";
    std::string out = grouped ? groupThousands(integer, thousandSeparator) : integer;
    if (decimals > 0) {
        out += decimalSeparator;
        for (int i = 0; i < decimals; ++i)
            out += digitAt(d, d.point + i);
    }
    return out;
}

// General form with up to `precision` significant digits: plain for ordinary
// magnitudes, "1.5E20" / "1.5E-7" otherwise.
std::string generalForm(Decimal d, int precision, const FormatSettings& fs) {
    roundTo(d, precision);
    if (d.digits.empty())
        return "0";
    std::string out = d.negative ? "-" : "";
    if (d.point > precision || d.point < -4) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += fs.decimalSeparator;
            out += d.digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.point - 1);
        return out;
    }
    if (d.point <= 0) {
        out += '0';
        out += fs.decimalSeparator;
        out.append(static_cast<size_t>(-d.point), '0');
        out += d.digits;
        return out;
    }
    for (int i = 0; i < d.point; ++i)
        out += digitAt(d, i);
    if (static_cast<int>(d.digits.size()) > d.point) {
        out += fs.decimalSeparator;
        out += d.digits.substr(d.point);
    }
    return out;
}

std::string currencyForm(const std::string& amount, bool negative, const FormatSettings& fs) {
    const std::string& c = fs.currencyString;
    if (!negative) {
        switch (fs.currencyFormat) {
        case 1:
            return amount + c;
        case 2:
            return c + " " + amount;
        case 3:
            return amount + " " + c;
        default:
            return c + amount;
        }
    }
    switch (fs.negCurrencyFormat) {
    case 1:
        return "-" + c + amount;
    case 2:
        return c + "-" + amount;
    case 3:
        return c + amount + "-";
    case 4:
        return "(" + amount + c + ")";
    case 5:
        return "-" + amount + c;
    case 6:
        return amount + "-" + c;
    case 7:
        return amount + c + "-";
    case 8:
        return "-" + amount + " " + c;
    case 9:
        return "-" + c + " " + amount;
    case 10:
        return amount + " " + c + "-";
    case 11:
        return c + " " + amount + "-";
    case 12:
        return c + " -" + amount;
    case 13:
        return amount + "- " + c;
    case 14:
        return "(" + c + " " + amount + ")";
    case 15:
        return "(" + amount + " " + c + ")";
    default:
        return "(" + c + amount + ")";
    }
}

} // namespace

std::optional<double> parseFloat(std::string_view text, const FormatSettings& settings) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string plain;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        plain += text[i++] == '-' ? "-" : "";
    bool digits = false;
    while (i < text.size() && isAsciiDigit(text[i])) {
        plain += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == settings.decimalSeparator) {
        plain += '.';
        ++i;
        while (i < text.size() && isAsciiDigit(text[i])) {
            plain += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        bool exponentDigits = false;
        while (i < text.size() && isAsciiDigit(text[i])) {
            plain += text[i++];
            exponentDigits = true;
        }
        if (!exponentDigits)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double toFloat(std::string_view text, const FormatSettings& settings) {
    if (auto value = parseFloat(text, settings))
        return *value;
    throw EEngineError("'" + std::string(text) + "' is not a valid floating point value");
}

std::string shortestDecimal(double value, const FormatSettings& settings) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    return generalForm(toDecimal(value), 15, settings);
}

std::string formatFloat(double value, NumericStyle style, int precision, int digits,
                        const FormatSettings& fs) {
    if (!std::isfinite(value))
        return shortestDecimal(value, fs);
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 18);
    Decimal d = toDecimal(value);
    if (style == NumericStyle::Scientific) {
        roundTo(d, precision);
        std::string out = d.negative && !d.digits.empty() ? "-" : "";
        out += digitAt(d, 0);
        if (precision > 1) {
            out += fs.decimalSeparator;
            for (int i = 1; i < precision; ++i)
                out += digitAt(d, i);
        }
        const int exponent = d.digits.empty() ? 0 : d.point - 1;
        std::string e = std::to_string(std::abs(exponent));
        if (static_cast<int>(e.size()) < std::min(digits, 4))
            e.insert(0, std::min(digits, 4) - e.size(), '0');
        out += exponent < 0 ? "E-" : "E+";
        return out + e;
    }
    roundTo(d, precision);
    if (d.point > precision)
        return generalForm(d, precision, fs);
    roundTo(d, d.point + digits);
    const bool negative = d.negative && !d.digits.empty();
    const std::string amount = fixedDigits(d, digits, fs.decimalSeparator, fs.thousandSeparator,
                                           style != NumericStyle::Fixed);
    if (style == NumericStyle::Currency)
        return currencyForm(amount, negative, fs);
    return negative ? "-" + amount : amount;
}

} // namespace rtfengine
