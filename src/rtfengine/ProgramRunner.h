// Running a template program: plain text copied from the template as byte ranges,
// values and fields written, call groups evaluated through the user-defined and
// predefined functions, and the places of the document's head tables recorded.
#pragma once

#include "rtfengine/TemplateProgram.h"
#include "rtfengine/UdfList.h"
#include "rtfengine/ValueWriter.h"

#include <memory>
#include <string>
#include <vector>

namespace rtfengine {

class OutputFile;
class TReportVariable;
struct RunState;

class ProgramRunner {
public:
    ProgramRunner(RunState& state, OutputFile& out);

    // Runs the program from its start to its end instruction.
    void run();

    // Resolves a field instruction once per run; returns the field or nullptr.
    Field* resolveField(ValueOperands& ops);

private:
    struct Evaluation; // the objects of one call group

    void write(std::string_view bytes);
    void copyTemplateText(size_t upTo);
    void recordPlace(InstrKind kind);
    void writeValueInstruction(Instruction& instruction);
    // Evaluates the call group whose head is at `pc`; leaves `pc` at its end.
    void evaluateCallGroup(size_t& pc);
    TUdfArg evaluateCall(const Instruction& call, std::vector<TUdfArg> args,
                         const std::string& expression, Evaluation& evaluation);
    void evaluatePredefined(int id, const std::vector<TUdfArg>& args,
                            const std::string& expression);

    RunState& m_state;
    OutputFile& m_out;
    ValueWriter m_writer;
    std::string m_scratch;
    size_t m_textPos = 0;
};

} // namespace rtfengine
