// The \pict groups written for pictures: header numbers, borders and their
// colours, data forms, the image format handler, and pictures from files and
// fields.
#include "support/Pictures.h"

#include "rtfengine/MetafileReader.h"
#include "rtfengine/MetafileWriter.h"
#include "rtfengine/PictureWriter.h"

#include <gtest/gtest.h>

using namespace rtfengine;
using namespace testsupport;

namespace {

const std::string kCropWords = "\\piccropl0\\piccropr0\\piccropt0\\piccropb0";

Picture bitmapPicture(uint32_t width, uint32_t height) {
    return Picture::fromBitmap(gradient(width, height));
}

// The bytes between "\bin<n> " and the closing "\r}", checked against n.
std::string binaryData(const std::string& rtf) {
    const size_t bin = rtf.find("\\bin");
    const size_t blank = rtf.find(' ', bin);
    const size_t count = std::stoul(rtf.substr(bin + 4, blank - bin - 4));
    EXPECT_EQ(rtf.substr(blank + 1 + count, 2), "\r}");
    return rtf.substr(blank + 1, count);
}

TEST(PictureWriter, WritesTheNinetySixByFortyEightBitmapExample) {
    DocumentTables tables;
    PictureSettings settings; // the program's options: binary data, enhanced metafile
    std::string out;
    writePicture(out, bitmapPicture(96, 48), 0, settings, tables, "{\\b }");

    const std::string header = "{\\pict\\picscalex100\\picscaley100" + kCropWords +
                               "\\picw1440\\pich720\\emfblip\\brdrw0\\brdrcf1"
                               "\\picwgoal1440\\pichgoal720\\bin";
    ASSERT_EQ(out.substr(0, header.size()), header);
    EXPECT_EQ(tables.colors, (std::vector<std::string>{";", "\\red0\\green0\\blue0;"}));

    const std::string emf = binaryData(out);
    EXPECT_EQ(get32(emf, 32), 2540u); // physical size, hundredths of a millimetre
    EXPECT_EQ(get32(emf, 36), 1270u);
    EXPECT_EQ(emf, writeEmf(gradient(96, 48), 2540, 1270));
    EXPECT_EQ(out.substr(out.size() - 7), "\r}{\\b }");
}

TEST(PictureWriter, WritesTheWindowsMetafileForm) {
    DocumentTables tables;
    PictureSettings settings;
    settings.wmfCompatible = true;
    // Scales are not used in this form, whatever the handler says.
    settings.onImageFormat = [](int, TImageFormat& f) { f.ScaleX = f.ScaleY = 50; };
    std::string out;
    writePicture(out, bitmapPicture(96, 48), 0, settings, tables, "");
    const std::string header = "{\\pict\\picscalex100\\picscaley100" + kCropWords +
                               "\\picw2540\\pich1270\\wmetafile8\\brdrw0\\brdrcf1\\bin";
    ASSERT_EQ(out.substr(0, header.size()), header);
    EXPECT_EQ(binaryData(out), writeWmf(gradient(96, 48)));
}

TEST(PictureWriter, FindsBlackInTheColourListIgnoringCase) {
    DocumentTables tables;
    tables.colors = {";", "\\red255\\green0\\blue0;", "\\RED0\\Green0\\Blue0;"};
    std::string out;
    writePicture(out, bitmapPicture(1, 1), 0, {}, tables, "");
    EXPECT_NE(out.find("\\brdrw0\\brdrcf2\\"), std::string::npos) << out.substr(0, 120);
    EXPECT_EQ(tables.colors.size(), 3u);
}

struct BorderCase {
    uint8_t style;
    uint16_t color;
    float width;
    const char* words;  // from the border style word up to the colour number
    const char* colour; // the colour-list entry the number points at
};

class PictureBorders : public testing::TestWithParam<BorderCase> {};

TEST_P(PictureBorders, WriteStyleWidthAndColour) {
    const BorderCase& c = GetParam();
    DocumentTables tables;
    tables.colors = {";"};
    PictureSettings settings;
    settings.onImageFormat = [&](int, TImageFormat& f) { f.SetBorder(c.style, c.color, c.width); };
    std::string out;
    writePicture(out, bitmapPicture(2, 2), 0, settings, tables, "");
    const size_t from = out.find("\\emfblip") + 8;
    EXPECT_EQ(out.substr(from, out.find("\\picwgoal") - from), c.words);
    EXPECT_EQ(tables.colors.back(), c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PictureBorders,
    testing::Values(
        BorderCase{1, 0, 1.0f, "\\brdrs\\brdrw20\\brdrcf1", "\\red0\\green0\\blue0;"},
        BorderCase{2, 5, 0.75f, "\\brdrdb\\brdrw15\\brdrcf1", "\\red255\\green0\\blue0;"},
        BorderCase{3, 8, 2.0f, "\\brdrth\\brdrw40\\brdrcf1", "\\red0\\green0\\blue128;"},
        BorderCase{4, 15, 0.5f, "\\brdrsh\\brdrw10\\brdrcf1", "\\red192\\green192\\blue192;"},
        BorderCase{5, 14, 0.1f, "\\brdrdot\\brdrw2\\brdrcf1", "\\red128\\green128\\blue128;"},
        BorderCase{6, 7, 0.05f, "\\brdrhair\\brdrw1\\brdrcf1", "\\red255\\green255\\blue255;"},
        // The width is capped at 3.5 points.
        BorderCase{1, 0, 10.0f, "\\brdrs\\brdrw70\\brdrcf1", "\\red0\\green0\\blue0;"},
        // A width that rounds to no twips is no border at all.
        BorderCase{1, 0, 0.02f, "\\brdrw0\\brdrcf1", "\\red0\\green0\\blue0;"},
        // A negative width is no border rather than a wrapped-around byte.
        BorderCase{2, 0, -1.0f, "\\brdrw0\\brdrcf1", "\\red0\\green0\\blue0;"},
        // A colour beyond the palette falls back to black, keeping the border.
        BorderCase{1, 16, 1.0f, "\\brdrs\\brdrw20\\brdrcf1", "\\red0\\green0\\blue0;"}));

TEST(PictureWriter, WritesHexadecimalDataWithoutTheBinaryOption) {
    DocumentTables binaryTables, hexTables;
    PictureSettings binary, hex;
    hex.binary = false;
    std::string withBin, withHex;
    writePicture(withBin, bitmapPicture(3, 2), 0, binary, binaryTables, "X");
    writePicture(withHex, bitmapPicture(3, 2), 0, hex, hexTables, "X");

    const std::string bytes = binaryData(withBin);
    std::string expectedHex;
    for (unsigned char c : bytes) {
        static const char digits[] = "0123456789ABCDEF";
        expectedHex += digits[c >> 4];
        expectedHex += digits[c & 15];
    }
    const std::string head = withBin.substr(0, withBin.find("\\bin"));
    EXPECT_EQ(withHex, head + " " + expectedHex + "\r}X");
}

TEST(PictureWriter, HandsTheFormatIndexAndPixelSizeToTheHandler) {
    DocumentTables tables;
    PictureSettings settings;
    int seenIndex = -1;
    TImageFormat seen;
    settings.onImageFormat = [&](int index, TImageFormat& f) {
        seenIndex = index;
        seen = f;
        f.WidthMM = 50.8; // two inches
        f.ScaleY = 150;
    };
    std::string out;
    writePicture(out, bitmapPicture(96, 48), 7, settings, tables, "");
    EXPECT_EQ(seenIndex, 7);
    EXPECT_EQ(seen.Width, 96);
    EXPECT_EQ(seen.Height, 48);
    EXPECT_DOUBLE_EQ(seen.WidthMM, 96 * 0.264596930676);
    EXPECT_EQ(seen.ScaleX, 100);
    EXPECT_NE(out.find("\\picscalex100\\picscaley150"), std::string::npos);
    EXPECT_NE(out.find("\\picw2880\\pich720\\emfblip"), std::string::npos);
    EXPECT_EQ(get32(binaryData(out), 32), 5080u);
}

TEST(PictureWriter, WritesOnlyTheCodesForAnEmptyPicture) {
    DocumentTables tables;
    bool called = false;
    PictureSettings settings;
    settings.onImageFormat = [&](int, TImageFormat&) { called = true; };
    std::string out;
    writePicture(out, Picture(), 0, settings, tables, "\\i0 ");
    EXPECT_EQ(out, "\\i0 ");
    EXPECT_FALSE(called);
    EXPECT_TRUE(tables.colors.empty());
}

TEST(PictureWriter, ColourNumberKeepsSlotZeroAutomatic) {
    DocumentTables tables;
    EXPECT_EQ(colorNumber(tables, {255, 0, 0}), 1);
    EXPECT_EQ(colorNumber(tables, {0, 0, 0}), 2);
    EXPECT_EQ(colorNumber(tables, {255, 0, 0}), 1);
    EXPECT_EQ(tables.colors, (std::vector<std::string>{";", "\\red255\\green0\\blue0;",
                                                       "\\red0\\green0\\blue0;"}));
}

TEST(PictureFromFile, WritesTheTextForAFileThatCannotBeLoaded) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\Photos\\{me}.jpg", "#Can't load file C:\\\\Photos\\\\\\{me\\}.jpg\\b0 "},
        {VITACRAFT_TEST_DATA "/pictures/tiny.gif",
         "#Can't load file " VITACRAFT_TEST_DATA "/pictures/tiny.gif\\b0 "},
        {"", "#Can't load file \\b0 "},
    };
    for (const auto& [name, expected] : cases) {
        DocumentTables tables;
        std::string out;
        writePictureFromFile(out, name, 0, {}, tables, "\\b0 ");
        EXPECT_EQ(out, expected);
        EXPECT_TRUE(tables.colors.empty());
    }
}

