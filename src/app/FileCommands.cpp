#include "app/FileCommands.h"

#include "app/OwnWorkingCopy.h"
#include "app/TResumeExplorerForm.h"

#include "generate/ExportTarget.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "store/qt/ProgramState.h"

#include <QFile>

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

// Opens path on a connection of its own and closes it again; throws
// store::EDatabaseError with the data layer's text when it is no résumé.
void checkOpens(const QString& path) {
    const QString name = QStringLiteral("OpenResumeDatabaseCheck");
    {
        QSqlDatabase db = store::connection(name);
        struct Closed {
            QSqlDatabase& db;
            ~Closed() { db.close(); }
        } closed{db};
        store::openResume(db, path);
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

QString copyFailureText(const QString& source, const QString& target, const QString& reason) {
    QString text = QStringLiteral("Could not copy '%1' to '%2'.").arg(source, target);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

void newResume(TResumeExplorerForm& form) {
    const QString blank = platform::dataDirectory() + QStringLiteral("data.mdb");
    OwnWorkingCopy& own = form.ownWorkingCopy();
    const QString workingCopy = own.path();
    copyReleased(form, blank, workingCopy);
    own.markUnsaved();
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
    // Until the chosen file has opened, the program stays on the résumé it has: a
    // close prompt answered Yes afterwards must save that one, not the broken file.
    checkOpens(*path);
    const QString previous = form.workingCopyPath();
    const bool wasOpen = form.ADOConnection1().isOpen();
    form.hideDataWindows();
    form.setWorkingCopyPath(*path);
    try {
        form.ReconnectWorkingCopy();
    } catch (const std::exception&) {
        form.setWorkingCopyPath(previous);
        if (wasOpen)
            platform::runCommand([&form] { form.ReconnectWorkingCopy(); });
        throw;
    }
    store::setUnsavedFlag(0);
}

void saveResumeDatabaseAs(TResumeExplorerForm& form) {
    const auto path = platform::dialogs().saveFile(
        {QStringLiteral("Vitacraft files|*.vcw"), QStringLiteral("*.vcw"), {}, {}});
    if (!path)
        return;
    // The program's own databases are no place for a résumé: data.mdb would start
    // every new résumé with this one's data, and a working copy is overwritten by
    // the next New or start.
    const std::string own =
        generate::programDatabase(QFile::encodeName(*path).toStdString(),
                                  QFile::encodeName(platform::dataDirectory()).toStdString(),
                                  QFile::encodeName(platform::writableDirectory()).toStdString());
    if (!own.empty())
        throw EFileCopyError(QStringLiteral("Cannot save the resume as \"%1\": that file is %2. "
                                            "Choose another name.")
                                 .arg(*path, QString::fromStdString(own))
                                 .toStdString());
    // A working copy the connection could not open may be anything but a résumé;
    // copied, it would replace the file the user chose.
    if (!form.ADOConnection1().isOpen())
        throw EFileCopyError(
            QStringLiteral("'%1' could not be opened as a resume, so it was not saved.")
                .arg(form.workingCopyPath())
                .toStdString());
    copyReleased(form, form.workingCopyPath(), *path);
    if (form.isOwnWorkingCopy(form.workingCopyPath()))
        form.ownWorkingCopy().markSaved();
    form.setWorkingCopyPath(*path);
    form.ReconnectWorkingCopy();
    store::setUnsavedFlag(0);
}

} // namespace app
