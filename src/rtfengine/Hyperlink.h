// Writes a hyperlink field into the document from a text "address|shown text":
// the field's instruction names the address, its result shows the text.
#pragma once

#include <string>
#include <string_view>

namespace rtfengine {

// The address and the shown text of a hyperlink text: split at the first "|";
// without one the whole text is the address; an empty shown text is the address;
// a text that begins with "|" gives neither.
struct HyperlinkParts {
    std::string address;
    std::string caption;
};
HyperlinkParts splitHyperlink(std::string_view text);

// Appends a HYPERLINK field for the text, each part prefixed with "\lang" and
// `lang` (the engine's language number in decimal), then the command's RTF codes. A double quote in
// the address is written as "%22" so that it cannot end the field's quoted argument early.
void writeHyperlink(std::string& out, std::string_view text, std::string_view lang,
                    std::string_view rtfCodes);

} // namespace rtfengine
