#include "rtfengine/Translator.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/DocumentTables.h"
#include "rtfengine/Errors.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/RtfText.h"
#include "rtfengine/RunState.h"
#include "rtfengine/UdfList.h"

#include <algorithm>

namespace rtfengine {

namespace {

struct Predefined {
    std::string_view name;
    int id;
    int argMin;
    int argMax;
};

constexpr Predefined kPredefined[] = {
    {"SUM", functionId(PredefinedFunction::Sum), 2, 3},
    {"CTN", functionId(PredefinedFunction::Ctn), 2, 3},
    {"CTS", functionId(PredefinedFunction::Cts), 2, 3},
    {"VAR", functionId(PredefinedFunction::Var), 1, 10000},
};

// The end of a group that opens at `pos`, counting braces that are not escaped and
// stepping over "\bin" data; the template's end when the group never closes.
size_t groupEnd(std::string_view text, size_t pos) {
    int depth = 0;
    size_t i = pos;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\') {
            const size_t afterData = binaryDataEnd(text, i);
            i = afterData != 0 ? afterData : i + 2;
            continue;
        }
        if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return i + 1;
        }
        ++i;
    }
    return text.size();
}

// The end of a table row that begins at `pos`: the first place after the row's
// "\\row" at which the braces counted from the row's beginning balance again.
// Picture data after "\\binN" is stepped over, braces and all.
size_t tableRowEnd(const TemplateText& text, size_t pos) {
    const std::string_view bytes = text.bytes();
    int depth = 0;
    bool rowSeen = false;
    size_t i = pos;
    while (i < bytes.size()) {
        const char c = bytes[i];
        size_t end = 0;
        if (c == '\\' && !rowSeen && text.matchesWord(i, "\\row", &end)) {
            rowSeen = true;
            i = end;
        } else if (c == '\\') {
            const size_t afterData = binaryDataEnd(bytes, i);
            i = afterData != 0 ? afterData : i + 2; // an escaped brace is no group
        } else {
            depth += c == '{' ? 1 : (c == '}' ? -1 : 0);
            ++i;
        }
        if (rowSeen && depth == 0)
            return std::min(i, bytes.size());
    }
    throw EBadRtfFormat("Not found end of the table in RTF file.");
}

// Where the table row that begins at `pos` stops being searched for commands: at its
// "\\row", or at the template's end when none follows; npos when a command stands
// before that. A row without commands needs no end of its own: it is copied as it
// stands, so its braces may close groups it did not open (a nested table's row).
size_t commandFreeRowEnd(const TemplateText& text, size_t pos) {
    const std::string_view bytes = text.bytes();
    size_t i = pos;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '{' && (text.matchesWord(i + 1, "\\field", nullptr, true) ||
                         text.matchesWord(i + 1, "\\pict", nullptr, true) ||
                         text.matchesWord(i + 1, "\\object", nullptr, true))) {
            i = groupEnd(bytes, i); // copied whole: no command is read in there
            continue;
        }
        if (c != '\\') {
            ++i;
            continue;
        }
        if (text.matchesWord(i, "\\row"))
            return i;
        size_t afterMarker = 0;
        if (isMarkerAt(text, i, &afterMarker)) {
            const auto command = collectCommand(text, afterMarker);
            if (command)
                return std::string_view::npos;
            i = afterMarker;
            continue;
        }
        const size_t afterData = binaryDataEnd(bytes, i);
        i = afterData != 0 ? afterData : i + 2;
    }
    return bytes.size();
}

} // namespace

Translator::Translator(RunState& state)
    : m_state(state), m_text(state.templateBytes),
      m_dotAsColon(state.engine.options().has(TRtfOption::eoDotAsColon)),
      m_clearMissed(state.engine.options().has(TRtfOption::eoClearMissedFields)) {}

size_t Translator::emit(InstrKind kind, size_t position) {
    Instruction instruction;
    instruction.kind = kind;
    instruction.position = position;
    return emit(std::move(instruction));
}

size_t Translator::emit(Instruction instruction) {
    m_state.program.push_back(std::move(instruction));
    return m_state.program.size() - 1;
}

void Translator::emitText(size_t position) {
    if (!m_state.program.empty() && m_state.program.back().kind == InstrKind::Text) {
        m_state.program.back().position = position;
        return;
    }
    emit(InstrKind::Text, position);
}

void Translator::translate() {
    emit(InstrKind::Start, 0);
    translateText();
    m_pos = m_text.size();
    emit(InstrKind::End, m_pos);
    if (m_state.scans.openCount() > 0)
        throw EIllegalScanUse("Nesting error - endscan expected, but end of document found");
}

