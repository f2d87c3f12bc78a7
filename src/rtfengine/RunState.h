// Everything one run of the engine holds between reading the template and writing
// the document; created when a run starts and discarded when it ends.
#pragma once

#include "rtfengine/Dataset.h"
#include "rtfengine/DocumentTables.h"
#include "rtfengine/Scans.h"
#include "rtfengine/TemplateProgram.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rtfengine {

class TRtfEngine;

// A place in the working output where a table of the document head goes.
struct RecordedPlace {
    enum class Kind { None, FontTable, ColorTable, Stylesheet, Info };
    uint64_t start = 0;  // where the bytes before the table begin
    uint64_t offset = 0; // where the table goes
    Kind kind = Kind::None;
};

struct RunState {
    RunState(TRtfEngine& engine, const std::vector<Dataset*>& datasets);

    // The dataset index an alias names (a letter A-Z or a component name), or -1.
    int resolveAlias(std::string_view alias) const;

    TRtfEngine& engine;
    const std::vector<Dataset*>& datasets;
    // One "NAME=index" line per dataset.
    std::vector<std::string> aliasMap;
    // Lang in decimal, written after "\lang" before every text value.
    std::string lang;
    TScans scans;
    DocumentTables tables;
    std::vector<std::string> infoList;
    std::vector<RecordedPlace> places;
    std::string templateBytes;
    TemplateProgram program;
    bool tableRowMode = false;
    bool whileResult = false;
};

} // namespace rtfengine
