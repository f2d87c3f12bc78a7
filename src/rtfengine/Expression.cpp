#include "rtfengine/Expression.h"

#include "rtfengine/Errors.h"
#include "rtfengine/NumberFormat.h"

#include <array>

namespace rtfengine {

namespace {

struct FormatInfo {
    FormatId id;
    std::string_view name;
    size_t minArgs;
    size_t maxArgs;
    bool acceptsVariable;
    bool acceptsPicture;
};

constexpr std::array<FormatInfo, 10> kFormats = {{
    {FormatId::NoFormat, "NOFORMAT", 1, 1, false, false},
    {FormatId::FEXP, "FEXP", 1, 2, true, false},
    {FormatId::FFIX, "FFIX", 1, 2, true, false},
    {FormatId::FNUM, "FNUM", 1, 2, true, false},
    {FormatId::FCUR, "FCUR", 1, 2, true, false},
    {FormatId::FIMG, "FIMG", 1, 2, true, true},
    {FormatId::FLNK, "FLNK", 1, 1, true, false},
    {FormatId::FFIXR, "FFIXR", 1, 2, true, false},
    {FormatId::FNUMR, "FNUMR", 1, 2, true, false},
    {FormatId::FDTM, "FDTM", 2, 2, true, false},
}};

const FormatInfo& info(FormatId id) {
    return kFormats[static_cast<size_t>(id)];
}

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

bool isExpressionChar(unsigned char c) {
    return (c >= 0x20 && c <= 0x3A) || (c >= 0x41 && c <= 0x5B) || c == 0x5D ||
           (c >= 0x5F && c <= 0x7A) || c == 0x7E || c == 0x93 || c == 0x94 || c == 0xAB ||
           c == 0xBB;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The quote kinds of raw template text. Kinds 2 and 8 are the RTF quote words.
enum Quote { NoQuote = 0, Q1 = 1, Q2, Q3, Q4, Q5, Q6, Q7, Q8 };

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
        if ((open == Q1 || open == Q8) && isHexQuote(token, "94"))
            return -1;
        if (open == Q3 && isHexQuote(token, "bb"))
            return -1;
        return 0;
    }
    if (isHexQuote(token, "93") || isHexQuote(token, "94"))
        return Q1;
    if (isHexQuote(token, "ab") || isHexQuote(token, "bb"))
        return Q3;
    return 0;
}

int byteQuoteEffect(unsigned char c, int open) {
    if (open) {
        switch (open) {
        case Q1:
        case Q8:
            return c == 0x94 ? -1 : 0;
        case Q2:
            return c == '\'' ? -1 : 0;
        case Q3:
            return c == 0xBB ? -1 : 0;
        case Q4:
            return c == '"' ? -1 : 0;
        case Q5:
            return c == '\'' ? -1 : 0;
        case Q6:
            return c == '`' ? -1 : 0;
        case Q7:
            return c == '~' ? -1 : 0;
        default:
            return 0;
        }
    }
    switch (c) {
    case 0x93:
    case 0x94:
        return Q1;
    case 0xAB:
    case 0xBB:
        return Q3;
    case '"':
        return Q4;
    case '\'':
        return Q5;
    case '`':
        return Q6;
    case '~':
        return Q7;
    default:
        return 0;
    }
}

int wordQuoteEffect(std::string_view word, int open) {
    const bool rquote = word == "\\rquote";
    const bool rdbl = word == "\\rdblquote";
    if (open) {
        if ((open == Q2 || open == Q5) && rquote)
            return -1;
        if ((open == Q1 || open == Q8) && rdbl)
            return -1;
        return 0;
    }
    if (word == "\\lquote" || rquote)
        return Q2;
    return Q8; // \ldblquote, \rdblquote
}

} // namespace

std::string_view formatName(FormatId id) {
    return info(id).name;
}

bool formatAcceptsResultType(FormatId id, int resultType) {
    return (resultType == 1 && info(id).acceptsVariable) ||
           (resultType == 2 && info(id).acceptsPicture);
}

bool isNumericFormat(FormatId id) {
    switch (id) {
    case FormatId::FEXP:
    case FormatId::FFIX:
    case FormatId::FNUM:
    case FormatId::FCUR:
    case FormatId::FFIXR:
    case FormatId::FNUMR:
        return true;
    case FormatId::NoFormat:
    case FormatId::FIMG:
    case FormatId::FLNK:
    case FormatId::FDTM:
        return false;
    }
    return false;
}

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

