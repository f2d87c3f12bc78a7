// Reading and writing the little-endian integers of picture file headers. Callers
// check that the bytes are there before they read or overwrite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rtfengine {

inline uint32_t u16At(std::string_view d, size_t at) {
    return uint32_t(uint8_t(d[at])) | uint32_t(uint8_t(d[at + 1])) << 8;
}

inline uint32_t u32At(std::string_view d, size_t at) {
    return u16At(d, at) | u16At(d, at + 2) << 16;
}

// Appends the low 16 bits of `v`.
inline void putU16(std::string& out, uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

inline void putU32(std::string& out, uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

// Overwrites the four bytes at `at`.
inline void setU32At(std::string& d, size_t at, uint32_t v) {
    for (size_t b = 0; b < 4; ++b)
        d[at + b] = char((v >> (8 * b)) & 0xFF);
}

} // namespace rtfengine