void Translator::translateText() {
    const std::string_view bytes = m_text.bytes();
    for (;;) {
        const size_t p = m_text.skip(m_pos);
        if (p >= bytes.size())
            break;
        if (bytes[p] == '{' && (translateHeadGroup(p) || translateRawGroup(p)))
            continue;
        if (bytes[p] == '\\' && !m_inRow && m_text.matchesWord(p, "\\trowd")) {
            if (p >= m_plainRowsEnd) {
                const size_t plainEnd = commandFreeRowEnd(m_text, p);
                if (plainEnd == std::string_view::npos) {
                    translateTableRow(p);
                    continue;
                }
                // Every row that begins before that "\\row" shares it, and its lack of
                // commands too.
                m_plainRowsEnd = plainEnd;
            }
            m_pos = p + 1;
            emitText(m_pos);
            continue;
        }
        size_t afterMarker = 0;
        if (bytes[p] == '\\' && isMarkerAt(m_text, p, &afterMarker)) {
            translateCommand(afterMarker);
            continue;
        }
        m_pos = p + 1;
        emitText(m_pos);
    }
}

bool Translator::translateHeadGroup(size_t pos) {
    const std::string_view bytes = m_text.bytes();
    size_t p = pos;
    InstrKind place;
    if (m_text.matchesWord(pos + 1, "\\fonttbl", nullptr, true)) {
        readFontTable(bytes, p, m_state.tables, m_state.engine.fontCharset());
        place = InstrKind::FontTablePlace;
    } else if (m_text.matchesWord(pos + 1, "\\colortbl", nullptr, true)) {
        readColorTable(bytes, p, m_state.tables);
        place = InstrKind::ColorTablePlace;
    } else if (m_text.matchesWord(pos + 1, "\\stylesheet", nullptr, true)) {
        readStylesheet(bytes, p, m_state.tables);
        place = InstrKind::StylesheetPlace;
    } else if (m_text.matchesWord(pos + 1, "\\info", &p, true)) {
        // Each sub-group is kept in the information list; the document gets the
        // engine's own information group in its place.
        const size_t end = groupEnd(bytes, pos);
        while (p < end) {
            if (bytes[p] == '\\') {
                p += 2;
                continue;
            }
            if (bytes[p] == '{') {
                const size_t sub = std::min(groupEnd(bytes, p), end);
                m_state.infoList.emplace_back(bytes.substr(p, sub - p));
                p = sub;
                continue;
            }
            ++p;
        }
        p = end;
        place = InstrKind::InfoPlace;
    } else {
        return false;
    }
    m_pos = p;
    emit(place, m_pos);
    return true;
}

bool Translator::translateRawGroup(size_t pos) {
    if (!m_text.matchesWord(pos + 1, "\\field", nullptr, true) &&
        !m_text.matchesWord(pos + 1, "\\pict", nullptr, true) &&
        !m_text.matchesWord(pos + 1, "\\object", nullptr, true))
        return false;
    m_pos = groupEnd(m_text.bytes(), pos);
    emit(InstrKind::RawGroup, m_pos);
    return true;
}

void Translator::translateTableRow(size_t pos) {
    const size_t end = tableRowEnd(m_text, pos);
    Instruction start;
    start.kind = InstrKind::RowStart;
    start.position = pos;
    emit(std::move(start));
    // The row is translated on its own text, so that no command runs past its end.
    const TemplateText whole = m_text;
    m_text = TemplateText(whole.bytes().substr(0, end));
    m_inRow = true;
    m_pos = pos;
    translateText();
    m_inRow = false;
    m_text = whole;
    emit(InstrKind::RowEnd, m_pos);
}

void Translator::requireOutsideRow(std::string_view what, std::string_view command,
                                   bool scanCommand) const {
    if (m_inRow)
        raiseOutsideTable(what, command, scanCommand);
}

