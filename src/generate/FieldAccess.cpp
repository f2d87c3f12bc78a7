#include "generate/FieldAccess.h"

#include "rtfengine/Ascii.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace generate {

rtfengine::Field* findField(rtfengine::Dataset& dataset, std::string_view name) {
    for (int i = 0; i < dataset.fieldCount(); ++i) {
        rtfengine::Field& field = dataset.field(i);
        if (rtfengine::equalsIgnoringAsciiCase(field.name(), name)) {
            return &field;
        }
    }
    return nullptr;
}

rtfengine::Field& fieldByName(rtfengine::Dataset& dataset, std::string_view name) {
    if (rtfengine::Field* field = findField(dataset, name)) {
        return *field;
    }
    throw EFieldNotFound(dataset.name(), name);
}

bool hasValue(rtfengine::Dataset& dataset, rtfengine::Field& field) {
    return !dataset.eof() && !field.isNull();
}

std::string fieldText(rtfengine::Dataset& dataset, std::string_view name) {
    rtfengine::Field& field = fieldByName(dataset, name);
    return hasValue(dataset, field) ? field.asString() : std::string();
}

long long fieldInteger(rtfengine::Dataset& dataset, std::string_view name) {
    const std::string text = fieldText(dataset, name);
    const std::string_view number = rtfengine::trimAsciiSpace(text);
    if (number.empty()) {
        return 0;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc() && end == number.data() + number.size()) {
        return value;
    }
    // Some stores hand an integer column back as a decimal number ("12.0").
    const std::string copy(number);
    char* rest = nullptr;
    const double real = std::strtod(copy.c_str(), &rest);
    if (rest == copy.c_str() + copy.size() && std::isfinite(real) && std::fabs(real) < 9.0e18) {
        return std::llround(real);
    }
    throw EConversionError("'" + text + "' is not a valid integer value");
}

} // namespace generate
