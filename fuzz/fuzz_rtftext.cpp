// Turns fuzzed UTF-8 (valid or not) into RTF text, and reads fuzzed number words
// and groups with the byte-level helpers. Checks: the RTF text is 7-bit, has no
// unescaped brace and keeps plain ASCII as it is; group ends lie on a "}".
#include "FuzzInput.h"
#include "RtfCheck.h"

#include "rtfengine/Errors.h"
#include "rtfengine/RtfText.h"

using namespace rtfengine;

namespace {

bool plainAscii(std::string_view text) {
    for (char c : text)
        if (c < 0x20 || c > 0x7E || c == '\\' || c == '{' || c == '}')
            return false;
    return true;
}

void checkText(std::string_view text) {
    const std::string rtf = rtfText(text);
    if (!fuzz::sevenBit(rtf) || !fuzz::wellFormed(rtf))
        fuzz::broken();
    // The longest forms are "\u-32768\'3F" for a 3-byte sequence, and two such
    // units for a 4-byte one: six bytes out per byte in.
    if (rtf.size() > 6 * text.size() + 1)
        fuzz::broken();
    if (plainAscii(text) && rtf != text)
        fuzz::broken();
    for (size_t i = 0; i + 1 < rtf.size(); ++i)
        if (rtf[i] == '\\' && (rtf[i + 1] == '{' || rtf[i + 1] == '}' || rtf[i + 1] == '\\'))
            ++i;
        else if (rtf[i] == '{' || rtf[i] == '}')
            fuzz::broken();
}

void checkNumberAndGroups(std::string_view text) {
    try {
        const int32_t n = toNumber(text, "fuzz");
        std::string back;
        appendNumber(back, n);
        if (back != text && !(text.size() > 1 && (text[0] == '0' || text.substr(0, 2) == "-0")))
            fuzz::broken();
    } catch (const EBadRtfFormat&) {
    }
    for (size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', open + 1)) {
        const size_t end = findGroupEnd(text, open);
        if (end != std::string_view::npos &&
            (end <= open || end > text.size() || text[end - 1] != '}'))
            fuzz::broken();
        (void)digitsAt(text, open);
    }
    forEachSubGroup(text, [](std::string_view group) {
        if (group.empty() || group.front() != '{' || group.back() != '}')
            fuzz::broken();
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::string_view text = input.rest();
    checkText(text);
    checkNumberAndGroups(text);
    return 0;
}
