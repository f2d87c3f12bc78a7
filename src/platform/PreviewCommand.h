// The "Preview Resume" command, reachable from every window that has a Preview
// button without those windows knowing the main window that runs it.
#pragma once

#include <functional>

namespace platform {

// Installs the command; the program sets it once the main window exists.
void setPreviewCommand(std::function<void()> command);
// Runs the installed command; does nothing while none is installed.
void previewResume();

} // namespace platform
