#include "rtfengine/RtfStream.h"

#include "rtfengine/Errors.h"

#include <gtest/gtest.h>

#include <string>

using rtfengine::TRtfStream;
using Kind = rtfengine::TRtfStream::TokenKind;
using namespace std::string_literals;

namespace {

// Filters `fragment` with empty tables, so every number maps to itself.
std::string filter(const std::string& fragment, bool tableRowMode = false) {
    TRtfStream stream(fragment, tableRowMode);
    std::string out;
    stream.setOutput(&out);
    stream.run();
    return out;
}

constexpr const char* kRowReset =
    "\\ql \\li0\\ri0\\widctlpar\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 \\cgrid";

} // namespace

TEST(NextToken, RecognisesEveryKind) {
    struct Case {
        std::string input;
        Kind kind;
        const char* token;
        const char* keyword;
        const char* parameter;
        const char* delimiter;
    } cases[] = {
        {"\\b0 x", Kind::ControlWord, "\\b0 ", "\\b", "0", " "},
        {"\\li-360\\fi", Kind::ControlWord, "\\li-360", "\\li", "-360", ""},
        {"\\par  x", Kind::ControlWord, "\\par ", "\\par", "", " "},
        {"\\B12x", Kind::ControlWord, "\\B12", "\\B", "12", ""},
        {"\\b-x", Kind::ControlWord, "\\b", "\\b", "", ""}, // a sign without digits is text
        {"\\pard", Kind::ControlWord, "\\pard", "\\pard", "", ""},
        {"{x", Kind::GroupOpen, "{", "", "", ""},
        {"}x", Kind::GroupClose, "}", "", "", ""},
        {"\\*\\x", Kind::Destination, "\\*", "", "", ""},
        {"\\\\x", Kind::EscapedSymbol, "\\\\", "", "", ""},
        {"\\{", Kind::EscapedSymbol, "\\{", "", "", ""},
        {"\\}", Kind::EscapedSymbol, "\\}", "", "", ""},
        {"\\~", Kind::EscapedSymbol, "\\~", "", "", ""},
        {"\\-", Kind::EscapedSymbol, "\\-", "", "", ""},
        {"\\'e9x", Kind::HexEscape, "\\'e9", "", "", ""},
        {"\\'{}", Kind::HexEscape, "\\'3f", "", "", ""}, // no hex digits: a question mark
        {"a", Kind::Character, "a", "", "", ""},
        {"\r\n", Kind::Character, "\r", "", "", ""},
        {" ", Kind::Character, " ", "", "", ""},
    };
    for (const Case& c : cases) {
        TRtfStream stream(c.input, false);
        EXPECT_EQ(stream.nextToken(), c.kind) << c.input;
        EXPECT_EQ(stream.token(), c.token) << c.input;
        EXPECT_EQ(stream.keyword(), c.keyword) << c.input;
        EXPECT_EQ(stream.parameter(), c.parameter) << c.input;
        EXPECT_EQ(stream.delimiter(), c.delimiter) << c.input;
        EXPECT_EQ(stream.position(), std::string(c.token).size()) << c.input;
    }
}

TEST(NextToken, EndsOnNothingNulAndUnknownSymbols) {
    for (const std::string& input :
         {""s, "\0abc"s, "\\"s, "\\'"s, "\\'e"s, "\\_x"s, "\\:x"s, "\\|x"s, "\\\r\n"s, "\\1"s}) {
        TRtfStream stream(input, false);
        EXPECT_EQ(stream.nextToken(), Kind::End) << input;
    }
}

TEST(NextToken, ClearsTheFieldsOfTheLastControlWord) {
    TRtfStream stream("\\fs24 x", false);
    ASSERT_EQ(stream.nextToken(), Kind::ControlWord);
    ASSERT_EQ(stream.nextToken(), Kind::Character);
    EXPECT_EQ(stream.token(), "x");
    EXPECT_EQ(stream.keyword(), "");
    EXPECT_EQ(stream.parameter(), "");
    EXPECT_EQ(stream.delimiter(), "");
}

