#include "rtfengine/ProgramRunner.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Errors.h"
#include "rtfengine/NumberFormat.h"
#include "rtfengine/OutputFile.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/RunState.h"

namespace rtfengine {

namespace {

bool isFieldKind(InstrKind kind) {
    return kind == InstrKind::DotField || kind == InstrKind::ColonField ||
           kind == InstrKind::RowDotField || kind == InstrKind::RowColonField;
}

} // namespace

// Every object created while one call group is evaluated, freed with it.
struct ProgramRunner::Evaluation {
    std::vector<std::unique_ptr<TReportVariable>> variables;
    // The result of the last call: its function, result type and buffer.
    int lastFunction = 0;
    TUdfResultType lastType = udfrNil;
    std::string lastResult;

    TReportVariable* add(TReportVariable variable) {
        variables.push_back(std::make_unique<TReportVariable>(std::move(variable)));
        return variables.back().get();
    }
};

ProgramRunner::ProgramRunner(RunState& state, OutputFile& out)
    : m_state(state), m_out(out), m_writer(state) {}

void ProgramRunner::write(std::string_view bytes) {
    m_out.write(bytes);
}

void ProgramRunner::copyTemplateText(size_t upTo) {
    if (upTo > m_textPos)
        write(std::string_view(m_state.templateBytes).substr(m_textPos, upTo - m_textPos));
    m_textPos = upTo;
}

void ProgramRunner::recordPlace(InstrKind kind) {
    RecordedPlace place;
    place.start = m_state.places.empty() ? 0 : m_state.places.back().offset;
    place.offset = m_out.size();
    switch (kind) {
    case InstrKind::FontTablePlace:
        place.kind = RecordedPlace::Kind::FontTable;
        break;
    case InstrKind::ColorTablePlace:
        place.kind = RecordedPlace::Kind::ColorTable;
        break;
    case InstrKind::StylesheetPlace:
        place.kind = RecordedPlace::Kind::Stylesheet;
        break;
    default:
        place.kind = RecordedPlace::Kind::Info;
        break;
    }
    m_state.places.push_back(place);
}

void ProgramRunner::run() {
    TemplateProgram& program = m_state.program;
    m_textPos = 0;
    for (size_t pc = 0; pc < program.size(); ++pc) {
        Instruction& instruction = program[pc];
        switch (instruction.kind) {
        case InstrKind::Start:
        case InstrKind::Call:
        case InstrKind::CallGroupEnd:
            break;
        case InstrKind::End:
            return;
        case InstrKind::Text:
        case InstrKind::RawGroup:
            copyTemplateText(instruction.position);
            break;
        case InstrKind::FontTablePlace:
        case InstrKind::ColorTablePlace:
        case InstrKind::StylesheetPlace:
        case InstrKind::InfoPlace:
            recordPlace(instruction.kind);
            break;
        case InstrKind::Literal:
        case InstrKind::Variable:
        case InstrKind::DotField:
        case InstrKind::ColonField:
        case InstrKind::RowDotField:
        case InstrKind::RowColonField:
            writeValueInstruction(instruction);
            break;
        case InstrKind::ClearedCall:
            write(instruction.value.codes);
            break;
        case InstrKind::CallGroupHead:
            evaluateCallGroup(pc);
            break;
        case InstrKind::Scan:
        case InstrKind::WhileScan:
            runScan(pc);
            break;
        case InstrKind::ScanEntry:
            runScanEntry(instruction);
            break;
        case InstrKind::ScanFooter:
        case InstrKind::EndScan:
            runScanEnd(pc);
            break;
        case InstrKind::EndOfBody:
            runEndOfBody(instruction);
            break;
        case InstrKind::RowStart:
            runRowStart(pc);
            break;
        case InstrKind::RowEnd:
            runRowEnd(pc);
            break;
        }
        m_textPos = program[pc].position;
    }
}

Field* ProgramRunner::resolveField(ValueOperands& ops) {
    if (!ops.resolved) {
        ops.resolved = true;
        ops.notFound = true;
        ops.dataset = m_state.resolveAlias(ops.alias);
        if (ops.dataset >= 0) {
            Dataset& dataset = *m_state.datasets[static_cast<size_t>(ops.dataset)];
            const int count = dataset.fieldCount();
            const std::string& name = ops.name;
            if (name.size() >= 3 && name.front() == '(' && name.back() == ')') {
                const std::string digits = name.substr(1, name.size() - 2);
                const long n = digits.size() <= 9 ? std::stol(digits) : count;
                ops.number = n < count ? static_cast<int>(n) : -1;
            } else {
                ops.number = -1;
                for (int i = 0; i < count && ops.number < 0; ++i)
                    if (equalsIgnoringAsciiCase(dataset.field(i).name(), name))
                        ops.number = i;
            }
            ops.notFound = ops.number < 0;
        }
    }
    if (ops.notFound)
        return nullptr;
    return &m_state.datasets[static_cast<size_t>(ops.dataset)]->field(ops.number);
}

void ProgramRunner::writeValueInstruction(Instruction& instruction) {
    ValueOperands& ops = instruction.value;
    const bool clearMissed = m_state.engine.options().has(TRtfOption::eoClearMissedFields);
    m_scratch.clear();
    switch (instruction.kind) {
    case InstrKind::Literal:
        m_writer.writeValue(m_scratch, ops.name, ops, TextOrigin::Template);
        break;
    case InstrKind::Variable: {
        const int index = m_state.engine.findVariable(ops.name);
        if (index > 0)
            m_writer.writeValue(m_scratch, m_state.engine.variableValue(index), ops);
        else
            m_scratch = clearMissed ? ops.codes : ops.written;
        break;
    }
    default: {
        Field* field = resolveField(ops);
        if (!field) {
            m_scratch = clearMissed ? ops.codes : ops.written;
        } else if (m_state.datasets[static_cast<size_t>(ops.dataset)]->eof()) {
            m_scratch = " " + ops.codes;
        } else {
            m_writer.writeField(m_scratch, *field, ops);
        }
        break;
    }
    }
    write(m_scratch);
}

void ProgramRunner::evaluateCallGroup(size_t& pc, bool declareOnly) {
    TemplateProgram& program = m_state.program;
    const size_t headPlace = pc;
    m_state.scans.select(program[headPlace].scanId);
    Evaluation evaluation;
    std::vector<TUdfArg> stack;
    for (++pc; pc < program.size() && program[pc].kind != InstrKind::CallGroupEnd; ++pc) {
        Instruction& instruction = program[pc];
        switch (instruction.kind) {
        case InstrKind::Variable:
            stack.emplace_back(
                evaluation.add(TReportVariable(&m_state.engine, instruction.value.name)));
            break;
        case InstrKind::Literal:
            stack.emplace_back(evaluation.add(
                TReportVariable::localValue(&m_state.engine, instruction.value.name)));
            break;
        case InstrKind::Call: {
            const size_t n = std::min(stack.size(), static_cast<size_t>(instruction.argCount));
            std::vector<TUdfArg> args(stack.end() - static_cast<long>(n), stack.end());
            stack.resize(stack.size() - n);
            stack.push_back(evaluateCall(instruction, std::move(args),
                                         program[headPlace].value.name, evaluation, declareOnly));
            break;
        }
        default:
            if (isFieldKind(instruction.kind)) {
                Field* field = resolveField(instruction.value);
                if (!field && declareOnly) {
                    stack.emplace_back();
                    break;
                }
                if (!field)
                    raiseFunctionUse(program[headPlace].value.name,
                                     "dataset field " + instruction.value.name + " not found");
                stack.emplace_back(
                    field, m_state.datasets[static_cast<size_t>(instruction.value.dataset)]);
                break;
            }
            throw EIOError("Undefined argument in UDF");
        }
    }
    const Instruction& head = program[headPlace];
    if (declareOnly)
        return;
    if (head.isWhile) {
        m_state.whileResult =
            evaluation.lastType == udfrTReportVariable &&
            TReportVariable::localValue(&m_state.engine, evaluation.lastResult).asBoolean();
    }
    if (!head.writesOutput)
        return;
    m_scratch.clear();
    if (evaluation.lastFunction < 0) {
        m_scratch = head.value.codes;
    } else {
        switch (evaluation.lastType) {
        case udfrTReportVariable:
            m_writer.writeValue(m_scratch, evaluation.lastResult, head.value);
            break;
        case udfrTPicture:
            m_writer.writePicture(m_scratch, evaluation.lastResult, head.value);
            break;
        case udfrTMemoryStream:
            write(evaluation.lastResult);
            m_scratch = head.value.codes;
            break;
        case udfrNil:
            m_scratch = head.value.codes;
            break;
        }
    }
    write(m_scratch);
}

TUdfArg ProgramRunner::evaluateCall(const Instruction& call, std::vector<TUdfArg> args,
                                    const std::string& expression, Evaluation& evaluation,
                                    bool declareOnly) {
    const int id = call.functionId;
    evaluation.lastFunction = id;
    evaluation.lastType = udfrNil;
    evaluation.lastResult.clear();
    if (id < 0) {
        // NORESET names an option, not a variable: it is never looked up.
        if (!isPredefined(id, PredefinedFunction::Var) && args.size() == 3 && args[2].variable() &&
            toUpperAscii(trimAsciiBlanks(args[2].variable()->name())) == "NORESET") {
            args[2].variable()->setLocal(true);
            args[2].variable()->setBoolean(false);
        }
        evaluatePredefined(id, args, expression, declareOnly);
        return TUdfArg();
    }
    if (declareOnly)
        return TUdfArg();
    TUdfList* list = m_state.engine.udfList();
    if (!list || id >= list->count())
        raiseFunctionNotFound(call.value.name);
    TUdf& udf = list->item(id);
    if (udf.resultType() > udfrTMemoryStream)
        throw EIllegalFunctionUse("Result type defined in function" + udf.name() +
                                  " is not supported");
    for (const TUdfArg& arg : args) {
        TReportVariable* v = arg.variable();
        if (v && !v->isLocal() && m_state.engine.findVariable(v->name()) == 0)
            raiseFunctionUse(expression, "report variable " + v->name() + " not found");
    }
    std::string result;
    if (udf.OnCalculate)
        udf.OnCalculate(m_state.engine, args, result);
    evaluation.lastType = udf.resultType();
    if (udf.resultType() == udfrNil)
        return TUdfArg();
    evaluation.lastResult = result;
    return TUdfArg(evaluation.add(TReportVariable::localValue(&m_state.engine, std::move(result))));
}

void ProgramRunner::evaluatePredefined(int id, const std::vector<TUdfArg>& args,
                                       const std::string& expression, bool declareOnly) {
    TRtfEngine& engine = m_state.engine;
    if (isPredefined(id, PredefinedFunction::Var)) {
        for (const TUdfArg& arg : args) {
            TReportVariable* v = arg.variable();
            if (!v || v->isLocal() || trimAsciiBlanks(v->name()).empty())
                raiseFunctionUse(expression, "VAR function may be used only with variable "
                                             "identifiers");
        }
        for (const TUdfArg& arg : args)
            if (engine.findVariable(arg.variable()->name()) == 0)
                engine.addVariable(arg.variable()->name(), std::string_view());
        return;
    }
    const TUdfArg& x = args[0];
    if (!declareOnly && x.variable() && !x.variable()->isLocal() &&
        engine.findVariable(x.variable()->name()) == 0)
        raiseFunctionUse(expression, "report variable " + x.variable()->name() + " not found");
    TReportVariable* t = args[1].variable();
    if (!t || t->isLocal())
        raiseFunctionUse(expression, "report variable expected as second argument");
    if (engine.findVariable(t->name()) == 0)
        engine.addVariable(t->name(), 0.0);
    const bool noReset = args.size() == 3 && args[2].variable() &&
                         toUpperAscii(trimAsciiBlanks(args[2].variable()->name())) == "NORESET";
    const TScanInfo* scan = m_state.scans.current();
    if (!noReset && (!scan || scan->firstPass))
        t->setInteger(0);
    if (declareOnly)
        return;

    double n = t->asFloat();
    const bool atEnd = x.field() && x.dataset() && x.dataset()->eof();
    const bool hasValue = (x.field() && !atEnd) || x.variable();
    if (isPredefined(id, PredefinedFunction::Cts)) {
        if (hasValue && !trimAsciiBlanks(x.asString()).empty())
            n += 1;
    } else if (hasValue) {
        const double value = x.field() ? x.field()->asFloat() : x.variable()->asFloat();
        if (isPredefined(id, PredefinedFunction::Sum))
            n += value;
        else if (value != 0)
            n += 1;
    }
    t->setFloat(n);
}

} // namespace rtfengine
