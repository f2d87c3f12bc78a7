#include "rtfengine/MetafileWriter.h"

#include "rtfengine/LittleEndian.h"

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

uint32_t dibStride(const ImageBitmap& image) {
    return (image.width * 3 + 3) / 4 * 4;
}

} // namespace

std::string deviceIndependentBitmap(const ImageBitmap& image) {
    const uint32_t stride = dibStride(image);
    std::string dib;
    dib.reserve(kDibInfoSize + size_t(stride) * image.height);
    putU32(dib, kDibInfoSize);
    putU32(dib, image.width);
    putU32(dib, image.height); // positive: rows stored bottom-up
    putU16(dib, 1);            // planes
    putU16(dib, 24);           // bits per pixel
    putU32(dib, 0);            // BI_RGB
    putU32(dib, stride * image.height);
    putU32(dib, kPixelsPerMetre);
    putU32(dib, kPixelsPerMetre);
    putU32(dib, 0); // colours used
    putU32(dib, 0); // colours important
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
    putU32(emf, kEmrHeader);
    putU32(emf, kEmfHeaderSize);
    for (uint32_t v : {0u, 0u, right, bottom}) // bounds, device pixels, inclusive
        putU32(emf, v);
    for (int32_t v : {0, 0, frameWidth, frameHeight}) // frame, 0.01 mm
        putU32(emf, uint32_t(v));
    putU32(emf, kEmfSignature);
    putU32(emf, 0x10000); // version
    putU32(emf, total);
    putU32(emf, 3); // records
    putU16(emf, 1); // handles (index 0 is reserved)
    putU16(emf, 0); // reserved
    putU32(emf, 0); // description length
    putU32(emf, 0); // description offset
    putU32(emf, 0); // palette entries
    putU32(emf, kDevicePixels[0]);
    putU32(emf, kDevicePixels[1]);
    putU32(emf, kDeviceMillimetres[0]);
    putU32(emf, kDeviceMillimetres[1]);
    putU32(emf, 0); // pixel format size
    putU32(emf, 0); // pixel format offset
    putU32(emf, 0); // no OpenGL
    putU32(emf, kDeviceMillimetres[0] * 1000);
    putU32(emf, kDeviceMillimetres[1] * 1000);

    putU32(emf, kEmrStretchDiBits);
    putU32(emf, recordSize);
    for (uint32_t v : {0u, 0u, right, bottom})
        putU32(emf, v);
    for (uint32_t v : {0u, 0u, 0u, 0u}) // destination and source origins
        putU32(emf, v);
    putU32(emf, image.width); // source size
    putU32(emf, image.height);
    putU32(emf, kStretchDiBitsSize); // BITMAPINFO offset
    putU32(emf, kDibInfoSize);
    putU32(emf, kStretchDiBitsSize + kDibInfoSize); // bits offset
    putU32(emf, uint32_t(dib.size()) - kDibInfoSize);
    putU32(emf, 0); // DIB_RGB_COLORS
    putU32(emf, kSrcCopy);
    putU32(emf, image.width); // destination size
    putU32(emf, image.height);
    emf += dib;

    putU32(emf, kEmrEof);
    putU32(emf, eofSize);
    putU32(emf, 0);  // palette entries
    putU32(emf, 16); // palette offset
    putU32(emf, eofSize);
    return emf;
}

std::string writeWmf(const ImageBitmap& image) {
    const std::string dib = deviceIndependentBitmap(image);
    const uint32_t stretchWords = (kStretchDibFixedSize + uint32_t(dib.size())) / 2;
    const uint32_t totalWords = 9 + 4 + 5 + 5 + stretchWords + 3;

    std::string wmf;
    wmf.reserve(totalWords * 2);
    putU16(wmf, 1);      // in memory
    putU16(wmf, 9);      // header words
    putU16(wmf, 0x0300); // version
    putU32(wmf, totalWords);
    putU16(wmf, 0); // objects
    putU32(wmf, stretchWords);
    putU16(wmf, 0);

    putU32(wmf, 4);
    putU16(wmf, kMetaSetMapMode);
    putU16(wmf, kMmAnisotropic);
    putU32(wmf, 5);
    putU16(wmf, kMetaSetWindowOrg);
    putU16(wmf, 0);
    putU16(wmf, 0);
    putU32(wmf, 5);
    putU16(wmf, kMetaSetWindowExt);
    putU16(wmf, image.height);
    putU16(wmf, image.width);

    putU32(wmf, stretchWords);
    putU16(wmf, kMetaStretchDib);
    putU32(wmf, kSrcCopy);
    putU16(wmf, 0); // DIB_RGB_COLORS
    for (uint32_t v : {image.height, image.width, 0u, 0u, image.height, image.width, 0u, 0u})
        putU16(wmf, v); // source size and origin, destination size and origin
    wmf += dib;

    putU32(wmf, 3); // end of file
    putU16(wmf, 0);
    return wmf;
}

} // namespace rtfengine
