#include "platform/Application.h"

#include "platform/Services.h"

namespace platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showException(error);
    } catch (...) {
        dialogs().showError(QStringLiteral("Unknown error"));
    }
    return false;
}

void showException(const std::exception& error) {
    dialogs().showError(QString::fromUtf8(error.what()));
}

void runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        showException(error);
    }
}

} // namespace platform
