#include "rtfengine/CommandText.h"

#include "rtfengine/Ascii.h"

#include <optional>

namespace rtfengine {

// Quote characters of cleaned expression text and the character that closes each.
char quotePartner(char c) {
    switch (static_cast<unsigned char>(c)) {
    case '"':
        return '"';
    case '\'':
        return '\'';
    case '`':
        return '`';
    case '~':
        return '~';
    case 0x93:
    case 0x94:
        return static_cast<char>(0x94);
    case 0xAB:
    case 0xBB:
        return static_cast<char>(0xBB);
    default:
        return 0;
    }
}

namespace {

bool isExpressionChar(unsigned char c) {
    return (c >= 0x20 && c <= 0x3A) || (c >= 0x41 && c <= 0x5B) || c == 0x5D ||
           (c >= 0x5F && c <= 0x7A) || c == 0x7E || c == 0x93 || c == 0x94 || c == 0xAB ||
           c == 0xBB;
}

// The quote kinds of raw template text. A quote effect is one of them (the quote
// opens), -1 (the open quote closes) or 0 (nothing changes). The curly quotes and
// guillemets count typed or as hex escapes.
enum Quote : int {
    NoQuote = 0,
    CurlyDouble,    // 0x93 ... 0x94
    WordSingle,     // \lquote ... \rquote
    Guillemet,      // 0xAB ... 0xBB
    StraightDouble, // " ... "
    StraightSingle, // ' ... '
    Backtick,       // ` ... `
    Tilde,          // ~ ... ~
    WordDouble,     // \ldblquote ... \rdblquote
};

// A quote word ("\lquote" ...) at `pos`: its length with a blank that belongs to it.
struct QuoteWord {
    std::string_view word;
    size_t end;
};

std::optional<QuoteWord> quoteWordAt(const TemplateText& t, size_t pos) {
    for (std::string_view w : {"\\lquote", "\\rquote", "\\ldblquote", "\\rdblquote"}) {
        size_t e = 0;
        if (t.matchesWord(pos, w, &e, true))
            return QuoteWord{w, e};
    }
    return std::nullopt;
}

bool isHexQuote(std::string_view token, std::string_view lowerHex) {
    return token.size() == 4 && toLowerAscii(token[2]) == lowerHex[0] &&
           toLowerAscii(token[3]) == lowerHex[1];
}

// What a hex escape does to the quote state: opens (>0), closes (-1) or nothing (0).
int hexQuoteEffect(std::string_view token, int open) {
    if (open) {
        if ((open == CurlyDouble || open == WordDouble) && isHexQuote(token, "94"))
            return -1;
        if (open == Guillemet && isHexQuote(token, "bb"))
            return -1;
        return 0;
    }
    if (isHexQuote(token, "93") || isHexQuote(token, "94"))
        return CurlyDouble;
    if (isHexQuote(token, "ab") || isHexQuote(token, "bb"))
        return Guillemet;
    return 0;
}

int byteQuoteEffect(unsigned char c, int open) {
    if (open) {
        switch (open) {
        case CurlyDouble:
        case WordDouble:
            return c == 0x94 ? -1 : 0;
        case WordSingle:
            return c == '\'' ? -1 : 0;
        case Guillemet:
            return c == 0xBB ? -1 : 0;
        case StraightDouble:
            return c == '"' ? -1 : 0;
        case StraightSingle:
            return c == '\'' ? -1 : 0;
        case Backtick:
            return c == '`' ? -1 : 0;
        case Tilde:
            return c == '~' ? -1 : 0;
        default:
            return 0;
        }
    }
    switch (c) {
    case 0x93:
    case 0x94:
        return CurlyDouble;
    case 0xAB:
    case 0xBB:
        return Guillemet;
    case '"':
        return StraightDouble;
    case '\'':
        return StraightSingle;
    case '`':
        return Backtick;
    case '~':
        return Tilde;
    default:
        return 0;
    }
}

int wordQuoteEffect(std::string_view word, int open) {
    const bool rquote = word == "\\rquote";
    const bool rdbl = word == "\\rdblquote";
    if (open) {
        if ((open == WordSingle || open == StraightSingle) && rquote)
            return -1;
        if ((open == CurlyDouble || open == WordDouble) && rdbl)
            return -1;
        return 0;
    }
    if (word == "\\lquote" || rquote)
        return WordSingle;
    return WordDouble; // \ldblquote, \rdblquote
}

} // namespace

bool isMarkerAt(const TemplateText& t, size_t pos, size_t* afterMarker) {
    size_t e = 0;
    if (t.matches(pos, "\\\\", &e)) {
        if (t.at(e) == '*')
            return false;
        if (afterMarker)
            *afterMarker = e;
        return true;
    }
    if (t.matches(pos, "\\'5c", &e, true)) {
        if (afterMarker)
            *afterMarker = e;
        return true;
    }
    return false;
}

namespace {

// The state of one command being collected: its bytes so far, how many characters
// count towards the length limit, and the quote that is open. Each reader takes the
// unit at `p` when it is of its kind and returns the position after it.
struct CommandCollector {
    const TemplateText& t;
    std::string_view bytes;
    CollectedCommand cmd;
    size_t counted = 0;
    int open = NoQuote;

