// "Import JSON Resume..." and "Export JSON Resume..." of the "File" menu: the store's
// JSON Resume import and export, reached from the desktop.
//
// Import behaves like "New" and then fills the new working copy, but it builds the
// filled résumé beside the program first: a file that cannot be imported leaves the
// working copy, the windows and the unsaved flag as they were.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace app {

class TResumeExplorerForm;

// Asks for a .json file and makes the working copy data.tmp a new résumé with its
// content (unsaved flag 1, the data windows hidden first); then one message lists
// what was not imported.
void importJsonResume(TResumeExplorerForm& form);

// Asks for a name and writes the working copy there as a JSON Resume. A file the
// dialog did not ask about (its name got the .json extension afterwards) is replaced
// only after a question.
void exportJsonResume(TResumeExplorerForm& form);

// The message after an import from `file`: what was not imported, or that nothing was
// left out.
QString notImportedText(const QString& file, const std::vector<std::string>& notImported);

} // namespace app
