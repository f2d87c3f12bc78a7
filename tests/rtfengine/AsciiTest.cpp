#include "rtfengine/Ascii.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace rtfengine;

// One row per byte class; a byte outside ASCII belongs to none, whatever the locale.
TEST(Ascii, ClassifiesBytes) {
    struct Case {
        char c;
        bool digit, letter, hex, space;
        int hexValue;
    } cases[] = {
        {'0', true, false, true, false, 0},
        {'9', true, false, true, false, 9},
        {'a', false, true, true, false, 10},
        {'F', false, true, true, false, 15},
        {'g', false, true, false, false, -1},
        {'Z', false, true, false, false, -1},
        {'_', false, false, false, false, -1},
        {' ', false, false, false, true, -1},
        {'\t', false, false, false, true, -1},
        {'\r', false, false, false, true, -1},
        {'\v', false, false, false, true, -1},
        {'\0', false, false, false, false, -1},
        {'\x1F', false, false, false, false, -1},
        {'\xC4', false, false, false, false, -1}, // Ä in code page 1252
        {'\xA0', false, false, false, false, -1}, // no-break space in code page 1252
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.c)));
        EXPECT_EQ(isAsciiDigit(c.c), c.digit);
        EXPECT_EQ(isAsciiLetter(c.c), c.letter);
        EXPECT_EQ(isAsciiAlnum(c.c), c.digit || c.letter);
        EXPECT_EQ(isAsciiHexDigit(c.c), c.hex);
        EXPECT_EQ(isAsciiSpace(c.c), c.space);
        EXPECT_EQ(hexDigitValue(c.c), c.hexValue);
    }
}

TEST(Ascii, ChangesAndComparesLetterCase) {
    struct Case {
        std::string text, lower, upper;
    } cases[] = {
        {"", "", ""},
        {"Name_1", "name_1", "NAME_1"},
        {"NoReset", "noreset", "NORESET"},
        {"caf\xC3\xA9 \xC3\x89", "caf\xC3\xA9 \xC3\x89", "CAF\xC3\xA9 \xC3\x89"}, // UTF-8 kept
        {"\xC4\xE4", "\xC4\xE4", "\xC4\xE4"},                                     // 1252 kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(toLowerAscii(c.text), c.lower);
        EXPECT_EQ(toUpperAscii(c.text), c.upper);
        EXPECT_TRUE(equalsIgnoringAsciiCase(c.lower, c.upper));
    }
    EXPECT_EQ(toLowerAscii('Q'), 'q');
    EXPECT_EQ(toUpperAscii('q'), 'Q');
    EXPECT_EQ(toUpperAscii('\xE4'), '\xE4');
}

TEST(Ascii, EqualsAndStartsWithIgnoringCase) {
    struct Case {
        std::string_view a, b;
        bool equal, startsWith;
    } cases[] = {
        {"Sum", "SUM", true, true},
        {"AM/PM", "am/pm", true, true},
        {"am/pm x", "am/pm", false, true},
        {"am", "am/pm", false, false},
        {"", "", true, true},
        {"abc", "", false, true},
        {"\xC4", "\xE4", false, false}, // no letter case outside ASCII
        {"A[", "a{", false, false},     // '[' and '{' are 32 apart but are not letters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + std::string(c.b));
        EXPECT_EQ(equalsIgnoringAsciiCase(c.a, c.b), c.equal);
        EXPECT_EQ(startsWithIgnoringAsciiCase(c.a, c.b), c.startsWith);
    }
}

TEST(Ascii, Trims) {
    struct Case {
        std::string text, blanksTrimmed, spaceTrimmed;
    } cases[] = {
        {"", "", ""},
        {"  a b  ", "a b", "a b"},
        {"\t\r\na\n", "a", "a"},
        {std::string("\0x\x01", 3), "x", std::string("\0x\x01", 3)}, // control bytes
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},                     // no-break space stays
        {" \v\f ", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(trimAsciiBlanks(c.text), c.blanksTrimmed);
        EXPECT_EQ(trimAsciiSpace(c.text), c.spaceTrimmed);
    }
    const auto isSpaceOrTab = [](char c) { return c == ' ' || c == '\t'; };
    EXPECT_EQ(trimBytes(" \t\na\t ", isSpaceOrTab), "\na");
    EXPECT_EQ(trimBytes("\t\t", isSpaceOrTab), "");
}

} // namespace
