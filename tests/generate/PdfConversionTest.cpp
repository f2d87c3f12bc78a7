// PDF conversion against stand-ins for soffice: what LibreOffice is asked to do,
// and every way it can fail to give a PDF.
#include "generate/PdfConversion.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace generate::test {
namespace {

namespace fs = std::filesystem;

using testsupport::readFile;

class PdfConversionTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("vitacraft-pdftest-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "resume.doc") << "{\\rtf1 Hello}";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // A stand-in soffice running `body` as a shell script; $outdir is its output folder.
    PdfConversionOptions fakeSoffice(const std::string& body) {
        const fs::path script = m_dir / "soffice";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \""
                              << (m_dir / "args").string()
                              << "\"\nwhile [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && outdir=$2; "
                                 "shift; done\n"
                              << body << "\n";
        fs::permissions(script, fs::perms::owner_all);
        PdfConversionOptions options;
        options.soffice = script.string();
        options.profileDirectory = (m_dir / "my profile").string();
        options.timeLimit = std::chrono::milliseconds(500);
        return options;
    }

    std::string convert(const PdfConversionOptions& options) {
        try {
            convertToPdf((m_dir / "resume.doc").string(), pdf().string(), options);
        } catch (const EPdfConversion& e) {
            return e.what();
        }
        return {};
    }
    fs::path pdf() const { return m_dir / "resume.pdf"; }

    fs::path m_dir;
};

TEST_F(PdfConversionTest, AsksForAHeadlessConversionWithAPrivateProfile) {
    const auto options =
        fakeSoffice("mkdir -p \"$outdir\"; printf '%%PDF-1.7 x' > \"$outdir/document.pdf\"");
    ASSERT_EQ(convert(options), "");
    EXPECT_EQ(readFile(pdf()), "%PDF-1.7 x");
    const std::string args = readFile(m_dir / "args");
    EXPECT_EQ(args.find("-env:UserInstallation=" + fileUrl(options.profileDirectory) +
                        "\n--headless\n--norestore\n--convert-to\npdf\n--outdir\n"),
              0u)
        << args;
    EXPECT_NE(fileUrl(options.profileDirectory).find("my%20profile"), std::string::npos);
}

TEST_F(PdfConversionTest, FailuresAreReportedAndLeaveTheTargetAlone) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"exit 0", "LibreOffice could not convert the document to PDF."},
        {"exit 1", "LibreOffice could not convert the document to PDF."},
        {"mkdir -p \"$outdir\"; echo garbage > \"$outdir/document.pdf\"",
         "LibreOffice wrote no PDF document."},
        {"sleep 30", "The PDF conversion did not finish within 1 s and was stopped."},
    };
    for (const auto& c : cases) {
        std::ofstream(pdf()) << "earlier";
        EXPECT_EQ(convert(fakeSoffice(c.script)), c.message) << c.script;
        EXPECT_EQ(readFile(pdf()), "earlier") << c.script;
    }
}

TEST_F(PdfConversionTest, MissingLibreOfficeIsNamed) {
    PdfConversionOptions options;
    EXPECT_EQ(convert(options), kNoLibreOffice);
    EXPECT_FALSE(fs::exists(pdf()));

    // Found on the search path only as an executable file.
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    ::unsetenv("VITACRAFT_SOFFICE");
    ::setenv("PATH", m_dir.c_str(), 1);
    EXPECT_EQ(findSoffice(), "");
    std::ofstream(m_dir / "soffice") << "#!/bin/sh\n";
    EXPECT_EQ(findSoffice(), "");
    fs::permissions(m_dir / "soffice", fs::perms::owner_all);
    EXPECT_EQ(findSoffice(), (m_dir / "soffice").string());
    ::setenv("PATH", savedPath.c_str(), 1);
}

} // namespace
} // namespace generate::test
