#include "rtfengine/PngDecoder.h"

#include <string>

#include <png.h>

namespace rtfengine {
namespace {

// Frees the library's reading state on every path out.
struct ImageGuard {
    png_image& image;
    ~ImageGuard() { png_image_free(&image); }
};

} // namespace

bool looksLikePng(std::string_view data) {
    return data.size() >= 8 && data.substr(0, 8) == std::string_view("\x89PNG\r\n\x1A\n", 8);
}

ImageBitmap decodePng(std::string_view data) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ImageGuard guard{png};
    if (!png_image_begin_read_from_memory(&png, data.data(), data.size()))
        throw EPictureError(std::string("PNG error: ") + png.message);
    ImageBitmap image = makeImageBitmap(png.width, png.height);
    png.format = PNG_FORMAT_RGB;
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&png, &white, image.rgb.data(), 0, nullptr))
        throw EPictureError(std::string("PNG error: ") + png.message);
    return image;
}

} // namespace rtfengine