void Translator::translateCommand(size_t afterMarker) {
    const auto command = collectCommand(m_text, afterMarker);
    if (!command) {
        m_pos = afterMarker;
        emitText(m_pos);
        return;
    }
    m_pos = command->end;
    CleanCommand clean = cleanCommand(command->raw);
    std::string written = "\\\\" + command->raw + "\\\\";
    const Expression e = classifyExpression(clean.expression, m_dotAsColon);
    Instruction value;
    value.position = m_pos;
    value.value.written = std::move(written);
    value.value.codes = std::move(clean.codes);
    value.value.format = e.format;
    switch (e.kind) {
    case ExprKind::None:
        emitText(m_pos);
        return;
    case ExprKind::If:
    case ExprKind::EndIf:
        requireOutsideRow("IF, ENDIF", e.text, false);
        // The conditional brackets vanish with the characters typed in them; their
        // braces and control words stay so that the document's groups remain balanced.
        value.kind = InstrKind::ClearedCall;
        value.value.codes = formattingOf(value.value.codes);
        emit(std::move(value));
        return;
    case ExprKind::Scan:
        requireOutsideRow("Scan", e.text, true);
        translateScan(e.text, std::move(value.value.codes));
        return;
    case ExprKind::ScanEntry:
        requireOutsideRow("Scanentry", e.text, true);
        translateScanEntry(e.text, std::move(value.value.codes));
        return;
    case ExprKind::ScanFooter:
        requireOutsideRow("Scanfooter", e.text, true);
        translateScanFooter(e.text, std::move(value.value.codes));
        return;
    case ExprKind::EndScan:
        requireOutsideRow("Endscan", e.text, true);
        translateEndScan(e.text, std::move(value.value.codes));
        return;
    case ExprKind::Literal:
    case ExprKind::Variable:
        value.kind = e.kind == ExprKind::Literal ? InstrKind::Literal : InstrKind::Variable;
        value.value.name = e.kind == ExprKind::Literal ? e.value : e.variable;
        emit(std::move(value));
        return;
    case ExprKind::DotField:
    case ExprKind::ColonField:
        value.kind = fieldKind(e.kind);
        value.value.alias = e.alias;
        value.value.name = e.field;
        emit(std::move(value));
        return;
    case ExprKind::Call:
        if (emitCallGroup(e, value.value.written, value.value.codes, m_pos, true, false,
                          m_state.scans.innermostId()))
            return;
        if (m_clearMissed) {
            value.kind = InstrKind::ClearedCall;
            emit(std::move(value));
        } else {
            emitText(m_pos);
        }
        return;
    }
}

std::optional<FunctionInfo> Translator::findFunction(std::string_view name) const {
    const TUdfList* list = m_state.engine.udfList();
    if (list && list->count() > 0) {
        const int index = list->indexOf(name);
        if (index >= 0) {
            const TUdf& udf = list->item(index);
            return FunctionInfo{index, udf.argMinCount(), udf.argMaxCount(), udf.resultType(),
                                udf.name()};
        }
    }
    const std::string wanted = toUpperAscii(trimAsciiBlanks(name));
    for (const Predefined& p : kPredefined)
        if (p.name == wanted)
            return FunctionInfo{p.id, p.argMin, p.argMax, udfrNil, std::string(p.name)};
    return std::nullopt;
}

bool Translator::emitCallGroup(const Expression& call, std::string written, std::string codes,
                               size_t position, bool writesOutput, bool isWhile, int scanId) {
    const auto function = findFunction(call.function);
    if (!function)
        return false;
    checkCall(call, *function);
    Instruction head;
    head.kind = InstrKind::CallGroupHead;
    head.position = position;
    head.value.written = std::move(written);
    head.value.name = call.text;
    head.value.codes = std::move(codes);
    head.value.number = function->id;
    head.value.format = call.format;
    head.writesOutput = writesOutput;
    head.isWhile = isWhile;
    head.scanId = scanId;
    emit(std::move(head));
    emitCallBody(call, *function, position);
    emit(InstrKind::CallGroupEnd, position);
    return true;
}

void Translator::checkCall(const Expression& call, const FunctionInfo& function,
                           bool scanFunction) const {
    const auto args = splitArguments(call.arguments);
    if (!args)
        throw EIllegalFunctionUse("Brackets balance violation in function " + call.text);
    if (static_cast<int>(args->size()) < function.argMin)
        raiseFunctionUse(call.text, "number of arguments is less than minimum required");
    if (static_cast<int>(args->size()) > function.argMax)
        raiseFunctionUse(call.text, "number of arguments is more than maximum allowed");
    if (call.format.id != FormatId::NoFormat &&
        (function.id < 0 || !formatAcceptsResultType(call.format.id, function.resultType)))
        throw EIllegalFunctionUse("Format function " + std::string(formatName(call.format.id)) +
                                  " doesn't conform to it's expression: " + call.text);
    if (isAccumulator(function.id))
        checkAccumulatorArguments(call, *args, scanFunction);
}

