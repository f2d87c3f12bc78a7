// The font, colour and style tables of the document being generated. They start
// from the template's own tables, grow as RTF fragments are spliced in, and are
// written into the document's head when the run ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

struct DocumentTables {
    // Whole font groups, braces included: "{\f0\fswiss\fcharset0 Arial;}".
    std::vector<std::string> fonts;
    // One entry per colour slot, each ending in ";": ";" for the automatic colour,
    // "\red255\green0\blue0;" for a colour. The index is the colour number.
    std::vector<std::string> colors;
    // Whole stylesheet groups, braces included: "{\s1 ... ;}", "{\*\cs2 ...}".
    std::vector<std::string> styles;
    // The template had a colour table of its own, of that many slots; the slots after
    // them were merged from fragments.
    bool hasColorTable = false;
    size_t templateColorCount = 0;
};

// Readers for the template's table groups. `pos` is the index of the "{" that opens
// the group in `text`; on return it is just past the group's closing "}".
// They raise EBadRtfFormat with the engine's messages when the group is unreadable.
// A font entry is a group of the table, or an entry written without one, which
// ends at its ";" and is stored in braces. Font entries are stored with their
// "\fcharset" set to `charset`, or as written when there is none. The colour list
// gets one entry per slot of the template's table, in the template's numbering.
void readFontTable(std::string_view text, size_t& pos, DocumentTables& tables,
                   std::optional<uint8_t> charset);
void readColorTable(std::string_view text, size_t& pos, DocumentTables& tables);
void readStylesheet(std::string_view text, size_t& pos, DocumentTables& tables);

// The groups the engine writes in place of the template's tables at the end of a run.
void writeFontTable(const DocumentTables& tables, std::string& out);
void writeColorTable(const DocumentTables& tables, std::string& out);
void writeStylesheet(const DocumentTables& tables, std::string& out);

// Filters the body of a complete RTF document `fragment` into `out`, merging its
// fonts, colours and styles into `tables` and renumbering every reference to them.
// In table-row mode table keywords are dropped and row ends become line breaks.
// The text appended to `out` closes every group it opens. A number word without its
// number raises EBadRtfFormat, and `out` and `tables` are then left as they were.
void insertRtfFragment(DocumentTables& tables, bool tableRowMode, std::string& out,
                       std::string_view fragment);

} // namespace rtfengine
