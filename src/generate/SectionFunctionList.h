// The template's way into the résumé: the eighteen user-defined functions registered
// with the engine, each reading the data module at the moment the template calls it.
#pragma once

#include "rtfengine/UdfList.h"
#include "store/TDM.h"

namespace generate {

// Adds the eighteen section functions to `list`, in their fixed order, bound to `dm`.
// `dm` must outlive the list's use. Fragment functions hand their RTF to the calling
// engine's fragment filter; ResetQuerys reopens ObjectiveQuery and returns empty text.
void registerSectionFunctions(rtfengine::TUdfList& list, store::TDM& dm);

// The text of a function's first argument as the section functions read it: a quoted
// text or report variable gives its value; a missing argument, a dataset field or
// another call's result without a value gives empty text.
std::string argumentText(const rtfengine::TUdfArgs& args);

} // namespace generate
