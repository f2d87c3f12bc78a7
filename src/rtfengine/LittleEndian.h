// Reading the little-endian integers of picture file headers. Callers check that
// the bytes are there before they read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rtfengine {

inline uint32_t u16At(std::string_view d, size_t at) {
    return uint32_t(uint8_t(d[at])) | uint32_t(uint8_t(d[at + 1])) << 8;
}

inline uint32_t u32At(std::string_view d, size_t at) {
    return u16At(d, at) | u16At(d, at + 2) << 16;
}

} // namespace rtfengine
