#include "rtfengine/RtfTables.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/RtfText.h"

#include <algorithm>

namespace rtfengine {

void TReplTable::addPair(int32_t source, int32_t target) {
    // Kept sorted as pairs arrive, after any pair of the same number, so that a number
    // listed twice in a fragment keeps its first meaning.
    const auto at =
        std::upper_bound(m_pairs.begin(), m_pairs.end(), source,
                         [](int32_t value, const Pair& pair) { return value < pair.source; });
    m_pairs.insert(at, {source, target});
}

int32_t TReplTable::translate(int32_t source) const {
    const auto it =
        std::lower_bound(m_pairs.begin(), m_pairs.end(), source,
                         [](const Pair& pair, int32_t value) { return pair.source < value; });
    if (it == m_pairs.end() || it->source != source)
        return source;
    return it->target;
}

namespace {

struct FontHead {
    int32_t number;
    std::string_view text;
};

// "{\f<digits>...}" longer than five bytes; anything else is not a font entry.
std::optional<FontHead> parseFont(std::string_view entry) {
    if (entry.size() <= 5 || !entry.starts_with("{\\f") || !isAsciiDigit(entry[3]) ||
        entry.back() != '}')
        return std::nullopt;
    const std::string_view digits = digitsAt(entry, 3);
    return FontHead{toNumber(digits, entry), entry.substr(3 + digits.size())};
}

} // namespace

void TFontStrings::loadEntry(std::string_view entry) {
    const auto head = parseFont(entry);
    if (!head)
        return;
    m_entries.push_back({head->number, std::string(head->text)});
    m_maxNumber = std::max(m_maxNumber, head->number);
}

void TFontStrings::mergeEntry(std::string_view entry) {
    const auto head = parseFont(entry);
    if (!head)
        return;
    const auto same = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&](const TFontStr& font) { return font.text == head->text; });
    int32_t target = 0;
    if (same != m_entries.end()) {
        target = same->number;
    } else {
        target = ++m_maxNumber;
        m_entries.push_back({target, std::string(head->text)});
    }
    addPair(head->number, target);
}

std::string TFontStrings::entryText(size_t index) const {
    const TFontStr& font = m_entries[index];
    std::string text = "{\\f";
    appendNumber(text, font.number);
    text += font.text;
    return text;
}

namespace {

bool isColorSlot(std::string_view entry) {
    return !entry.empty() && entry.back() == ';';
}

} // namespace

void TColorStrings::loadEntry(std::string_view entry) {
    if (isColorSlot(entry))
        m_entries.emplace_back(entry);
}

void TColorStrings::mergeEntry(int32_t number, std::string_view entry) {
    if (!isColorSlot(entry))
        return;
    const auto same = std::find(m_entries.begin(), m_entries.end(), entry);
    size_t index = static_cast<size_t>(same - m_entries.begin());
    if (same == m_entries.end())
        m_entries.emplace_back(entry);
    addPair(number, static_cast<int32_t>(index));
}

namespace {

struct StyleHead {
    int32_t number;
    TStyleStrings::Kind kind;
    std::string text;
};

constexpr std::string_view kNext = "\\snext";
constexpr std::string_view kBasedOn = "\\sbasedon";

// The entry without its control bytes, so that line breaks inside a stylesheet entry
// never make two equal styles look different. A control byte still ends a control
// word, so a space takes its place where the word would run on into what follows
// ("\b", a line break and "0" is no "\b0"); a backslash before one is an unknown
// symbol that goes with it (a backslash, a line break and "bin4" is no "\bin4").
std::string withoutControlBytes(std::string_view raw) {
    RtfRebuilder entry(raw.size());
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) >= 32) {
            entry.append(c);
        } else if (entry.afterBackslash()) {
            entry.dropBackslash();
        } else {
            entry.cut();
        }
    }
    return entry.take();
}

// A head counts only when a digit follows it: "\sb120" or "\sa60" opening a Normal
// style is a spacing word, not a style number.
std::optional<StyleHead> parseStyle(std::string_view raw) {
    std::string entry = withoutControlBytes(raw);
    // A template's own entries come as the template has them, unmended.
    if (auto mended = withMendedHexEscapes(entry))
        entry = std::move(*mended);
    if (entry.size() <= 5 || entry.front() != '{' || !entry.ends_with(";}"))
        return std::nullopt;

    const auto headAt = [&](std::string_view head) {
        const size_t digitAt = 1 + head.size();
        return entry.compare(1, head.size(), head) == 0 && digitAt < entry.size() &&
               isAsciiDigit(entry[digitAt]);
    };
    size_t digitsFrom = 0;
    TStyleStrings::Kind kind = TStyleStrings::Paragraph;
    if (headAt("\\s")) {
        digitsFrom = 3;
    } else if (headAt("\\*\\cs") || headAt("\\*\\ds")) {
        kind = entry[4] == 'c' ? TStyleStrings::Character : TStyleStrings::Section;
        digitsFrom = 6;
    } else if (headAt("\\cs") || headAt("\\ds")) {
        kind = entry[2] == 'c' ? TStyleStrings::Character : TStyleStrings::Section;
        digitsFrom = 4;
    } else {
        // A Normal style written without a number, or another form such as a table style.
        return StyleHead{0, TStyleStrings::Paragraph, entry.substr(1)};
    }
    const std::string_view digits = digitsAt(entry, digitsFrom);
    return StyleHead{toNumber(digits, entry), kind, entry.substr(digitsFrom + digits.size())};
}

