// Turns UTF-8 text into RTF text that a reader shows exactly as typed. This is the
// one converter for every value that enters a document from outside the template.
#pragma once

#include <string>
#include <string_view>

namespace rtfengine {

// Converts UTF-8 `text` to RTF, appending to `out`:
// - printable ASCII as it is, with "\", "{" and "}" escaped by a backslash;
// - a line break (CR LF, CR or LF) as "\par ", a tab as "\tab ";
// - characters of code page 1252 beyond ASCII, and other control bytes, as "\'xx";
// - every other character as "\uN?" with N the signed 16-bit UTF-16 unit (a surrogate
//   pair above U+FFFF), "?" being what a reader without Unicode shows;
// - bytes that are not valid UTF-8 as single bytes, "\'xx".
void appendRtfText(std::string& out, std::string_view text);

std::string rtfText(std::string_view text);

} // namespace rtfengine
