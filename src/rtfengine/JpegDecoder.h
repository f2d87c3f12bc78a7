// Decodes JPEG data through libjpeg. Library errors come back as EPictureError,
// never as a call to exit(); a stream that ends before its last scan is an error.
#pragma once

#include "rtfengine/Image.h"

#include <string_view>

namespace rtfengine {

// True when the bytes begin with the JPEG start-of-image marker.
bool looksLikeJpeg(std::string_view data);

// Decodes grey, colour and CMYK JPEG data (baseline or progressive) into RGB.
ImageBitmap decodeJpeg(std::string_view data);

} // namespace rtfengine
