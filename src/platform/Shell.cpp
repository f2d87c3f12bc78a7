#include "platform/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace platform {

bool isAddress(const QString& target) {
    // Two letters at least, so a drive-letter path never reads as a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

DesktopShell::DesktopShell()
    : DesktopShell(
          [](const QString& program, const QStringList& arguments, const QString& directory) {
              return QProcess::startDetached(program, arguments, directory);
          },
          [](const QString& program) { return QStandardPaths::findExecutable(program); }) {}

DesktopShell::DesktopShell(Launcher launcher, Finder finder)
    : m_launch(std::move(launcher)), m_find(std::move(finder)) {}

int DesktopShell::launch(const QString& program, const QStringList& arguments,
                         const QString& directory) {
    return m_launch(program, arguments, directory) ? kShellSuccess : kShellNoAssociation;
}

int DesktopShell::execute(const QString& verb, const QString& target, const QString& parameters,
                          const QString& directory, int /*showCommand*/) {
    const QString action = verb.toLower();
    const bool open = action.isEmpty() || action == QLatin1String("open");
    if (!open && action != QLatin1String("print"))
        return kShellNoAssociation;

    if (isAddress(target)) {
        const QString opener = m_find(QStringLiteral("xdg-open"));
        if (!open || opener.isEmpty())
            return kShellNoAssociation;
        return launch(opener, {target}, directory);
    }

    const QFileInfo file(directory.isEmpty() || QDir::isAbsolutePath(target)
                             ? target
                             : QDir(directory).filePath(target));
    if (target.isEmpty() || !file.exists())
        return kShellFileNotFound;
    const QString path = file.absoluteFilePath();

    if (!open) {
        const QString office = m_find(QStringLiteral("soffice"));
        if (office.isEmpty() || file.isDir())
            return kShellNoAssociation;
        return launch(office, {QStringLiteral("--headless"), QStringLiteral("-p"), path},
                      directory);
    }
    if (file.isFile() && file.isExecutable())
        return launch(path, QProcess::splitCommand(parameters), directory);
    const QString opener = m_find(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return kShellNoAssociation;
    return launch(opener, {path}, directory);
}

} // namespace platform
