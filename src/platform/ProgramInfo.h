// Facts about the running program that windows and commands share: its title
// (the caption of message boxes that have none of their own) and the two folders
// every file the program names itself is relative to (see ProgramFolders.h).
#pragma once

#include <QString>

namespace platform {

// "Vitacraft Pro 3.0" once the program has set it.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// The folder of the program's read-only files (data.mdb, templates/), with a
// trailing separator.
QString dataDirectory();
// The folder the program writes its working copies and temp.doc to, with a
// trailing separator. Created, private to the user, when it does not exist yet.
QString writableDirectory();

// Puts both folders in `directory`, as in the build tree; empty goes back to the
// running program's own. Tests point it at a temporary directory.
void setProgramDirectory(const QString& directory);

} // namespace platform
