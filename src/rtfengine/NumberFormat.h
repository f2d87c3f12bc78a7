// Number text of the engine: reading numbers typed in templates and data, the
// shortest decimal form of a value, and the fixed, number, scientific and currency
// forms of the numeric format functions, all with the locale's separators.
#pragma once

#include "rtfengine/FormatSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace rtfengine {

enum class NumericStyle {
    Scientific, // d.dddE+xx; digits is the least number of exponent digits
    Fixed,      // digits is the number of decimals
    Number,     // fixed with thousands separators
    Currency,   // the locale's money form with `digits` decimals
};

// Reads a whole text as a floating-point number: optional blanks, sign, digits with the
// locale's decimal separator, optional exponent. Returns nothing when it is not a number.
std::optional<double> parseFloat(std::string_view text,
                                 const FormatSettings& settings = FormatSettings::current());

// Like parseFloat, but a text that is not a number raises EEngineError with the
// runtime's conversion message.
double toFloat(std::string_view text, const FormatSettings& settings = FormatSettings::current());

// The shortest decimal form of a value (15 significant digits, no trailing zeros,
// an exponent only for very large or very small magnitudes): 1.50 gives "1.5".
std::string shortestDecimal(double value,
                            const FormatSettings& settings = FormatSettings::current());

// Formats a value with a numeric style. Precision is the number of significant digits
// (1 to 18); the last kept digit is rounded half away from zero.
std::string formatFloat(double value, NumericStyle style, int precision, int digits,
                        const FormatSettings& settings = FormatSettings::current());

} // namespace rtfengine
