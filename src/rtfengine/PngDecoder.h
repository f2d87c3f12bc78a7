// Decodes PNG data through libpng. Transparent pixels are laid over white, the
// colour of the page they are printed on.
#pragma once

#include "rtfengine/Image.h"

#include <string_view>

namespace rtfengine {

// True when the bytes begin with the PNG signature.
bool looksLikePng(std::string_view data);

// Decodes any PNG colour type and depth into RGB; raises EPictureError on damage.
ImageBitmap decodePng(std::string_view data);

} // namespace rtfengine
