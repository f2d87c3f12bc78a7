// Running a template program: plain text copied from the template as byte ranges,
// values and fields written, call groups evaluated through the user-defined and
// predefined functions, scan blocks and table rows repeated over their datasets,
// and the places of the document's head tables recorded.
#pragma once

#include "rtfengine/RunState.h"
#include "rtfengine/TemplateProgram.h"
#include "rtfengine/UdfList.h"
#include "rtfengine/ValueWriter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rtfengine {

class OutputFile;
class TReportVariable;
struct TScanInfo;

class ProgramRunner {
public:
    ProgramRunner(RunState& state, OutputFile& out);

    // Runs the program from its start to its end instruction.
    void run();

private:
    // Resolves a field instruction once per run; returns the field or nullptr.
    Field* resolveField(ValueOperands& ops);

    struct Evaluation; // the objects of one call group

    void write(std::string_view bytes);
    void copyTemplateText(size_t upTo);
    void recordPlace(RecordedPlace::Kind kind);
    // What a value that cannot be written leaves: its codes when missed fields are
    // cleared, else the command as written.
    std::string missedValue(const ValueOperands& ops) const;
    void writeLiteral(ValueOperands& ops);
    void writeVariable(ValueOperands& ops);
    void writeFieldValue(ValueOperands& ops);
    // Evaluates the call group whose head is at `pc`; leaves `pc` at its end. When
    // declaring only, user-defined functions are not called and the predefined ones
    // only declare and reset their variables; nothing is written.
    void evaluateCallGroup(size_t& pc, bool declareOnly = false);
    // A field argument of a call group; an empty argument for a missing field when
    // declaring only.
    TUdfArg fieldArgument(ValueOperands& ops, const std::string& expression, bool declareOnly);
    void writeCallResult(const Instruction& head, const Evaluation& evaluation);
    TUdfArg evaluateCall(const Instruction& call, std::vector<TUdfArg> args,
                         const std::string& expression, Evaluation& evaluation, bool declareOnly);
    void evaluatePredefined(int id, const std::vector<TUdfArg>& args, const std::string& expression,
                            bool declareOnly);

    // Scan blocks (ProgramRunnerScans.cpp). Each may move `pc` to jump.
    void runScan(size_t& pc);
    void runScanEntry(const Instruction& instruction);
    void runEndOfBody(const Instruction& instruction);
    void runScanEnd(size_t& pc);
    // Walks a left-out block to its end of scan, declaring its variables.
    void leaveOut(TScanInfo& scan, size_t& pc);
    // Whether the block goes on, its condition (for a block with one) having given
    // `whileResult`.
    bool canContinue(const TScanInfo& scan, bool whileResult) const;
    void fire(const std::function<void(TScanInfo&)>& event, TScanInfo& scan);
    // Table rows.
    void runRowStart(size_t pc);
    void runRowEnd(size_t& pc);

    RunState& m_state;
    OutputFile& m_out;
    ValueWriter m_writer;
    std::string m_scratch;
    size_t m_textPos = 0;
    // The table row in progress: its row-start instruction and dataset (-1: none).
    size_t m_rowStart = 0;
    int m_rowDataset = -1;
};

} // namespace rtfengine
