// The structure of the metafiles written around a bitmap, walked record by record
// the way a reader walks them, and the reading of metafile files.
#include "support/Pictures.h"

#include "rtfengine/MetafileReader.h"
#include "rtfengine/MetafileWriter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rtfengine;
using namespace testsupport;

namespace {

struct Record {
    uint32_t type;
    size_t at;
    size_t size;
};

// Walks EMF records by their size fields; fails the test on a size that does not
// fit.
std::vector<Record> emfRecords(const std::string& emf) {
    std::vector<Record> records;
    for (size_t at = 0; at < emf.size();) {
        const uint32_t size = get32(emf, at + 4);
        EXPECT_TRUE(size >= 8 && size % 4 == 0 && at + size <= emf.size()) << "at " << at;
        if (size < 8 || at + size > emf.size())
            break;
        records.push_back({get32(emf, at), at, size});
        at += size;
    }
    return records;
}

TEST(EmfWriter, HoldsHeaderStretchedBitmapAndEnd) {
    const ImageBitmap image = gradient(3, 2); // three pixels: rows padded to 12 bytes
    const std::string emf = writeEmf(image, 79, 53);
    const std::vector<Record> records = emfRecords(emf);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].type, 1u);  // header
    EXPECT_EQ(records[1].type, 81u); // EMR_STRETCHDIBITS
    EXPECT_EQ(records[2].type, 14u); // EMR_EOF
    EXPECT_EQ(records[2].at + records[2].size, emf.size());

    EXPECT_EQ(get32(emf, 40), 0x464D4520u); // signature
    EXPECT_EQ(get32(emf, 48), emf.size());  // total bytes
    EXPECT_EQ(get32(emf, 52), 3u);          // records
    const std::vector<uint32_t> bounds{get32(emf, 8), get32(emf, 12), get32(emf, 16),
                                       get32(emf, 20)};
    EXPECT_EQ(bounds, (std::vector<uint32_t>{0, 0, 2, 1}));
    const std::vector<uint32_t> frame{get32(emf, 24), get32(emf, 28), get32(emf, 32),
                                      get32(emf, 36)};
    EXPECT_EQ(frame, (std::vector<uint32_t>{0, 0, 79, 53}));

    const size_t r = records[1].at;
    EXPECT_EQ(get32(emf, r + 40), 3u);        // source width
    EXPECT_EQ(get32(emf, r + 44), 2u);        // source height
    EXPECT_EQ(get32(emf, r + 72), 3u);        // destination width
    EXPECT_EQ(get32(emf, r + 76), 2u);        // destination height
    EXPECT_EQ(get32(emf, r + 68), 0xCC0020u); // SRCCOPY
    const size_t bmi = r + get32(emf, r + 48);
    EXPECT_EQ(get32(emf, bmi + 4), 3u);
    EXPECT_EQ(get32(emf, bmi + 8), 2u);
    EXPECT_EQ(get16(emf, bmi + 14), 24u);
    EXPECT_EQ(get32(emf, r + 60), 24u); // bits: two rows of 12 bytes
    // The first stored row is the bottom one, in blue, green, red order.
    const size_t bits = r + get32(emf, r + 56);
    EXPECT_EQ(uint8_t(emf[bits + 3]), 200);    // blue of (1, 1)
    EXPECT_EQ(uint8_t(emf[bits + 4]), 40);     // green of (1, 1)
    EXPECT_EQ(uint8_t(emf[bits + 5]), 40);     // red of (1, 1)
    EXPECT_EQ(uint8_t(emf[bits + 12 + 4]), 0); // green of (1, 0)
}

