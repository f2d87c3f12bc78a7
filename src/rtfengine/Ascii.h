// Letter case, digits and blanks of ASCII, the one rule for field names, keywords, aliases
// and the words of format patterns. Nothing here follows the C locale: a byte outside ASCII
// is never a letter, a digit or a blank, and letter case leaves it as it is.
#pragma once

#include <string>
#include <string_view>

namespace rtfengine {

inline bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isAsciiAlnum(char c) {
    return isAsciiLetter(c) || isAsciiDigit(c);
}
inline bool isAsciiHexDigit(char c) {
    return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// Space, tab, line feed, vertical tab, form feed and carriage return.
inline bool isAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The value of a hexadecimal digit, or -1 for any other byte.
int hexDigitValue(char c);

char toLowerAscii(char c);
char toUpperAscii(char c);
std::string toLowerAscii(std::string_view text);
std::string toUpperAscii(std::string_view text);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);
// Whether `text` begins with `prefix`, letter case of ASCII letters aside.
bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// `text` without the bytes up to and including the space at either end: blanks and
// control bytes both, since a template's line breaks and tabs are not part of a name.
std::string trimAsciiBlanks(std::string_view text);
// `text` without the isAsciiSpace() bytes at either end.
std::string_view trimAsciiSpace(std::string_view text);
// `text` without the bytes at either end for which `isTrimmed` holds.
std::string_view trimBytes(std::string_view text, bool (*isTrimmed)(char));

} // namespace rtfengine