TEST(GroupReaders, ReadCopyAndSkipAWholeGroup) {
    struct Case {
        const char* input;
        const char* group; // nullptr: not closed
    } cases[] = {
        {"{a{b}c}rest", "{a{b}c}"},
        {"{a\\}b}x", "{a\\}b}"}, // an escaped brace is not counted
        {"{a\\{b}x", "{a\\{b}"},
        {"{a\\\\}x", "{a\\\\}"}, // a brace after an escaped backslash is
        {"{\\pict{\\*\\b 1}00ff}z", "{\\pict{\\*\\b 1}00ff}"},
        {"{a{b}", nullptr},
        {"{a\\}", nullptr},
    };
    for (const Case& c : cases) {
        const std::string input = c.input;
        const size_t size = input.size();
        {
            TRtfStream stream(input, false);
            std::string_view group;
            EXPECT_EQ(stream.readGroup(group), c.group != nullptr) << input;
            if (c.group != nullptr) {
                EXPECT_EQ(group, c.group);
                EXPECT_EQ(stream.position(), group.size());
            } else {
                EXPECT_EQ(stream.position(), 0u);
            }
        }
        {
            TRtfStream stream(input, false);
            std::string out = "<";
            stream.setOutput(&out);
            EXPECT_EQ(stream.copyGroup(), c.group != nullptr) << input;
            EXPECT_EQ(out, std::string("<") + (c.group ? c.group : ""));
            EXPECT_EQ(stream.position(), c.group ? std::string(c.group).size() : 0u);
        }
        {
            TRtfStream stream(input, false);
            stream.skipGroup();
            EXPECT_EQ(stream.position(), c.group ? std::string(c.group).size() : size) << input;
        }
    }
}

