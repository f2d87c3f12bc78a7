// Reading the current row of a dataset by column name, the way the section functions
// need it: names compared without regard to case, a missing value read as empty.
#pragma once

#include "generate/Errors.h"
#include "rtfengine/Dataset.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace generate {

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