std::optional<CollectedCommand> collectCommand(const TemplateText& t, size_t p) {
    static constexpr size_t kMaxCounted = 10000;
    static constexpr std::string_view kStopWords[] = {"\\trowd", "\\row",  "\\cell", "\\page",
                                                      "\\sect",  "\\line", "\\par"};
    static constexpr std::string_view kStopGroups[] = {"{\\field", "{\\pict", "{\\object"};
    CollectedCommand cmd;
    size_t counted = 0;
    int open = NoQuote;
    const std::string_view bytes = t.bytes();
    // Appends the visible characters of [from, to).
    auto append = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i)
            if (t.skip(i) == i)
                cmd.raw += bytes[i];
    };
    for (;;) {
        p = t.skip(p);
        if (p >= t.size())
            return std::nullopt;
        const char c = bytes[p];
        size_t e = 0;
        if (open == NoQuote && t.matches(p, "\\\\", &e)) {
            cmd.end = e;
            return cmd;
        }
        if (counted >= kMaxCounted)
            return std::nullopt;
        if (c == '\\')
            for (std::string_view w : kStopWords)
                if (t.matchesWord(p, w))
                    return std::nullopt;
        if (c == '{')
            for (std::string_view w : kStopGroups)
                if (t.matchesWord(p, w))
                    return std::nullopt;
        if (c == '\\') {
            const char next = t.at(p + 1);
            if (next == '\'') {
                size_t end = t.after(t.after(t.after(p + 1)));
                const size_t before = cmd.raw.size();
                append(p, end);
                const int effect = hexQuoteEffect(std::string_view(cmd.raw).substr(before), open);
                open = effect < 0 ? NoQuote : (effect > 0 ? effect : open);
                counted += 4;
                p = end;
                continue;
            }
            if (next == '~' || next == '\\' || next == '{' || next == '}') {
                const size_t end = t.after(p + 1);
                append(p, end);
                counted += 2;
                p = end;
                continue;
            }
            if (auto qw = quoteWordAt(t, p)) {
                const int effect = wordQuoteEffect(qw->word, open);
                if (effect != 0) {
                    const int kind = effect < 0 ? open : effect;
                    size_t end = qw->end;
                    if ((kind == Q2 || kind == Q8) && t.at(end) == ' ')
                        end = t.after(end);
                    const size_t before = cmd.raw.size();
                    append(p, end);
                    counted += cmd.raw.size() - before;
                    open = effect < 0 ? NoQuote : effect;
                    p = end;
                    continue;
                }
            }
        }
        const int effect = byteQuoteEffect(static_cast<unsigned char>(c), open);
        if (effect != 0) {
            const int kind = effect < 0 ? open : effect;
            open = effect < 0 ? NoQuote : effect;
            cmd.raw += c;
            ++p;
            // A blank after the apostrophe that closes a quote word belongs to the quote.
            if (effect < 0 && kind == Q2 && t.at(p) == ' ') {
                cmd.raw += ' ';
                p = t.after(p);
                ++counted;
            }
            ++counted;
            continue;
        }
        cmd.raw += c;
        ++counted;
        ++p;
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

std::optional<std::vector<std::string>> splitArguments(std::string_view text) {
    std::vector<std::string> args;
    if (trimAsciiBlanks(text).empty())
        return args;
    std::string current;
    char quote = 0;
    int depth = 0;
    for (char c : text) {
        if (quote) {
            current += c;
            if (c == quote)
                quote = 0;
            continue;
        }
        if (const char partner = quotePartner(c)) {
            quote = partner;
            current += c;
            continue;
        }
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth < 0)
                return std::nullopt;
        } else if (c == ',' && depth == 0) {
            args.push_back(std::move(current));
            current.clear();
            continue;
        }
        current += c;
    }
    if (depth > 0)
        return std::nullopt;
    args.push_back(std::move(current));
    return args;
}

bool isQuotedLiteral(std::string_view text, std::string* value) {
    if (text.size() < 3)
        return false;
    const char partner = quotePartner(text.front());
    if (!partner || text.back() != partner)
        return false;
    const std::string_view inner = text.substr(1, text.size() - 2);
    if (inner.find(partner) != std::string_view::npos)
        return false;
    if (value)
        *value = std::string(inner);
    return true;
}

