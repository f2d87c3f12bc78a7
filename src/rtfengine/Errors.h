// The engine's exceptions. Every failure of a run reaches the caller as one of
// these; the message is the text a user sees in the error box.
#pragma once

#include <stdexcept>
#include <string>

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

} // namespace rtfengine
