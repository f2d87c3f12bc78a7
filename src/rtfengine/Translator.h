// Translation of a template into its template program: the loop over the template
// text that claims the head tables, raw groups, table rows and commands, and turns
// each command into instructions (values, fields, call groups, scan blocks).
#pragma once

#include "rtfengine/Expression.h"
#include "rtfengine/TemplateProgram.h"
#include "rtfengine/TemplateText.h"
#include "rtfengine/UdfList.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

struct RunState;
struct TScanInfo;

// A function a template may call: its ID (user-defined index or predefined ID),
// argument range and result type.
struct FunctionInfo {
    int id = 0;
    int argMin = 0;
    int argMax = 0;
    TUdfResultType resultType = udfrNil;
    std::string name;
};

class Translator {
public:
    explicit Translator(RunState& state);

    // Translates the whole template text of the run into the run's program.
    void translate();

private:
    // A user-defined function of the engine's list (taking precedence) or a
    // predefined one.
    std::optional<FunctionInfo> findFunction(std::string_view name) const;

    // Appends an instruction stamped with `position`; returns its place.
    size_t emit(InstrKind kind, size_t position);
    size_t emit(Instruction instruction);
    // Appends a text instruction, or moves the previous one when it is text too.
    void emitText(size_t position);

    // Emits a call group for a classified call: head, arguments, call, group end.
    // Returns false when the function is unknown (nothing emitted).
    bool emitCallGroup(const Expression& call, std::string written, std::string codes,
                       size_t position, bool writesOutput, bool isWhile, int scanId);
    // The checks of a call against its function when a template is translated. A
    // function of a scan command gets the stricter checks of its arguments as well.
    void checkCall(const Expression& call, const FunctionInfo& function,
                   bool scanFunction = false) const;

    // Translates template text from the reading position to the end of m_text.
    void translateText();
    bool translateHeadGroup(size_t pos);
    bool translateRawGroup(size_t pos);
    void translateTableRow(size_t pos);
    void translateCommand(size_t afterMarker);
    // Raises the "must be outside of table" error of a command inside a table row.
    void requireOutsideRow(std::string_view what, std::string_view command, bool scanCommand) const;

    // Scan commands (TranslatorScans.cpp); `command` is the cleaned command text.
    void translateScan(const std::string& command, std::string codes);
    void translateScanEntry(const std::string& command, std::string codes);
    void translateScanFooter(const std::string& command, std::string codes);
    void translateEndScan(const std::string& command, std::string codes);
    // The items of a scan command after its keyword part.
    std::vector<std::string> scanItems(const std::string& command) const;
    Expression checkWhileCondition(const std::string& condition, const std::string& command) const;
    void emitScanFunctions(const std::vector<std::string>& items, const std::string& command,
                           int scanId);
    void emitWhileCondition(const std::string& condition, int scanId);
    void emitEndOfBody(const TScanInfo& scan);
    size_t emitScanInstruction(InstrKind kind, std::string codes, std::string trailing, int scanId);
    // Consumes the paragraph mark after a scan command when only formatting stands
    // between them; returns the formatting (the trailing codes) or nothing.
    std::string swallowParagraph();
    void emitCallBody(const Expression& call, const FunctionInfo& function, size_t position);
    // A call standing as an argument, checked, whose arguments are still to be emitted.
    struct NestedCall {
        std::string text;
        int functionId;
        std::vector<std::string> args;
    };
    // Emits a simple argument; a call argument is checked and handed back instead.
    std::optional<NestedCall> emitArgument(std::string_view argument, size_t position);
    // The instruction kind of a field: a row field inside a table row.
    InstrKind fieldKind(ExprKind kind) const;
    void checkAccumulatorArguments(const Expression& call, const std::vector<std::string>& args,
                                   bool scanFunction) const;

    RunState& m_state;
    TemplateText m_text; // the whole template, or the table row being translated
    size_t m_pos = 0;
    bool m_inRow = false;
    // Rows that begin before this place hold no command and are copied as text.
    size_t m_plainRowsEnd = 0;
    bool m_dotAsColon = false;
    bool m_clearMissed = false;
};

} // namespace rtfengine
