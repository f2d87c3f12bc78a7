#include "rtfengine/DocumentTables.h"

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

// The value of the colour word `word` found at or after `from`, moving `from` past it;
// 0 when the word does not follow.
int64_t takeColorValue(std::string_view group, std::string_view word, size_t& from) {
    const size_t at = group.find(word, from);
    if (at == std::string_view::npos)
        return 0;
    from = at + word.size();
    int64_t value = 0;
    for (const char digit : digitsAt(group, from)) {
        if (value < 1'000'000)
            value = value * 10 + (digit - '0');
    }
    return value;
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
    // The document's table always opens with the automatic colour, whatever the
    // template's first slot is.
    tables.colors.emplace_back(";");
    size_t greenFrom = 0;
    size_t blueFrom = 0;
    for (size_t red = group.find("red"); red != std::string_view::npos;
         red = group.find("red", red + 3)) {
        size_t redFrom = red;
        const int64_t r = takeColorValue(group, "red", redFrom);
        greenFrom = std::max(greenFrom, red);
        blueFrom = std::max(blueFrom, red);
        const int64_t g = takeColorValue(group, "green", greenFrom);
        const int64_t b = takeColorValue(group, "blue", blueFrom);
        std::string color = "\\red";
        appendNumber(color, r);
        color += "\\green";
        appendNumber(color, g);
        color += "\\blue";
        appendNumber(color, b);
        color += ';';
        tables.colors.push_back(std::move(color));
    }
    tables.hasColorTable = true;
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
    writeGroup("{\\colortbl", tables.colors, out);
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