    // Appends the visible characters of [from, to).
    void append(size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            if (t.skip(i) == i)
                cmd.raw += bytes[i];
    }

    // A paragraph, row, cell, page, section or line break, or a field, picture or
    // object group: the command is abandoned there.
    bool atStop(size_t p) const {
        static constexpr std::string_view kStopWords[] = {"\\trowd", "\\row",  "\\cell", "\\page",
                                                          "\\sect",  "\\line", "\\par"};
        static constexpr std::string_view kStopGroups[] = {"{\\field", "{\\pict", "{\\object"};
        if (bytes[p] == '\\')
            for (std::string_view w : kStopWords)
                if (t.matchesWord(p, w))
                    return true;
        if (bytes[p] == '{')
            for (std::string_view w : kStopGroups)
                if (t.matchesWord(p, w))
                    return true;
        return false;
    }

    // "\'hh", which may open or close a quote.
    size_t readHexEscape(size_t p) {
        const size_t end = t.after(t.after(t.after(p + 1)));
        const size_t before = cmd.raw.size();
        append(p, end);
        const int effect = hexQuoteEffect(std::string_view(cmd.raw).substr(before), open);
        open = effect < 0 ? NoQuote : (effect > 0 ? effect : open);
        counted += 4;
        return end;
    }

    // "\~", "\\", "\{" and "\}".
    size_t readEscapedCharacter(size_t p) {
        const size_t end = t.after(p + 1);
        append(p, end);
        counted += 2;
        return end;
    }

    // A quote word that opens or closes a quote; `p` itself when there is none.
    size_t readQuoteWord(size_t p) {
        const auto qw = quoteWordAt(t, p);
        if (!qw)
            return p;
        const int effect = wordQuoteEffect(qw->word, open);
        if (effect == 0)
            return p;
        const int kind = effect < 0 ? open : effect;
        size_t end = qw->end;
        if ((kind == WordSingle || kind == WordDouble) && t.at(end) == ' ')
            end = t.after(end);
        const size_t before = cmd.raw.size();
        append(p, end);
        counted += cmd.raw.size() - before;
        open = effect < 0 ? NoQuote : effect;
        return end;
    }

    // A typed byte, which may open or close a quote.
    size_t readByte(size_t p) {
        const char c = bytes[p];
        const int effect = byteQuoteEffect(static_cast<unsigned char>(c), open);
        cmd.raw += c;
        ++counted;
        ++p;
        if (effect == 0)
            return p;
        const int kind = effect < 0 ? open : effect;
        open = effect < 0 ? NoQuote : effect;
        // A blank after the apostrophe that closes a quote word belongs to the quote.
        if (effect < 0 && kind == WordSingle && t.at(p) == ' ') {
            cmd.raw += ' ';
            p = t.after(p);
            ++counted;
        }
        return p;
    }