// `text` without its first "\snext" and the digits after it.
std::string withoutNext(std::string_view text) {
    const size_t at = text.find(kNext);
    if (at == std::string_view::npos)
        return std::string(text);
    const size_t digits = digitsAt(text, at + kNext.size()).size();
    std::string result(text.substr(0, at));
    result += text.substr(at + kNext.size() + digits);
    return result;
}

} // namespace

void TStyleStrings::loadEntry(std::string_view entry) {
    auto head = parseStyle(entry);
    if (!head)
        return;
    m_entries.push_back({head->number, head->kind, std::move(head->text), false});
    m_maxNumber = std::max(m_maxNumber, head->number);
}

void TStyleStrings::mergeEntry(std::string_view entry) {
    auto head = parseStyle(entry);
    if (!head)
        return;
    // A style based on another, or followed by another, means something different in
    // every document; only self-contained styles are shared.
    bool comparable = head->text.find(kBasedOn) == std::string::npos;
    if (comparable) {
        const size_t next = head->text.find(kNext);
        if (next != std::string::npos) {
            std::string own;
            appendNumber(own, head->number);
            comparable = digitsAt(head->text, next + kNext.size()) == own;
        }
    }
    const std::optional<size_t> same = comparable ? findSame(head->text) : std::nullopt;
    int32_t target = 0;
    if (same) {
        target = m_entries[*same].number;
    } else {
        target = ++m_maxNumber;
        m_entries.push_back({target, head->kind, std::move(head->text), true});
    }
    addPair(head->number, target);
}

std::optional<size_t> TStyleStrings::findSame(std::string_view text) const {
    const bool hasNext = text.find(kNext) != std::string_view::npos;
    const std::string wanted = withoutNext(text);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const std::string& candidate = m_entries[i].text;
        if ((candidate.find(kNext) != std::string::npos) != hasNext)
            continue;
        if (withoutNext(candidate) == wanted)
            return i;
    }
    return std::nullopt;
}

namespace {

// One pass over a style's words, so that a number already rewritten is never
// rewritten again. Escaped backslashes are stepped over whole.
std::string renumbered(std::string_view text, const TReplTable& fonts, const TReplTable& colors,
                       const TReplTable& styles) {
    std::string out;
    out.reserve(text.size() + 8);
    bool nextSeen = false;
    bool basedOnSeen = false;
    size_t i = 0;
    // Writes the word of `length` bytes at i with its number mapped through `map`;
    // false when no digits follow it.
    const auto mapNumber = [&](size_t length, const TReplTable& map) {
        const std::string_view digits = digitsAt(text, i + length);
        if (digits.empty())
            return false;
        out += text.substr(i, length);
        appendNumber(out, map.translate(toNumber(digits, text.substr(i, length + digits.size()))));
        i += length + digits.size();
        return true;
    };
    while (i < text.size()) {
        if (text[i] != '\\') {
            out += text[i++];
            continue;
        }
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("\\\\")) {
            out += rest.substr(0, 2);
            i += 2;
            continue;
        }
        if (rest.starts_with(kNext) && !nextSeen) {
            nextSeen = true;
            if (mapNumber(kNext.size(), styles))
                continue;
        } else if (rest.starts_with(kBasedOn) && !basedOnSeen) {
            basedOnSeen = true;
            if (mapNumber(kBasedOn.size(), styles))
                continue;
        } else if (rest.starts_with("\\cf")) {
            if (mapNumber(3, colors))
                continue;
        } else if (rest.starts_with("\\f")) {
            if (mapNumber(2, fonts))
                continue;
        }
        out += text[i++];
    }
    return out;
}

} // namespace

void TStyleStrings::renumberNew(const TReplTable& fonts, const TReplTable& colors) {
    for (TStyleStr& style : m_entries) {
        if (!style.renumber)
            continue;
        style.text = renumbered(style.text, fonts, colors, *this);
        style.renumber = false;
    }
}

std::string TStyleStrings::entryText(size_t index) const {
    const TStyleStr& style = m_entries[index];
    std::string text;
    switch (style.kind) {
    case Paragraph:
        text = "{\\s";
        break;
    case Character:
        text = "{\\*\\cs";
        break;
    case Section:
        text = "{\\ds";
        break;
    }
    appendNumber(text, style.number);
    text += style.text;
    return text;
}

} // namespace rtfengine
