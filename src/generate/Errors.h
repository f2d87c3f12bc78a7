// The failures of reading the résumé for a document: both are data-layer errors, so
// the user sees them as the store words them.
#pragma once

#include "store/StoreError.h"

#include <string>
#include <string_view>

namespace generate {

// A dataset has no column of the asked name: the data layer's field-not-found error.
class EFieldNotFound : public store::EDatabaseError {
public:
    EFieldNotFound(const std::string& datasetName, std::string_view fieldName)
        : store::EDatabaseError(datasetName + ": Field '" + std::string(fieldName) +
                                "' not found") {}
};

// A column value that should be a number is not one.
class EConversionError : public store::EDatabaseError {
public:
    using store::EDatabaseError::EDatabaseError;
};

} // namespace generate
