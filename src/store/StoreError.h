// The data layer's failure: a résumé file that cannot be opened, a query that
// cannot run. The message is the text the user sees in the standard error box.
#pragma once

#include <stdexcept>

namespace store {

class EDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace store
