// Minimal enhanced (EMF) and Windows (WMF) metafiles that carry one picture as a
// device-independent bitmap, drawn at 96 pixels per inch from the origin.
#pragma once

#include "rtfengine/Image.h"

#include <cstdint>
#include <string>

namespace rtfengine {

// Packs the picture as a 24-bit bottom-up DIB: a BITMAPINFOHEADER, then the rows.
std::string deviceIndependentBitmap(const ImageBitmap& image);

// An EMF of the picture's pixel size holding one EMR_STRETCHDIBITS record. The
// frame, the size at which readers show the picture, is given in hundredths of a
// millimetre.
std::string writeEmf(const ImageBitmap& image, int32_t frameWidth, int32_t frameHeight);

// A WMF (no placeable header, as RTF embeds it) in the anisotropic mapping mode
// whose window is the picture's pixel size, holding one META_STRETCHDIB record.
std::string writeWmf(const ImageBitmap& image);

} // namespace rtfengine
