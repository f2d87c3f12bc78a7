#include "app/FileCommands.h"

#include "app/TResumeExplorerForm.h"

#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/ProgramState.h"

namespace app {

namespace {

// Copies source over target with the working copy released, so that no copy is
// taken in the middle of a write and no file is replaced under the connection.
// On failure the connection goes back to the working copy it had and the reason
// is thrown.
void copyReleased(TResumeExplorerForm& form, const QString& source, const QString& target) {
    const bool wasOpen = form.ADOConnection1().isOpen();
    form.closeWorkingCopy();
    platform::FileSystem& files = platform::fileSystem();
    if (files.copyFile(source, target))
        return;
    QString text = copyFailureText(source, target, files.lastError());
    if (wasOpen) {
        try {
            form.ReconnectWorkingCopy();
        } catch (const std::exception& error) {
            text += QLatin1Char('\n') + QString::fromUtf8(error.what());
        }
    }
    throw EFileCopyError(text.toStdString());
}

} // namespace

QString copyFailureText(const QString& source, const QString& target, const QString& reason) {
    QString text = QStringLiteral("Could not copy '%1' to '%2'.").arg(source, target);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

void newResume(TResumeExplorerForm& form) {
    const QString directory = platform::programDirectory();
    const QString blank = directory + QStringLiteral("data.mdb");
    const QString workingCopy = directory + QStringLiteral("data.tmp");
    copyReleased(form, blank, workingCopy);
    store::setUnsavedFlag(1);
    form.setWorkingCopyPath(workingCopy);
    form.ReconnectWorkingCopy();
    form.hideDataWindows();
}

void openResumeDatabase(TResumeExplorerForm& form) {
    const auto path =
        platform::dialogs().openFile({QStringLiteral("Vitacraft Files|*.vcw"), {}, {}, {}});
    if (!path)
        return;
    form.setWorkingCopyPath(*path);
    form.hideDataWindows();
    form.ReconnectWorkingCopy();
    store::setUnsavedFlag(0);
}

void saveResumeDatabaseAs(TResumeExplorerForm& form) {
    const auto path = platform::dialogs().saveFile(
        {QStringLiteral("Vitacraft files|*.vcw"), QStringLiteral("*.vcw"), {}, {}});
    if (!path)
        return;
    copyReleased(form, form.workingCopyPath(), *path);
    form.setWorkingCopyPath(*path);
    form.ReconnectWorkingCopy();
    store::setUnsavedFlag(0);
}

} // namespace app
