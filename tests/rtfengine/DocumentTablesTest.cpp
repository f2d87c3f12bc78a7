#include "rtfengine/DocumentTables.h"

#include "rtfengine/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <string>
#include <vector>

using rtfengine::DocumentTables;
using rtfengine::EBadRtfFormat;
using rtfengine::insertRtfFragment;
using Strings = std::vector<std::string>;

namespace {

// What a section function hands over: Arial, black, 12 points.
constexpr const char* kSectionFragment =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 "
    "Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs24 "
    "Text\\par }";

constexpr const char* kTimes = "{\\f0\\froman\\fcharset0 Times New Roman;}";

DocumentTables workedExampleTables() {
    DocumentTables tables;
    tables.fonts = {kTimes};
    tables.colors = {";", "\\red0\\green0\\blue0;"};
    return tables;
}

std::string insert(DocumentTables& tables, const std::string& fragment, bool tableRow = false) {
    std::string out;
    insertRtfFragment(tables, tableRow, out, fragment);
    return out;
}

std::string fragmentWithFonts(const std::string& fontEntries, const std::string& body,
                              const std::string& deff = "\\deff0") {
    return "{\\rtf1\\ansi" + deff + "{\\fonttbl" + fontEntries + "}" + body + "}";
}

} // namespace

TEST(InsertRtfFragment, WorkedExample) {
    DocumentTables tables = workedExampleTables();
    EXPECT_EQ(insert(tables, kSectionFragment), "{\\uc1\\pard\\cf1\\b\\f1\\fs24 Text\\par }");
    EXPECT_EQ(tables.fonts, (Strings{kTimes, "{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}"}));
    EXPECT_EQ(tables.colors, (Strings{";", "\\red0\\green0\\blue0;", " ;"}));
    EXPECT_TRUE(tables.styles.empty());
}

TEST(InsertRtfFragment, SameFragmentAgainAddsNothing) {
    DocumentTables tables = workedExampleTables();
    const std::string first = insert(tables, kSectionFragment);
    const DocumentTables afterFirst = tables;
    EXPECT_EQ(insert(tables, kSectionFragment), first);
    EXPECT_EQ(tables.fonts, afterFirst.fonts);
    EXPECT_EQ(tables.colors, afterFirst.colors);
}

TEST(InsertRtfFragment, WorkedExampleInTableRowMode) {
    DocumentTables tables = workedExampleTables();
    EXPECT_EQ(insert(tables, kSectionFragment, true),
              "{\\uc1\\ql \\li0\\ri0\\widctlpar\\aspalpha\\aspnum\\faauto\\adjustright\\rin0"
              "\\lin0\\itap0 \\cgrid\\cf1\\b\\f1\\fs24 Text\\par }");
}

TEST(InsertRtfFragment, AppendsToWhatTheDestinationHolds) {
    DocumentTables tables = workedExampleTables();
    std::string out = "before ";
    insertRtfFragment(tables, false, out, "{\\rtf1 x}");
    EXPECT_EQ(out, "before {x}");
}

TEST(InsertRtfFragment, MergesFontsIntoTheDocumentNumbering) {
    DocumentTables tables;
    tables.fonts = {"{\\f0\\froman Times;}", "{\\f7\\fswiss Arial;}", "{\\fx bad;}", "{\\f;}",
                    "\\f3 Loose;"};
    const std::string out = insert(
        tables, fragmentWithFonts("{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier;}{\\f2\\froman "
                                  "Times;}",
                                  "\\f0 a\\f1 b\\f2 c\\f3 d\\pnf1 e"));
    // Arial is found again, Courier is new and numbered above the highest (not the
    // count), Times is found, and an unknown number keeps its value.
    EXPECT_EQ(out, "{\\f7 a\\f8 b\\f0 c\\f3 d\\pnf8 e}");
    // Entries of a wrong form do not survive the merge.
    EXPECT_EQ(tables.fonts, (Strings{"{\\f0\\froman Times;}", "{\\f7\\fswiss Arial;}",
                                     "{\\f8\\fmodern Courier;}"}));
}

