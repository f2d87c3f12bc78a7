#include "support/Pictures.h"

#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>

namespace testsupport {

rtfengine::ImageBitmap gradient(uint32_t width, uint32_t height) {
    rtfengine::ImageBitmap image = rtfengine::makeImageBitmap(width, height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = image.rgb.data() + (size_t(y) * width + x) * 3;
            p[0] = uint8_t(x * 40), p[1] = uint8_t(y * 40), p[2] = 200;
        }
    return image;
}

std::string encodeJpeg(const rtfengine::ImageBitmap& image, bool progressive) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = image.width;
    cinfo.image_height = image.height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    // Full-resolution colour, so that decoded pixels stay close to the original.
    for (int i = 0; i < cinfo.num_components; ++i)
        cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<uint8_t*>(image.rgb.data()) + size_t(cinfo.next_scanline) * image.width * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string out(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

std::string encodePng(const rtfengine::ImageBitmap& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.rgb.data(), 0, nullptr))
        throw std::runtime_error(png.message);
    std::string out(size, '\0');
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, image.rgb.data(), 0, nullptr))
        throw std::runtime_error(png.message);
    out.resize(size);
    return out;
}

namespace {

void requireBytes(std::string_view d, size_t at, size_t count) {
    if (at > d.size() || d.size() - at < count)
        throw std::out_of_range("little-endian read past the end");
}

} // namespace

uint32_t get16(std::string_view d, size_t at) {
    requireBytes(d, at, 2);
    return rtfengine::u16At(d, at);
}

uint32_t get32(std::string_view d, size_t at) {
    requireBytes(d, at, 4);
    return rtfengine::u32At(d, at);
}

} // namespace testsupport
