// A document with pictures, converted to PDF by a real RTF reader: each picture
// must arrive as an image of its own pixel size, shown at its stated size.
#include "rtfengine/PictureWriter.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace rtfengine;

namespace {

// A 96 by 48 JPEG: left half red, right half blue.
std::string jpegFile(const fs::path& path) {
    std::vector<uint8_t> rgb(96 * 48 * 3);
    for (size_t i = 0; i < 96 * 48; ++i)
        rgb[3 * i + ((i % 96) < 48 ? 0 : 2)] = 255;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = 96;
    cinfo.image_height = 48;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < 48) {
        JSAMPROW row = rgb.data() + cinfo.next_scanline * 96 * 3;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
    return path.string();
}

struct ListedImage {
    int width = 0;
    int height = 0;
    int xPpi = 0;
    int yPpi = 0;
};

// The rows of "pdfimages -list": page num type width height color comp bpc enc
// interp object ID x-ppi y-ppi size ratio.
std::vector<ListedImage> listImages(const fs::path& pdf) {
    std::vector<ListedImage> images;
    std::istringstream lines(
        testsupport::commandOutput("pdfimages -list '" + pdf.string() + "' 2>&1"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream cols(line);
        std::string page, num, type, color, comp, bpc, enc, interp, object, id;
        ListedImage image;
        if (cols >> page >> num >> type >> image.width >> image.height >> color >> comp >> bpc >>
                enc >> interp >> object >> id >> image.xPpi >> image.yPpi &&
            type == "image")
            images.push_back(image);
    }
    return images;
}

class PictureInterop : public testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::haveProgram("soffice") || !testsupport::haveProgram("pdfimages"))
            GTEST_SKIP() << "LibreOffice or poppler-utils is not installed";
        char pattern[] = "/tmp/vc-picture-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        if (!m_dir.empty())
            fs::remove_all(m_dir);
    }

    // Writes the document and converts it; returns the PDF path.
    fs::path convert(const std::string& body, const DocumentTables& tables) {
        std::string doc = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl";
        for (const std::string& c : tables.colors)
            doc += c;
        doc += "}\\pard Before\\par " + body + "\\par After\\par }";
        const fs::path rtf = m_dir / "picture.rtf";
        std::ofstream(rtf, std::ios::binary) << doc;
        testsupport::convertWithLibreOffice(m_dir, "pdf", m_dir, "picture.rtf");
        return m_dir / "picture.pdf";
    }

    fs::path m_dir;
};

TEST_F(PictureInterop, PicturesShowAtTheirStatedSizeInEveryForm) {
    const std::string jpeg = jpegFile(m_dir / "photo.jpg");
    DocumentTables tables;
    std::string body;
    for (bool wmf : {false, true})
        for (bool binary : {false, true}) {
            PictureSettings settings;
            settings.wmfCompatible = wmf;
            settings.binary = binary;
            writePictureFromFile(body, jpeg, 0, settings, tables, "\\par ");
        }
    const fs::path pdf = convert(body, tables);
    ASSERT_TRUE(fs::exists(pdf));
    const std::vector<ListedImage> images = listImages(pdf);
    ASSERT_EQ(images.size(), 4u);
    for (const ListedImage& image : images) {
        EXPECT_EQ(image.width, 96);
        EXPECT_EQ(image.height, 48);
        // 96 pixels shown over one inch.
        EXPECT_NEAR(image.xPpi, 96, 2);
        EXPECT_NEAR(image.yPpi, 96, 2);
    }
}

} // namespace
