#include "rtfengine/Image.h"

#include <string>

namespace rtfengine {

void checkImageSize(uint64_t width, uint64_t height) {
    if (width == 0 || height == 0)
        throw EPictureError("The picture has no pixels.");
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
        throw EPictureError("The picture is too large (" + std::to_string(width) + " x " +
                            std::to_string(height) + " pixels).");
}

ImageBitmap makeImageBitmap(uint32_t width, uint32_t height) {
    checkImageSize(width, height);
    ImageBitmap image;
    image.width = width;
    image.height = height;
    image.rgb.assign(size_t(width) * height * 3, 0);
    return image;
}

} // namespace rtfengine