TEST(InsertRtfFragment, MergesFontsWrittenWithoutAGroupEach) {
    DocumentTables tables;
    tables.fonts = {"{\\f0\\froman Times;}", "{\\f1\\fswiss Helvetica;}"};
    EXPECT_EQ(insert(tables, "{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\fmodern Courier;}"
                             "\\f0 a\\f1 b}"),
              "{\\f1 a\\f2 b}");
    EXPECT_EQ(tables.fonts, (Strings{"{\\f0\\froman Times;}", "{\\f1\\fswiss Helvetica;}",
                                     "{\\f2\\fmodern Courier;}"}));
}

TEST(InsertRtfFragment, IgnoresAFontTableTooShortToHoldAFont) {
    DocumentTables tables;
    EXPECT_EQ(insert(tables, "{\\rtf1{\\fonttbl{\\f0;}}\\f0 x}"), "{\\f0 x}");
    EXPECT_TRUE(tables.fonts.empty());
    EXPECT_EQ(insert(tables, "{\\rtf1{\\fonttbl{\\f0 A;}}\\f0 x}"), "{\\f1 x}");
    EXPECT_EQ(tables.fonts, (Strings{"{\\f1 A;}"}));
}

TEST(InsertRtfFragment, PlainSelectsTheFragmentsDefaultFontMerged) {
    struct Case {
        std::string fragment;
        const char* expected;
    } cases[] = {
        {fragmentWithFonts("{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}", "\\plain x"),
         "{\\plain\\f1 x}"},
        {fragmentWithFonts("{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}",
                           "\\plain\\b\\f1 x", "\\deff1"),
         "{\\plain\\f0\\b\\f0 x}"},
        {fragmentWithFonts("{\\f0\\fswiss Arial;}", "\\plain x", ""), "{\\plain\\f1 x}"},
        {"{\\rtf1\\deff0\\plain x}", "{\\plain\\f x}"},
        {"{\\rtf1\\plain{\\fonttbl{\\f0\\fswiss Arial;}}\\plain\\b x}",
         "{\\plain\\f\\plain\\f1\\b x}"},
    };
    for (const Case& c : cases) {
        DocumentTables tables = workedExampleTables();
        EXPECT_EQ(insert(tables, c.fragment), c.expected) << c.fragment;
    }
}

TEST(InsertRtfFragment, MergesColoursBySlot) {
    DocumentTables tables;
    tables.colors = {";", "\\red0\\green0\\blue255;", "no slot"};
    const std::string out = insert(
        tables, "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red9}"
                "\\cf1 a\\cf2 b\\cb2\\highlight1\\chcbpat2\\brdrcf1\\ulc2\\clcbpat1 c\\cf3 d}");
    EXPECT_EQ(out, "{\\cf2 a\\cf1 b\\cb1\\highlight2\\chcbpat1\\brdrcf2\\ulc1\\clcbpat2 c\\cf3 d}");
    EXPECT_EQ(tables.colors,
              (Strings{";", "\\red0\\green0\\blue255;", "\\red255\\green0\\blue0;"}));
}

TEST(InsertRtfFragment, ColourTableNeedsItsFirstSlot) {
    DocumentTables tables;
    tables.colors = {"\\red1\\green1\\blue1;"};
    EXPECT_EQ(insert(tables, "{\\rtf1{\\colortbl}\\cf0 x}"), "{\\cf0 x}");
    EXPECT_EQ(tables.colors.size(), 1u);
    EXPECT_EQ(insert(tables, "{\\rtf1{\\colortbl;}\\cf0 x}"), "{\\cf1 x}");
    EXPECT_EQ(tables.colors, (Strings{"\\red1\\green1\\blue1;", ";"}));
}

