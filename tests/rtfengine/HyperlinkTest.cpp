// Hyperlink fields written from "address|shown text" values.
#include "rtfengine/Hyperlink.h"

#include <gtest/gtest.h>

using namespace rtfengine;

namespace {

std::string field(const std::string& address, const std::string& shown) {
    return "{\\field{\\*\\fldinst {\\lang1033 HYPERLINK \"" + address +
           "\" }}{\\fldrslt \\lang1033 " + shown + "}}";
}

struct LinkCase {
    const char* text;
    std::string expected;
};

class Hyperlinks : public testing::TestWithParam<LinkCase> {};

TEST_P(Hyperlinks, WriteTheField) {
    std::string out = "x";
    writeHyperlink(out, GetParam().text, "1033", "{\\b }");
    EXPECT_EQ(out, "x" + GetParam().expected + "{\\b }");
}

INSTANTIATE_TEST_SUITE_P(
    Forms, Hyperlinks,
    testing::Values(
        LinkCase{"http://example.org|My page", field("http://example.org", "My page")},
        LinkCase{"mailto:me@example.org", field("mailto:me@example.org", "mailto:me@example.org")},
        LinkCase{"|My page", field("", "")},
        // Only the first bar splits; an empty shown text shows the address.
        LinkCase{"a|b|c", field("a", "b|c")},
        LinkCase{"http://x/|", field("http://x/", "http://x/")}, LinkCase{"", field("", "")},
        // Both parts are escaped; a quote cannot end the field's argument early.
        LinkCase{"C:\\cv\\{a}.doc|R\xE9sum\xE9",
                 field("C:\\\\cv\\\\\\{a\\}.doc", "R\\'E9sum\\'E9")},
        LinkCase{"http://x/?q=\"a\"|\"quoted\"", field("http://x/?q=%22a%22", "\"quoted\"")}));

TEST(Hyperlink, WritesTheEngineLanguageNumber) {
    std::string out;
    writeHyperlink(out, "a|b", "0", "");
    EXPECT_EQ(out, "{\\field{\\*\\fldinst {\\lang0 HYPERLINK \"a\" }}{\\fldrslt \\lang0 b}}");
}

} // namespace
