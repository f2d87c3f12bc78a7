#include "rtfengine/Expression.h"

#include "rtfengine/Errors.h"
#include "rtfengine/NumberFormat.h"
#include "rtfengine/UdfList.h"

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

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

std::string_view formatName(FormatId id) {
    return info(id).name;
}

bool formatAcceptsResultType(FormatId id, TUdfResultType resultType) {
    return (resultType == udfrTReportVariable && info(id).acceptsVariable) ||
           (resultType == udfrTPicture && info(id).acceptsPicture);
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

// Makes `e` a field when `text` is alias, separator at `r`, and a field name or a
// bracketed field number; leaves it as it is otherwise.
void classifyField(Expression& e, const std::string& text, size_t r, bool dotAsColon) {
    if (text.size() < 3 || r + 1 >= text.size())
        return;
    const std::string field = text.substr(r + 1);
    if (field.front() == '(' && field.back() == ')' && field.size() >= 3) {
        for (size_t i = 1; i + 1 < field.size(); ++i)
            if (!isAsciiDigit(field[i]))
                return;
    } else if (field.find_first_of("(),.:") != std::string::npos) {
        return;
    }
    e.kind = text[r] == ':' || dotAsColon ? ExprKind::ColonField : ExprKind::DotField;
    const std::string alias = text.substr(0, r);
    e.alias = alias.size() > 1 ? toUpperAscii(alias) : alias;
    e.field = field;
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
    if (isQuotedLiteral(text, &e.value)) {
        e.kind = ExprKind::Literal;
        return e;
    }
    const char first = text[0];
    if (isAsciiDigit(first) || first == fs.decimalSeparator || first == '+' || first == '-') {
        if (auto number = parseFloat(text, fs)) {
            e.kind = ExprKind::Literal;
            e.value = shortestDecimal(*number, fs);
            return e;
        }
    }
    if (first == '.' || first == ',')
        return e;
    const size_t r = text.find_first_of("(),.:", 1);
    if (r == std::string::npos) {
        e.kind = ExprKind::Variable;
        e.variable = text;
        return e;
    }
    switch (text[r]) {
    case '(':
        if (text.back() == ')') {
            e.kind = ExprKind::Call;
            e.function = trimAsciiBlanks(std::string_view(text).substr(0, r));
            e.arguments = text.substr(r + 1, text.size() - r - 2);
        }
        return e;
    case '.':
    case ':':
        classifyField(e, text, r, dotAsColon);
        return e;
    default:
        return e;
    }
}

} // namespace rtfengine
