// The brace figures of a scan block: what one pass does to the RTF group depth, and
// the braces that stand in for a block that is left out, so that the document's
// groups stay balanced however often a block repeats.
#pragma once

#include "rtfengine/Scans.h"
#include "rtfengine/TemplateProgram.h"

#include <string>
#include <string_view>

namespace rtfengine {

// Appends the unescaped "{" and "}" of `text` to `braces`; returns their balance
// ("{" counts +1, "}" -1). A brace right after a backslash is escaped.
int collectBraces(std::string_view text, std::string* braces = nullptr);

// Drops every "{" directly followed by "}" together with it, in one pass.
std::string dropEmptyGroups(std::string_view braces);

// Fills the skeleton and pass balance of `scan` from the translated program.
void computeBraceFigures(const TemplateProgram& program, std::string_view templateBytes,
                         TScans& scans, TScanInfo& scan);

} // namespace rtfengine