    // Reads the unit at `p` and returns the position after it.
    size_t readUnit(size_t p) {
        if (bytes[p] != '\\')
            return readByte(p);
        const char next = t.at(p + 1);
        if (next == '\'')
            return readHexEscape(p);
        if (next == '~' || next == '\\' || next == '{' || next == '}')
            return readEscapedCharacter(p);
        const size_t end = readQuoteWord(p);
        return end != p ? end : readByte(p);
    }
};

} // namespace

std::optional<CollectedCommand> collectCommand(const TemplateText& t, size_t p) {
    static constexpr size_t kMaxCounted = 10000;
    CommandCollector collector{t, t.bytes(), {}};
    for (;;) {
        p = t.skip(p);
        if (p >= t.size())
            return std::nullopt;
        size_t e = 0;
        if (collector.open == NoQuote && t.matches(p, "\\\\", &e)) {
            collector.cmd.end = e;
            return std::move(collector.cmd);
        }
        if (collector.counted >= kMaxCounted || collector.atStop(p))
            return std::nullopt;
        p = collector.readUnit(p);
    }
}

CleanCommand cleanCommand(std::string_view raw) {
    CleanCommand out;
    std::string expr;
    const size_t n = raw.size();
    size_t i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(raw[i]);
        if (c != '\\') {
            (isExpressionChar(c) ? expr : out.codes) += static_cast<char>(c);
            ++i;
            continue;
        }
        const char next = i + 1 < n ? raw[i + 1] : '\0';
        if (next == '\'' && i + 3 < n && hexDigitValue(raw[i + 2]) >= 0 &&
            hexDigitValue(raw[i + 3]) >= 0) {
            const int b = hexDigitValue(raw[i + 2]) * 16 + hexDigitValue(raw[i + 3]);
            if (b != 0)
                expr += static_cast<char>(b);
            i += 4;
            continue;
        }
        if (next == '\\' || next == '{' || next == '}' || next == '~') {
            expr += next == '~' ? ' ' : next;
            i += 2;
            continue;
        }
        size_t j = i + 1;
        while (j < n && isAsciiLetter(raw[j]))
            ++j;
        const std::string_view word = raw.substr(i + 1, j - i - 1);
        const bool wordEnds = j >= n || !(isAsciiLetter(raw[j]) || isAsciiDigit(raw[j]));
        if (wordEnds &&
            (word == "lquote" || word == "rquote" || word == "ldblquote" || word == "rdblquote")) {
            expr += word == "ldblquote" ? '\x93' : word == "rdblquote" ? '\x94' : '\'';
            i = j < n && raw[j] == ' ' ? j + 1 : j;
            continue;
        }
        j = i + 1;
        while (j < n && raw[j] != ' ' && raw[j] != '\\' && raw[j] != '{' && raw[j] != '}')
            ++j;
        out.codes.append(raw.substr(i, j - i));
        if (j < n && raw[j] == ' ') {
            out.codes += ' ';
            ++j;
        }
        i = j;
    }
    expr = trimAsciiBlanks(expr);
    char quote = 0;
    bool bracket = false;
    for (char c : expr) {
        if (quote) {
            out.expression += c;
            if (c == quote)
                quote = 0;
            continue;
        }
        if (const char partner = quotePartner(c)) {
            quote = partner;
            out.expression += c;
        } else if (c == '[') {
            bracket = true;
        } else if (c == ']') {
            bracket = false;
        } else if (c != ' ' || bracket) {
            out.expression += c;
        }
    }
    out.expression = trimAsciiBlanks(out.expression);
    return out;
}

std::string formattingOf(std::string_view codes) {
    std::string out;
    const size_t n = codes.size();
    size_t i = 0;
    while (i < n) {
        const char c = codes[i];
        if (c == '{' || c == '}') {
            out += c;
            ++i;
            continue;
        }
        if (c != '\\' || i + 1 >= n || codes[i + 1] == '\'') {
            // A typed character, or the rest of an escape that was no hex escape.
            i += c == '\\' ? 2 : 1;
            continue;
        }
        size_t j = i + 1;
        if (!isAsciiLetter(codes[j])) {
            // Of the control symbols only "\*", which marks a destination a reader may
            // skip, is formatting; the others ("\-", "\_" ...) are typed characters.
            if (codes[j] == '*')
                out += "\\*";
            i += 2;
            continue;
        }
        while (j < n && isAsciiLetter(codes[j]))
            ++j;
        if (j + 1 < n && codes[j] == '-' && isAsciiDigit(codes[j + 1]))
            ++j;
        while (j < n && isAsciiDigit(codes[j]))
            ++j;
        if (j < n && codes[j] == ' ')
            ++j;
        out.append(codes.substr(i, j - i));
        i = j;
    }
    return out;
}

} // namespace rtfengine
