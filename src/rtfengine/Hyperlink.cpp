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
    std::string address;
    for (char c : parts.address)
        address += c == '"' ? std::string("%22") : std::string(1, c);
    const std::string langWord = "\\lang" + std::string(lang);
    out += "{\\field{\\*\\fldinst {" + langWord + " HYPERLINK \"";
    appendRtfText(out, address);
    out += "\" }}{\\fldrslt " + langWord + " ";
    appendRtfText(out, parts.caption);
    out += "}}";
    out += rtfCodes;
}

} // namespace rtfengine
