// The engine's exceptions. Every failure of a run reaches the caller as one of
// these; the message is the text a user sees in the error box.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace rtfengine {

// Base of all engine failures.
class EEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The template is not usable RTF.
class EBadRtfFormat : public EEngineError {
public:
    using EEngineError::EEngineError;
};

// Files, the shell and report variables.
class EIOError : public EEngineError {
public:
    using EEngineError::EEngineError;
};

// Scan commands.
class EIllegalScanUse : public EEngineError {
public:
    using EEngineError::EEngineError;
};

// Functions, format functions and the user-defined function list.
class EIllegalFunctionUse : public EEngineError {
public:
    using EEngineError::EEngineError;
};

// A picture's data could not be decoded: corrupt, truncated, too large or of a
// kind the engine does not read. The message says which.
class EPictureError : public EEngineError {
public:
    using EEngineError::EEngineError;
};

// One raise helper per message family, so that every message of a family has one shape.

// "Illegal function use: <expression> - <problem>".
[[noreturn]] void raiseFunctionUse(std::string_view expression, std::string_view problem);
// "Illegal format function use: <function> - <problem>".
[[noreturn]] void raiseFormatFunctionUse(std::string_view function, std::string_view problem);
// "Function not found: <name>".
[[noreturn]] void raiseFunctionNotFound(std::string_view name);
// "Error: <problem>: <command>", a scan command out of its order.
[[noreturn]] void raiseScanUse(std::string_view problem, std::string_view command);
// "<what> must be outside of table: <command>"; IF and ENDIF count as function use,
// the scan commands as scan use.
[[noreturn]] void raiseOutsideTable(std::string_view what, std::string_view command,
                                    bool scanCommand);

} // namespace rtfengine
