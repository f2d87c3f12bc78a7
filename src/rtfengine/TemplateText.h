// The template's bytes with the reading rules of the translation: bytes below 32
// other than tab and line feed are invisible to every look-up, and reading past the
// end delivers the end mark 26. Positions are 0-based byte offsets.
#pragma once

#include "rtfengine/Ascii.h"

#include <cstddef>
#include <string_view>

namespace rtfengine {

class TemplateText {
public:
    static constexpr char kEndMark = 26;

    explicit TemplateText(std::string_view bytes) : m_bytes(bytes) {}

    std::string_view bytes() const { return m_bytes; }
    size_t size() const { return m_bytes.size(); }

    // The first visible byte at or after `pos` (size() when there is none).
    size_t skip(size_t pos) const;
    // The visible character at or after `pos`, or the end mark.
    char at(size_t pos) const;
    // The position just after the visible character at or after `pos`.
    size_t after(size_t pos) const;

    // Whether `word` stands at `pos` (visible characters only); `end` receives the
    // position just after it. `noCase` compares ASCII letters ignoring case.
    bool matches(size_t pos, std::string_view word, size_t* end = nullptr,
                 bool noCase = false) const;
    // Whether `word` stands at `pos` and is not followed by an ASCII letter.
    bool matchesWord(size_t pos, std::string_view word, size_t* end = nullptr,
                     bool noCase = false) const;
    bool isLetterAt(size_t pos) const;

private:
    std::string_view m_bytes;
};

} // namespace rtfengine
