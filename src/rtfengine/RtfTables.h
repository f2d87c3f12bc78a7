// The per-fragment views of the document's font, colour and style tables: they hold
// the merged entries and map the fragment's own numbers onto the merged numbering.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

// Maps the numbers a fragment uses to the numbers of the merged document.
class TReplTable {
public:
    void addPair(int32_t source, int32_t target);
    // The target of `source`, or `source` itself when it has no pair.
    int32_t translate(int32_t source) const;

private:
    struct Pair {
        int32_t source;
        int32_t target;
    };
    std::vector<Pair> m_pairs;
};

// Font entries: "{\f" number, then the font's words and name through "}".
class TFontStrings : public TReplTable {
public:
    struct TFontStr {
        int32_t number;
        std::string text; // everything after the number, closing brace included
    };

    // Takes an entry of the document's font list.
    void loadEntry(std::string_view entry);
    // Takes an entry of the fragment's font table: reuses an equal font or adds a new
    // one numbered above every other, and maps the fragment's number onto it.
    void mergeEntry(std::string_view entry);
    std::string entryText(size_t index) const;

    size_t count() const { return m_entries.size(); }

private:
    std::vector<TFontStr> m_entries;
    int32_t m_maxNumber = 0;
};

// Colour slots, each ending in ";"; the index is the colour number.
class TColorStrings : public TReplTable {
public:
    void loadEntry(std::string_view entry);
    // Reuses the first equal slot or adds one, and maps `number` onto it.
    void mergeEntry(int32_t number, std::string_view entry);
    std::string entryText(size_t index) const { return m_entries[index]; }

    size_t count() const { return m_entries.size(); }

private:
    std::vector<std::string> m_entries;
};

// Stylesheet entries: paragraph ("\s"), character ("\*\cs") and section ("\ds") styles.
class TStyleStrings : public TReplTable {
public:
    enum Kind : uint8_t { Paragraph = 1, Character = 2, Section = 3 };

    struct TStyleStr {
        int32_t number;
        Kind kind;
        std::string text; // everything after the number, closing brace included
        bool renumber;    // still uses the fragment's own numbers
    };

    void loadEntry(std::string_view entry);
    // Reuses an equal style when the entry depends on no other style, else adds it
    // numbered above every other; maps the fragment's number onto the result.
    void mergeEntry(std::string_view entry);
    // Index of the first entry whose text equals `text` apart from its "\snext".
    std::optional<size_t> findSame(std::string_view text) const;
    // Rewrites the font, colour and style numbers of the entries added by this
    // fragment into the merged numbering.
    void renumberNew(const TReplTable& fonts, const TReplTable& colors);
    std::string entryText(size_t index) const;

    size_t count() const { return m_entries.size(); }
    const TStyleStr& entry(size_t index) const { return m_entries[index]; }

private:
    std::vector<TStyleStr> m_entries;
    int32_t m_maxNumber = 0;
};

} // namespace rtfengine