TEST(FragmentFilter, ActsOnEachKindOfKeyword) {
    struct Case {
        std::string fragment;
        bool tableRow;
        std::string expected;
    } cases[] = {
        // drop, copy, remember, ignore
        {"{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033 Text}", false, "{Text}"},
        {"{\\b\\i0 x\\par \\qc\\tab y}", false, "{\\b\\i0 x\\par \\qc\\tab y}"},
        {"{\\strike\\b x}", false, "{\\b x}"},
        {"{a\\line b}", false, "{ab}"},
        {"{\\B x\\PAR }", false, "{\\B x\\PAR }"},
        {"{\\bin4 abcd}", false, "{abcd}"},
        {"{\\paperw12240\\margl1800 x}", false, "{x}"},
        // skip group, copy group
        {"{\\rtf1{\\header x}{\\footer y}{\\info{\\title t}}{\\listtable{\\list}}z}", false, "{z}"},
        {"{\\rtf1 a{\\pict{\\*\\blipuid 1}ab\\}}z}", false, "{a{\\pict{\\*\\blipuid 1}ab\\}}z}"},
        {"{\\rtf1 a{\\object{\\objdata 01}}b}", false, "{a{\\object{\\objdata 01}}b}"},
        // translate without tables: numbers map to themselves
        {"{\\cf2\\cb3\\highlight4\\ulc5 x}", false, "{\\cf2\\cb3\\highlight4\\ulc5 x}"},
        {"{\\F2 x}", false, "{\\f2 x}"},
        {"{\\s3\\cs4\\ds5\\pnf6 x}", false, "{\\s3\\cs4\\ds5\\pnf6 x}"},
        {"{\\plain x}", false, "{\\plain\\f x}"}, // no font table: no default font
        // table keywords and the table-row rewrites
        {"{\\trowd\\cellx100\\intbl a\\cell\\row}", false,
         "{\\trowd\\cellx100\\intbl a\\cell\\row}"},
        {"{\\trowd\\cellx100\\intbl a\\cell\\row}", true, "{a\\line}"},
        {"{\\row x}", true, "{\\line x}"},
        {"{\\pard x}", false, "{\\pard x}"},
        {"{\\pard x}", true, "{"s + kRowReset + " x}"},
        {"{\\pard\\b x}", true, "{"s + kRowReset + "\\b x}"},
        {"{\\clcbpat2\\clcfpat3 x}", false, "{\\clcbpat2\\clcfpat3 x}"},
        {"{\\clcbpat2\\clcfpat3 x}", true, "{x}"},
        // symbols pass unchanged; an unknown symbol ends the fragment
        {"{a\\'e9\\\\\\{\\}\\~\\-b}", false, "{a\\'e9\\\\\\{\\}\\~\\-b}"},
        {"{a\\_b}", false, "{a}"},
        {"{a\\:b{c}}", false, "{a}"},
        {"{a\0b}"s, false, "{a}"},
        // Unicode characters pass with the unit that stands in for them
        {"{x\\u8364?\\u-4064\\'3f y}", false, "{x\\u8364?\\u-4064\\'3f y}"},
        {"{\\U263 ?}", false, "{\\U263 ?}"},
        // whatever the fallback is, as many units as "\uc" says, within the group
        {"{x\\u8220\\ldblquote Hi}", false, "{x\\u8220\\ldblquote Hi}"},
        {"{\\uc2\\u20013\\'d6\\'d0\\strike x}", false, "{\\uc2\\u20013\\'d6\\'d0x}"},
        {"{\\uc0\\u322\\strike l}", false, "{\\uc0\\u322 l}"},
        {"{\\uc2{\\uc0}\\u322\\strike\\line x}", false, "{\\uc2{\\uc0}\\u322\\strike\\line x}"},
        {"{\\u322{\\strike l}}", false, "{\\u322{l}}"},
        {"{\\u x}", false, "{x}"},
        // a word whose delimiter left with a dropped word still ends where it did
        {"{\\b\\insrsid5 Hi}", false, "{\\b Hi}"},
        {"{\\f0\\insrsid5 12}", false, "{\\f0 12}"},
        {"{\\b\\insrsid5  two}", false, "{\\b  two}"},
        {"{\\b\\insrsid5 \\i\\insrsid5 -3}", false, "{\\b\\i -3}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(filter(c.fragment, c.tableRow), c.expected) << c.fragment;
}

TEST(FragmentFilter, HoldsBackTheOpeningBraceAndDestinationMarker) {
    struct Case {
        const char* fragment;
        const char* expected;
    } cases[] = {
        {"{\\rtf1{\\ansi}}", "{{}}"},                    // an emptied group still opens and closes
        {"{\\rtf1 a{\\*\\bkmkstart x}b}", "{a{\\*x}b}"}, // unknown destination: its text stays
        {"{\\rtf1{\\*\\fonttbl{\\f0 Arial;}}x}", "{x}"},
        {"{\\rtf1\\*{\\b x}}", "{\\*{\\b x}}"},
        {"{\\rtf1 a{}b}", "{a{}b}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(filter(c.fragment), c.expected) << c.fragment;
}

TEST(FragmentFilter, KeepsBracesBalanced) {
    // Whatever the fragment holds, the text it leaves in the document opens and closes
    // as many groups as it has, so it never closes or leaves open a group around it.
    struct Case {
        const char* fragment;
        const char* expected;
    } cases[] = {
        {"{a{\\b c", "{a{\\b c}}"}, // unclosed groups are closed
        {"{a{", "{a}"},             // a "{" never written needs no "}"
        {"{a}}b", "{a}b"},          // a stray "}" is dropped
        {"}x", "x"},
        {"{a{\\b b\\_c}d}", "{a{\\b b}}"},         // the fragment ends inside groups
        {"{\\rtf1 a{\\pict 0102", "{a}"},          // unclosed copy group: rest consumed
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}x", "{}"}, // unclosed merge group: rest consumed
        {"{\\rtf1{\\info{\\title t}x", "{}"},      // unclosed skip group: rest consumed
        {"\\pict abc", "abc"},                     // a group word outside every group
        {"{\\rtf1{\\b \\pict{x}ab}c}", "{{\\b \\pict{x}ab}c}"}, // group word after text
        {"{\\rtf1{\\b x\\header y}z}", "{{\\b x}z}"},
        {"{\\rtf1{\\b x\\header y", "{{\\b x}}"},
        // A hex escape without its digits becomes a question mark, so the braces it
        // held are read alike by the filter, its group readers and any reader.
        {"{a\\'{}b}", "{a\\'3fb}"},
        {"{\\b \\'}}x\\header y}", "{\\b \\'3fx}"},
        {"{\\rtf1{\\pict\\'}}ab}c}", "{{\\pict\\'3fab}c}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(filter(c.fragment), c.expected) << c.fragment;
}

TEST(FragmentFilter, WritesNothingWithoutAnOutput) {
    TRtfStream stream("{\\b x}", false);
    stream.run();
    EXPECT_EQ(stream.position(), 0u);
}

TEST(FragmentFilter, RefusesANumberWordWithoutItsNumber) {
    for (const char* fragment :
         {"{\\f x}", "{\\cf x}", "{\\s x}", "{\\highlight x}", "{\\f99999999999 x}",
          "{\\rtf1\\deff{\\fonttbl{\\f0\\fswiss Arial;}}}"}) {
        EXPECT_THROW(filter(fragment), rtfengine::EBadRtfFormat) << fragment;
    }
    // Words whose number is not rewritten need none.
    EXPECT_NO_THROW(filter("{\\plain\\pard\\row\\b x}"));
    EXPECT_NO_THROW(filter("{\\clcbpat x}", true));
}

namespace {

// True when every "}" closes a "{" written before it and none is left open; a byte
// after a backslash is a symbol, not a brace.
bool balanced(std::string_view text) {
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == '{')
            ++depth;
        else if (text[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

} // namespace

TEST(FragmentFilter, EveryCutOfAFragmentLeavesBalancedText) {
    const std::string fragment =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}"
        "{\\stylesheet{\\s1\\sbasedon0 h;}}{\\header{\\b x}}{\\*\\bkmkstart a}"
        "\\pard\\s1\\cf1\\f0 A\\'e9\\{b\\} {\\pict{\\*\\blipuid 1}00ff}{\\b\\object{\\x}c}\\par }";
    for (size_t length = 0; length <= fragment.size(); ++length) {
        const std::string cut = fragment.substr(0, length);
        std::string out;
        try {
            out = filter(cut);
        } catch (const rtfengine::EBadRtfFormat&) {
            continue; // cut inside a number word such as "\f"
        }
        EXPECT_TRUE(balanced(out)) << "cut at " << length << ": " << out;
    }
}
