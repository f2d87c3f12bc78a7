// The scan commands of a template: scan, scan entry, scan footer and end of scan,
// their items and checks, and the paragraph mark they swallow.
#include "rtfengine/Ascii.h"
#include "rtfengine/Errors.h"
#include "rtfengine/RtfText.h"
#include "rtfengine/RunState.h"
#include "rtfengine/Translator.h"
#include "rtfengine/UdfList.h"

namespace rtfengine {

namespace {

// Whether the byte, typed as it stands, is certain to leave expression text when a
// command is cleaned. Blanks and the square brackets never do on their own: cleaning
// drops the brackets and the blanks around them.
bool isTypedText(unsigned char c) {
    return (c >= 0x21 && c <= 0x3A) || (c >= 0x41 && c <= 0x5A) || (c >= 0x5F && c <= 0x7A) ||
           c == 0x7E || c == 0x93 || c == 0x94 || c == 0xAB || c == 0xBB;
}

} // namespace

std::vector<std::string> Translator::scanItems(const std::string& command) const {
    auto list = splitArguments(command);
    if (!list || list->empty())
        throw EIllegalScanUse("Brackets balance violation in scan command " + command);
    return *list;
}

void Translator::translateScan(const std::string& command, std::string codes) {
    const std::vector<std::string> items = scanItems(command);
    const std::string keyword = trimAsciiBlanks(items[0]);
    if (keyword.empty() || keyword.back() != ')')
        throw EIllegalScanUse("Illegal using of \"scan\" keyword: " + keyword);
    const size_t open = keyword.find('(');
    const std::string alias = trimAsciiBlanks(keyword.substr(open + 1, keyword.size() - open - 2));
    Dataset* dataSet = nullptr;
    if (!alias.empty()) {
        const int index = m_state.resolveAlias(alias);
        if (index < 0)
            throw EIllegalScanUse("Scan Alias not found: " + alias);
        dataSet = m_state.datasets[static_cast<size_t>(index)];
    }
    bool page = false;
    bool noEof = false;
    bool isWhile = false;
    std::string condition;
    std::vector<std::string> functions;
    for (size_t i = 1; i < items.size(); ++i) {
        const std::string item = trimAsciiBlanks(items[i]);
        const std::string lower = toLowerAscii(item);
        if (lower == "page") {
            page = true;
        } else if (lower == "noeof") {
            noEof = true;
        } else if (lower.size() > 7 && lower.compare(0, 6, "while(") == 0 && lower.back() == ')') {
            if (isWhile)
                throw EIllegalScanUse(
                    "More than one \"while\" function is not allowed in command " + command);
            isWhile = true;
            condition = lower.substr(6, lower.size() - 7);
            checkWhileCondition(condition, command);
        } else {
            functions.push_back(item);
        }
    }
    if (!dataSet && !isWhile)
        throw EIllegalScanUse("Either \"scan\" with DataSet or \"while\" function must be "
                              "present in command " +
                              command);
    // The condition is evaluated before the block, as part of the enclosing one.
    if (isWhile)
        emitWhileCondition(condition, m_state.scans.innermostId());
    std::string trailing = swallowParagraph();
    const int id = m_state.scans.count() + 1;
    const size_t place = emitScanInstruction(isWhile ? InstrKind::WhileScan : InstrKind::Scan,
                                             std::move(codes), std::move(trailing), id);
    m_state.scans.push(place, m_pos, condition, isWhile, noEof, page, dataSet);
    emitScanFunctions(functions, command, id);
}

void Translator::translateScanEntry(const std::string& command, std::string codes) {
    TScanInfo* scan = m_state.scans.innermost();
    if (!scan)
        raiseScanUse("Scanentry must be after scan", command);
    if (scan->hasEntry)
        raiseScanUse("Scanentry already exists for scan block", command);
    if (scan->hasFooter)
        raiseScanUse("Scanentry not allowed after scanfooter", command);
    std::vector<std::string> items = scanItems(command);
    items.erase(items.begin());
    std::string trailing = swallowParagraph();
    const size_t place = emitScanInstruction(InstrKind::ScanEntry, std::move(codes),
                                             std::move(trailing), scan->scanId);
    m_state.scans.recordEntry(place, m_pos);
    emitScanFunctions(items, command, scan->scanId);
}

void Translator::translateScanFooter(const std::string& command, std::string codes) {
    TScanInfo* scan = m_state.scans.innermost();
    if (!scan)
        raiseScanUse("Scanfooter must be after Scan", command);
    if (scan->hasFooter)
        raiseScanUse("Scanfooter already exists for scan block", command);
    std::vector<std::string> items = scanItems(command);
    items.erase(items.begin());
    emitScanFunctions(items, command, scan->scanId);
    emitEndOfBody(*scan);
    std::string trailing = swallowParagraph();
    const size_t place = emitScanInstruction(InstrKind::ScanFooter, std::move(codes),
                                             std::move(trailing), scan->scanId);
    m_state.scans.recordFooter(place, m_pos);
}

// The body ends where the footer starts, or at the end of the scan when there is no
// footer; a while block checks its condition there.
void Translator::emitEndOfBody(const TScanInfo& scan) {
    Instruction endOfBody;
    endOfBody.kind = InstrKind::EndOfBody;
    endOfBody.position = m_pos;
    endOfBody.scanId = scan.scanId;
    emit(std::move(endOfBody));
    if (scan.isWhile)
        emitWhileCondition(scan.conditionText, scan.scanId);
}

void Translator::translateEndScan(const std::string& command, std::string codes) {
    TScanInfo* scan = m_state.scans.innermost();
    if (!scan)
        raiseScanUse("Endscan must be after scan", command);
    std::vector<std::string> items = scanItems(command);
    items.erase(items.begin());
    emitScanFunctions(items, command, scan->scanId);
    if (!scan->hasFooter)
        emitEndOfBody(*scan);
    std::string trailing = swallowParagraph();
    const size_t place = emitScanInstruction(InstrKind::EndScan, std::move(codes),
                                             std::move(trailing), scan->scanId);
    m_state.scans.pop(place);
}

Expression Translator::checkWhileCondition(const std::string& condition,
                                           const std::string& command) const {
    const Expression call = classifyExpression(condition, m_dotAsColon);
    if (call.kind != ExprKind::Call)
        throw EIllegalScanUse("User defined function expected as argument for \"while\" in "
                              "command " +
                              command);
    if (call.format.id != FormatId::NoFormat)
        throw EIllegalScanUse("Format function " + condition +
                              " not allowed in \"while\" function " + command);
    const auto function = findFunction(call.function);
    if (!function)
        raiseFunctionNotFound(condition);
    checkCall(call, *function);
    if (function->id < 0)
        throw EIllegalScanUse("Predefined scan function " + condition +
                              " not allowed as argument for \"while\" in command " + command);
    if (function->resultType != udfrTReportVariable)
        throw EIllegalScanUse("Result type of \"while\" function " + condition + " in command " +
                              command + " must be udfrTReportVariable");
    return call;
}

void Translator::emitWhileCondition(const std::string& condition, int scanId) {
    const Expression call = classifyExpression(condition, m_dotAsColon);
    emitCallGroup(call, std::string(), std::string(), m_pos, false, true, scanId);
}

void Translator::emitScanFunctions(const std::vector<std::string>& items,
                                   const std::string& command, int scanId) {
    for (const std::string& raw : items) {
        const std::string item = trimAsciiBlanks(raw);
        const Expression call = classifyExpression(item, m_dotAsColon);
        if (call.kind != ExprKind::Call)
            throw EIllegalScanUse("Cannot process expression " + item + " in scan command " +
                                  command);
        if (call.format.id != FormatId::NoFormat)
            throw EIllegalScanUse("Format function " + item + " not allowed in scan command " +
                                  command);
        const auto function = findFunction(call.function);
        if (!function)
            raiseFunctionNotFound(item);
        checkCall(call, *function, true);
        const std::vector<std::string> args = *splitArguments(call.arguments);
        // Arguments that only name a variable must be plain variable names here: the
        // scan command has no place for the format function's output.
        for (size_t i = 0; i < args.size(); ++i) {
            const bool named = isPredefined(function->id, PredefinedFunction::Var) ||
                               (isAccumulator(function->id) && i < 2);
            if (!named)
                continue;
            const std::string a = trimAsciiBlanks(args[i]);
            const Expression arg = classifyExpression(a, m_dotAsColon);
            if (isPredefined(function->id, PredefinedFunction::Var) || i == 0) {
                if (arg.format.id != FormatId::NoFormat)
                    raiseFunctionUse(a, "format function not allowed in scan command in "
                                        "expression " +
                                            item);
                if (isPredefined(function->id, PredefinedFunction::Var) &&
                    arg.kind != ExprKind::Variable)
                    raiseFunctionUse(a, "report variable expected as argument in "
                                        "expression " +
                                            item);
            } else if (arg.format.id != FormatId::NoFormat || arg.kind != ExprKind::Variable) {
                raiseFunctionUse(a, "report variable expected as second argument in "
                                    "expression " +
                                        item);
            }
        }
        emitCallGroup(call, std::string(), std::string(), m_pos, false, false, scanId);
    }
}

size_t Translator::emitScanInstruction(InstrKind kind, std::string codes, std::string trailing,
                                       int scanId) {
    Instruction instruction;
    instruction.kind = kind;
    instruction.position = m_pos;
    instruction.value.codes = std::move(codes);
    instruction.trailingCodes = std::move(trailing);
    instruction.scanId = scanId;
    return emit(std::move(instruction));
}

std::string Translator::swallowParagraph() {
    const std::string_view bytes = m_text.bytes();
    std::string between;
    size_t p = m_pos;
    for (;;) {
        p = m_text.skip(p);
        if (p >= bytes.size())
            return std::string();
        const char c = bytes[p];
        if (c != '\\') {
            // Typed text keeps the paragraph; the walk stops at the first of it.
            if (isTypedText(static_cast<unsigned char>(c)))
                return std::string();
            between += c;
            ++p;
            continue;
        }
        size_t end = 0;
        if (m_text.matches(p, "\\par", &end) && !isAsciiAlnum(m_text.at(end))) {
            if (m_text.at(end) == ' ')
                end = m_text.after(end);
            CleanCommand clean = cleanCommand(between);
            if (!clean.expression.empty())
                return std::string();
            m_pos = end;
            return std::move(clean.codes);
        }
        const char next = m_text.at(p + 1);
        if (next == '\'') {
            // A hex escape is typed text unless cleaning drops its byte (a bracket, a
            // blank, a zero).
            const size_t high = m_text.after(p + 1);
            const size_t low = m_text.after(high);
            const std::string escape = {'\\', '\'', m_text.at(high), m_text.at(low)};
            if (!isAsciiHexDigit(escape[2]) || !isAsciiHexDigit(escape[3]) ||
                !cleanCommand(escape).expression.empty())
                return std::string();
            between += escape;
            p = m_text.after(low);
            continue;
        }
        if (next == '\\' || next == '{' || next == '}')
            return std::string(); // an escaped character is typed text
        if (next == '~') {
            between += "\\~";
            p = m_text.after(p + 1);
            continue;
        }
        // A control word runs, as cleaning reads it, to a blank, backslash or brace.
        between += c;
        ++p;
        for (;;) {
            p = m_text.skip(p);
            if (p >= bytes.size())
                return std::string();
            const char w = bytes[p];
            if (w == '\\' || w == '{' || w == '}')
                break;
            between += w;
            ++p;
            if (w == ' ')
                break;
        }
        // The quote words clean to typed text.
        const std::string_view word = std::string_view(between).substr(between.rfind('\\'));
        for (std::string_view q : {"\\lquote", "\\rquote", "\\ldblquote", "\\rdblquote"})
            if (word.substr(0, q.size()) == q &&
                (word.size() == q.size() || !isAsciiAlnum(word[q.size()])))
                return std::string();
    }
}

} // namespace rtfengine
