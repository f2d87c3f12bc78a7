// Decoding of BMP, JPEG and PNG data, good and damaged, and the routing of
// picture data by its content.
#include "support/Files.h"
#include "support/Pictures.h"

#include "rtfengine/BmpReader.h"
#include "rtfengine/JpegDecoder.h"
#include "rtfengine/MetafileWriter.h"
#include "rtfengine/Picture.h"
#include "rtfengine/PngDecoder.h"

#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <array>
#include <vector>

using namespace rtfengine;
using namespace testsupport;

namespace {

using Rgb = std::array<uint8_t, 3>;

Rgb pixel(const ImageBitmap& image, uint32_t x, uint32_t y) {
    const uint8_t* p = image.rgb.data() + (size_t(y) * image.width + x) * 3;
    return {p[0], p[1], p[2]};
}

// A bitmap file around the given rows (as stored, padding included).
struct BmpLayout {
    int32_t width;
    int32_t height;
    uint16_t bitCount;
    uint32_t compression;
    std::vector<uint32_t> palette; // 0x00RRGGBB
    std::vector<uint32_t> masks;   // written after a 40-byte header
    std::string rows;
    uint32_t colorsUsed;
};

std::string buildBmp(const BmpLayout& s) {
    std::string info;
    putU32(info, 40);
    putU32(info, uint32_t(s.width));
    putU32(info, uint32_t(s.height));
    putU16(info, 1);
    putU16(info, s.bitCount);
    putU32(info, s.compression);
    putU32(info, uint32_t(s.rows.size()));
    putU32(info, 3780);
    putU32(info, 3780);
    putU32(info, s.colorsUsed);
    putU32(info, 0);
    for (uint32_t m : s.masks)
        putU32(info, m);
    for (uint32_t c : s.palette)
        putU32(info, c);
    std::string file = "BM";
    putU32(file, uint32_t(14 + info.size() + s.rows.size()));
    putU32(file, 0);
    putU32(file, uint32_t(14 + info.size()));
    return file + info + s.rows;
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += char(v);
    return s;
}

TEST(BmpReader, ReadsTheBottomUpFixtureTopRowFirst) {
    const ImageBitmap image = readBmp(readFile(VITACRAFT_TEST_DATA "/pictures/rgbw-2x2.bmp"));
    ASSERT_EQ(image.width, 2u);
    ASSERT_EQ(image.height, 2u);
    EXPECT_EQ(pixel(image, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixel(image, 1, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixel(image, 0, 1), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixel(image, 1, 1), (Rgb{255, 255, 255}));
}

struct GoodBmp {
    const char* name;
    BmpLayout layout;
    std::vector<Rgb> expected; // row by row from the top
};

class BmpFormats : public testing::TestWithParam<GoodBmp> {};

TEST_P(BmpFormats, DecodesEveryPixel) {
    const GoodBmp& c = GetParam();
    const ImageBitmap image = readBmp(buildBmp(c.layout));
    ASSERT_EQ(size_t(image.width) * image.height, c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i)
        EXPECT_EQ(pixel(image, uint32_t(i % image.width), uint32_t(i / image.width)), c.expected[i])
            << "pixel " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, BmpFormats,
    testing::Values(
        // A negative height stores the rows from the top.
        GoodBmp{"TopDown24",
                {1, -2, 24, 0, {}, {}, bytes({0, 0, 255, 0, 0, 255, 0, 0}), 0},
                {{255, 0, 0}, {0, 255, 0}}},
        // Nine pixels of one bit each cross a byte boundary.
        GoodBmp{"OneBit",
                {9, 1, 1, 0, {0x000000, 0xFFFFFF}, {}, bytes({0b10100000, 0b10000000, 0, 0}), 0},
                {{255, 255, 255},
                 {0, 0, 0},
                 {255, 255, 255},
                 {0, 0, 0},
                 {0, 0, 0},
                 {0, 0, 0},
                 {0, 0, 0},
                 {0, 0, 0},
                 {255, 255, 255}}},
        GoodBmp{"FourBit",
                {3, 1, 4, 0, {0x000000, 0x112233, 0x445566}, {}, bytes({0x12, 0x00, 0, 0}), 3},
                {{0x11, 0x22, 0x33}, {0x44, 0x55, 0x66}, {0, 0, 0}}},
        // An index past a two-entry colour table shows black.
        GoodBmp{"EightBitIndexPastTable",
                {2, 1, 8, 0, {0x0000FF, 0xFF0000}, {}, bytes({1, 200, 0, 0}), 2},
                {{255, 0, 0}, {0, 0, 0}}},
        GoodBmp{"SixteenBit565",
                {2, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, bytes({0x00, 0xF8, 0x1F, 0x00}), 0},
                {{255, 0, 0}, {0, 0, 255}}},
        GoodBmp{"SixteenBitDefault555",
                {1, 1, 16, 0, {}, {}, bytes({0xE0, 0x03, 0, 0}), 0},
                {{0, 255, 0}}},
        GoodBmp{"ThirtyTwoBit",
                {2, 1, 32, 0, {}, {}, bytes({1, 2, 3, 0, 4, 5, 6, 0}), 0},
                {{3, 2, 1}, {6, 5, 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpReader, ReadsTheOldCoreHeader) {
    std::string file = "BM";
    putU32(file, 14 + 12 + 6 + 4);
    putU32(file, 0);
    putU32(file, 14 + 12 + 6);
    putU32(file, 12);
    putU16(file, 1); // width
    putU16(file, 1); // height
    putU16(file, 1);
    putU16(file, 1);
    file += bytes({0, 0, 0, 10, 20, 30}); // two three-byte entries, blue first
    file += bytes({0x80, 0, 0, 0});
    const ImageBitmap image = readBmp(file);
    EXPECT_EQ(pixel(image, 0, 0), (Rgb{30, 20, 10}));
}

struct BadBmp {
    const char* name;
    std::string data;
};

std::string withU32(std::string s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[at + i] = char((v >> (8 * i)) & 0xFF);
    return s;
}

const std::string kGood = buildBmp({2, 2, 24, 0, {}, {}, std::string(16, '\x7F'), 0});

class DamagedBmp : public testing::TestWithParam<BadBmp> {};

TEST_P(DamagedBmp, IsRefusedWithoutReadingPastTheData) {
    EXPECT_THROW(readBmp(GetParam().data), EPictureError);
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, DamagedBmp,
    testing::Values(BadBmp{"TooShort", kGood.substr(0, 16)},
                    BadBmp{"PixelsTruncated", kGood.substr(0, kGood.size() - 4)},
                    BadBmp{"OffsetPastEnd", withU32(kGood, 10, 5000)},
                    BadBmp{"OffsetInsideHeader", withU32(kGood, 10, 20)},
                    BadBmp{"HeaderSizeLies", withU32(kGood, 14, 4000)},
                    BadBmp{"ZeroWidth", withU32(kGood, 18, 0)},
                    BadBmp{"NegativeWidth", withU32(kGood, 18, 0xFFFFFFFE)},
                    BadBmp{"MostNegativeHeight", withU32(kGood, 22, 0x80000000)},
                    // Huge claimed dimensions are refused before any allocation.
                    BadBmp{"HugeClaimedSize", withU32(withU32(kGood, 18, 60000), 22, 60000)},
                    BadBmp{"RunLengthCompressed", withU32(kGood, 30, 1)},
                    BadBmp{"SevenBitsPerPixel", withU32(kGood, 28, 7 | (1u << 16))},
                    BadBmp{"PaletteTruncated",
                           buildBmp({2, 1, 8, 0, {}, {}, bytes({0, 0, 0, 0}), 0})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecoder, DecodesBaselineAndProgressiveData) {
    const ImageBitmap original = gradient(5, 3);
    for (bool progressive : {false, true}) {
        const ImageBitmap image = decodeJpeg(encodeJpeg(original, progressive));
        ASSERT_EQ(image.width, 5u);
        ASSERT_EQ(image.height, 3u);
        for (size_t i = 0; i < image.rgb.size(); ++i)
            EXPECT_NEAR(image.rgb[i], original.rgb[i], 12) << "byte " << i;
    }
}

// The size fields of the first frame header in JPEG data.
size_t frameHeaderAt(const std::string& jpeg) {
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (uint8_t(jpeg[i]) == 0xFF && (uint8_t(jpeg[i + 1]) & 0xF0) == 0xC0 &&
            uint8_t(jpeg[i + 1]) != 0xC4 && uint8_t(jpeg[i + 1]) != 0xCC)
            return i;
    return std::string::npos;
}

TEST(JpegDecoder, RefusesDamagedData) {
    const std::string good = encodeJpeg(gradient(16, 16));
    std::string huge = good;
    const size_t sof = frameHeaderAt(huge);
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = char(0xEA), huge[sof + 6] = char(0x60); // height 60000
    huge[sof + 7] = char(0xEA), huge[sof + 8] = char(0x60); // width 60000
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"only the start marker", good.substr(0, 2)},
        {"cut in the headers", good.substr(0, 40)},
        {"cut in the scan", good.substr(0, good.size() * 2 / 3)},
        {"no end marker", good.substr(0, good.size() - 2)},
        {"not JPEG at all", "\xFF\xD8\xFFgarbage garbage garbage"},
        {"huge claimed size", huge},
    };
    for (const auto& [name, data] : cases)
        EXPECT_THROW(decodeJpeg(data), EPictureError) << name;
}

TEST(PngDecoder, DecodesExactly) {
    const ImageBitmap original = gradient(4, 3);
    const ImageBitmap image = decodePng(encodePng(original));
    ASSERT_EQ(image.width, 4u);
    EXPECT_EQ(image.rgb, original.rgb);
}

TEST(PngDecoder, LaysTransparencyOverWhite) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = 1;
    png.height = 1;
    png.format = PNG_FORMAT_RGBA;
    const uint8_t transparentBlack[4] = {0, 0, 0, 0};
    png_alloc_size_t size = 256;
    std::string data(size, '\0');
    ASSERT_TRUE(
        png_image_write_to_memory(&png, data.data(), &size, 0, transparentBlack, 0, nullptr));
    data.resize(size);
    EXPECT_EQ(pixel(decodePng(data), 0, 0), (Rgb{255, 255, 255}));
}

TEST(PngDecoder, RefusesDamagedData) {
    const std::string good = encodePng(gradient(8, 8));
    // A header that claims 60000 by 60000 pixels, with a valid checksum.
    std::string huge = good;
    for (size_t at : {16u, 20u})
        huge[at] = 0, huge[at + 1] = 0, huge[at + 2] = char(0xEA), huge[at + 3] = char(0x60);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
    for (int i = 0; i < 4; ++i)
        huge[29 + i] = char((crc >> (24 - 8 * i)) & 0xFF);
    std::string badChecksum = good;
    badChecksum[20] ^= 1;
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"signature only", good.substr(0, 8)},
        {"cut in the data", good.substr(0, good.size() - 20)},
        {"header checksum wrong", badChecksum},
        {"huge claimed size", huge},
    };
    for (const auto& [name, data] : cases)
        EXPECT_THROW(decodePng(data), EPictureError) << name;
}

TEST(PictureData, IsDecodedByContent) {
    EXPECT_EQ(decodePicture(encodePng(gradient(2, 2))).kind(), Picture::Kind::Bitmap);
    EXPECT_EQ(decodePicture(encodeJpeg(gradient(3, 1))).width(), 3u);
    EXPECT_EQ(decodePicture(kGood).height(), 2u);
    EXPECT_THROW(decodePicture("plain text"), EPictureError);
}

TEST(FieldPicture, RoutesJfifToJpegAndRefusesGif) {
    EXPECT_TRUE(decodeFieldPicture("").empty());
    const Picture jpeg = decodeFieldPicture(encodeJpeg(gradient(3, 2)));
    EXPECT_EQ(jpeg.kind(), Picture::Kind::Bitmap);
    EXPECT_EQ(jpeg.width(), 3u);
    // JFIF announced but broken: the JPEG decoder's error, whatever follows.
    EXPECT_THROW(decodeFieldPicture("xxxxxxJFIF" + kGood), EPictureError);
    EXPECT_EQ(decodeFieldPicture(kGood).width(), 2u);
    try {
        decodeFieldPicture(readFile(VITACRAFT_TEST_DATA "/pictures/tiny.gif"));
        FAIL() << "GIF data was accepted";
    } catch (const EPictureError& e) {
        EXPECT_NE(std::string(e.what()).find("GIF"), std::string::npos) << e.what();
    }
}

TEST(PictureFile, LoadsByContentAndFailsCleanly) {
    EXPECT_EQ(loadPictureFile(VITACRAFT_TEST_DATA "/pictures/rgbw-2x2.bmp").width(), 2u);
    EXPECT_THROW(loadPictureFile(VITACRAFT_TEST_DATA "/pictures/tiny.gif"), EPictureError);
    EXPECT_THROW(loadPictureFile(VITACRAFT_TEST_DATA "/pictures/none.bmp"), EPictureError);
    EXPECT_THROW(loadPictureFile(VITACRAFT_TEST_DATA "/pictures"), EPictureError);
}

} // namespace

namespace {

// Every prefix of a small good file, and the file with each single byte replaced,
// either decodes or is refused with EPictureError; under the address sanitizer this
// also shows that no decoder reads outside its data.
TEST(PictureData, SurvivesEveryTruncationAndByteCorruption) {
    const std::vector<std::string> files = {
        buildBmp({3, 2, 8, 0, {0x102030, 0x405060}, {}, std::string(8, '\x01'), 2}),
        buildBmp({2, 2, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, std::string(8, '\x55'), 0}),
        encodeJpeg(gradient(9, 7)),
        encodeJpeg(gradient(9, 7), true),
        encodePng(gradient(5, 3)),
        writeEmf(gradient(2, 2), 2540, 1270),
    };
    for (const std::string& good : files) {
        for (size_t n = 0; n < good.size(); ++n) {
            try {
                decodePicture(good.substr(0, n));
            } catch (const EPictureError&) {
            }
        }
        for (size_t i = 0; i < good.size(); ++i) {
            for (char value : {'\x00', '\xFF', '\x80'}) {
                std::string bad = good;
                bad[i] = value;
                try {
                    decodePicture(bad);
                } catch (const EPictureError&) {
                }
            }
        }
    }
}

} // namespace
