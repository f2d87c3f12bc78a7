#include "rtfengine/ProgramRunner.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Errors.h"
#include "rtfengine/NumberFormat.h"
#include "rtfengine/OutputFile.h"
#include "rtfengine/ReportVariable.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/RunState.h"

namespace rtfengine {

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

void ProgramRunner::recordPlace(RecordedPlace::Kind kind) {
    RecordedPlace place;
    place.start = m_state.places.empty() ? 0 : m_state.places.back().offset;
    place.offset = m_out.size();
    place.kind = kind;
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
            recordPlace(RecordedPlace::Kind::FontTable);
            break;
        case InstrKind::ColorTablePlace:
            recordPlace(RecordedPlace::Kind::ColorTable);
            break;
        case InstrKind::StylesheetPlace:
            recordPlace(RecordedPlace::Kind::Stylesheet);
            break;
        case InstrKind::InfoPlace:
            recordPlace(RecordedPlace::Kind::Info);
            break;
        case InstrKind::Literal:
            writeLiteral(instruction.value);
            break;
        case InstrKind::Variable:
            writeVariable(instruction.value);
            break;
        case InstrKind::DotField:
        case InstrKind::ColonField:
        case InstrKind::RowDotField:
        case InstrKind::RowColonField:
            writeFieldValue(instruction.value);
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

std::string ProgramRunner::missedValue(const ValueOperands& ops) const {
    return m_state.engine.options().has(TRtfOption::eoClearMissedFields) ? ops.codes : ops.written;
}

void ProgramRunner::writeLiteral(ValueOperands& ops) {
    m_scratch.clear();
    m_writer.writeValue(m_scratch, ops.name, ops, TextOrigin::Template);
    write(m_scratch);
}

void ProgramRunner::writeVariable(ValueOperands& ops) {
    m_scratch.clear();
    const int index = m_state.engine.findVariable(ops.name);
    if (index > 0)
        m_writer.writeValue(m_scratch, m_state.engine.variableValue(index), ops);
    else
        m_scratch = missedValue(ops);
    write(m_scratch);
}

void ProgramRunner::writeFieldValue(ValueOperands& ops) {
    m_scratch.clear();
    Field* field = resolveField(ops);
    if (!field) {
        m_scratch = missedValue(ops);
    } else if (m_state.datasets[static_cast<size_t>(ops.dataset)]->eof()) {
        m_scratch = " " + ops.codes;
    } else {
        m_writer.writeField(m_scratch, *field, ops);
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
        case InstrKind::DotField:
        case InstrKind::ColonField:
        case InstrKind::RowDotField:
        case InstrKind::RowColonField:
            stack.push_back(
                fieldArgument(instruction.value, program[headPlace].value.name, declareOnly));
            break;
        // The translator puts only values and calls into a call group.
        case InstrKind::Start:
        case InstrKind::End:
        case InstrKind::Text:
        case InstrKind::RawGroup:
        case InstrKind::FontTablePlace:
        case InstrKind::ColorTablePlace:
        case InstrKind::StylesheetPlace:
        case InstrKind::InfoPlace:
        case InstrKind::ClearedCall:
        case InstrKind::CallGroupHead:
        case InstrKind::CallGroupEnd:
        case InstrKind::Scan:
        case InstrKind::WhileScan:
        case InstrKind::ScanEntry:
        case InstrKind::ScanFooter:
        case InstrKind::EndScan:
        case InstrKind::EndOfBody:
        case InstrKind::RowStart:
        case InstrKind::RowEnd:
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
    if (head.writesOutput)
        writeCallResult(head, evaluation);
}

TUdfArg ProgramRunner::fieldArgument(ValueOperands& ops, const std::string& expression,
                                     bool declareOnly) {
    Field* field = resolveField(ops);
    if (!field && declareOnly)
        return TUdfArg();
    if (!field)
        raiseFunctionUse(expression, "dataset field " + ops.name + " not found");
    return TUdfArg(field, m_state.datasets[static_cast<size_t>(ops.dataset)]);
}

void ProgramRunner::writeCallResult(const Instruction& head, const Evaluation& evaluation) {
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
