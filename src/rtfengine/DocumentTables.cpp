#include "rtfengine/DocumentTables.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Errors.h"
#include "rtfengine/RtfStream.h"
#include "rtfengine/RtfText.h"

#include <algorithm>

namespace rtfengine {

namespace {

constexpr std::string_view kFontTableError = "Can't read font table from input file";
constexpr std::string_view kCharsetError = "Can't define font charset in input file";
constexpr std::string_view kColorTableError = "Can't read color table from input file";
constexpr std::string_view kStylesheetError = "Can't read stylesheet from input file";

// The group at `pos`, raising `error` when there is none or the text ends first.
std::string_view groupAt(std::string_view text, size_t pos, std::string_view error) {
    const size_t end =
        pos < text.size() && text[pos] == '{' ? findGroupEnd(text, pos) : std::string_view::npos;
    if (end == std::string_view::npos)
        throw EBadRtfFormat(std::string(error));
    return text.substr(pos, end - pos);
}

// A colour slot in the document's entry form: "\redR\greenG\blueB;" with a missing
// value as 0, or ";" for a slot that names no colour (the automatic colour). Only the
// three colour words count; other words of the slot (theme colours, tints) are left.
std::string colourEntry(std::string_view slot) {
    int64_t values[3] = {0, 0, 0};
    bool named = false;
    for (size_t i = slot.find('\\'); i < slot.size(); i = slot.find('\\', i)) {
        size_t end = i + 1;
        while (end < slot.size() && isAsciiLetter(slot[end]))
            ++end;
        const std::string_view word = slot.substr(i + 1, end - i - 1);
        const int which = word == "red" ? 0 : word == "green" ? 1 : word == "blue" ? 2 : -1;
        int64_t value = 0;
        for (const char digit : digitsAt(slot, end)) {
            if (value < 1'000'000)
                value = value * 10 + (digit - '0');
            ++end;
        }
        if (which >= 0) {
            values[which] = value;
            named = true;
        }
        i = std::max(end, i + 1);
    }
    if (!named)
        return ";";
    std::string entry = "\\red";
    appendNumber(entry, values[0]);
    entry += "\\green";
    appendNumber(entry, values[1]);
    entry += "\\blue";
    appendNumber(entry, values[2]);
    entry += ';';
    return entry;
}

void writeGroup(std::string_view head, const std::vector<std::string>& entries, std::string& out) {
    out += head;
    for (const std::string& entry : entries)
        out += entry;
    out += '}';
}

} // namespace

void readFontTable(std::string_view text, size_t& pos, DocumentTables& tables,
                   std::optional<uint8_t> charset) {
    const std::string_view group = groupAt(text, pos, kFontTableError);
    forEachFontEntry(group.substr(1), [&](std::string_view entry) {
        std::string font(entry);
        // Every font of the document is declared in the engine's character set, unless
        // the fonts keep their own.
        const size_t at = charset ? font.find("fcharset") : std::string::npos;
        if (at != std::string::npos) {
            const size_t digitsFrom = at + 8;
            const size_t digits = digitsAt(font, digitsFrom).size();
            if (digits == 0)
                throw EBadRtfFormat(std::string(kCharsetError));
            font.replace(digitsFrom, digits, std::to_string(*charset));
        }
        tables.fonts.push_back(std::move(font));
    });
    pos += group.size();
}

void readColorTable(std::string_view text, size_t& pos, DocumentTables& tables) {
    const std::string_view group = groupAt(text, pos, kColorTableError);
    // One entry per slot as the template numbers them, empty slots included, so that
    // every colour number of the body keeps naming its colour. What follows the last
    // ";" is no slot.
    const std::string words = colourTableWords(group.substr(1, group.size() - 2));
    const std::string_view slots = words;
    size_t start = 0;
    for (size_t semi = slots.find(';'); semi != std::string_view::npos;
         semi = slots.find(';', start)) {
        tables.colors.push_back(colourEntry(slots.substr(start, semi - start)));
        start = semi + 1;
    }
    tables.hasColorTable = true;
    tables.templateColorCount = tables.colors.size();
    pos += group.size();
}

void readStylesheet(std::string_view text, size_t& pos, DocumentTables& tables) {
    const std::string_view group = groupAt(text, pos, kStylesheetError);
    forEachSubGroup(group.substr(1),
                    [&](std::string_view entry) { tables.styles.emplace_back(entry); });
    pos += group.size();
}

void writeFontTable(const DocumentTables& tables, std::string& out) {
    writeGroup("{\\fonttbl", tables.fonts, out);
    // Without a colour table of the template's own, the merged colours would have no
    // place in the document; they go right after the fonts.
    if (!tables.hasColorTable && !tables.colors.empty())
        writeColorTable(tables, out);
}

void writeColorTable(const DocumentTables& tables, std::string& out) {
    // A merged slot without a colour (a fragment's automatic colour) is the reader's
    // automatic colour. LibreOffice drops such a slot, which moves every later colour
    // number onto its neighbour: a heading colour merged after it would print in the
    // colour before it. Written as black, the automatic colour's usual face, every
    // slot keeps its number. The template's own slots, and empty slots after the last
    // colour, which move nothing, are written as they are.
    const auto isEmpty = [](const std::string& entry) {
        return entry.find_first_not_of(" \t\r\n;") == std::string::npos;
    };
    size_t lastColour = 0;
    for (size_t i = 0; i < tables.colors.size(); ++i)
        if (!isEmpty(tables.colors[i]))
            lastColour = i;
    out += "{\\colortbl";
    for (size_t i = 0; i < tables.colors.size(); ++i) {
        const bool merged = i > 0 && i >= tables.templateColorCount;
        out += merged && i < lastColour && isEmpty(tables.colors[i]) ? "\\red0\\green0\\blue0;"
                                                                     : tables.colors[i];
    }
    out += '}';
}

void writeStylesheet(const DocumentTables& tables, std::string& out) {
    writeGroup("{\\stylesheet", tables.styles, out);
}

void insertRtfFragment(DocumentTables& tables, bool tableRowMode, std::string& out,
                       std::string_view fragment) {
    // A zero byte ends the fragment for the text; the tables must end there too, or
    // a table read past it could take bytes the text never had.
    fragment = fragment.substr(0, fragment.find('\0'));
    TRtfStream stream(fragment, tableRowMode);
    for (const std::string& font : tables.fonts)
        stream.fonts().loadEntry(font);
    for (const std::string& color : tables.colors)
        stream.colors().loadEntry(color);
    for (const std::string& style : tables.styles)
        stream.styles().loadEntry(style);

    // A fragment that fails leaves neither half-written text nor half-merged tables.
    const size_t outStart = out.size();
    try {
        out.reserve(out.size() + fragment.size());
        stream.setOutput(&out);
        stream.run();
    } catch (...) {
        out.resize(outStart);
        throw;
    }

    std::vector<std::string> fonts;
    fonts.reserve(stream.fonts().count());
    for (size_t i = 0; i < stream.fonts().count(); ++i)
        fonts.push_back(stream.fonts().entryText(i));
    std::vector<std::string> colors;
    colors.reserve(stream.colors().count());
    for (size_t i = 0; i < stream.colors().count(); ++i)
        colors.push_back(stream.colors().entryText(i));
    std::vector<std::string> styles;
    styles.reserve(stream.styles().count());
    for (size_t i = 0; i < stream.styles().count(); ++i)
        styles.push_back(stream.styles().entryText(i));
    tables.fonts = std::move(fonts);
    tables.colors = std::move(colors);
    tables.styles = std::move(styles);
}

} // namespace rtfengine
