#include "rtfengine/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

namespace rtfengine {
namespace {

// A hostile progressive file can hold thousands of tiny scans; real ones hold a
// handful.
constexpr int kMaxScans = 1000;
constexpr long kMaxLibraryMemory = 1L << 30;

struct ErrorManager {
    jpeg_error_mgr pub;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings are ignored, except the one for data that ends early: the library
// would fill the rest of the picture with grey and report success.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        onError(cinfo);
}

void onProgress(j_common_ptr cinfo) {
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > kMaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "too many scans");
        std::longjmp(err->jump, 1);
    }
}

// Sends the library's errors, and the warning for data that ends early, to
// `err`'s jump.
void routeErrors(jpeg_decompress_struct& cinfo, ErrorManager& err) {
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    err.message[0] = '\0';
}

std::string failure(const ErrorManager& err) {
    return err.message[0] ? err.message : "unknown error";
}

void readFrom(jpeg_decompress_struct& cinfo, std::string_view data) {
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.data()),
                 static_cast<unsigned long>(data.size()));
}

void cmykToRgb(const uint8_t* cmyk, uint8_t* rgb, uint32_t width, bool inverted) {
    for (uint32_t x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int i = 0; i < 3; ++i) {
            const unsigned c = inverted ? cmyk[i] : 255u - cmyk[i];
            rgb[i] = uint8_t((c * k + 127) / 255);
        }
    }
}

// Runs the library. Only plain data lives in this frame across setjmp; the
// caller's bitmap is reached through a reference that never changes. Returns an
// empty message on success.
std::string decodeInto(std::string_view data, ImageBitmap& image) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    routeErrors(cinfo, err);
    // Changed after setjmp and read after a jump, so it must live in memory.
    uint8_t* volatile cmykRow = nullptr;

    if (setjmp(err.jump)) {
        delete[] cmykRow;
        jpeg_destroy_decompress(&cinfo);
        return failure(err);
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    err.progress.progress_monitor = onProgress;
    cinfo.progress = &err.progress;
    readFrom(cinfo, data);
    jpeg_read_header(&cinfo, TRUE);

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (image.rgb.size() != size_t(cinfo.output_width) * cinfo.output_height * 3 ||
        cinfo.output_components != (cmyk ? 4 : 3)) {
        jpeg_destroy_decompress(&cinfo);
        return "unexpected output format";
    }
    if (cmyk)
        cmykRow = new uint8_t[size_t(cinfo.output_width) * 4];
    while (cinfo.output_scanline < cinfo.output_height) {
        uint8_t* row = image.rgb.data() + size_t(cinfo.output_scanline) * cinfo.output_width * 3;
        JSAMPROW target = cmyk ? static_cast<uint8_t*>(cmykRow) : row;
        jpeg_read_scanlines(&cinfo, &target, 1);
        if (cmyk)
            cmykToRgb(cmykRow, row, cinfo.output_width, cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&cinfo);
    delete[] cmykRow;
    jpeg_destroy_decompress(&cinfo);
    return {};
}

// Reads only the header, to learn the size before any pixel memory is taken.
std::string readSize(std::string_view data, uint32_t& width, uint32_t& height) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    routeErrors(cinfo, err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return failure(err);
    }
    jpeg_create_decompress(&cinfo);
    readFrom(cinfo, data);
    jpeg_read_header(&cinfo, TRUE);
    width = cinfo.image_width;
    height = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    return {};
}

} // namespace

bool looksLikeJpeg(std::string_view data) {
    return data.size() >= 3 && uint8_t(data[0]) == 0xFF && uint8_t(data[1]) == 0xD8 &&
           uint8_t(data[2]) == 0xFF;
}

ImageBitmap decodeJpeg(std::string_view data) {
    if (data.empty())
        throw EPictureError("JPEG error: the data is empty.");
    uint32_t width = 0, height = 0;
    std::string error = readSize(data, width, height);
    if (!error.empty())
        throw EPictureError("JPEG error: " + error);
    ImageBitmap image = makeImageBitmap(width, height);
    error = decodeInto(data, image);
    if (!error.empty())
        throw EPictureError("JPEG error: " + error);
    return image;
}

} // namespace rtfengine
