// The desktop shell: opening a document, web address or mail link in the program
// the desktop associates with it, printing a document, starting a program.
//
// Results follow the convention callers test for: above 32 is success, 2 means the
// file was not found, 31 that no program is associated with it.
#pragma once

#include "rtfengine/ShellResult.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

using rtfengine::kShellFileNotFound;
using rtfengine::kShellNoAssociation;
using rtfengine::kShellSuccess;
using rtfengine::shellSucceeded;
inline constexpr int kShowNormal = 1;

class Shell {
public:
    virtual ~Shell() = default;

    // verb: "open" (also "OPEN" or empty for the default action) or "print".
    // target: a path, relative to directory when that is given, or an address
    // with a scheme ("https:", "mailto:").
    virtual int execute(const QString& verb, const QString& target, const QString& parameters = {},
                        const QString& directory = {}, int showCommand = kShowNormal) = 0;
};

// Opens through xdg-open, prints through a headless LibreOffice, starts
// executable files directly.
class DesktopShell : public Shell {
public:
    // Starts a program without waiting for it; false when it could not start.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments,
                                        const QString& directory)>;
    // The full path of a program on the search path, or empty.
    using Finder = std::function<QString(const QString& program)>;

    DesktopShell();
    DesktopShell(Launcher launcher, Finder finder);

    int execute(const QString& verb, const QString& target, const QString& parameters,
                const QString& directory, int showCommand) override;

private:
    int launch(const QString& program, const QStringList& arguments, const QString& directory);

    Launcher m_launch;
    Finder m_find;
};

// True when target names an address with a scheme rather than a file.
bool isAddress(const QString& target);

} // namespace platform
