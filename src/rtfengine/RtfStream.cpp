#include "rtfengine/RtfStream.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/RtfText.h"

#include <algorithm>
#include <array>

namespace rtfengine {

namespace {

// What "\pard" becomes inside a repeated table row: a paragraph reset that keeps the
// paragraph in its cell, which "\pard" would not.
constexpr std::string_view kRowParagraphReset =
    "\\ql \\li0\\ri0\\widctlpar\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 "
    "\\cgrid";

// Longer than any keyword of the table.
constexpr size_t kMaxKeyword = 32;

} // namespace

TRtfStream::TRtfStream(std::string_view input, bool tableRowMode)
    : m_mendedInput(withMendedHexEscapes(input)),
      m_input(m_mendedInput ? std::string_view(*m_mendedInput) : input),
      m_tableRowMode(tableRowMode) {
    m_groupStack.reserve(16);
}

TRtfStream::TokenKind TRtfStream::nextToken() {
    m_keyword = {};
    m_parameter = {};
    m_delimiter = {};
    m_tokenStart = m_pos;
    const size_t size = m_input.size();
    if (m_pos >= size || m_input[m_pos] == '\0')
        return TokenKind::End;

    const auto take = [&](size_t length, TokenKind kind) {
        m_token = m_input.substr(m_pos, length);
        m_pos += length;
        return kind;
    };
    const char c = m_input[m_pos];
    if (c == '{')
        return take(1, TokenKind::GroupOpen);
    if (c == '}')
        return take(1, TokenKind::GroupClose);
    if (c != '\\')
        return take(1, TokenKind::Character);
    if (m_pos + 1 >= size)
        return TokenKind::End;

    const char next = m_input[m_pos + 1];
    if (isAsciiLetter(next)) {
        size_t end = m_pos + 1;
        while (end < size && isAsciiLetter(m_input[end]))
            ++end;
        m_keyword = m_input.substr(m_pos, end - m_pos);
        const size_t numberStart = end;
        if (end + 1 < size && m_input[end] == '-' && isAsciiDigit(m_input[end + 1]))
            ++end;
        while (end < size && isAsciiDigit(m_input[end]))
            ++end;
        m_parameter = m_input.substr(numberStart, end - numberStart);
        if (end < size && m_input[end] == ' ') {
            m_delimiter = m_input.substr(end, 1);
            ++end;
        }
        return take(end - m_pos, TokenKind::ControlWord);
    }
    switch (next) {
    case '*':
        return take(2, TokenKind::Destination);
    case '\\':
    case '{':
    case '}':
    case '~':
    case '-':
        return take(2, TokenKind::EscapedSymbol);
    case '\'':
        if (m_pos + 4 > size)
            return TokenKind::End;
        return take(4, TokenKind::HexEscape);
    default:
        return TokenKind::End;
    }
}

bool TRtfStream::readGroup(std::string_view& group) {
    if (m_pos >= m_input.size() || m_input[m_pos] != '{')
        return false;
    const size_t end = findGroupEnd(m_input, m_pos);
    if (end == std::string_view::npos)
        return false;
    group = m_input.substr(m_pos, end - m_pos);
    m_pos = end;
    return true;
}

bool TRtfStream::copyGroup() {
    std::string_view group;
    if (!readGroup(group))
        return false;
    m_output->append(group);
    m_wordOpen = false;
    return true;
}

void TRtfStream::skipGroup() {
    const size_t end = findGroupEnd(m_input, m_pos);
    m_pos = end == std::string_view::npos ? m_input.size() : end;
}

void TRtfStream::run() {
    if (m_output == nullptr)
        return;
    for (;;) {
        switch (nextToken()) {
        case TokenKind::End:
            closeOpenGroups();
            return;
        case TokenKind::GroupOpen:
            m_groupStack.push_back(m_tokenStart);
            m_fallbackUnitsOutside.push_back(m_fallbackUnits);
            flushPending();
            m_pending += '{'; // empty after the flush
            break;
        case TokenKind::GroupClose:
            // A "}" that closes nothing of the fragment would close a group of the
            // document around it.
            if (m_groupStack.empty())
                break;
            m_groupStack.pop_back();
            m_fallbackUnits = m_fallbackUnitsOutside.back();
            m_fallbackUnitsOutside.pop_back();
            write("}");
            break;
        case TokenKind::Destination:
            m_pending += "\\*";
            break;
        case TokenKind::EscapedSymbol:
        case TokenKind::HexEscape:
        case TokenKind::Character:
            write(m_token);
            break;
        case TokenKind::ControlWord:
            controlWord();
            break;
        }
    }
}

void TRtfStream::flushPending() {
    if (m_pending.empty())
        return;
    m_output->append(m_pending);
    m_pending.clear();
    m_wordOpen = false;
}

void TRtfStream::write(std::string_view text) {
    flushPending();
    // A word whose delimiter went with a dropped word after it would otherwise run
    // on into this text: "\b\insrsid5 Hi" must not become "\bHi". A leading space
    // would be read as that delimiter and lost, so it gets one too.
    if (m_wordOpen && !text.empty() && (continuesWord(text.front()) || text.front() == ' '))
        m_output->push_back(' ');
    m_output->append(text);
    m_wordOpen = false;
}

void TRtfStream::writeWord(std::string_view word, std::string_view number) {
    write(word);
    m_output->append(number);
    m_output->append(m_delimiter);
    m_wordOpen = m_delimiter.empty();
}

void TRtfStream::controlWord() {
    if (m_keyword.size() > kMaxKeyword)
        return;
    std::array<char, kMaxKeyword> buffer{};
    for (size_t i = 0; i < m_keyword.size(); ++i) {
        const char c = m_keyword[i];
        buffer[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view lower(buffer.data(), m_keyword.size());

    // The Unicode character word stands for one character of the text, not for a
    // document setting, so it passes with its number, and the fallback after it passes
    // as read, whatever it is: a reader skips as many units after the word as "\uc"
    // says, so a fallback word the filter dropped would take the next character of the
    // text with it. It is kept out of the keyword table because, unlike the table's
    // words, it means nothing without its number.
    if (lower == "\\u") {
        if (!m_parameter.empty()) {
            writeWord(m_keyword, m_parameter);
            copyFallback();
        }
        return;
    }
    if (lower == "\\uc") {
        // Past the group's end a fallback takes nothing anyway, so a huge count is
        // as good as a large one.
        m_fallbackUnits = 0;
        for (const char digit : digitsAt(m_parameter, 0))
            m_fallbackUnits = std::min(m_fallbackUnits * 10 + (digit - '0'), 1'000'000);
    }

    const TKwAction* row = findKeyword(lower);
    if (row == nullptr)
        return;
    switch (row->action) {
    case KwAction::Drop:
    case KwAction::Ignore:
        return;
    case KwAction::Copy:
        writeWord(m_keyword, m_parameter);
        return;
    case KwAction::Translate:
        translate(row->subCode);
        return;
    case KwAction::Remember:
        m_defaultFont = m_parameter;
        return;
    case KwAction::SkipGroup:
    case KwAction::CopyGroup:
    case KwAction::MergeTable:
        groupAction(*row);
        return;
    case KwAction::TableKeyword:
        if (!m_tableRowMode)
            writeWord(m_keyword, m_parameter);
        return;
    }
}

void TRtfStream::copyFallback() {
    for (int32_t unit = 0; unit < m_fallbackUnits; ++unit) {
        const size_t start = m_pos;
        switch (nextToken()) {
        case TokenKind::End:
        case TokenKind::GroupOpen:
        case TokenKind::GroupClose:
            // A fallback never runs past its group.
            m_pos = start;
            return;
        case TokenKind::ControlWord:
        case TokenKind::Destination:
        case TokenKind::EscapedSymbol:
        case TokenKind::HexEscape:
        case TokenKind::Character:
            write(m_token);
            m_wordOpen = m_token.back() != ' ' && m_keyword.size() > 0;
            break;
        }
    }
}

void TRtfStream::writeMapped(std::string_view word, const TReplTable& map) {
    std::string number;
    appendNumber(number, map.translate(toNumber(m_parameter, m_token)));
    writeWord(word, number);
}

void TRtfStream::translate(KwCode code) {
    switch (code) {
    case KwCode::Font:
        writeMapped("\\f", m_fonts);
        return;
    case KwCode::ParaFont:
        writeMapped("\\pnf", m_fonts);
        return;
    case KwCode::BackColor:
        writeMapped("\\cb", m_colors);
        return;
    case KwCode::Highlight:
        writeMapped("\\highlight", m_colors);
        return;
    case KwCode::Color:
        writeMapped(m_keyword, m_colors);
        return;
    case KwCode::CellColor:
        if (!m_tableRowMode)
            writeMapped(m_keyword, m_colors);
        return;
    case KwCode::Style:
        writeMapped("\\s", m_styles);
        return;
    case KwCode::CharStyle:
        writeMapped("\\cs", m_styles);
        return;
    case KwCode::SectionStyle:
        writeMapped("\\ds", m_styles);
        return;
    case KwCode::Plain:
        writeWord("\\plain\\f", m_defaultFontOut);
        return;
    case KwCode::Row:
        writeWord(m_tableRowMode ? "\\line" : "\\row");
        return;
    case KwCode::Pard:
        writeWord(m_tableRowMode ? kRowParagraphReset : "\\pard");
        return;
    case KwCode::None:
    case KwCode::DefaultFont:
    case KwCode::FontTable:
    case KwCode::Binary:
    case KwCode::ColorTable:
    case KwCode::Stylesheet:
        return;
    }
}

void TRtfStream::groupAction(const TKwAction& row) {
    // A group word outside every group has no group to take.
    if (m_groupStack.empty())
        return;
    const size_t open = m_groupStack.back();
    // A table's entries follow its word; words before it in the group are none.
    const size_t wordEnd = m_tokenStart + m_keyword.size() + m_parameter.size();
    const bool braceWritten = m_pending.empty() || m_pending.front() != '{';
    m_pending.clear();

    if (!braceWritten) {
        // The usual case: the word opens its group, so the group is handled whole.
        m_groupStack.pop_back();
        m_fallbackUnits = m_fallbackUnitsOutside.back();
        m_fallbackUnitsOutside.pop_back();
        m_pos = open;
        std::string_view group;
        switch (row.action) {
        case KwAction::SkipGroup:
            skipGroup();
            return;
        case KwAction::CopyGroup:
            if (!copyGroup())
                m_pos = m_input.size();
            return;
        case KwAction::MergeTable:
            if (readGroup(group))
                mergeTable(row.subCode, group, group.substr(wordEnd - open));
            else
                m_pos = m_input.size();
            return;
        default:
            return;
        }
    }

    // The word stands inside a group whose "{" and first words are already written:
    // take the rest of the group up to its "}", and let the main loop close it, so
    // that nothing is written twice and the braces stay balanced.
    const size_t end = findGroupEnd(m_input, open);
    if (end == std::string_view::npos) {
        m_pos = m_input.size();
        return;
    }
    const size_t close = end - 1;
    switch (row.action) {
    case KwAction::CopyGroup:
        m_output->append(m_input.substr(m_tokenStart, close - m_tokenStart));
        m_wordOpen = false; // the group's "}" comes next
        break;
    case KwAction::MergeTable:
        mergeTable(row.subCode, m_input.substr(open, end - open),
                   m_input.substr(wordEnd, end - wordEnd));
        break;
    default:
        break;
    }
    m_pos = close;
}

void TRtfStream::mergeTable(KwCode code, std::string_view group, std::string_view entries) {
    switch (code) {
    case KwCode::FontTable: {
        if (group.size() <= 16)
            return;
        forEachFontEntry(entries, [&](std::string_view entry) { m_fonts.mergeEntry(entry); });
        const int32_t defaultFont = m_defaultFont ? toNumber(*m_defaultFont, "\\deff") : 0;
        m_defaultFontOut.clear();
        appendNumber(m_defaultFontOut, m_fonts.translate(defaultFont));
        return;
    }
    case KwCode::ColorTable: {
        if (group.size() < 12)
            return;
        // Each slot runs through its ";"; what follows the last one is no slot.
        const std::string slotText = colourTableWords(entries);
        const std::string_view slots = slotText;
        int32_t number = 0;
        size_t start = 0;
        for (size_t semi = slots.find(';'); semi != std::string_view::npos;
             semi = slots.find(';', start)) {
            m_colors.mergeEntry(number++, slots.substr(start, semi + 1 - start));
            start = semi + 1;
        }
        return;
    }
    case KwCode::Stylesheet:
        if (group.size() <= 17)
            return;
        forEachSubGroup(entries, [&](std::string_view entry) { m_styles.mergeEntry(entry); });
        m_styles.renumberNew(m_fonts, m_colors);
        return;
    default:
        return;
    }
}

void TRtfStream::closeOpenGroups() {
    // A "{" still held back never reached the output, so its group needs no "}".
    if (!m_pending.empty() && m_pending.front() == '{')
        m_groupStack.pop_back();
    m_pending.clear();
    m_output->append(m_groupStack.size(), '}');
    m_groupStack.clear();
}

} // namespace rtfengine
