// The application object: every exception that escapes a command reaches the
// user in the standard error box instead of ending the program.
#pragma once

#include <QApplication>

#include <exception>
#include <functional>

namespace platform {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the exception's message in the standard error box.
void showException(const std::exception& error);

// Runs a command; an exception ends it and is shown in the standard error box.
// Commands wired to buttons and menu items run through this, so a failure never
// unwinds through the toolkit.
void runCommand(const std::function<void()>& command);

} // namespace platform
