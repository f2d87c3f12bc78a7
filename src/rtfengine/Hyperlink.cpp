#include "rtfengine/Hyperlink.h"

namespace rtfengine {

void appendRtfEscaped(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\t':
            out += "\\tab ";
            break;
        case 0x0B:
            out += "\\line ";
            break;
        case 0x0C:
            out += "\\page ";
            break;
        case '\r':
            out += "\\par ";
            break;
        case '\\':
        case '{':
        case '}':
            out += '\\';
            out += ch;
            break;
        default:
            if (c >= 0x80) {
                out += "\\'";
                out += kHex[c >> 4];
                out += kHex[c & 0x0F];
            } else {
                out += ch;
            }
        }
    }
}

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

void writeHyperlink(std::string& out, std::string_view text, uint16_t lang,
                    std::string_view rtfCodes) {
    const HyperlinkParts parts = splitHyperlink(text);
    std::string address;
    for (char c : parts.address)
        address += c == '"' ? std::string("%22") : std::string(1, c);
    const std::string langWord = "\\lang" + std::to_string(lang);
    out += "{\\field{\\*\\fldinst {" + langWord + " HYPERLINK \"";
    appendRtfEscaped(out, address);
    out += "\" }}{\\fldrslt " + langWord + " ";
    appendRtfEscaped(out, parts.caption);
    out += "}}";
    out += rtfCodes;
}

} // namespace rtfengine
