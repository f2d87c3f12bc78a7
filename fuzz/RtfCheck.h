// Structural checks on RTF text that the fuzz targets apply to what the engine
// writes: groups balanced, and only 7-bit bytes outside binary picture data.
#pragma once

#include <cstdint>
#include <string_view>

namespace fuzz {

// True when every "{" has its "}" and no "}" closes more than was opened. A byte
// after a backslash is a symbol, two bytes after "\'" a hex escape, and "\binN "
// is followed by N raw bytes.
inline bool groupsBalanced(std::string_view rtf) {
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
            // "\'" takes the next two bytes, whatever they are, as the engine's
            // filter reads it.
            i += rtf.substr(i + 1, 1) == "'" ? 3 : 1;
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
