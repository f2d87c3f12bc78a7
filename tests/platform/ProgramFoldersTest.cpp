#include "platform/ProgramFolders.h"

#include "support/Files.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

namespace fs = std::filesystem;

// Paths of the rows are relative to a private folder, "" for none.
struct FoldersCase {
    const char* name;
    bool buildTree; // the build's marker beside the executable
    const char* xdgDataHome;
    const char* home;
    const char* data;
    const char* writable;
};

const FoldersCase kCases[] = {
    {"build tree", true, "xdg", "home", "p/bin", "p/bin"},
    {"build tree without a home", true, "", "", "p/bin", "p/bin"},
    {"installed, XDG_DATA_HOME set", false, "xdg", "home", "p/share/vitacraft", "xdg/vitacraft"},
    {"installed, XDG_DATA_HOME unset", false, "", "home", "p/share/vitacraft",
     "home/.local/share/vitacraft"},
    // The XDG rules ignore a relative XDG_DATA_HOME.
    {"installed, XDG_DATA_HOME relative", false, "@relative", "home", "p/share/vitacraft",
     "home/.local/share/vitacraft"},
};

class ProgramFoldersTest : public testing::TestWithParam<FoldersCase> {};

fs::path under(const fs::path& root, const char* relative) {
    return *relative ? root / relative : fs::path();
}

TEST_P(ProgramFoldersTest, FindsTheDataAndWritableFolders) {
    const FoldersCase& c = GetParam();
    const testsupport::TempDir dir;
    const fs::path bin = dir.path() / "p" / "bin";
    fs::create_directories(bin);
    // A data file beside an installed program does not make it a build tree.
    ASSERT_TRUE(testsupport::writeFile(bin / "data.mdb", "blank"));
    if (c.buildTree) {
        ASSERT_TRUE(testsupport::writeFile(bin / platform::kBuildTreeMarker, ""));
    }
    const std::string xdg = std::string(c.xdgDataHome) == "@relative"
                                ? std::string("relative/xdg")
                                : under(dir.path(), c.xdgDataHome).string();

    const platform::ProgramFolders folders = platform::programFolders(
        bin, "../share/vitacraft", {xdg, under(dir.path(), c.home).string()});
    EXPECT_EQ(folders.data, under(dir.path(), c.data));
    EXPECT_EQ(folders.writable, under(dir.path(), c.writable));
}

INSTANTIATE_TEST_SUITE_P(Layouts, ProgramFoldersTest, testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             }
                             return name;
                         });

} // namespace
