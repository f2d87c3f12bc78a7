// Facts about the running program that windows and commands share: its title
// (the caption of message boxes that have none of their own) and the program
// directory that every file the program names itself is relative to.
#pragma once

#include <QString>

namespace platform {

// "Vitacraft Pro 3.0" once the program has set it.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// The directory of the running executable, with a trailing separator. Tests
// point it at a temporary directory.
QString programDirectory();
void setProgramDirectory(const QString& directory);

} // namespace platform
