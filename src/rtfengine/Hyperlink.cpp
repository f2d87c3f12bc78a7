#include "rtfengine/Hyperlink.h"

#include "rtfengine/RtfText.h"

namespace rtfengine {

HyperlinkParts splitHyperlink(std::string_view text) {
    HyperlinkParts parts;
    const size_t bar = text.find('|');
    if (bar == 0)
        return parts; // no address: the field links nowhere and shows nothing
    if (bar == std::string_view::npos) {
        parts.address = text;
    } else {
        parts.address = text.substr(0, bar);
        parts.caption = text.substr(bar + 1);
    }
    if (parts.caption.empty())
        parts.caption = parts.address;
    return parts;
}

void writeHyperlink(std::string& out, std::string_view text, std::string_view lang,
                    std::string_view rtfCodes) {
    const HyperlinkParts parts = splitHyperlink(text);
    out += "{\\field{\\*\\fldinst {\\lang";
    out += lang;
    out += " HYPERLINK \"";
    if (parts.address.find('"') == std::string::npos) {
        appendRtfText(out, parts.address);
    } else {
        // A double quote would end the instruction's argument early.
        std::string address;
        for (const char c : parts.address) {
            if (c == '"')
                address += "%22";
            else
                address += c;
        }
        appendRtfText(out, address);
    }
    out += "\" }}{\\fldrslt \\lang";
    out += lang;
    out += ' ';
    appendRtfText(out, parts.caption);
    out += "}}";
    out += rtfCodes;
}

} // namespace rtfengine
