// Number and text conversions of the SQL dataset, in the standard library alone so that
// the command-line tool need not load Qt to read a résumé.
//
// Each function matches Qt's conversion (noted beside it), so stored values read back,
// and print, as they did.
#pragma once

#include "rtfengine/Ascii.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace store {

// The shortest text that reads back as `value` (QVariant(value).toString()).
// Plain notation unless the exponent form is strictly shorter: "100000" is "1e+05",
// "10000" stays, "0.0001" is "1e-04", "0.0001234" stays. The exponent has at least two
// digits and always a sign. Negative zero is "0"; the specials are "inf", "-inf" and "nan".
std::string shortestNumberText(double value);

// `utf8` without the leading and trailing Unicode white space (U+0009..U+000D, U+0020,
// U+0085, U+00A0, U+1680, U+2000..U+200A, U+2028, U+2029, U+202F, U+205F, U+3000), as
// QString::fromUtf8(utf8).trimmed().toUtf8(). That decoder drops a byte-order mark at the
// very start, so one is dropped here too, before the white space after it.
// Bytes that are not well-formed UTF-8 are never white space; the result is a part of `utf8`.
std::string_view trimmedSpace(std::string_view utf8);

// Reads a decimal number as QString::fromUtf8(text).toDouble(&ok): white space around it
// as trimmedSpace() strips it, an optional sign, digits with at most one '.', at least one
// digit before or after it, an optional exponent ("e" or "E", optional sign, digits).
// "inf" in any letter case, with or without a sign, and "nan" in any case without a sign
// are read too. No grouping, no hexadecimal, no "infinity".
// False, with `value` unspecified, where the text is not such a number or where its
// magnitude overflows or a non-zero number underflows to zero.
bool parseNumber(std::string_view text, double& value);

using rtfengine::equalsIgnoringAsciiCase;
using rtfengine::isAsciiSpace;

// UTF-16 to UTF-8 as QString(text, length).toStdString(): each unpaired surrogate becomes a
// single '?', which is what that conversion writes (not U+FFFD).
std::string utf16ToUtf8(const char16_t* text, std::size_t length);

} // namespace store
