// Turning text into RTF: every value the engine inserts as text goes through here,
// so that user text shows exactly as typed, whatever characters it holds.
#pragma once

#include <string>
#include <string_view>

namespace rtfengine {

// Appends UTF-8 text as RTF text. ASCII stays as it is except "\", "{" and "}",
// which are escaped; tab, vertical tab and form feed become "\tab ", "\line " and
// "\page "; a line break (CR LF, CR or LF) becomes "\par ". Other characters of
// code page 1252 become "\'xx", all the rest "\uN?" (N a signed 16-bit number, a
// surrogate pair above U+FFFF). Bytes that are not valid UTF-8 are taken as single
// code page 1252 bytes and written as "\'xx".
void appendRtfText(std::string& out, std::string_view utf8);

std::string rtfText(std::string_view utf8);

} // namespace rtfengine
