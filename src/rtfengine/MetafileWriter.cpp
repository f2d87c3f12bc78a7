#include "rtfengine/MetafileWriter.h"

namespace rtfengine {
namespace {

constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmrEof = 14;
constexpr uint32_t kEmrStretchDiBits = 81;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr uint32_t kEmfHeaderSize = 108;       // with both header extensions
constexpr uint32_t kStretchDiBitsSize = 80;    // fixed part, before the DIB
constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr uint32_t kDibInfoSize = 40;
// 96 pixels per inch is 3780 pixels per metre.
constexpr int32_t kPixelsPerMetre = 3780;
// The reference device: 1920 by 1440 pixels at 96 per inch are 508 by 381 mm.
constexpr int32_t kDevicePixels[2] = {1920, 1440};
constexpr int32_t kDeviceMillimetres[2] = {508, 381};

constexpr uint16_t kMetaSetMapMode = 0x0103;
constexpr uint16_t kMetaSetWindowOrg = 0x020B;
constexpr uint16_t kMetaSetWindowExt = 0x020C;
constexpr uint16_t kMetaStretchDib = 0x0F43;
constexpr uint16_t kMmAnisotropic = 8;
constexpr uint32_t kStretchDibFixedSize = 28;

void put16(std::string& out, uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

uint32_t dibStride(const ImageBitmap& image) {
    return (image.width * 3 + 3) / 4 * 4;
}

} // namespace

std::string deviceIndependentBitmap(const ImageBitmap& image) {
    const uint32_t stride = dibStride(image);
    std::string dib;
    dib.reserve(kDibInfoSize + size_t(stride) * image.height);
    put32(dib, kDibInfoSize);
    put32(dib, image.width);
    put32(dib, image.height); // positive: rows stored bottom-up
    put16(dib, 1);            // planes
    put16(dib, 24);           // bits per pixel
    put32(dib, 0);            // BI_RGB
    put32(dib, stride * image.height);
    put32(dib, kPixelsPerMetre);
    put32(dib, kPixelsPerMetre);
    put32(dib, 0); // colours used
    put32(dib, 0); // colours important
    const std::string padding(stride - image.width * 3, '\0');
    for (uint32_t y = image.height; y-- > 0;) {
        const uint8_t* px = image.rgb.data() + size_t(y) * image.width * 3;
        for (uint32_t x = 0; x < image.width; ++x, px += 3) {
            dib += char(px[2]);
            dib += char(px[1]);
            dib += char(px[0]);
        }
        dib += padding;
    }
    return dib;
}

std::string writeEmf(const ImageBitmap& image, int32_t frameWidth, int32_t frameHeight) {
    const std::string dib = deviceIndependentBitmap(image);
    const uint32_t recordSize = kStretchDiBitsSize + uint32_t(dib.size());
    const uint32_t eofSize = 20;
    const uint32_t total = kEmfHeaderSize + recordSize + eofSize;
    const uint32_t right = image.width - 1, bottom = image.height - 1;

    std::string emf;
    emf.reserve(total);
    put32(emf, kEmrHeader);
    put32(emf, kEmfHeaderSize);
    for (uint32_t v : {0u, 0u, right, bottom}) // bounds, device pixels, inclusive
        put32(emf, v);
    for (int32_t v : {0, 0, frameWidth, frameHeight}) // frame, 0.01 mm
        put32(emf, uint32_t(v));
    put32(emf, kEmfSignature);
    put32(emf, 0x10000); // version
    put32(emf, total);
    put32(emf, 3); // records
    put16(emf, 1); // handles (index 0 is reserved)
    put16(emf, 0); // reserved
    put32(emf, 0); // description length
    put32(emf, 0); // description offset
    put32(emf, 0); // palette entries
    put32(emf, kDevicePixels[0]);
    put32(emf, kDevicePixels[1]);
    put32(emf, kDeviceMillimetres[0]);
    put32(emf, kDeviceMillimetres[1]);
    put32(emf, 0); // pixel format size
    put32(emf, 0); // pixel format offset
    put32(emf, 0); // no OpenGL
    put32(emf, kDeviceMillimetres[0] * 1000);
    put32(emf, kDeviceMillimetres[1] * 1000);

    put32(emf, kEmrStretchDiBits);
    put32(emf, recordSize);
    for (uint32_t v : {0u, 0u, right, bottom})
        put32(emf, v);
    for (uint32_t v : {0u, 0u, 0u, 0u}) // destination and source origins
        put32(emf, v);
    put32(emf, image.width); // source size
    put32(emf, image.height);
    put32(emf, kStretchDiBitsSize); // BITMAPINFO offset
    put32(emf, kDibInfoSize);
    put32(emf, kStretchDiBitsSize + kDibInfoSize); // bits offset
    put32(emf, uint32_t(dib.size()) - kDibInfoSize);
    put32(emf, 0); // DIB_RGB_COLORS
    put32(emf, kSrcCopy);
    put32(emf, image.width); // destination size
    put32(emf, image.height);
    emf += dib;

    put32(emf, kEmrEof);
    put32(emf, eofSize);
    put32(emf, 0);  // palette entries
    put32(emf, 16); // palette offset
    put32(emf, eofSize);
    return emf;
}

std::string writeWmf(const ImageBitmap& image) {
    const std::string dib = deviceIndependentBitmap(image);
    const uint32_t stretchWords = (kStretchDibFixedSize + uint32_t(dib.size())) / 2;
    const uint32_t totalWords = 9 + 4 + 5 + 5 + stretchWords + 3;

    std::string wmf;
    wmf.reserve(totalWords * 2);
    put16(wmf, 1);      // in memory
    put16(wmf, 9);      // header words
    put16(wmf, 0x0300); // version
    put32(wmf, totalWords);
    put16(wmf, 0); // objects
    put32(wmf, stretchWords);
    put16(wmf, 0);

    put32(wmf, 4);
    put16(wmf, kMetaSetMapMode);
    put16(wmf, kMmAnisotropic);
    put32(wmf, 5);
    put16(wmf, kMetaSetWindowOrg);
    put16(wmf, 0);
    put16(wmf, 0);
    put32(wmf, 5);
    put16(wmf, kMetaSetWindowExt);
    put16(wmf, image.height);
    put16(wmf, image.width);

    put32(wmf, stretchWords);
    put16(wmf, kMetaStretchDib);
    put32(wmf, kSrcCopy);
    put16(wmf, 0); // DIB_RGB_COLORS
    for (uint32_t v : {image.height, image.width, 0u, 0u, image.height, image.width, 0u, 0u})
        put16(wmf, v); // source size and origin, destination size and origin
    wmf += dib;

    put32(wmf, 3); // end of file
    put16(wmf, 0);
    return wmf;
}

} // namespace rtfengine
