#include "rtfengine/Errors.h"

namespace rtfengine {

namespace {

std::string joined(std::string_view a, std::string_view b, std::string_view c,
                   std::string_view d = {}) {
    std::string out;
    out.reserve(a.size() + b.size() + c.size() + d.size());
    out.append(a).append(b).append(c).append(d);
    return out;
}

} // namespace

void raiseFunctionUse(std::string_view expression, std::string_view problem) {
    throw EIllegalFunctionUse(joined("Illegal function use: ", expression, " - ", problem));
}

void raiseFormatFunctionUse(std::string_view function, std::string_view problem) {
    throw EIllegalFunctionUse(joined("Illegal format function use: ", function, " - ", problem));
}

void raiseFunctionNotFound(std::string_view name) {
    throw EIllegalFunctionUse(joined("Function not found: ", name, ""));
}

void raiseScanUse(std::string_view problem, std::string_view command) {
    throw EIllegalScanUse(joined("Error: ", problem, ": ", command));
}

void raiseOutsideTable(std::string_view what, std::string_view command, bool scanCommand) {
    const std::string message = joined(what, " must be outside of table: ", command);
    if (scanCommand)
        throw EIllegalScanUse(message);
    throw EIllegalFunctionUse(message);
}

} // namespace rtfengine