TEST(WmfWriter, IsAnAnisotropicMetafileWithOneStretchedBitmap) {
    const ImageBitmap image = gradient(5, 4);
    const std::string wmf = writeWmf(image);
    EXPECT_EQ(get16(wmf, 2), 9u);
    EXPECT_EQ(get32(wmf, 6) * 2, wmf.size());

    std::vector<uint32_t> functions;
    uint32_t largest = 0;
    size_t stretch = 0;
    for (size_t at = 18; at < wmf.size();) {
        const uint32_t words = get32(wmf, at);
        ASSERT_GE(words, 3u);
        ASSERT_LE(at + words * 2, wmf.size());
        functions.push_back(get16(wmf, at + 4));
        if (functions.back() == 0x020C) {
            EXPECT_EQ(get16(wmf, at + 6), 4u); // window height
            EXPECT_EQ(get16(wmf, at + 8), 5u); // window width
        }
        if (functions.back() == 0x0103) {
            EXPECT_EQ(get16(wmf, at + 6), 8u); // MM_ANISOTROPIC
        }
        if (functions.back() == 0x0F43)
            stretch = at;
        largest = std::max(largest, words);
        at += words * 2;
    }
    EXPECT_EQ(functions, (std::vector<uint32_t>{0x0103, 0x020B, 0x020C, 0x0F43, 0x0000}));
    EXPECT_EQ(get32(wmf, 12), largest);
    ASSERT_NE(stretch, 0u);
    EXPECT_EQ(get16(wmf, stretch + 20), 4u);     // destination height
    EXPECT_EQ(get16(wmf, stretch + 22), 5u);     // destination width
    EXPECT_EQ(get32(wmf, stretch + 28 + 4), 5u); // DIB width
}

TEST(MetafileReader, ReadsTheSizeOfAnEmfFromItsFrame) {
    const std::string emf = writeEmf(gradient(2, 2), 2540, 1270);
    const MetafileData data = readEmf(emf + "trailing bytes");
    EXPECT_EQ(data.bytes, emf);
    EXPECT_EQ(data.width, 96u);
    EXPECT_EQ(data.height, 48u);

    EXPECT_THROW(readEmf(emf.substr(0, emf.size() - 1)), EPictureError);
    EXPECT_THROW(readEmf(emf.substr(0, 60)), EPictureError);
}

TEST(MetafileReader, MovesAnEmfFrameKeepingItsOrigin) {
    std::string emf = writeEmf(gradient(2, 2), 100, 100);
    for (size_t i = 0; i < 4; ++i)
        emf[24 + i] = emf[28 + i] = 0; // origin (10, 20)
    emf[24] = 10, emf[28] = 20;
    const std::string moved = emfWithFrame(emf, 2540, 1270);
    EXPECT_EQ(get32(moved, 24), 10u);
    EXPECT_EQ(get32(moved, 28), 20u);
    EXPECT_EQ(get32(moved, 32), 2550u);
    EXPECT_EQ(get32(moved, 36), 1290u);
    EXPECT_EQ(moved.substr(40), emf.substr(40));
}

std::string placeable(int16_t right, int16_t bottom, uint16_t unitsPerInch,
                      const std::string& body) {
    std::string p;
    putU32(p, 0x9AC6CDD7);
    putU16(p, 0);
    for (int16_t v : {int16_t(0), int16_t(0), right, bottom})
        putU16(p, uint16_t(v));
    putU16(p, unitsPerInch);
    putU32(p, 0);
    putU16(p, 0); // checksum, not checked by readers that matter here
    return p + body;
}

TEST(MetafileReader, ReadsAPlaceableWmfWithoutItsPlaceableHeader) {
    const std::string body = writeWmf(gradient(2, 2));
    const MetafileData data = readPlaceableWmf(placeable(1440, 720, 1440, body));
    EXPECT_EQ(data.bytes, body);
    EXPECT_EQ(data.width, 96u);
    EXPECT_EQ(data.height, 48u);

    EXPECT_THROW(readPlaceableWmf(placeable(1440, 720, 0, body)), EPictureError);
    EXPECT_THROW(readPlaceableWmf(placeable(1440, 720, 1440, body.substr(0, 30))), EPictureError);
    EXPECT_THROW(readPlaceableWmf(placeable(0, 720, 1440, body)), EPictureError);
}

} // namespace
