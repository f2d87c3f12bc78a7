// Reads Windows bitmap files (.bmp) into pixels. Every size, offset and palette
// index in the file is checked against the bytes actually present.
#pragma once

#include "rtfengine/Image.h"

#include <string_view>

namespace rtfengine {

// True when the bytes begin like a bitmap file.
bool looksLikeBmp(std::string_view data);

// Decodes an uncompressed bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel (plain or
// with bit-field masks), bottom-up or top-down, with any of the common info header
// versions. Raises EPictureError for anything it cannot read safely.
ImageBitmap readBmp(std::string_view data);

} // namespace rtfengine
