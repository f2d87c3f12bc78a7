// Shared pieces of the benchmarks: the records of the comparison table, the sample
// résumé's data module, and scratch files that are removed when the program ends.
#pragma once

#include "store/TDM.h"
#include "support/MemoryDataset.h"

#include <memory>
#include <string>
#include <vector>

namespace bench {

// The records of the comparison table: id, name (with characters RTF escapes),
// amount, born (a date) and link ("address|caption"), numbered from 1.
std::vector<testsupport::Row> tableRecords(size_t count);

// The program directory with the templates and the sample résumé.
std::string programDirectory();
// A path in the benchmarks' scratch directory.
std::string scratchPath(const std::string& name);

// The sample résumé opened on its own connection, its datasets ready for generation.
struct SampleResume {
    SampleResume();
    std::unique_ptr<store::TDM> dm;
};

} // namespace bench
