// Puts the résumé's sections in the user's order: for the current DisplayedOrder row,
// only that row's section query is switched on, and all thirteen are reopened.
#pragma once

#include "rtfengine/Dataset.h"
#include "store/TDM.h"

namespace generate {

// The reset step: closes the thirteen section queries, sets ShowItem to 1 in the query
// of the current DisplayedOrder row's section (compared exactly, letter case included)
// and to 0 in all others, and opens them again, each on its first row or empty.
void resetSectionQueries(store::TDM& dm);

// The handler of the engine's scan-record event. `scanned` is the dataset of the scan
// that reached a record. Only the scan over DisplayedOrder resets the queries: a nested
// scan over a section query must go on from its current entry, not restart it.
void ExportScanRecord(store::TDM& dm, const rtfengine::Dataset* scanned);

// Closes ObjectiveQuery and opens it again with its ShowItem as it is.
void resetObjectiveQuery(store::TDM& dm);

} // namespace generate
