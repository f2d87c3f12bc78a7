// Every template on both papers, with the sample résumé: the command-line tool writes
// the eight documents, one LibreOffice start turns them all into PDF, and poppler's
// tools read back the section headings in the résumé's order and the page size.
#include "support/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Layout {
    const char* templateName;
    const char* fileBase;
    bool fitsOnePage; // with the sample résumé
};

const Layout kLayouts[] = {
    {"Contemporary Resume", "contemporary", false},
    {"Classic Resume", "classic", false},
    {"Compact Resume", "compact", true},
    {"Modern Resume", "modern", false},
};

struct Paper {
    const char* option;
    double width; // points
    double height;
};

const Paper kPapers[] = {
    {"letter", 612, 792},
    {"a4", 595, 842},
};

// The heading every template prints for a section.
const std::map<std::string, std::string> kHeadings = {
    {"Objective", "objective"},
    {"Summary", "summary"},
    {"Personal", "personal"},
    {"Keywords", "keywords"},
    {"Educational History", "education"},
    {"Employment History", "employment history"},
    {"Professional References", "professional references"},
    {"Personal References", "personal references"},
    {"Organizations", "organizations"},
    {"Skills", "skills"},
    {"Honors", "honors"},
    {"Awards", "awards"},
    {"Achievements", "achievements"},
};

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// The lines of `text` in lower case, without the page breaks pdftotext puts before
// the first line of a page.
std::vector<std::string> foldedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line.erase(std::remove(line.begin(), line.end(), '\f'), line.end());
        std::transform(line.begin(), line.end(), line.begin(),
                       [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
        lines.push_back(line);
    }
    return lines;
}

std::string documentBase(const Layout& layout, const Paper& paper) {
    return std::string(layout.fileBase) + "-" + paper.option;
}

class TemplatesInterop : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!testsupport::haveProgram("soffice"))
            return;
        s_dir = std::make_unique<testsupport::TempDir>();
        const std::filesystem::path& dir = s_dir->path();
        std::string documents;
        for (const Layout& layout : kLayouts)
            for (const Paper& paper : kPapers) {
                const std::filesystem::path doc = dir / (documentBase(layout, paper) + ".doc");
                s_exports[documentBase(layout, paper)] = testsupport::commandOutput(
                    "'" VITACRAFT_BIN_DIR "/vitacraft-cli' export '" VITACRAFT_BIN_DIR
                    "/sample.vcw' " +
                    quoted(doc) + " --template '" + layout.templateName + "' --paper " +
                    paper.option + " 2>&1; echo $?");
                documents += " " + quoted(doc);
            }
        testsupport::convertWithLibreOffice(dir, "pdf", dir, documents);
        std::istringstream order(testsupport::commandOutput(
            "sqlite3 '" VITACRAFT_BIN_DIR
            "/sample.vcw' 'SELECT Section FROM DisplayedOrder ORDER BY rowid'"));
        for (std::string section; std::getline(order, section);)
            s_order.push_back(section);
    }
    static void TearDownTestSuite() { s_dir.reset(); }
    void SetUp() override {
        if (!s_dir)
            GTEST_SKIP() << "LibreOffice is not installed";
    }

    static inline std::unique_ptr<testsupport::TempDir> s_dir;
    static inline std::map<std::string, std::string> s_exports;
    static inline std::vector<std::string> s_order;
};

TEST_F(TemplatesInterop, EveryTemplateOnEveryPaperShowsTheSectionsInOrder) {
    ASSERT_EQ(s_order.size(), kHeadings.size()) << "the sample shows every section";
    // ctest runs each test in a process of its own: one test, one LibreOffice start.
    for (const Layout& layout : kLayouts) {
        for (const Paper& paper : kPapers) {
            const std::string base = documentBase(layout, paper);
            SCOPED_TRACE(base);
            ASSERT_EQ(s_exports[base], "0\n");
            const std::string pdf = quoted(s_dir->path() / (base + ".pdf"));
            const std::string text =
                testsupport::commandOutput("pdftotext -enc UTF-8 " + pdf + " -");
            const std::vector<std::string> lines = foldedLines(text);
            size_t next = 0;
            for (const std::string& section : s_order) {
                const auto at = std::find(lines.begin() + next, lines.end(), kHeadings.at(section));
                ASSERT_NE(at, lines.end()) << section << " missing after line " << next << ":\n"
                                           << text;
                next = size_t(at - lines.begin()) + 1;
            }
            const std::string info = testsupport::commandOutput("pdfinfo " + pdf);
            double width = 0, height = 0;
            const size_t size = info.find("Page size:");
            ASSERT_NE(size, std::string::npos) << info;
            ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height), 2)
                << info;
            EXPECT_NEAR(width, paper.width, 1.0);
            EXPECT_NEAR(height, paper.height, 1.0);
            if (layout.fitsOnePage) {
                EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
            }
        }
    }
}

} // namespace
