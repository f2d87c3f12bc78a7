#include "rtfengine/RtfText.h"

#include <gtest/gtest.h>

namespace rtfengine {
namespace {

TEST(RtfText, ConvertsUtf8ToRtfText) {
    struct Case {
        std::string_view input;
        std::string_view expected;
    };
    const Case cases[] = {
        {"plain text 123", "plain text 123"},
        {"a\\b{c}d", "a\\\\b\\{c\\}d"},
        {"one\r\ntwo\nthree\rfour", "one\\par two\\par three\\par four"},
        {"\r\n\r\n", "\\par \\par "},
        {"a\tb", "a\\tab b"},
        {"caf\xc3\xa9", "caf\\'e9"},                 // é, code page 1252 0xE9
        {"\xc2\xa0", "\\'a0"},                       // no-break space
        {"\xe2\x82\xac 5", "\\'80 5"},               // euro sign
        {"\xe2\x80\x94", "\\'97"},                   // em dash
        {"\xc5\xb8", "\\'9f"},                       // Y with diaeresis
        {"\xd0\x96", "\\u1046?"},                    // Cyrillic Zhe
        {"\xef\xbf\xbd", "\\u-3?"},                  // U+FFFD, above 0x7FFF
        {"\xf0\x9f\x98\x80", "\\u-10179?\\u-8704?"}, // U+1F600, surrogate pair
        {"\xc2\x81", "\\u129?"},                     // a C1 control: not in the code page
        {"\x01\x7f", "\\'01\\'7f"},                  // control bytes
        {std::string_view("a\0b", 3), "a\\'00b"},    // a zero byte must not end the text
        {"\xe9t\xe9", "\\'e9t\\'e9"},                // code page bytes, not UTF-8
        {"\xc3", "\\'c3"},                           // truncated sequence
        {"\xc0\xaf", "\\'c0\\'af"},                  // overlong form
        {"\xed\xa0\x80", "\\'ed\\'a0\\'80"},         // encoded surrogate
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rtfText(c.input), c.expected) << c.input;
    }
}

TEST(RtfText, AppendsToWhatIsThere) {
    std::string out = "{\\b ";
    appendRtfText(out, "}");
    EXPECT_EQ(out, "{\\b \\}");
}

} // namespace
} // namespace rtfengine
