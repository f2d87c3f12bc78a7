// RTF text at byte level: turning UTF-8 text into RTF text, and the small helpers
// of the fragment filter and the template's table readers (numbers, groups).
#pragma once

#include "rtfengine/Ascii.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtfengine {

// Bytes that a reader takes into a control word written right before them: letters,
// digits, and a "-" that may start its number.
inline bool continuesWord(char c) {
    return isAsciiAlnum(c) || c == '-';
}

// The bytes a backslash at `i` starts as one unit when groups are counted: "\'" with
// the two bytes after it, whatever they are, as the fragment filter reads a hex
// escape; otherwise the backslash and the byte after it. Every reader that looks for
// braces steps over the same units, so none finds a brace another reads as text.
inline size_t escapeLength(std::string_view text, size_t i) {
    return i + 1 < text.size() && text[i + 1] == '\'' ? 4 : 2;
}

// When the binary word "\binN" stands at `i`, the index just past its N bytes of
// data (the data ends with the text at the latest); otherwise 0. Those bytes are
// data, not RTF: a brace among them opens or closes nothing.
size_t binaryDataEnd(std::string_view text, size_t i);

// `text` with every "\'" whose two bytes are not hex digits turned into "\'3f", a
// question mark in the place of what was meant; nothing when there is none. Readers
// disagree on what such an escape means, and its bytes may be braces; dropping it
// instead could join the words around it into another word. A "\'" cut short by the
// end of the text stays.
std::optional<std::string> withMendedHexEscapes(std::string_view text);

// Decodes the UTF-8 sequence of one character beyond ASCII at `i` into `c`; returns
// its length, or 0 when it is not well-formed (stray continuation byte, overlong form,
// surrogate, beyond U+10FFFF, cut short).
size_t decodeUtf8(std::string_view s, size_t i, char32_t& c);

// The run of decimal digits at `from` (empty when there is none).
std::string_view digitsAt(std::string_view text, size_t from);

// Reads `number` (an optional "-" and decimal digits, nothing else) as a 32-bit value.
// Raises EBadRtfFormat naming `what` when it is empty, malformed or out of range: a
// number the filter must rewrite cannot be guessed.
int32_t toNumber(std::string_view number, std::string_view what);

void appendNumber(std::string& out, int64_t value);

// Index just past the "}" that closes the group opening at `open`, or npos when the
// text ends first. Bytes after a backslash (see escapeLength) are never counted, so
// "\{", "\}" and "\\" are read as the symbols they are.
size_t findGroupEnd(std::string_view text, size_t open);

// Calls `visit(std::string_view subGroup)` for every group found at the top level of
// `body` (nested groups stay inside their entry). Stops at a "}" that closes `body`'s
// own group; an unclosed sub-group at the end is not visited.
template <typename Visit> void forEachSubGroup(std::string_view body, Visit&& visit) {
    size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '\\') {
            i += escapeLength(body, i);
            continue;
        }
        if (c == '}')
            return;
        if (c != '{') {
            ++i;
            continue;
        }
        const size_t end = findGroupEnd(body, i);
        if (end == std::string_view::npos)
            return;
        visit(body.substr(i, end - i));
        i = end;
    }
}

// Where a font entry written without a group of its own ("\f1\fmodern Courier;")
// that starts at `from` in a font table's `body` ends: just past its ";", or at the
// "}" that closes the table (or the end of `body`) when it has none. Groups inside
// the entry stay in it.
size_t ungroupedFontEntryEnd(std::string_view body, size_t from);

// Calls `visit(std::string_view entry)` for every font entry of a font table's `body`
// (the table's text after its "{"): each group at the top level, and each entry
// written without a group, from its "\f" and number through its ";", handed over in
// braces as the grouped form would be. Stops at the "}" that closes the table.
template <typename Visit> void forEachFontEntry(std::string_view body, Visit&& visit) {
    size_t i = 0;
    std::string ungrouped;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '}')
            return;
        if (c == '{') {
            const size_t end = findGroupEnd(body, i);
            if (end == std::string_view::npos)
                return;
            visit(body.substr(i, end - i));
            i = end;
            continue;
        }
        if (c != '\\') {
            ++i;
            continue;
        }
        if (i + 2 < body.size() && body[i + 1] == 'f' && isAsciiDigit(body[i + 2])) {
            const size_t end = ungroupedFontEntryEnd(body, i);
            ungrouped.assign(1, '{');
            ungrouped.append(body.substr(i, end - i));
            ungrouped += '}';
            visit(std::string_view(ungrouped));
            i = end;
            continue;
        }
        i += escapeLength(body, i);
    }
}

// The words of a colour table: its text without nested groups and without control
// symbols ("\'" with the two bytes it takes). Neither is part of a colour, and
// either could carry a brace into a slot, which would unbalance the document's head.
std::string colourTableWords(std::string_view text);

// Builds RTF text from another with parts left out, byte by byte, so that a part left
// out never joins a control word before it to what follows: "\b", a dropped group
// and "0" make "\b 0", not "\b0" (nor, after "\bi", the binary word "\bin").
class RtfRebuilder {
public:
    explicit RtfRebuilder(size_t capacity) { m_text.reserve(capacity); }

    void append(char c);
    // Something was left out between the last byte appended and the next.
    void cut() {
        m_cut = m_cut || m_inWord;
        m_inWord = false;
    }
    // The last byte appended is a backslash that starts no word or symbol yet.
    bool afterBackslash() const { return m_afterBackslash; }
    // Leaves out that backslash, with whatever it would have started.
    void dropBackslash();

    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
    bool m_afterBackslash = false;
    bool m_inWord = false;       // a letter or digit appended next would join a word
    bool m_inWordBefore = false; // the same, before the pending backslash
    bool m_cut = false;          // something was left out right after a word
};

// Appends "\'" and the byte as two upper-case hexadecimal digits.
void appendHexByte(std::string& out, unsigned char b);

// Appends the RTF form of the bytes that every kind of text escapes alike: tab,
// vertical tab, form feed and carriage return as "\tab ", "\line ", "\page " and
// "\par ", and "\", "{" and "}" escaped. Returns false, appending nothing, for any
// other byte, which each caller writes by the rules of its own text.
bool appendRtfSpecial(std::string& out, char c);

// Appends UTF-8 text as RTF text. ASCII stays as it is except "\", "{" and "}",
// which are escaped; tab, vertical tab and form feed become "\tab ", "\line " and
// "\page "; a line break (CR LF, CR or LF) becomes "\par ". The other control
// characters (C0 with NUL, DEL, C1) are dropped: a reader would not see them, and a
// NUL would cut the text short wherever it is read. Other characters of code page
// 1252 become "\'XX", all the rest "\uN" (N a signed 16-bit number, a surrogate
// pair above U+FFFF) followed by the "\'XX" of the nearest code page 1252 character
// (the base letter of a Latin letter with a diacritic, "l" for "ł"), or of "?". Bytes that are not
// valid UTF-8 are taken as single code page 1252 bytes and written as "\'xx".
void appendRtfText(std::string& out, std::string_view utf8);

std::string rtfText(std::string_view utf8);

} // namespace rtfengine
