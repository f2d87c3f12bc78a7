#include "rtfengine/RtfText.h"

#include <gtest/gtest.h>

using rtfengine::rtfText;

TEST(RtfText, EscapesAndConvertsAtTheBoundary) {
    struct Case {
        std::string in;
        std::string expected;
    } cases[] = {
        {"plain text", "plain text"},
        {"a\\b{c}", "a\\\\b\\{c\\}"},
        {"a\tb\vc\fd", "a\\tab b\\line c\\page d"},
        {"one\r\ntwo\rthree\nfour", "one\\par two\\par three\\par four"},
        {"\r\n\r\n", "\\par \\par "},
        {"caf\xC3\xA9", "caf\\'E9"},                         // U+00E9, in code page 1252
        {"\xE2\x82\xAC 5", "\\'80 5"},                       // euro sign
        {"\xE2\x80\x9Cq\xE2\x80\x9D", "\\'93q\\'94"},        // curly quotes
        {"\xD0\x96", "\\u1046\\'3F"},                        // Cyrillic Zhe
        {"\xEF\xBF\xBD", "\\u-3\\'3F"},                      // U+FFFD as signed 16-bit
        {"\xF0\x9F\x98\x80", "\\u-10179\\'3F\\u-8704\\'3F"}, // U+1F600 as a surrogate pair
        // The fallback is the nearest code page 1252 letter: the base of a letter
        // with a diacritic, the plain letter of one with a stroke.
        {"Micha\xC5\x82owska", "Micha\\u322\\'6Cowska"},
        {"\xC5\x98\xC4\x80\xC8\x98", "\\u344\\'52\\u256\\'41\\u536\\'53"}, // Ř Ā Ș
        {"\xC5\x81\xC4\x91\xC4\x90\xC4\xA7\xC4\xA6\xC5\xA7\xC5\xA6\xC4\xB1",
         "\\u321\\'4C\\u273\\'64\\u272\\'44\\u295\\'68\\u294\\'48\\u359\\'74\\u358\\'54"
         "\\u305\\'69"},                           // Ł đ Đ ħ Ħ ŧ Ŧ ı
        {"\xE1\xBB\x85", "\\u7877\\'EA"},          // ễ: ê is in the code page
        {"\xE4\xB8\xAD", "\\u20013\\'3F"},         // 中 has none
        {"\xE9t\xE9", "\\'E9t\\'E9"},              // not UTF-8: single bytes
        {"\xC3", "\\'C3"},                         // truncated sequence
        {"\xC0\xAF", "\\'C0\\'AF"},                // overlong form
        {"\xED\xA0\x80", "\\'ED\\'A0\\'80"},       // encoded surrogate
        {std::string("a\0b}", 4), "ab\\}"},        // NUL would end a fragment
        {"\x01\x08\x0E\x1B\x1F\x7F", ""},          // invisible control bytes
        {"x\xC2\x80\xC2\x9Fy\xC2\xA0", "xy\\'A0"}, // C1 controls; no-break space stays
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtfText(c.in), c.expected) << c.in;
}

TEST(RtfText, MendsHexEscapesWithoutTheirDigits) {
    struct Case {
        const char* in;
        std::optional<std::string> expected; // nothing: the text is sound as it is
    } cases[] = {
        {"caf\\'e9 \\'C9", std::nullopt},
        {"\\\\'zz", std::nullopt}, // an escaped backslash, then a quote
        {"a\\'4", std::nullopt},   // cut short by the end
        {"\\'{}x", "\\'3fx"},
        {"\\'g1\\'41\\'\\'zz\\'1", "\\'3f\\'41\\'3fzz\\'1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rtfengine::withMendedHexEscapes(c.in), c.expected) << c.in;
}
