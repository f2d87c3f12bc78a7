// Structural checks on RTF text that the fuzz targets apply to what the engine
// writes: groups balanced, hex escapes whole, and only 7-bit bytes outside binary
// picture data.
#pragma once

#include "rtfengine/RtfText.h"

#include <cstdint>
#include <string_view>

namespace fuzz {

// True when every "{" has its "}", no "}" closes more than was opened, and every
// "\'" is followed by two hex digits. A byte after a backslash is a symbol, and
// "\binN " is followed by N raw bytes.
inline bool wellFormed(std::string_view rtf) {
    long depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return false;
        } else if (c == '\\') {
            if (rtf.substr(i + 1, 3) == "bin") {
                size_t j = i + 4;
                uint64_t count = 0;
                while (j < rtf.size() && rtf[j] >= '0' && rtf[j] <= '9' && count < (1u << 30))
                    count = count * 10 + static_cast<uint64_t>(rtf[j++] - '0');
                if (j < rtf.size() && rtf[j] == ' ')
                    ++j;
                i = j + count - 1;
                continue;
            }
            if (rtf.substr(i + 1, 1) == "'") {
                if (i + 3 >= rtf.size() || !rtfengine::isAsciiHexDigit(rtf[i + 2]) ||
                    !rtfengine::isAsciiHexDigit(rtf[i + 3]))
                    return false;
                i += 3;
            } else {
                ++i;
            }
        }
    }
    return depth == 0;
}

inline bool sevenBit(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace fuzz
