// Reading the current row of a dataset by column name, the way the section functions
// need it: names compared without regard to case, a missing value read as empty.
#pragma once

#include "rtfengine/Dataset.h"
#include "store/StoreError.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace generate {

// A dataset has no column of the asked name: the data layer's field-not-found error.
class EFieldNotFound : public store::EDatabaseError {
public:
    EFieldNotFound(const std::string& datasetName, std::string_view fieldName);
};

// A column value that should be a number is not one.
class EConversionError : public store::EDatabaseError {
public:
    using store::EDatabaseError::EDatabaseError;
};

// The column `name` of `dataset` (case-insensitive), or nullptr when there is none.
rtfengine::Field* findField(rtfengine::Dataset& dataset, std::string_view name);

// As findField, but a missing column raises EFieldNotFound.
rtfengine::Field& fieldByName(rtfengine::Dataset& dataset, std::string_view name);

// True when the column has a value on the current row: the dataset is not at its end
// (a switched-off query has no row at all) and the value is not null.
bool hasValue(rtfengine::Dataset& dataset, rtfengine::Field& field);

// The column's text on the current row; empty without a value.
std::string fieldText(rtfengine::Dataset& dataset, std::string_view name);

// The column's value as an integer; 0 without a value. A number with a fraction is
// rounded; text that is no number raises EConversionError.
long long fieldInteger(rtfengine::Dataset& dataset, std::string_view name);

} // namespace generate
