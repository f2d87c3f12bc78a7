// Pictures and hyperlinks through a whole engine run: FIMG on a file name, a
// graphic field with and without FIMG, a picture function, FLNK, the options and
// the OnImageFormat event.
#include "support/Files.h"
#include "support/Pictures.h"

#include "rtfengine/ImageFormat.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/UdfList.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace rtfengine;
using namespace testsupport;

namespace {

class PhotoField : public Field {
public:
    explicit PhotoField(std::string data) : m_data(std::move(data)) {}
    std::string name() const override { return "Photo"; }
    FieldKind kind() const override { return FieldKind::Graphic; }
    bool isNull() const override { return m_data.empty(); }
    std::string asString() const override { return m_data; }
    double asFloat() const override { return 0; }
    bool asBoolean() const override { return false; }
    DateTime asDateTime() const override { return {}; }
    std::string asBytes() const override { return m_data; }

private:
    std::string m_data;
};

// One row with one graphic field.
class PhotoDataset : public Dataset {
public:
    explicit PhotoDataset(std::string data) : m_field(std::move(data)) {}
    std::string name() const override { return "People"; }
    void first() override { m_eof = false; }
    void next() override { m_eof = true; }
    bool eof() const override { return m_eof; }
    int fieldCount() const override { return 1; }
    Field& field(int) override { return m_field; }
    void disableControls() override {}
    void enableControls() override {}
    bool controlsDisabled() const override { return false; }

private:
    PhotoField m_field;
    bool m_eof = false;
};

class PictureEngine : public testing::Test {
protected:
    void SetUp() override {
        // A name of its own: test processes run side by side, and under the address
        // sanitizer their objects share addresses.
        std::string pattern = (fs::temp_directory_path() / "vc-picture-engine-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_engine.setOutFile((m_dir / "out.doc").string());
        m_engine.setLang(1033);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string run(const std::string& body, Dataset* dataset = nullptr) {
        const fs::path in = m_dir / "template.rtf";
        std::ofstream(in, std::ios::binary)
            << "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\pard " + body + "\\par }";
        m_engine.setInFile(in.string());
        std::vector<Dataset*> datasets;
        if (dataset)
            datasets.push_back(dataset);
        m_engine.generate(datasets);
        return readFile((m_dir / "out.doc").string());
    }

    fs::path m_dir;
    TRtfEngine m_engine;
};

const std::string kBmp = VITACRAFT_TEST_DATA "/pictures/rgbw-2x2.bmp";

TEST_F(PictureEngine, PlacesAPictureFileAndAddsBlackToTheColourTable) {
    const std::string out = run("\\\\FIMG('" + kBmp + "')\\\\ end");
    EXPECT_NE(out.find("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}"),
              std::string::npos);
    const size_t pict = out.find("{\\pict\\picscalex100\\picscaley100");
    ASSERT_NE(pict, std::string::npos);
    EXPECT_NE(out.find("\\emfblip\\brdrw0\\brdrcf2\\picwgoal30\\pichgoal30\\bin", pict),
              std::string::npos);
    EXPECT_NE(out.find("\r} end", pict), std::string::npos);
}

TEST_F(PictureEngine, WritesTheNoteForAMissingFile) {
    const std::string out = run("\\\\FIMG('/no/such/photo.jpg')\\\\ end");
    EXPECT_NE(out.find("#Can't load file /no/such/photo.jpg end"), std::string::npos);
}

TEST_F(PictureEngine, FollowsTheOptionsAndTheImageFormatEvent) {
    m_engine.setOptions({TRtfOption::eoGraphicsWmfCompatible});
    int seenIndex = -1;
    m_engine.OnImageFormat = [&](TRtfEngine&, int index, TImageFormat& f) {
        seenIndex = index;
        f.SetBorder(1, 5, 1.0f);
    };
    const std::string out = run("\\\\FIMG('" + kBmp + "', 4)\\\\");
    EXPECT_EQ(seenIndex, 4);
    // Red is already the template's colour 1.
    EXPECT_NE(out.find("\\picw53\\pich53\\wmetafile8\\brdrs\\brdrw20\\brdrcf1 0100"),
              std::string::npos);
}

TEST_F(PictureEngine, PlacesGraphicFieldsWithAndWithoutFimg) {
    PhotoDataset people(encodeJpeg(gradient(96, 48)));
    const std::string out = run("\\\\A.Photo\\\\ and \\\\FIMG(People.Photo)\\\\", &people);
    size_t count = 0;
    for (size_t at = out.find("\\picw1440\\pich720\\emfblip"); at != std::string::npos;
         at = out.find("\\picw1440\\pich720\\emfblip", at + 1))
        ++count;
    EXPECT_EQ(count, 2u);
}

TEST_F(PictureEngine, RefusesGifDataInAField) {
    PhotoDataset people("GIF89a\x01\x00\x01\x00");
    EXPECT_THROW(run("\\\\A.Photo\\\\", &people), EPictureError);
    EXPECT_FALSE(m_engine.executeSuccessful());
    EXPECT_NE(m_engine.lastErrMsg().find("GIF"), std::string::npos);
}

TEST_F(PictureEngine, PlacesAPictureFunctionResult) {
    TUdfList functions;
    functions.add("Logo", 0, 1, udfrTPicture,
                  [](TRtfEngine&, const TUdfArgs& args, std::string& result) {
                      if (args.empty())
                          result = encodePng(gradient(96, 48));
                  });
    m_engine.setUdfList(&functions);
    const std::string out = run("[\\\\Logo()\\\\][\\\\Logo(1)\\\\]");
    EXPECT_NE(out.find("[{\\pict\\picscalex100"), std::string::npos);
    // A function that leaves its result empty places nothing.
    EXPECT_NE(out.find("\r}][]"), std::string::npos);
    m_engine.setUdfList(nullptr);
}

TEST_F(PictureEngine, WritesHyperlinks) {
    // A bar typed in a template is formatting, not text: the text comes from a variable.
    m_engine.setVarList({"Link=http://example.org|Home"});
    const std::string out = run("\\\\FLNK(Link)\\\\");
    EXPECT_NE(out.find("{\\field{\\*\\fldinst {\\lang1033 HYPERLINK \"http://example.org\" }}"
                       "{\\fldrslt \\lang1033 Home}}"),
              std::string::npos);
}

} // namespace
