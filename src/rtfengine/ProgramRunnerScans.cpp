// Running scan blocks and table rows: records visited in order, the scan events,
// page breaks, left-out blocks, and the braces that keep repeated passes balanced.
#include "rtfengine/BraceFigures.h"
#include "rtfengine/OutputFile.h"
#include "rtfengine/ProgramRunner.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/RunState.h"

namespace rtfengine {

bool ProgramRunner::canContinue(const TScanInfo& scan, bool whileResult) const {
    if (scan.isWhile && !scan.dataSet)
        return whileResult;
    return (!scan.isWhile || whileResult) && scan.dataSet && !scan.dataSet->eof();
}

void ProgramRunner::fire(const std::function<void(TScanInfo&)>& event, TScanInfo& scan) {
    if (event)
        event(scan);
}

void ProgramRunner::runScan(size_t& pc) {
    const Instruction& instruction = m_state.program[pc];
    write(instruction.value.codes);
    m_state.scans.select(instruction.scanId);
    TScanInfo& scan = *m_state.scans.current();
    scan.firstPass = true;
    if (!scan.figuresComputed)
        computeBraceFigures(m_state.program, m_state.templateBytes, m_state.scans, scan);
    fire(m_state.engine.OnScanBefore, scan);
    // The block starts at the first record, also when an enclosing pass or an earlier
    // run left the dataset at its end: "noeof" asks whether there are records at all.
    if (scan.dataSet)
        scan.dataSet->first();
    scan.passCondition = m_state.whileResult;
    if (scan.noEof && !canContinue(scan, m_state.whileResult)) {
        leaveOut(scan, pc);
        return;
    }
    write(instruction.trailingCodes);
    scan.ended = false;
    fire(m_state.engine.OnScanRecord, scan);
}

void ProgramRunner::leaveOut(TScanInfo& scan, size_t& pc) {
    TemplateProgram& program = m_state.program;
    for (size_t i = pc + 1; i < scan.endInstruction; ++i) {
        // A left-out block still resets its inner scans and declares the variables
        // of its calls; nothing else in it leaves a trace.
        const InstrKind kind = program[i].kind;
        if (isScanCommand(kind) || kind == InstrKind::EndOfBody) {
            m_state.scans.select(program[i].scanId);
            m_state.scans.current()->firstPass = true;
        } else if (kind == InstrKind::CallGroupHead) {
            evaluateCallGroup(i, true);
        }
    }
    pc = scan.endInstruction;
    const Instruction& end = program[pc];
    m_state.scans.select(scan.scanId);
    write(scan.skeleton);
    write(end.value.codes);
    write(end.trailingCodes);
    fire(m_state.engine.OnScanEof, scan);
    scan.ended = true;
}

void ProgramRunner::runScanEntry(const Instruction& instruction) {
    write(instruction.value.codes);
    write(instruction.trailingCodes);
    m_state.scans.select(instruction.scanId);
}

void ProgramRunner::runEndOfBody(const Instruction& instruction) {
    m_state.scans.select(instruction.scanId);
    const TScanInfo& scan = *m_state.scans.current();
    // A block whose condition no longer holds stays on the record it has written, so
    // that its footer and the text after it still show that record. The condition is
    // the one that started this pass: a while block nested in the body has set the
    // engine's result for its own condition since.
    if (scan.dataSet && canContinue(scan, scan.passCondition))
        scan.dataSet->next();
    // The condition is evaluated again right after this instruction.
    if (scan.isWhile)
        m_state.whileResult = false;
}

void ProgramRunner::runScanEnd(size_t& pc) {
    const Instruction& instruction = m_state.program[pc];
    m_state.scans.select(instruction.scanId);
    TScanInfo& scan = *m_state.scans.current();
    scan.firstPass = false;
    write(instruction.value.codes);
    if (canContinue(scan, m_state.whileResult) && !scan.ended) {
        scan.passCondition = m_state.whileResult;
        fire(m_state.engine.OnScanRecord, scan);
        // A pass that leaves groups open (or closes more than it opens) is evened out
        // before the next pass, so that the document's groups stay balanced.
        const int32_t balance = scan.passBalance;
        if (balance != 0)
            write(std::string(static_cast<size_t>(balance < 0 ? -balance : balance),
                              balance < 0 ? '{' : '}'));
        pc = scan.passStartInstruction;
        m_textPos = scan.passStartTextPosition;
        write(m_state.program[pc].trailingCodes);
        if (scan.page)
            write("\\page ");
        return;
    }
    write(instruction.trailingCodes);
    scan.firstPass = true;
    if (!scan.ended)
        fire(m_state.engine.OnScanEof, scan);
    scan.ended = true;
}

void ProgramRunner::runRowStart(size_t pc) {
    Instruction& start = m_state.program[pc];
    m_state.tableRowMode = true;
    m_rowStart = pc;
    if (!start.setUp) {
        // The row repeats over the dataset its dot-form fields choose: the first one
        // found, replaced by every later one whose alias has no lower-case letter.
        int chosen = -1;
        for (size_t i = pc + 1;
             i < m_state.program.size() && m_state.program[i].kind != InstrKind::RowEnd; ++i) {
            Instruction& in = m_state.program[i];
            if (in.kind != InstrKind::RowDotField && in.kind != InstrKind::RowColonField)
                continue;
            if (!resolveField(in.value) || in.kind != InstrKind::RowDotField)
                continue;
            const bool upper =
                in.value.alias.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
            if (chosen < 0 || upper)
                chosen = in.value.dataset;
        }
        if (chosen >= 0)
            m_state.datasets[static_cast<size_t>(chosen)]->first();
        start.rowDataset = chosen;
        start.setUp = true;
    }
    m_rowDataset = start.rowDataset;
}

void ProgramRunner::runRowEnd(size_t& pc) {
    m_state.tableRowMode = false;
    if (m_rowDataset < 0)
        return;
    Dataset& dataset = *m_state.datasets[static_cast<size_t>(m_rowDataset)];
    if (!dataset.eof())
        dataset.next();
    if (dataset.eof())
        return;
    pc = m_rowStart;
    m_state.tableRowMode = true;
}

} // namespace rtfengine
