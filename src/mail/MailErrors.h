// The mail client's exceptions. Every failure of a connect, send or disconnect
// reaches the caller as one of these; the message is the text a user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace mail {

// Base of all mail failures; server refusals are raised as this class with the
// server's reply line as the message.
class EMailError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Socket and name lookup failures.
class ESockError : public EMailError {
public:
    using EMailError::EMailError;
};

// A read or send stopped by a cancel or by the time limit.
class EAbortError : public ESockError {
public:
    using ESockError::ESockError;
};

} // namespace mail
