// The store's failures. The message is the text the user sees in the standard error box.
#pragma once

#include <stdexcept>

namespace store {

// The data layer's failure: a résumé file that cannot be opened, a query that
// cannot run.
class EDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A table cursor's failure: the message is the database's own text where it gave any.
class ECursorError : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};

// A JSON Resume file that cannot be imported, or a résumé that cannot be written as
// one. The message names the file, and the field where the file is at fault.
class EJsonResumeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace store
