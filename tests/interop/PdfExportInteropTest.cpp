// The sample résumé exported as PDF by the command-line tool through the real
// LibreOffice, read back with poppler's tools: the person's name in letters beyond
// code page 1252, the sections in the chosen order, the title, embedded fonts. One
// conversion serves every check.
#include "support/Files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class PdfExportInterop : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!testsupport::haveProgram("soffice"))
            return;
        s_folder = std::filesystem::temp_directory_path() /
                   ("vitacraft-pdf-interop-" + std::to_string(::getpid()));
        std::filesystem::create_directories(s_folder);
        s_pdf = (s_folder / "Sample Resume.pdf").string();
        s_status = testsupport::commandOutput(
            "'" VITACRAFT_BIN_DIR "/vitacraft-cli' export '" VITACRAFT_BIN_DIR "/sample.vcw' '" +
            s_pdf + "' 2>&1; echo $?");
        s_text = testsupport::commandOutput("pdftotext -enc UTF-8 '" + s_pdf + "' -");
        s_info = testsupport::commandOutput("pdfinfo -enc UTF-8 '" + s_pdf + "'");
        s_fonts = testsupport::commandOutput("pdffonts '" + s_pdf + "'");
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        std::filesystem::remove_all(s_folder, ec);
    }
    void SetUp() override {
        if (s_status.empty())
            GTEST_SKIP() << "LibreOffice is not installed";
        ASSERT_EQ(s_status, "0\n");
    }

    static inline std::filesystem::path s_folder;
    static inline std::string s_pdf, s_status, s_text, s_info, s_fonts;
};

TEST_F(PdfExportInterop, SampleReadsBackAsTyped) {
    const char* expected[] = {"Ren\u00e9e J Micha\u0142owska",
                              "SUMMARY",
                              "OBJECTIVE",
                              "EMPLOYMENT HISTORY",
                              "EDUCATION",
                              "SKILLS",
                              "PROFESSIONAL REFERENCES"};
    size_t from = 0;
    for (const char* needle : expected) {
        const size_t at = s_text.find(needle, from);
        ASSERT_NE(at, std::string::npos) << needle << "\n" << s_text;
        from = at;
    }
    // ctest runs each test in a process of its own: one test, one conversion.
    EXPECT_NE(s_info.find("Title:           R\u00e9sum\u00e9 of Ren\u00e9e Micha\u0142owska\n"),
              std::string::npos)
        << s_info;
    EXPECT_NE(s_info.find("Author:          Ren\u00e9e Micha\u0142owska\n"), std::string::npos);
    EXPECT_NE(s_info.find("Pages:"), std::string::npos);
    // Every font line of pdffonts (after its two heading lines) says "yes" to embedded.
    EXPECT_NE(s_fonts.find(" yes "), std::string::npos) << s_fonts;
    EXPECT_EQ(s_fonts.find(" no  "), std::string::npos) << s_fonts;
}

} // namespace
