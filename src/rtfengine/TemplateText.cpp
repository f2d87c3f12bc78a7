#include "rtfengine/TemplateText.h"

#include "rtfengine/Ascii.h"

namespace rtfengine {

namespace {

bool visible(unsigned char b) {
    return b >= 32 || b == '\t' || b == '\n';
}

} // namespace

size_t TemplateText::skip(size_t pos) const {
    while (pos < m_bytes.size() && !visible(static_cast<unsigned char>(m_bytes[pos])))
        ++pos;
    return pos < m_bytes.size() ? pos : m_bytes.size();
}

char TemplateText::at(size_t pos) const {
    pos = skip(pos);
    return pos < m_bytes.size() ? m_bytes[pos] : kEndMark;
}

size_t TemplateText::after(size_t pos) const {
    pos = skip(pos);
    return pos < m_bytes.size() ? pos + 1 : m_bytes.size();
}

bool TemplateText::matches(size_t pos, std::string_view word, size_t* end, bool noCase) const {
    for (char w : word) {
        pos = skip(pos);
        if (pos >= m_bytes.size())
            return false;
        char c = m_bytes[pos];
        if (noCase ? toLowerAscii(c) != toLowerAscii(w) : c != w)
            return false;
        ++pos;
    }
    if (end)
        *end = pos;
    return true;
}

bool TemplateText::matchesWord(size_t pos, std::string_view word, size_t* end, bool noCase) const {
    size_t e = 0;
    if (!matches(pos, word, &e, noCase) || isLetterAt(e))
        return false;
    if (end)
        *end = e;
    return true;
}

bool TemplateText::isLetterAt(size_t pos) const {
    return isAsciiLetter(at(pos));
}

} // namespace rtfengine
