// Writes a hyperlink field into the document from a text "address|shown text",
// and the RTF escaping of inserted text that hyperlinks and pictures share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rtfengine {

// Appends text as RTF: tab, vertical tab, form feed and carriage return become
// "\tab ", "\line ", "\page " and "\par "; "\", "{" and "}" are escaped; bytes
// from 0x80 up become "\'xx" with upper-case hex digits.
void appendRtfEscaped(std::string& out, std::string_view text);

// The address and the shown text of a hyperlink text: split at the first "|";
// without one the whole text is the address; an empty shown text is the address;
// a text that begins with "|" gives neither.
struct HyperlinkParts {
    std::string address;
    std::string caption;
};
HyperlinkParts splitHyperlink(std::string_view text);

// Appends a HYPERLINK field for the text, each part prefixed with "\lang<lang>",
// then the command's RTF codes. A double quote in the address is written as "%22"
// so that it cannot end the field's quoted argument early.
void writeHyperlink(std::string& out, std::string_view text, uint16_t lang,
                    std::string_view rtfCodes);

} // namespace rtfengine