// SUM, CTN and CTS accumulate a value into a report variable. Their target must be a
// variable name, as anything else would add a junk line to VarList, and a function
// given as the value must have one. Written as a command, the value may also be a
// literal (a local variable), and a third argument other than NORESET only leaves
// the reset on. A function of a scan command must name a field, a variable or a
// function as its value, and NORESET is the only third argument it may have.
void Translator::checkAccumulatorArguments(const Expression& call,
                                           const std::vector<std::string>& args,
                                           bool scanFunction) const {
    const std::string& expr = call.text;
    const std::string first = trimAsciiBlanks(args[0]);
    const Expression x = classifyExpression(first, m_dotAsColon);
    if (x.format.id == FormatId::NoFormat) {
        const bool valueKind = x.kind == ExprKind::DotField || x.kind == ExprKind::ColonField ||
                               x.kind == ExprKind::Variable || x.kind == ExprKind::Call;
        if (scanFunction && !valueKind)
            raiseFunctionUse(first, "datafield, variable or UDF expected as first argument "
                                    "in expression " +
                                        expr);
        if (x.kind == ExprKind::Call) {
            const auto nested = findFunction(x.function);
            if (nested && nested->resultType != udfrTReportVariable)
                raiseFunctionUse(first, "function without a value as first argument in "
                                        "expression " +
                                            expr);
        }
    }
    const std::string second = trimAsciiBlanks(args[1]);
    const Expression t = classifyExpression(second, m_dotAsColon);
    if (t.format.id == FormatId::NoFormat && t.kind != ExprKind::Variable)
        raiseFunctionUse(second,
                         "report variable expected as second argument in expression " + expr);
    if (scanFunction && args.size() == 3 && toUpperAscii(trimAsciiBlanks(args[2])) != "NORESET")
        raiseFunctionUse(trimAsciiBlanks(args[2]),
                         "symbol \")\" or keyword \"NORESET\" expected as third "
                         "argument in expression " +
                             expr);
}

void Translator::emitCallBody(const Expression& call, const FunctionInfo& function,
                              size_t position) {
    // Calls nest as deep as a command is long, so the arguments are walked with a
    // stack of open calls instead of recursion: each call's arguments come first,
    // a nested call's own arguments and call instruction in its place.
    struct OpenCall {
        std::string text;
        int functionId;
        std::vector<std::string> args;
        size_t next = 0;
    };
    std::vector<OpenCall> open;
    open.push_back({call.text, function.id, *splitArguments(call.arguments)});
    while (!open.empty()) {
        OpenCall& top = open.back();
        if (top.next < top.args.size()) {
            const std::string arg = top.args[top.next++];
            if (auto nested = emitArgument(arg, position))
                open.push_back({nested->text, nested->functionId, std::move(nested->args)});
            continue;
        }
        Instruction instruction;
        instruction.kind = InstrKind::Call;
        instruction.position = position;
        instruction.functionId = top.functionId;
        instruction.argCount = static_cast<int>(top.args.size());
        instruction.value.name = top.text;
        emit(std::move(instruction));
        open.pop_back();
    }
}

InstrKind Translator::fieldKind(ExprKind kind) const {
    if (kind == ExprKind::DotField)
        return m_inRow ? InstrKind::RowDotField : InstrKind::DotField;
    return m_inRow ? InstrKind::RowColonField : InstrKind::ColonField;
}

std::optional<Translator::NestedCall> Translator::emitArgument(std::string_view argument,
                                                               size_t position) {
    const std::string arg = trimAsciiBlanks(argument);
    const Expression a = classifyExpression(arg, m_dotAsColon);
    if (a.format.id != FormatId::NoFormat)
        throw EIllegalFunctionUse("Illegal function use: expression " + arg +
                                  " has format function " + std::string(formatName(a.format.id)) +
                                  ", which is not allowed within another expression");
    Instruction instruction;
    instruction.position = position;
    switch (a.kind) {
    case ExprKind::Literal:
        instruction.kind = InstrKind::Literal;
        instruction.value.name = a.value;
        break;
    case ExprKind::Variable:
        instruction.kind = InstrKind::Variable;
        instruction.value.name = a.variable;
        break;
    case ExprKind::DotField:
    case ExprKind::ColonField:
        instruction.kind = fieldKind(a.kind);
        instruction.value.alias = a.alias;
        instruction.value.name = a.field;
        break;
    case ExprKind::Call: {
        const auto function = findFunction(a.function);
        if (!function)
            raiseFunctionNotFound(arg);
        checkCall(a, *function);
        return NestedCall{a.text, function->id, *splitArguments(a.arguments)};
    }
    case ExprKind::None:
    case ExprKind::Scan:
    case ExprKind::ScanEntry:
    case ExprKind::ScanFooter:
    case ExprKind::EndScan:
    case ExprKind::If:
    case ExprKind::EndIf:
        throw EIllegalFunctionUse("Cannot use " + arg + " as argument for another expression");
    }
    emit(std::move(instruction));
    return std::nullopt;
}

} // namespace rtfengine
