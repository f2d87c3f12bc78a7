#include "rtfengine/CommandText.h"

#include <gtest/gtest.h>

using namespace rtfengine;

namespace {

// Collects the command whose opening marker starts at the first backslash.
std::optional<CollectedCommand> collect(std::string_view rtf) {
    TemplateText t(rtf);
    size_t after = 0;
    if (!isMarkerAt(t, 0, &after))
        return std::nullopt;
    return collectCommand(t, after);
}

} // namespace

TEST(CommandMarkers, RecognisedForms) {
    struct Case {
        const char* rtf;
        bool marker;
    } cases[] = {
        {"\\\\A.Name\\\\", true}, {"\\'5cA.Name\\\\", true}, {"\\'5CA\\\\", true},
        {"\\\\*x", false},        {"\\'5dx", false},         {"\\par", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isMarkerAt(TemplateText(c.rtf), 0), c.marker) << c.rtf;
}

TEST(CommandCollection, QuotesAndEnds) {
    struct Case {
        const char* rtf;
        const char* raw; // nullptr: abandoned
    } cases[] = {
        {"\\\\A.Name\\\\ rest", "A.Name"},
        {"\\\\\\\\text", ""},             // a doubled typed backslash
        {"\\\\'a\\\\b'\\\\", "'a\\\\b'"}, // marker inside a quote
        {"\\\\\"x\\\\y\"\\\\", "\"x\\\\y\""},
        {"\\\\`x\\\\`\\\\", "`x\\\\`"},
        {"\\\\~x\\\\~\\\\", "~x\\\\~"},
        {"\\\\\\'93x\\\\\\'94\\\\", "\\'93x\\\\\\'94"}, // typographic quotes as hex
        {"\\\\\\'abx\\\\\\'BB\\\\", "\\'abx\\\\\\'BB"},
        {"\\\\\\lquote x\\\\\\rquote y\\\\", "\\lquote x\\\\\\rquote y"},
        {"\\\\\\ldblquote x\\\\\\rdblquote \\\\", "\\ldblquote x\\\\\\rdblquote "},
        {"\\\\\\lquote x\\\\' y\\\\", "\\lquote x\\\\' y"},
        {"\\\\A.\\'5cB\\\\", "A.\\'5cB"}, // a hex backslash is a character
        {"\\\\A.\\~B\\\\", "A.\\~B"},
        {"\\\\A.Na\rme\\\\", "A.Name"},   // carriage returns are invisible
        {"\\\\A.Na\nme\\\\", "A.Na\nme"}, // line feeds are kept
        {"\\\\A.Name\\par x\\\\", nullptr},
        {"\\\\A.Name\\line\\\\", nullptr},
        {"\\\\A.Name\\pard\\\\", "A.Name\\pard"}, // \pard is no paragraph mark
        {"\\\\A {\\field x}\\\\", nullptr},
        {"\\\\A {\\pict x}\\\\", nullptr},
        {"\\\\A.Name", nullptr},      // template ends
        {"\\\\'A.Name\\\\", nullptr}, // open quote runs to the end
    };
    for (const Case& c : cases) {
        auto cmd = collect(c.rtf);
        if (!c.raw) {
            EXPECT_FALSE(cmd.has_value()) << c.rtf;
            continue;
        }
        ASSERT_TRUE(cmd.has_value()) << c.rtf;
        EXPECT_EQ(cmd->raw, c.raw) << c.rtf;
    }
}

TEST(CommandCollection, StopsAtTenThousandCountedCharacters) {
    const std::string shortEnough = "\\\\" + std::string(9999, 'x') + "\\\\";
    const std::string tooLong = "\\\\" + std::string(10000, 'x') + "y\\\\";
    const std::string hexCounts4 = "\\\\" + std::string(9996, 'x') + "\\'41y\\\\";
    EXPECT_TRUE(collect(shortEnough).has_value());
    EXPECT_FALSE(collect(tooLong).has_value());
    EXPECT_FALSE(collect(hexCounts4).has_value());
}

TEST(CommandCleaning, ExpressionAndCodes) {
    struct Case {
        const char* raw;
        const char* expression;
        const char* codes;
    } cases[] = {
        {"A.{\\b Name}", "A.Name", "{\\b }"},
        {"A.Name", "A.Name", ""},
        {"\\b A.Name\\b0 ", "A.Name", "\\b \\b0 "},
        {"A.[First Name]", "A.First Name", ""},
        {" A . Name ", "A.Name", ""},
        {"'a b'", "'a b'", ""},
        {"\\lquote it\\rquote s", "'it's", ""},
        {"\\ldblquote x\\rdblquote ", "\x93x\x94", ""},
        {"caf\\'e9", "caf\xE9", ""},
        {"a\\'00b", "ab", ""},
        {"x\\~y", "xy", ""}, // a non-breaking blank is a blank
        {"'x\\~y'", "'x y'", ""},
        {"\\\\", "\\", ""},
        {"a;b", "ab", ";"},
        {"f(x)\\cf2\\ul", "f(x)", "\\cf2\\ul"},
    };
    for (const Case& c : cases) {
        CleanCommand clean = cleanCommand(c.raw);
        EXPECT_EQ(clean.expression, c.expression) << c.raw;
        EXPECT_EQ(clean.codes, c.codes) << c.raw;
    }
}

TEST(CommandCleaning, FormattingLeavesTypedCharactersOut) {
    struct Case {
        const char* codes;
        const char* formatting;
    } cases[] = {
        {">", ""},
        {"{\\b }<>;", "{\\b }"},
        {"\\cf1>=\\ul0 ?|@^", "\\cf1\\ul0 "},
        {"{\\*\\bkmkstart x}", "{\\*\\bkmkstart }"},
        {"\\li-120;\\fs24", "\\li-120\\fs24"},
        {"\\-\\_\\b ", "\\b "},
        {"\\'zz;", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formattingOf(c.codes), c.formatting) << c.codes;
}
