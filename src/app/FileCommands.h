// The résumé file commands of the "File" menu: start again from the blank database,
// open a résumé file, save the working copy under a name of the user's choice.
//
// A database file is never copied or replaced while the connection has it open, and
// a copy that fails leaves the program working on the file it had, unsaved flag and
// all, with the reason in the standard error box.
#pragma once

#include <QString>

#include <stdexcept>

namespace app {

class TResumeExplorerForm;

// A résumé file that could not be copied; the message names both files and why.
class EFileCopyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "New": copies data.mdb over the program's own working copy (data.tmp in the
// program directory, unless another running program holds it) and works on it
// (unsaved flag 1), then hides the windows that read the working copy.
void newResume(TResumeExplorerForm& form);

// "Open Resume Database": asks for a .vcw file, hides the windows that read the
// working copy and works on the chosen file (unsaved flag 0). A file that cannot be
// opened changes nothing: the path, the connection, the unsaved flag and the open
// windows stay as they were, and the data layer's reason is thrown.
void openResumeDatabase(TResumeExplorerForm& form);

// "Save Resume Database as...": asks for a name, copies the working copy there and
// works on the copy (unsaved flag 0). Open windows stay open. A working copy that
// the connection could not open is never copied, and data.mdb and the program's
// working copies are refused as targets (EFileCopyError).
void saveResumeDatabaseAs(TResumeExplorerForm& form);

// The text of a failed copy: "Could not copy 'a' to 'b'." and the reason, if known.
QString copyFailureText(const QString& source, const QString& target, const QString& reason);

} // namespace app
