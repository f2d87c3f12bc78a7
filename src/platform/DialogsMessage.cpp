// The message helpers every Dialogs implementation shares. Kept apart from the widget
// dialogs so that programs without a display link no widget code through them.
#include "platform/Dialogs.h"

#include "platform/ProgramInfo.h"

namespace platform {

Answer Dialogs::message(const QString& text, const QString& caption, Buttons buttons, Icon icon) {
    return showMessage(MessageRequest{text, caption, buttons, icon});
}

void Dialogs::showError(const QString& text) {
    message(text, applicationTitle(), Buttons::Ok, Icon::Error);
}

} // namespace platform