TEST(InsertRtfFragment, GroupsAndSymbolsInsideTheColourTableAreNoColours) {
    // Their braces in a slot would break the head.
    struct Case {
        const char* table;
        Strings colors;
        const char* out;
    } cases[] = {
        {"{\\colortbl{;}}", {";", "\\red9\\green9\\blue9;"}, "{\\cf1 x}"},
        {"{\\colortbl;{\\*\\x;}\\red1\\green2\\blue3;}",
         {";", "\\red9\\green9\\blue9;", "\\red1\\green2\\blue3;"},
         "{\\cf2 x}"},
        {"{\\colortbl;\\red1\\green2\\blue3\\'7b\\{;}",
         {";", "\\red9\\green9\\blue9;", "\\red1\\green2\\blue3;"},
         "{\\cf2 x}"},
        // Words before the table's own word are no part of the table.
        {"{\\x\\colortbl;\\red1\\green2\\blue3;}",
         {";", "\\red9\\green9\\blue9;", "\\red1\\green2\\blue3;"},
         "{\\cf2 x}"},
        {"{\\-\\colortbl;\\red1\\green2\\blue3;}",
         {";", "\\red9\\green9\\blue9;", "\\red1\\green2\\blue3;"},
         "{{\\-}\\cf2 x}"},
        {"{\\colortbl;\\red1\\green2\\blue3{\\*\\y};}",
         {";", "\\red9\\green9\\blue9;", "\\red1\\green2\\blue3;"},
         "{\\cf2 x}"},
        // What is left out never joins the words around it into another word.
        {"{\\colortbl;\\bi{x}n5\\'41;}", {";", "\\red9\\green9\\blue9;", "\\bi n5;"}, "{\\cf2 x}"},
    };
    for (const Case& c : cases) {
        DocumentTables tables;
        tables.colors = {";", "\\red9\\green9\\blue9;"};
        EXPECT_EQ(insert(tables, std::string("{\\rtf1") + c.table + "\\cf1 x}"), c.out) << c.table;
        EXPECT_EQ(tables.colors, c.colors) << c.table;
        std::string head;
        writeColorTable(tables, head);
        EXPECT_EQ(head.find_first_of("{}", 1), head.size() - 1) << head;
    }
}

TEST(InsertRtfFragment, ControlBytesInAStyleNeverJoinWords) {
    DocumentTables tables;
    insert(tables, "{\\rtf1{\\stylesheet{\\s1\\bi\x11n8 A;}{\\s2\\\x11"
                   "bin4 B;}{\\s3\\bi\x11\\\x11n5 C;}}x}");
    EXPECT_EQ(tables.styles, (Strings{"{\\s1\\bi n8 A;}", "{\\s2 bin4 B;}", "{\\s3\\bi n5 C;}"}));
}

TEST(InsertRtfFragment, ControlBytesNeverUnbalanceTheTables) {
    using namespace std::string_literals;
    DocumentTables tables;
    tables.styles = {"{\\s0 Normal;}"};
    const std::string fragments[] = {
        "{\\stylesheet{\\\0{};}}"s,
        "{\\rtf1{\\stylesheet{\\s1 A;}{\\s2\0 B;}}\\s1 x}"s,
        "{\\rtf1{\\fonttbl{\\f0\0\\fnil X;}}\\f0 y}"s,
        // Not a zero byte, but a control byte dropped from a style entry.
        "{\\stylesheet{{\\\1};}}"s,
    };
    for (const std::string& fragment : fragments) {
        const std::string out = insert(tables, fragment);
        std::string head;
        writeFontTable(tables, head);
        writeStylesheet(tables, head);
        EXPECT_EQ(std::count(head.begin(), head.end(), '{'),
                  std::count(head.begin(), head.end(), '}'))
            << head;
        EXPECT_EQ(head.find('\0'), std::string::npos);
        EXPECT_EQ(out.find('\0'), std::string::npos);
    }
    EXPECT_EQ(tables.styles, Strings{"{\\s0 Normal;}"});
    EXPECT_TRUE(tables.fonts.empty());
}

