#include "generate/Fragment.h"
#include "generate/FieldAccess.h"

#include "Fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace generate::test {
namespace {

MemoryDataset normalText(Value name, Value size, Value color, Value style) {
    return MemoryDataset(
        "Configuration",
        {"NormalTextFontName", "NormalTextFontSize", "NormalTextFontColor", "NormalTextFontStyle"},
        {{name, size, color, style}});
}

TEST(FragmentHeader, WritesTheWholeHeaderOfATextClass) {
    MemoryDataset configuration = normalText("Arial", "12", "0", "0");
    EXPECT_EQ(fragmentHeader(configuration, TextClass::NormalText),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2"
              "\\fcharset0 Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard"
              "\\cf1\\f0\\fs24 ");
}

TEST(FragmentHeader, ReadsTheColumnsOfItsOwnClass) {
    MemoryDataset configuration = makeConfiguration();
    EXPECT_EQ(fragmentHeader(configuration, TextClass::Heading), kHeadingHeader);
    EXPECT_EQ(fragmentHeader(configuration, TextClass::SubHeading), kSubHeadingHeader);
    EXPECT_EQ(fragmentHeader(configuration, TextClass::NormalText), kNormalHeader);
}

TEST(FragmentHeader, PlacesStyleWordsAfterTheColourAndDoublesTheSize) {
    struct Case {
        Value name, size, style;
        std::string_view expectedTail;
    };
    const Case cases[] = {
        {"Arial", "11", "5", "\\cf1\\ul\\b\\f0\\fs22 "},
        {"Arial", "12", "16", "\\cf1\\f0\\fs24 "},
        {"Arial", std::nullopt, "0", "\\cf1\\f0\\fs0 "},
        {"Arial", "", "0", "\\cf1\\f0\\fs0 "},
        {"Arial", "12.0", std::nullopt, "\\cf1\\f0\\fs24 "},
        {"Arial", " 9 ", "8", "\\cf1\\strike\\f0\\fs18 "},
    };
    for (const Case& c : cases) {
        MemoryDataset configuration = normalText(c.name, c.size, "0", c.style);
        const std::string header = fragmentHeader(configuration, TextClass::NormalText);
        EXPECT_TRUE(header.ends_with(c.expectedTail))
            << header << " should end with " << c.expectedTail;
    }
}

TEST(FragmentHeader, KeepsBlanksAndEscapesRtfInTheFontName) {
    MemoryDataset configuration = normalText("Times New Roman", "12", "0", "0");
    EXPECT_NE(
        fragmentHeader(configuration, TextClass::NormalText).find("\\fcharset0 Times New Roman;}}"),
        std::string::npos);

    MemoryDataset hostile = normalText("Bad}Font", "12", "0", "0");
    EXPECT_NE(fragmentHeader(hostile, TextClass::NormalText).find("\\fcharset0 Bad\\}Font;}}"),
              std::string::npos);
}

TEST(FragmentHeader, FailsOnAMissingColumnOrANonNumericSize) {
    MemoryDataset noStyle("Configuration",
                          {"NormalTextFontName", "NormalTextFontSize", "NormalTextFontColor"},
                          {{"Arial", "12", "0"}});
    try {
        fragmentHeader(noStyle, TextClass::NormalText);
        FAIL() << "expected a field-not-found error";
    } catch (const EFieldNotFound& e) {
        EXPECT_STREQ(e.what(), "Configuration: Field 'NormalTextFontStyle' not found");
    }

    MemoryDataset badSize = normalText("Arial", "twelve", "0", "0");
    EXPECT_THROW(fragmentHeader(badSize, TextClass::NormalText), EConversionError);
}

TEST(RgbFromStored, SplitsTheStoredValueIntoCounts) {
    struct Case {
        long long value;
        store::Rgb expected;
    };
    const Case cases[] = {
        {0, {0, 0, 0}},
        {255, {255, 0, 0}},
        {16711680, {0, 0, 255}},
        {32896, {128, 128, 0}},
        {65535, {255, 255, 0}},
        {65536, {0, 0, 1}},
        {16777215, {255, 255, 255}},
        {16777216, {0, 0, 256}},
        {-5, {-5, 0, 0}},
        {-70000, {-70000, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(store::rgbFromStored(c.value), c.expected) << c.value;
    }
}

TEST(RgbFromStored, RoundTripsEveryColour) {
    for (long long red : {0, 1, 127, 255})
        for (long long green : {0, 1, 128, 255})
            for (long long blue : {0, 2, 200, 255}) {
                const store::Rgb rgb{red, green, blue};
                EXPECT_EQ(store::rgbFromStored(store::storedFromRgb(rgb)), rgb);
            }
    for (long long stored = 0; stored <= 16777215; stored += 65537)
        EXPECT_EQ(store::storedFromRgb(store::rgbFromStored(stored)), stored);
}

TEST(StyleControlWords, NamesEachBitOnceInTheStoredOrder) {
    // Every style gives each of its bits' words once and no other.
    const std::pair<int, std::string_view> bits[] = {{store::Bold, "\\b"},
                                                     {store::Italic, "\\i"},
                                                     {store::Underline, "\\ul"},
                                                     {store::StrikeOut, "\\strike"}};
    for (int style = 0; style <= store::kStyleBits; ++style) {
        std::string words(styleControlWords(style));
        std::size_t length = 0;
        for (const auto& [bit, word] : bits) {
            const bool present = (words + "\\").find(std::string(word) + "\\") != std::string::npos;
            EXPECT_EQ(present, (style & bit) != 0) << style << ' ' << word;
            length += (style & bit) ? word.size() : 0;
        }
        EXPECT_EQ(words.size(), length) << style;
    }
    // The order is not the bits' order, and a document keeps it byte for byte.
    EXPECT_EQ(styleControlWords(5), "\\ul\\b");
    EXPECT_EQ(styleControlWords(11), "\\strike\\i\\b");
    EXPECT_EQ(styleControlWords(15), "\\strike\\ul\\i\\b");
    for (long long style : {-1LL, 16LL, 17LL, 255LL}) {
        EXPECT_EQ(styleControlWords(style), "") << style;
    }
}

TEST(YearText, WritesTheFourDigitYearOrNothing) {
    MemoryDataset entries("Organizations", {"DateFrom"},
                          {{"1999-06-30"}, {"0987-01-01"}, {std::nullopt}, {""}});
    const std::string expected[] = {"1999", "0987", "", ""};
    for (const std::string& year : expected) {
        EXPECT_EQ(yearText(entries, "DateFrom"), year);
        entries.next();
    }
    ASSERT_TRUE(entries.eof());
    EXPECT_EQ(yearText(entries, "datefrom"), "");
}

TEST(DatabaseText, ReadsColumnsWithoutRegardToCaseAndEmptyAtTheEnd) {
    MemoryDataset skills("SkillsQuery", {"skill", "comments"}, {{"C++ {templates}", "a\\b"}});
    EXPECT_EQ(databaseText(skills, "Skill"), "C++ \\{templates\\}");
    EXPECT_EQ(databaseText(skills, "COMMENTS"), "a\\\\b");
    skills.next();
    EXPECT_EQ(databaseText(skills, "skill"), "");
    EXPECT_THROW(databaseText(skills, "Title"), EFieldNotFound);
}

} // namespace
} // namespace generate::test