TEST(PictureFromFile, WritesALoadedFile) {
    DocumentTables tables;
    std::string out;
    writePictureFromFile(out, VITACRAFT_TEST_DATA "/pictures/rgbw-2x2.bmp", 0, {}, tables, "");
    EXPECT_EQ(out.rfind("{\\pict\\picscalex100\\picscaley100" + kCropWords + "\\picw30\\pich30", 0),
              0u);
}

TEST(PictureFromField, DecodesTheDataOrRaises) {
    DocumentTables tables;
    std::string out;
    writePictureFromField(out, "", 0, {}, tables, "C");
    EXPECT_EQ(out, "C");
    out.clear();
    writePictureFromField(out, encodeJpeg(gradient(96, 48)), 0, {}, tables, "C");
    EXPECT_EQ(out.rfind("{\\pict", 0), 0u);
    EXPECT_NE(out.find("\\picw1440\\pich720"), std::string::npos);
    EXPECT_THROW(writePictureFromField(out, "GIF89a....", 0, {}, tables, "C"), EPictureError);
    EXPECT_THROW(writePictureFromField(out, "no picture", 0, {}, tables, "C"), EPictureError);
}

TEST(PictureWriter, KeepsTheKindOfMetafilesFromFiles) {
    const std::string emfBytes = writeEmf(gradient(2, 2), 2540, 1270);
    std::string placeableWmf;
    putU32(placeableWmf, 0x9AC6CDD7);
    for (uint32_t v : {0u, 0u, 0u, 1440u, 720u, 1440u, 0u, 0u, 0u})
        putU16(placeableWmf, v);
    const std::string wmfBody = writeWmf(gradient(2, 2));
    placeableWmf += wmfBody;

    for (bool wmfCompatible : {false, true}) {
        PictureSettings settings;
        settings.wmfCompatible = wmfCompatible;
        DocumentTables tables;
        std::string emfOut, wmfOut;
        writePicture(emfOut, decodePicture(emfBytes), 0, settings, tables, "");
        writePicture(wmfOut, decodePicture(placeableWmf), 0, settings, tables, "");
        EXPECT_NE(emfOut.find("\\picw1440\\pich720\\emfblip"), std::string::npos);
        EXPECT_EQ(binaryData(emfOut), emfBytes);
        EXPECT_NE(wmfOut.find("\\picw2540\\pich1270\\wmetafile8"), std::string::npos);
        EXPECT_EQ(binaryData(wmfOut), wmfBody);
    }
}

} // namespace
