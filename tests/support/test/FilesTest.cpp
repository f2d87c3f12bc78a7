#include "support/Files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TestSupportFiles, WhatIsWrittenIsReadBackByteForByte) {
    const testsupport::TempDir dir;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"text", "{\\rtf1 abc}\r\n"},
        {"binary", std::string("\0\xff\x80z", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir.path() / c.name;
        ASSERT_TRUE(testsupport::writeFile(path, c.bytes));
        EXPECT_EQ(testsupport::readFile(path), c.bytes);
    }
    EXPECT_EQ(testsupport::readFile(dir.path() / "missing"), "");
    EXPECT_FALSE(testsupport::writeFile(dir.path() / "no-folder" / "x", "x"));
}

TEST(TestSupportFiles, ATempDirIsFreshAndGoesWithEverythingInIt) {
    std::filesystem::path kept;
    {
        const testsupport::TempDir dir;
        kept = dir.path();
        ASSERT_TRUE(std::filesystem::is_directory(kept));
        EXPECT_TRUE(std::filesystem::is_empty(kept));
        ASSERT_TRUE(testsupport::writeFile(kept / "file", "x"));
    }
    EXPECT_FALSE(std::filesystem::exists(kept));
}

} // namespace
