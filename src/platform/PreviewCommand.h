// The "Preview Resume" and "Page Preview" commands, reachable from every window
// that has Preview and Pages buttons without those windows knowing the main
// window that runs them.
#pragma once

#include <functional>

class QPushButton;

namespace platform {

// Installs the command; the program sets it once the main window exists.
void setPreviewCommand(std::function<void()> command);
// Runs the installed command; does nothing while none is installed.
void previewResume();

// The same for the Page Preview window.
void setPagePreviewCommand(std::function<void()> command);
void pagePreview();

// Makes `pages` enabled exactly while `preview` is: both show the résumé as the
// database holds it, so both wait while a change is not yet saved.
void enableWithPreview(QPushButton* pages, QPushButton* preview);

} // namespace platform
