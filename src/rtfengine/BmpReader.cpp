#include "rtfengine/BmpReader.h"

#include "rtfengine/LittleEndian.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace rtfengine {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

[[noreturn]] void fail(const std::string& why) {
    throw EPictureError("Invalid bitmap: " + why + ".");
}

// Extracts one colour channel through a bit-field mask and scales it to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        max = mask >> shift;
    }

    uint8_t operator()(uint32_t value) const {
        if (max == 0)
            return 0;
        return uint8_t((uint64_t((value & mask) >> shift) * 255 + max / 2) / max);
    }
};

struct Header {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    uint32_t bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    uint32_t masks[3] = {0, 0, 0};
    uint32_t paletteOffset = 0;
    uint32_t paletteEntrySize = 4;
};

Header readHeader(std::string_view data) {
    if (data.size() < kFileHeaderSize + 4)
        fail("the file is too short");
    const uint32_t headerSize = u32At(data, kFileHeaderSize);
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize)
        fail("unknown header size " + std::to_string(headerSize));
    if (uint64_t(kFileHeaderSize) + headerSize > data.size())
        fail("the header is truncated");

    Header h;
    const size_t at = kFileHeaderSize;
    if (headerSize == kCoreHeaderSize) {
        h.width = u16At(data, at + 4);
        h.height = u16At(data, at + 6);
        h.bitCount = u16At(data, at + 10);
        h.paletteEntrySize = 3;
        h.paletteOffset = kFileHeaderSize + headerSize;
        return h;
    }
    h.width = int32_t(u32At(data, at + 4));
    const int32_t height = int32_t(u32At(data, at + 8));
    h.topDown = height < 0;
    h.height = h.topDown ? -int64_t(height) : int64_t(height);
    h.bitCount = u16At(data, at + 14);
    h.compression = u32At(data, at + 16);
    h.colorsUsed = u32At(data, at + 32);
    h.paletteOffset = kFileHeaderSize + headerSize;
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        // A plain info header is followed by the masks; later versions hold them.
        const size_t masksAt = at + kInfoHeaderSize;
        if (headerSize == kInfoHeaderSize)
            h.paletteOffset += h.compression == kBiBitfields ? 12 : 16;
        if (masksAt + 12 > data.size())
            fail("the colour masks are truncated");
        for (int i = 0; i < 3; ++i)
            h.masks[i] = u32At(data, masksAt + 4 * i);
    }
    return h;
}

// Refuses the pixel depths and compressions the reader does not decode, and gives
// 16- and 32-bit pictures without masks the masks their depth implies.
void checkPixelFormat(Header& h) {
    const bool masked = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (h.compression != kBiRgb)
            fail("compression " + std::to_string(h.compression) + " is not supported");
        break;
    case 16:
    case 32:
        if (h.compression != kBiRgb && !masked)
            fail("compression " + std::to_string(h.compression) + " is not supported");
        if (h.compression == kBiRgb) {
            if (h.bitCount == 16) {
                h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
            } else {
                h.masks[0] = 0xFF0000, h.masks[1] = 0x00FF00, h.masks[2] = 0x0000FF;
            }
        }
        break;
    default:
        fail(std::to_string(h.bitCount) + " bits per pixel are not supported");
    }
}

struct Palette {
    std::array<std::array<uint8_t, 3>, 256> colors{};
    size_t count = 0;
};

// The colour table: as many entries as the header says, at most what the pixel
// depth can address, and only what the file really holds.
Palette readPalette(std::string_view data, const Header& h) {
    Palette palette;
    if (h.bitCount > 8)
        return palette;
    const size_t maxColors = size_t(1) << h.bitCount;
    palette.count = h.colorsUsed == 0 || h.colorsUsed > maxColors ? maxColors : h.colorsUsed;
    const uint64_t end = uint64_t(h.paletteOffset) + palette.count * h.paletteEntrySize;
    if (end > data.size())
        fail("the colour table is truncated");
    for (size_t i = 0; i < palette.count; ++i) {
        const size_t at = h.paletteOffset + i * h.paletteEntrySize;
        palette.colors[i] = {uint8_t(data[at + 2]), uint8_t(data[at + 1]), uint8_t(data[at])};
    }
    return palette;
}

// One row of pixels from the file into `dst`, three bytes per pixel.
void readRow(const uint8_t* src, uint8_t* dst, uint32_t width, const Header& h,
             const Palette& palette) {
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    for (uint32_t x = 0; x < width; ++x, dst += 3) {
        switch (h.bitCount) {
        case 1:
        case 4:
        case 8: {
            const uint32_t perByte = 8 / h.bitCount;
            const uint32_t shift = 8 - h.bitCount * (x % perByte + 1);
            const uint32_t index = (src[x / perByte] >> shift) & ((1u << h.bitCount) - 1);
            // An index past the colour table shows black rather than stray memory.
            if (index < palette.count)
                std::copy(palette.colors[index].begin(), palette.colors[index].end(), dst);
            break;
        }
        case 24:
            dst[0] = src[3 * x + 2], dst[1] = src[3 * x + 1], dst[2] = src[3 * x];
            break;
        case 16: {
            const uint32_t v = src[2 * x] | uint32_t(src[2 * x + 1]) << 8;
            dst[0] = red(v), dst[1] = green(v), dst[2] = blue(v);
            break;
        }
        case 32: {
            const uint32_t v = src[4 * x] | uint32_t(src[4 * x + 1]) << 8 |
                               uint32_t(src[4 * x + 2]) << 16 | uint32_t(src[4 * x + 3]) << 24;
            dst[0] = red(v), dst[1] = green(v), dst[2] = blue(v);
            break;
        }
        }
    }
}

} // namespace

bool looksLikeBmp(std::string_view data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

ImageBitmap readBmp(std::string_view data) {
    if (!looksLikeBmp(data))
        fail("the signature is missing");
    Header h = readHeader(data);
    if (h.width <= 0 || h.height <= 0)
        fail("the size is " + std::to_string(h.width) + " x " + std::to_string(h.height));
    checkImageSize(uint64_t(h.width), uint64_t(h.height));
    checkPixelFormat(h);
    const Palette palette = readPalette(data, h);

    const uint32_t offBits = u32At(data, 10);
    const uint64_t rowBytes = (uint64_t(h.width) * h.bitCount + 7) / 8;
    const uint64_t stride = (uint64_t(h.width) * h.bitCount + 31) / 32 * 4;
    if (offBits < h.paletteOffset || offBits > data.size())
        fail("the pixel data offset is out of the file");
    // The padding of the last row may be missing; its pixels may not.
    if (uint64_t(offBits) + stride * (h.height - 1) + rowBytes > data.size())
        fail("the pixel data is truncated");

    ImageBitmap image = makeImageBitmap(uint32_t(h.width), uint32_t(h.height));
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint32_t fileRow = h.topDown ? y : image.height - 1 - y;
        const auto* src =
            reinterpret_cast<const uint8_t*>(data.data()) + offBits + stride * fileRow;
        readRow(src, image.rgb.data() + size_t(y) * image.width * 3, image.width, h, palette);
    }
    return image;
}

} // namespace rtfengine