namespace {

// Reads the parameter of a numeric format or FIMG: "d" or "p:d".
bool parseFormatParameter(std::string_view param, int& p, int& d) {
    const std::string text = trimAsciiBlanks(param);
    if (text.empty() || text.front() == ':' || text.back() == ':')
        return false;
    std::vector<int> numbers{0};
    bool digits = false;
    for (char c : text) {
        if (c == ':') {
            if (!digits || numbers.size() == 2)
                return false;
            numbers.push_back(0);
            digits = false;
        } else if (isAsciiDigit(c)) {
            numbers.back() = std::min(numbers.back() * 10 + (c - '0'), 1000000);
            digits = true;
        } else if (c != ' ') {
            return false;
        }
    }
    if (!digits)
        return false;
    p = numbers.size() == 2 ? numbers[0] : 0;
    d = numbers.back();
    return true;
}

// Takes a format function off the expression; `text` becomes the inner expression.
void stripFormatFunction(std::string& text, FormatRecord& format, const FormatSettings& fs) {
    size_t n = 0;
    while (n < text.size() && isAsciiLetter(text[n]))
        ++n;
    if (n == 0 || n >= text.size() || text[n] != '(' || text.back() != ')' || text.size() < n + 3)
        return;
    const std::string name = toUpperAscii(std::string_view(text).substr(0, n));
    const FormatInfo* found = nullptr;
    for (const FormatInfo& f : kFormats)
        if (f.name == name)
            found = &f;
    if (!found || found->id == FormatId::NoFormat)
        return;
    const std::string_view inner = std::string_view(text).substr(n + 1, text.size() - n - 2);
    const auto args = splitArguments(inner);
    if (!args)
        throw EIllegalFunctionUse("Brackets balance violation in format function " + text);
    if (args->size() < found->minArgs)
        raiseFormatFunctionUse(text, "number of arguments is less than minimum required");
    if (args->size() > found->maxArgs)
        raiseFormatFunctionUse(text, "number of arguments is more than maximum allowed");
    std::string expression(inner);
    std::string parameter;
    const bool hasParameter = args->size() == 2;
    if (hasParameter) {
        expression = text.substr(n + 1, text.rfind(',') - n - 1);
        parameter = (*args)[1];
    }
    format.id = found->id;
    int p = 0, d = 0;
    if ((isNumericFormat(found->id) || found->id == FormatId::FIMG) && hasParameter &&
        !parseFormatParameter(parameter, p, d))
        throw EIllegalFunctionUse("Illegal use of format function " + text +
                                  " - cannot understand argument " + parameter);
    if (isNumericFormat(found->id)) {
        if (hasParameter) {
            format.param2 = d;
            if (p > 0)
                format.param1 = p;
        } else if (found->id == FormatId::FCUR) {
            format.param2 = fs.currencyDecimals;
        }
    } else if (found->id == FormatId::FIMG) {
        format.param1 = 0;
        if (hasParameter)
            format.param1 = p > 0 ? p : d;
    } else if (found->id == FormatId::FDTM) {
        format.dateOperand = parameter;
    }
    text = std::move(expression);
}

} // namespace

Expression classifyExpression(std::string_view source, bool dotAsColon, const FormatSettings& fs) {
    Expression e;
    const std::string up = toUpperAscii(source);
    e.text = std::string(source);
    if (startsWith(up, "SCAN(") && up.find(')', 5) != std::string::npos)
        e.kind = ExprKind::Scan;
    else if (startsWith(up, "SCANENTRY"))
        e.kind = ExprKind::ScanEntry;
    else if (startsWith(up, "SCANFOOTER"))
        e.kind = ExprKind::ScanFooter;
    else if (startsWith(up, "ENDSCAN"))
        e.kind = ExprKind::EndScan;
    else if (startsWith(up, "IF(") && up.find(')', 4) != std::string::npos)
        e.kind = ExprKind::If;
    else if (startsWith(up, "ENDIF"))
        e.kind = ExprKind::EndIf;
    if (e.kind != ExprKind::None)
        return e;

    std::string text(source);
    stripFormatFunction(text, e.format, fs);
    text = trimAsciiBlanks(text);
    e.text = text;
    if (text.empty() || text[0] == '(' || text[0] == ')' || text[0] == ':')
        return e;
    if (isQuotedLiteral(text, &e.name)) {
        e.kind = ExprKind::Literal;
        return e;
    }
    const char first = text[0];
    if (isAsciiDigit(first) || first == fs.decimalSeparator || first == '+' || first == '-') {
        if (auto number = parseFloat(text, fs)) {
            e.kind = ExprKind::Literal;
            e.name = shortestDecimal(*number, fs);
            return e;
        }
    }
    if (first == '.' || first == ',')
        return e;
    const size_t r = text.find_first_of("(),.:", 1);
    if (r == std::string::npos) {
        e.kind = ExprKind::Variable;
        e.name = text;
        return e;
    }
    switch (text[r]) {
    case '(':
        if (text.back() == ')') {
            e.kind = ExprKind::Call;
            e.name = trimAsciiBlanks(std::string_view(text).substr(0, r));
            e.alias = text.substr(r + 1, text.size() - r - 2);
        }
        return e;
    case '.':
    case ':': {
        if (text.size() < 3 || r + 1 >= text.size())
            return e;
        const std::string field = text.substr(r + 1);
        if (field.front() == '(' && field.back() == ')' && field.size() >= 3) {
            for (size_t i = 1; i + 1 < field.size(); ++i)
                if (!isAsciiDigit(field[i]))
                    return e;
        } else if (field.find_first_of("(),.:") != std::string::npos) {
            return e;
        }
        e.kind = text[r] == ':' || dotAsColon ? ExprKind::ColonField : ExprKind::DotField;
        const std::string alias = text.substr(0, r);
        e.alias = alias.size() > 1 ? toUpperAscii(alias) : alias;
        e.name = field;
        return e;
    }
    default:
        return e;
    }
}

} // namespace rtfengine
