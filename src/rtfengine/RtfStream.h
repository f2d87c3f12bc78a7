// Reads one RTF fragment token by token and writes its body into the document: known
// words pass or are renumbered, document-level words and groups are dropped, and the
// fragment's font, colour and style tables are merged into the document's tables.
#pragma once

#include "rtfengine/RtfKeywords.h"
#include "rtfengine/RtfTables.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

class TRtfStream {
public:
    enum class TokenKind {
        End,           // nothing left, a zero byte, or a control symbol the filter does not know
        GroupOpen,     // {
        GroupClose,    // }
        ControlWord,   // \word, \word12, \word-3, each with one optional space
        Destination,   // \*
        EscapedSymbol, // \\ \{ \} \~ \-
        HexEscape,     // \'hh
        Character,     // any other byte
    };

    // `input` must outlive the stream. A "\'" without its two hex digits is read as
    // "\'3f", a question mark. In table-row mode the fragment lands inside a
    // table row that the template repeats, so it may not start or end rows itself.
    TRtfStream(std::string_view input, bool tableRowMode);
    // The reading position may point into the stream's own mended copy of the input.
    TRtfStream(const TRtfStream&) = delete;
    TRtfStream& operator=(const TRtfStream&) = delete;

    void setOutput(std::string* output) { m_output = output; }

    TokenKind nextToken();
    std::string_view token() const { return m_token; }
    std::string_view keyword() const { return m_keyword; }
    std::string_view parameter() const { return m_parameter; }
    std::string_view delimiter() const { return m_delimiter; }

    size_t position() const { return m_pos; }

    // The group readers start at a "{". On a group the input does not close they
    // return false and leave the position at that "{" (`skipGroup` at the end).
    bool readGroup(std::string_view& group);
    bool copyGroup();
    void skipGroup();

    // Filters the whole input into the output; does nothing without an output.
    void run();

    TFontStrings& fonts() { return m_fonts; }
    TColorStrings& colors() { return m_colors; }
    TStyleStrings& styles() { return m_styles; }

private:
    void write(std::string_view text);
    // Writes a control word with its number and the delimiter read after the word.
    void writeWord(std::string_view word, std::string_view number = {});
    void flushPending();
    void controlWord();
    // Writes the fallback units after a "\\uN" as read.
    void copyFallback();
    void translate(KwCode code);
    void writeMapped(std::string_view word, const TReplTable& map);
    void groupAction(const TKwAction& row);
    // `entries` is the part of `group` after the table's word.
    void mergeTable(KwCode code, std::string_view group, std::string_view entries);
    void closeOpenGroups();

    // The input with its malformed hex escapes mended, when it has any: the token
    // reader and the group readers would read those apart, and so would whoever
    // opens the document.
    std::optional<std::string> m_mendedInput;
    std::string_view m_input;
    std::string* m_output = nullptr;
    bool m_tableRowMode;
    size_t m_pos = 0;
    size_t m_tokenStart = 0;
    // Output held back until something follows it: "{" or "{\*", so that a group
    // whose opening words are all dropped still opens right before its first content.
    std::string m_pending;
    // The output ends in a control word written without a delimiter.
    bool m_wordOpen = false;
    std::string_view m_token;
    std::string_view m_keyword;
    std::string_view m_parameter;
    std::string_view m_delimiter;
    std::vector<size_t> m_groupStack;
    // How many units follow a "\\uN" in the fallback ("\\ucN"), and its value
    // outside each open group, which gets it back when the group closes.
    int32_t m_fallbackUnits = 1;
    std::vector<int32_t> m_fallbackUnitsOutside;
    std::optional<std::string_view> m_defaultFont;
    std::string m_defaultFontOut;
    TStyleStrings m_styles;
    TFontStrings m_fonts;
    TColorStrings m_colors;
};

} // namespace rtfengine
