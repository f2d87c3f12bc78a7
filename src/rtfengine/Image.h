// A decoded raster picture and the limits every decoder keeps. Decoders turn
// untrusted bytes into an ImageBitmap or raise EPictureError; nothing larger than
// the caps below is ever allocated, whatever a file claims about itself.
#pragma once

#include "rtfengine/Errors.h"

#include <cstdint>
#include <vector>

namespace rtfengine {

// Pixels as 8-bit red, green, blue triples, rows from top to bottom, no padding.
struct ImageBitmap {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;
};

// No side may exceed this; it also keeps every size inside the 16-bit fields of
// the picture header and of Windows metafile records.
inline constexpr uint32_t kMaxImageSide = 16384;
// Total pixels of one picture (about 150 MB of pixel data), far above any photo
// that belongs in a résumé.
inline constexpr uint64_t kMaxImagePixels = 50'000'000;

// Raises EPictureError when a picture of this size is empty or beyond the caps.
void checkImageSize(uint64_t width, uint64_t height);

// Allocates the pixel buffer of a picture whose size passed checkImageSize.
ImageBitmap makeImageBitmap(uint32_t width, uint32_t height);

} // namespace rtfengine
