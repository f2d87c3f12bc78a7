// The fixed table of control words that the fragment filter knows, and what it does
// with each: drop it, copy it, rewrite its number, or take its whole group.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace rtfengine {

// What the filter does with a control word.
enum class KwAction : uint8_t {
    Drop = 0,         // nothing is written
    Copy = 1,         // written as read
    Translate = 2,    // rewritten according to the sub-code
    Ignore = 3,       // nothing is written, the bytes after it are read as usual
    Remember = 4,     // the parameter is kept as the fragment's default font
    SkipGroup = 5,    // the group it opens is stepped over
    CopyGroup = 6,    // the group it opens is written byte for byte
    MergeTable = 7,   // the group it opens is merged into the document tables
    TableKeyword = 8, // written as read, dropped in table-row mode
};

// The sub-code of a row: which rewrite a translate row makes, which table a merge row
// fills. Rows of the other actions carry None (or the code naming their one keyword).
enum class KwCode : int16_t {
    None = 0,
    DefaultFont = 1,   // \deff
    FontTable = 2,     // \fonttbl
    Binary = 3,        // \bin
    ColorTable = 4,    // \colortbl
    Stylesheet = 5,    // \stylesheet
    Font = 6,          // \f -> "\f" + font map(n)
    BackColor = 7,     // \cb -> "\cb" + colour map(n)
    Color = 8,         // \cf and its kin -> keyword as read + colour map(n)
    Style = 9,         // \s -> "\s" + style map(n)
    CharStyle = 10,    // \cs -> "\cs" + style map(n)
    SectionStyle = 11, // \ds -> "\ds" + style map(n)
    Plain = 12,        // \plain -> "\plain\f" + the fragment's default font, merged
    Highlight = 13,    // \highlight -> "\highlight" + colour map(n)
    Row = 14,          // \row -> "\line" in table-row mode
    ParaFont = 15,     // \pnf -> "\pnf" + font map(n)
    Pard = 16,         // \pard -> a full paragraph reset in table-row mode
    CellColor = 17,    // \clcbpat, \clcfpat -> dropped in table-row mode, else as \cf
};

struct TKwAction {
    std::string_view keyword; // backslash and lower-case letters
    KwAction action;
    KwCode subCode;
};

// All rows, sorted by keyword in byte order.
std::span<const TKwAction> keywordTable();

// The row of `lowerCaseKeyword` ("\b", "\fonttbl"), or nullptr when the filter does
// not know the word.
const TKwAction* findKeyword(std::string_view lowerCaseKeyword);

} // namespace rtfengine