TEST(InsertRtfFragment, MergesAndRenumbersStyles) {
    DocumentTables tables;
    tables.fonts = {"{\\f0\\froman Times;}"};
    tables.colors = {";", "\\red0\\green0\\blue0;"};
    tables.styles = {"{\\s0\\ql\\f0\\fs24 Normal;}",
                     "{\\*\\cs10\\additive Default Paragraph Font;}"};
    const std::string fragment =
        "{\\rtf1\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "{\\stylesheet{\\ql\\f0\\fs24 Normal;}"
        "{\\s1\\f0\\cf1\\cb1\\highlight1\\sbasedon0\\snext0 heading 1;}"
        "{\\*\\cs10\\additive Default Paragraph Font;}"
        "{\\s2\\ql\\f0\\fs24 Normal;}"
        "{\\s3\\cf1\\snext3 Red;}"
        "{\\s4\\sbasedon3\\snext4 Sub;}}"
        "\\s1\\f0 Head\\par\\s3 Body\\cs10 x\\par\\s2\\s4 y}";
    EXPECT_EQ(insert(tables, fragment), "{\\s11\\f1 Head\\par\\s12 Body\\cs10 x\\par\\s0\\s13 y}");
    EXPECT_EQ(
        tables.styles,
        (Strings{"{\\s0\\ql\\f0\\fs24 Normal;}", "{\\*\\cs10\\additive Default Paragraph Font;}",
                 "{\\s11\\f1\\cf2\\cb1\\highlight1\\sbasedon0\\snext0 heading 1;}",
                 "{\\s12\\cf2\\snext12 Red;}", "{\\s13\\sbasedon12\\snext13 Sub;}"}));
}

TEST(InsertRtfFragment, ReusesOnlySelfContainedStyles) {
    struct Case {
        const char* existing;
        const char* merged;
        const char* body; // what "\s1 x" becomes
        size_t count;     // styles afterwards
    } cases[] = {
        {"{\\*\\cs5 \\b Strong;}", "{\\s1 \\b Strong;}", "{\\s5 x}", 1}, // kind not compared
        {"{\\s1\\sbasedon0 Quote;}", "{\\s1\\sbasedon0 Quote;}", "{\\s2 x}", 2},
        {"{\\s1\\snext0 Title;}", "{\\s1\\snext0 Title;}", "{\\s2 x}", 2},
        {"{\\s1\\snext1 Title;}", "{\\s1\\snext1 Title;}", "{\\s1 x}", 1},
        {"{\\s4\\snext9 X;}", "{\\s1\\snext1 X;}", "{\\s4 x}", 1}, // next ignored
        {"{\\s4 X;}", "{\\s1\\snext1 X;}", "{\\s5 x}", 2},         // but not its absence
        {"{\\s4\\snext4 X;}", "{\\s1 X;}", "{\\s5 x}", 2},
        {"{\\s4\\snext X;}", "{\\s1\\snext X;}", "{\\s5 x}", 2}, // no digits: not own
    };
    for (const Case& c : cases) {
        DocumentTables tables;
        tables.styles = {c.existing};
        const std::string fragment = std::string("{\\rtf1{\\stylesheet") + c.merged + "}\\s1 x}";
        EXPECT_EQ(insert(tables, fragment), c.body) << c.existing << " / " << c.merged;
        EXPECT_EQ(tables.styles.size(), c.count) << c.existing << " / " << c.merged;
    }
}

TEST(InsertRtfFragment, RewritesTheDocumentStyleEntries) {
    struct Case {
        const char* stored;
        const char* written; // nullptr: dropped
    } cases[] = {
        {"{\\s1\\ql\r\n Normal;}", "{\\s1\\ql Normal;}"}, // control bytes removed
        {"{\\*\\cs7 \\b Strong;}", "{\\*\\cs7 \\b Strong;}"},
        {"{\\cs7 \\b Strong;}", "{\\*\\cs7 \\b Strong;}"},
        {"{\\*\\ds3 Section;}", "{\\ds3 Section;}"},
        {"{\\ds3 Section;}", "{\\ds3 Section;}"},
        {"{\\ql Normal;}", "{\\s0\\ql Normal;}"},                   // Normal without a number
        {"{\\sb120\\sa60 Normal;}", "{\\s0\\sb120\\sa60 Normal;}"}, // spacing, not a number
        {"{\\*\\ts11\\tsrowd Table;}", "{\\s0\\*\\ts11\\tsrowd Table;}"},
        {"{\\s1 x}", nullptr},
        {"{\\s;}", nullptr},
        {"\\s1 x;}", nullptr},
    };
    for (const Case& c : cases) {
        DocumentTables tables;
        tables.styles = {c.stored};
        insert(tables, "{\\rtf1 x}");
        EXPECT_EQ(tables.styles, c.written ? Strings{c.written} : Strings{}) << c.stored;
    }
}

TEST(InsertRtfFragment, NewStylesAreNumberedAboveEveryKind) {
    DocumentTables tables;
    tables.styles = {"{\\s2 A;}", "{\\*\\cs15 B;}"};
    EXPECT_EQ(insert(tables, "{\\rtf1{\\stylesheet{\\s1\\sbasedon0 C;}}\\s1 x}"), "{\\s16 x}");
    EXPECT_EQ(tables.styles.back(), "{\\s16\\sbasedon0 C;}");
}

TEST(InsertRtfFragment, RenumbersStyleWordsButNotEscapedText) {
    DocumentTables tables;
    tables.colors = {";", "\\red9\\green9\\blue9;"};
    insert(tables, "{\\rtf1{\\fonttbl{\\f2\\fswiss Arial;}}{\\colortbl;\\red1\\green1\\blue1;}"
                   "{\\stylesheet{\\s1\\f2\\cf1\\brdrcf1\\sbasedon0 back\\\\f2;}}x}");
    EXPECT_EQ(tables.styles, (Strings{"{\\s1\\f1\\cf2\\brdrcf1\\sbasedon0 back\\\\f2;}"}));
}

TEST(InsertRtfFragment, FailureLeavesTablesAndDestinationAsTheyWere) {
    const char* fragments[] = {
        "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red1\\green2\\blue3;}\\f0 a\\f b}",
        "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\stylesheet{\\s99999999999 Big;}}x}",
        "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}\\cf x}",
    };
    for (const char* fragment : fragments) {
        DocumentTables tables = workedExampleTables();
        tables.styles = {"{\\s1 Old;}"};
        const DocumentTables before = tables;
        std::string out = "kept";
        EXPECT_THROW(insertRtfFragment(tables, false, out, fragment), EBadRtfFormat) << fragment;
        EXPECT_EQ(out, "kept");
        EXPECT_EQ(tables.fonts, before.fonts);
        EXPECT_EQ(tables.colors, before.colors);
        EXPECT_EQ(tables.styles, before.styles);
    }
}

TEST(TemplateTables, FontTableTakesEachEntryInTheEnginesCharset) {
    const std::string text =
        "xx{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}\r\n"
        "{\\f1\\fswiss\\fcharset238{\\*\\panose 020b0604020202020204}Arial;}{\\f2 Symbol;}}yy";
    DocumentTables tables;
    size_t pos = 2;
    rtfengine::readFontTable(text, pos, tables, 204);
    EXPECT_EQ(tables.fonts,
              (Strings{"{\\f0\\froman\\fcharset204 Times New Roman;}",
                       "{\\f1\\fswiss\\fcharset204{\\*\\panose 020b0604020202020204}Arial;}",
                       "{\\f2 Symbol;}"}));
    EXPECT_EQ(text.substr(pos), "yy");

    // Without a character set of the engine's, each font keeps its own.
    const std::string own =
        "{\\fonttbl{\\f0\\fcharset238 A;}\\f1\\fcharset128 B;{\\f2\\fcharset C;}}";
    tables.fonts.clear();
    pos = 0;
    rtfengine::readFontTable(own, pos, tables, std::nullopt);
    EXPECT_EQ(tables.fonts,
              (Strings{"{\\f0\\fcharset238 A;}", "{\\f1\\fcharset128 B;}", "{\\f2\\fcharset C;}"}));
    EXPECT_EQ(pos, own.size());
}

TEST(TemplateTables, FontEntriesWithoutAGroupOfTheirOwnEndAtTheirSemicolon) {
    struct Case {
        const char* group;
        Strings fonts;
    } cases[] = {
        {"{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fmodern\\fcharset0 Courier;}",
         {"{\\f0\\fswiss\\fcharset2 Helvetica;}", "{\\f1\\fmodern\\fcharset2 Courier;}"}},
        {"{\\fonttbl{\\f0 A;}\\f1 B;\r\n{\\f2 C;}}", {"{\\f0 A;}", "{\\f1 B;}", "{\\f2 C;}"}},
        {"{\\fonttbl\\f0\\fnil{\\*\\panose 02;}Menlo;}", {"{\\f0\\fnil{\\*\\panose 02;}Menlo;}"}},
        {"{\\fonttbl \\f0 A\\\\f1 B;}", {"{\\f0 A\\\\f1 B;}"}},
        {"{\\fonttbl\\f0 A}", {"{\\f0 A}"}},
    };
    for (const Case& c : cases) {
        const std::string text = std::string(c.group) + "rest";
        DocumentTables tables;
        size_t pos = 0;
        rtfengine::readFontTable(text, pos, tables, 2);
        EXPECT_EQ(tables.fonts, c.fonts) << c.group;
        EXPECT_EQ(text.substr(pos), "rest") << c.group;
    }
}

TEST(TemplateTables, ColourTableKeepsTheTemplatesSlots) {
    struct Case {
        const char* group;
        Strings colors;
    } cases[] = {
        {"{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}",
         {";", "\\red255\\green0\\blue0;", "\\red0\\green128\\blue255;"}},
        // A first slot that is a real colour stays colour 0.
        {"{\\colortbl\\red1\\green2\\blue3;}", {"\\red1\\green2\\blue3;"}},
        {"{\\colortbl ;\\red10\\green20\\blue30;\r\n\\red40\\blue60\\green50;}",
         {";", "\\red10\\green20\\blue30;", "\\red40\\green50\\blue60;"}},
        {"{\\colortbl;}", {";"}},
        // Empty slots in the middle keep their numbers; a missing value is 0.
        {"{\\colortbl\\red255\\green255\\blue255;;\\green5\\blue6;\\red1\\green2\\blue3;}",
         {"\\red255\\green255\\blue255;", ";", "\\red0\\green5\\blue6;", "\\red1\\green2\\blue3;"}},
        // Only the colour words count, and what follows the last ";" is no slot.
        {"{\\colortbl;\\cmaindarkone\\ctint255\\red9\\green8\\blue7;\\redx;\\red5}",
         {";", "\\red9\\green8\\blue7;", ";"}},
        // Groups and symbols inside the table are no part of a slot.
        {"{\\colortbl;{\\*\\x \\red7;}\\red1\\green2\\blue3\\'3b;}",
         {";", "\\red1\\green2\\blue3;"}},
    };
    for (const Case& c : cases) {
        const std::string text = std::string(c.group) + "rest";
        DocumentTables tables;
        size_t pos = 0;
        rtfengine::readColorTable(text, pos, tables);
        EXPECT_EQ(tables.colors, c.colors) << c.group;
        EXPECT_TRUE(tables.hasColorTable);
        EXPECT_EQ(text.substr(pos), "rest");
    }
}

TEST(TemplateTables, StylesheetTakesEachTopLevelGroupUnchanged) {
    const std::string text = "{\\stylesheet{\\ql Normal;}\r\n{\\s1\\sbasedon0{\\*\\x y} h1;}}z";
    DocumentTables tables;
    size_t pos = 0;
    rtfengine::readStylesheet(text, pos, tables);
    EXPECT_EQ(tables.styles, (Strings{"{\\ql Normal;}", "{\\s1\\sbasedon0{\\*\\x y} h1;}"}));
    EXPECT_EQ(text.substr(pos), "z");
}

TEST(TemplateTables, UnreadableGroupsFailWithTheirMessages) {
    using Reader = std::function<void(const std::string&, size_t&, DocumentTables&)>;
    const Reader font = [](const std::string& t, size_t& p, DocumentTables& d) {
        rtfengine::readFontTable(t, p, d, 1);
    };
    const Reader color = [](const std::string& t, size_t& p, DocumentTables& d) {
        rtfengine::readColorTable(t, p, d);
    };
    const Reader style = [](const std::string& t, size_t& p, DocumentTables& d) {
        rtfengine::readStylesheet(t, p, d);
    };
    struct Case {
        Reader read;
        const char* text;
        const char* message;
    } cases[] = {
        {font, "{\\fonttbl{\\f0 Arial;}", "Can't read font table from input file"},
        {font, "\\fonttbl{\\f0 Arial;}}", "Can't read font table from input file"},
        {font, "{\\fonttbl{\\f0\\fcharset Arial;}}", "Can't define font charset in input file"},
        {font, "{\\fonttbl{\\f0\\fcharset-1 Arial;}}", "Can't define font charset in input file"},
        {color, "{\\colortbl;\\red1\\green2\\blue3;", "Can't read color table from input file"},
        {style, "{\\stylesheet{\\ql Normal;}", "Can't read stylesheet from input file"},
    };
    for (const Case& c : cases) {
        DocumentTables tables;
        size_t pos = 0;
        try {
            c.read(c.text, pos, tables);
            ADD_FAILURE() << "no failure for " << c.text;
        } catch (const EBadRtfFormat& e) {
            EXPECT_STREQ(e.what(), c.message) << c.text;
        }
    }
}

TEST(TemplateTables, WritersConcatenateTheEntries) {
    DocumentTables tables;
    tables.fonts = {"{\\f0 A;}", "{\\f1 B;}"};
    tables.colors = {";", "\\red1\\green2\\blue3;", " ;"};
    tables.styles = {"{\\s0 Normal;}", "{\\*\\cs1 C;}"};
    tables.hasColorTable = true;
    std::string out = "<";
    rtfengine::writeFontTable(tables, out);
    EXPECT_EQ(out, "<{\\fonttbl{\\f0 A;}{\\f1 B;}}");
    out.clear();
    rtfengine::writeColorTable(tables, out);
    EXPECT_EQ(out, "{\\colortbl;\\red1\\green2\\blue3; ;}");
    out.clear();
    rtfengine::writeStylesheet(tables, out);
    EXPECT_EQ(out, "{\\stylesheet{\\s0 Normal;}{\\*\\cs1 C;}}");
}

// LibreOffice skips an empty slot after the first, and every later colour would move
// onto its neighbour: a merged one is written as black, the template's own as it is.
TEST(TemplateTables, AMergedEmptySlotBeforeAColourKeepsItsNumber) {
    DocumentTables tables;
    tables.templateColorCount = 3;
    tables.colors = {";", ";", "\\red1\\green2\\blue3;", " ;", "\\red255\\green0\\blue0;", " ;"};
    tables.hasColorTable = true;
    std::string out;
    rtfengine::writeColorTable(tables, out);
    EXPECT_EQ(out, "{\\colortbl;;\\red1\\green2\\blue3;\\red0\\green0\\blue0;"
                   "\\red255\\green0\\blue0; ;}");
}

TEST(TemplateTables, FontTableCarriesTheColoursWhenTheTemplateHadNoColourTable) {
    DocumentTables tables;
    tables.fonts = {"{\\f0 A;}"};
    std::string out;
    rtfengine::writeFontTable(tables, out);
    EXPECT_EQ(out, "{\\fonttbl{\\f0 A;}}");

    tables.colors = {" ;", "\\red0\\green0\\blue0;"};
    out.clear();
    rtfengine::writeFontTable(tables, out);
    EXPECT_EQ(out, "{\\fonttbl{\\f0 A;}}{\\colortbl ;\\red0\\green0\\blue0;}");

    tables.hasColorTable = true;
    out.clear();
    rtfengine::writeFontTable(tables, out);
    EXPECT_EQ(out, "{\\fonttbl{\\f0 A;}}");
}

TEST(TemplateTables, TemplateHeadThroughAFragmentToTheWrittenTables) {
    const std::string head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New "
                             "Roman;}}{\\colortbl;\\red0\\green0\\blue0;}";
    DocumentTables tables;
    size_t pos = head.find("{\\fonttbl");
    rtfengine::readFontTable(head, pos, tables, 1);
    rtfengine::readColorTable(head, pos, tables);
    EXPECT_EQ(pos, head.size());

    EXPECT_EQ(insert(tables, kSectionFragment), "{\\uc1\\pard\\cf1\\b\\f1\\fs24 Text\\par }");
    std::string out;
    rtfengine::writeFontTable(tables, out);
    rtfengine::writeColorTable(tables, out);
    EXPECT_EQ(out, "{\\fonttbl{\\f0\\froman\\fcharset1 Times New Roman;}{\\f1\\fswiss\\fprq2"
                   "\\fcharset0 Arial;}}{\\colortbl;\\red0\\green0\\blue0; ;}");
}
