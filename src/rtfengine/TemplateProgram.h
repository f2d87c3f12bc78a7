// The template program: the instructions a template translates into, each stamped
// with the template position after the text it consumed. Plain template text is
// not copied into the program; it is copied as byte ranges when the program runs.
#pragma once

#include "rtfengine/Expression.h"

#include <string>
#include <vector>

namespace rtfengine {

enum class InstrKind : int {
    Start = -9999,         // the program's first instruction
    End = -10000,          // the program's last instruction
    Text = -5,             // template text up to the instruction's position
    RawGroup = -10,        // a field, picture or object group, copied as it is
    FontTablePlace = -17,  // where the document's font table goes
    ColorTablePlace = -18, // where the colour table goes
    StylesheetPlace = -19, // where the stylesheet goes
    InfoPlace = -20,       // where the information group goes
    Literal = 2,           // a quoted text or number
    Variable = 0,          // a report variable
    DotField = -1,         // alias.field
    ColonField = -2,       // alias:field
    RowDotField = -8,      // alias.field inside a table row
    RowColonField = -9,    // alias:field inside a table row
    ClearedCall = -16,     // an unknown function, cleared: writes its codes
    CallGroupHead = -13,   // starts a call with its arguments
    Call = -15,            // calls a function on the arguments before it
    CallGroupEnd = -14,    // ends a call group
    Scan = -3,             // SCAN(alias)
    WhileScan = -21,       // SCAN with a while condition
    ScanEntry = -11,       // SCANENTRY
    ScanFooter = -12,      // SCANFOOTER
    EndScan = -4,          // ENDSCAN
    EndOfBody = -22,       // the end of one pass of a scan body
    RowStart = -6,         // the start of a table row
    RowEnd = -7,           // the end of a table row
};

// The predefined functions. A function ID is an int because a user-defined function
// uses its index in the list as its ID; the predefined ones take the negative IDs.
enum class PredefinedFunction : int { Sum = -1, Ctn = -2, Cts = -3, Var = -4 };

constexpr int functionId(PredefinedFunction function) {
    return static_cast<int>(function);
}
constexpr bool isPredefined(int id, PredefinedFunction function) {
    return id == functionId(function);
}
// The instructions of scan commands: SCAN (with or without a condition),
// SCANENTRY, SCANFOOTER and ENDSCAN.
constexpr bool isScanCommand(InstrKind kind) {
    return kind == InstrKind::Scan || kind == InstrKind::WhileScan ||
           kind == InstrKind::ScanEntry || kind == InstrKind::ScanFooter ||
           kind == InstrKind::EndScan;
}

// SUM, CTN and CTS, the functions that add up into a report variable.
constexpr bool isAccumulator(int id) {
    return isPredefined(id, PredefinedFunction::Sum) || isPredefined(id, PredefinedFunction::Ctn) ||
           isPredefined(id, PredefinedFunction::Cts);
}

// The operands of an instruction that writes a value.
struct ValueOperands {
    std::string written; // the command as written: "\\" + raw text + "\\"
    std::string alias;
    std::string name;  // variable or field name, literal value, or the call text
    std::string codes; // the command's RTF codes, written after the value
    int number = -1;   // resolved field number, or the function ID of a call head
    FormatRecord format;
    bool notFound = false;
    bool resolved = false;
    int dataset = -1; // resolved dataset index of a field
};

struct Instruction {
    InstrKind kind = InstrKind::Text;
    size_t position = 0; // template position when the instruction was made
    ValueOperands value;
    // Call group head.
    bool writesOutput = false;
    int scanId = 0;
    bool isWhile = false;
    // Call.
    int functionId = 0;
    int argCount = 0;
    // Scan commands: RTF codes are in value.codes.
    std::string trailingCodes;
    // Row start.
    int rowDataset = -1;
    bool setUp = false;
};

using TemplateProgram = std::vector<Instruction>;

} // namespace rtfengine
