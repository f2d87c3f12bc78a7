// Builders for the picture tests: small images encoded on the spot with the same
// libraries the engine decodes with, and little-endian reads that fail loudly past
// the end. The tests write headers with the engine's own putU16 and putU32.
#pragma once

#include "rtfengine/Image.h"
#include "rtfengine/LittleEndian.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace testsupport {

// A width by height picture whose pixel (x, y) is (x * 40, y * 40, 200), so that
// every pixel differs from its neighbours.
rtfengine::ImageBitmap gradient(uint32_t width, uint32_t height);

std::string encodeJpeg(const rtfengine::ImageBitmap& image, bool progressive = false);
std::string encodePng(const rtfengine::ImageBitmap& image);

// Throw std::out_of_range when the bytes are not there.
uint32_t get16(std::string_view d, size_t at);
uint32_t get32(std::string_view d, size_t at);

} // namespace testsupport
