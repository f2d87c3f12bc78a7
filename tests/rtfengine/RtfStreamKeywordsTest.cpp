#include "rtfengine/RtfKeywords.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using rtfengine::findKeyword;
using rtfengine::keywordTable;
using rtfengine::KwAction;
using rtfengine::KwCode;

TEST(KeywordTable, HasEveryRowOnceInByteOrder) {
    const auto rows = keywordTable();
    ASSERT_EQ(rows.size(), 281u);
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LT(rows[i - 1].keyword, rows[i].keyword) << "row " << i;
    for (const auto& row : rows) {
        ASSERT_GE(row.keyword.size(), 2u);
        EXPECT_EQ(row.keyword[0], '\\');
        for (const char c : row.keyword.substr(1))
            EXPECT_TRUE(c >= 'a' && c <= 'z') << row.keyword;
    }
}

TEST(KeywordTable, ActionListsHaveTheirCounts) {
    std::map<KwAction, int> counts;
    for (const auto& row : keywordTable())
        ++counts[row.action];
    EXPECT_EQ(counts[KwAction::Drop], 27);
    EXPECT_EQ(counts[KwAction::Copy], 170);
    EXPECT_EQ(counts[KwAction::Translate], 20);
    EXPECT_EQ(counts[KwAction::Ignore], 1);
    EXPECT_EQ(counts[KwAction::Remember], 1);
    EXPECT_EQ(counts[KwAction::SkipGroup], 4);
    EXPECT_EQ(counts[KwAction::CopyGroup], 2);
    EXPECT_EQ(counts[KwAction::MergeTable], 3);
    EXPECT_EQ(counts[KwAction::TableKeyword], 53);
}

TEST(KeywordTable, RowsCarryTheirActionAndSubCode) {
    struct Case {
        const char* keyword;
        KwAction action;
        KwCode code;
    } cases[] = {
        {"\\adjustright", KwAction::Copy, KwCode::None}, // first row
        {"\\widowctrl", KwAction::Drop, KwCode::None},   // last row
        {"\\rtf", KwAction::Drop, KwCode::None},
        {"\\par", KwAction::Copy, KwCode::None},
        {"\\uc", KwAction::Copy, KwCode::None},
        {"\\bin", KwAction::Ignore, KwCode::Binary},
        {"\\deff", KwAction::Remember, KwCode::DefaultFont},
        {"\\info", KwAction::SkipGroup, KwCode::None},
        {"\\pict", KwAction::CopyGroup, KwCode::None},
        {"\\fonttbl", KwAction::MergeTable, KwCode::FontTable},
        {"\\colortbl", KwAction::MergeTable, KwCode::ColorTable},
        {"\\stylesheet", KwAction::MergeTable, KwCode::Stylesheet},
        {"\\f", KwAction::Translate, KwCode::Font},
        {"\\cb", KwAction::Translate, KwCode::BackColor},
        {"\\brdrcf", KwAction::Translate, KwCode::Color},
        {"\\chcfpat", KwAction::Translate, KwCode::Color},
        {"\\ulc", KwAction::Translate, KwCode::Color},
        {"\\s", KwAction::Translate, KwCode::Style},
        {"\\cs", KwAction::Translate, KwCode::CharStyle},
        {"\\ds", KwAction::Translate, KwCode::SectionStyle},
        {"\\plain", KwAction::Translate, KwCode::Plain},
        {"\\highlight", KwAction::Translate, KwCode::Highlight},
        {"\\row", KwAction::Translate, KwCode::Row},
        {"\\pnf", KwAction::Translate, KwCode::ParaFont},
        {"\\pard", KwAction::Translate, KwCode::Pard},
        {"\\clcfpat", KwAction::Translate, KwCode::CellColor},
        {"\\cell", KwAction::TableKeyword, KwCode::None},
        {"\\trowd", KwAction::TableKeyword, KwCode::None},
        {"\\trrh", KwAction::TableKeyword, KwCode::None},
    };
    for (const Case& c : cases) {
        const auto* row = findKeyword(c.keyword);
        ASSERT_NE(row, nullptr) << c.keyword;
        EXPECT_EQ(row->keyword, c.keyword);
        EXPECT_EQ(row->action, c.action) << c.keyword;
        EXPECT_EQ(row->subCode, c.code) << c.keyword;
    }
}

TEST(KeywordTable, WordsOutsideTheTableAreNotFound) {
    // Strike-through and line breaks are not document words the filter knows; the
    // Unicode word is handled beside the table; lookups are made in lower case.
    for (const char* keyword :
         {"\\strike", "\\line", "\\u", "\\B", "\\", "\\zzz", "\\a", "\\fonttb"})
        EXPECT_EQ(findKeyword(keyword), nullptr) << keyword;
}
