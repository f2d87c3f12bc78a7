#include "app/JsonResumeCommands.h"

#include "app/FileCommands.h"
#include "app/OwnWorkingCopy.h"
#include "app/TResumeExplorerForm.h"

#include "platform/Dialogs.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/JsonResume.h"
#include "store/qt/Connection.h"
#include "store/qt/ProgramState.h"

#include <QFile>
#include <QFileInfo>

namespace app {

namespace {

const QString kFilter = QStringLiteral("JSON Resume files|*.json");

std::string fileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

void copyOrThrow(const QString& source, const QString& target) {
    platform::FileSystem& files = platform::fileSystem();
    if (!files.copyFile(source, target))
        throw EFileCopyError(copyFailureText(source, target, files.lastError()).toStdString());
}

// The blank database, filled with the import, in a file of its own beside the working
// copy, named after it so two running programs never share one.
QString preparedResume(TResumeExplorerForm& form, const store::ResumeData& data) {
    const QString prepared = form.ownWorkingCopy().path() + QStringLiteral(".import");
    copyOrThrow(platform::dataDirectory() + QStringLiteral("data.mdb"), prepared);
    try {
        store::fillResumeFile(fileName(prepared), data);
    } catch (...) {
        QFile::remove(prepared);
        throw;
    }
    return prepared;
}

// As "New" does, with the prepared résumé in place of the blank one. A failed copy
// goes back to the working copy the program had.
void switchToPrepared(TResumeExplorerForm& form, const QString& prepared) {
    OwnWorkingCopy& own = form.ownWorkingCopy();
    const QString workingCopy = own.path();
    form.hideDataWindows();
    const bool wasOpen = form.ADOConnection1().isOpen();
    form.closeWorkingCopy();
    try {
        copyOrThrow(prepared, workingCopy);
    } catch (...) {
        QFile::remove(prepared);
        if (wasOpen)
            form.ReconnectWorkingCopy();
        throw;
    }
    QFile::remove(prepared);
    own.markUnsaved();
    store::setUnsavedFlag(1);
    form.setWorkingCopyPath(workingCopy);
    form.ReconnectWorkingCopy();
}

} // namespace

QString notImportedText(const QString& file, const std::vector<std::string>& notImported) {
    if (notImported.empty())
        return QStringLiteral("Everything in '%1' was imported.").arg(file);
    QString text =
        QStringLiteral("The resume has no place for these parts of '%1'; they were not imported:")
            .arg(file);
    for (const std::string& part : notImported)
        text += QStringLiteral("\n") + QString::fromStdString(part);
    return text;
}

void importJsonResume(TResumeExplorerForm& form) {
    const auto path = platform::dialogs().openFile({kFilter, {}, {}, {}});
    if (!path)
        return;
    // Read and checked whole before anything changes.
    const store::JsonResumeImport import = store::readJsonResumeFile(fileName(*path));
    switchToPrepared(form, preparedResume(form, import.data));
    platform::dialogs().message(notImportedText(*path, import.notImported),
                                QStringLiteral("Import JSON Resume"), platform::Buttons::Ok,
                                platform::Icon::Information);
}

void exportJsonResume(TResumeExplorerForm& form) {
    const auto chosen = platform::dialogs().saveFile({kFilter, {}, {}, {}});
    if (!chosen)
        return;
    const QString path = platform::withDefaultExtension(*chosen, QStringLiteral("json"));
    if (path != *chosen && QFileInfo::exists(path) &&
        platform::dialogs().message(
            QStringLiteral("'%1' already exists. Do you want to replace it?").arg(path),
            QStringLiteral("Export JSON Resume"), platform::Buttons::YesNo,
            platform::Icon::Warning) != platform::Answer::Yes)
        return;
    const auto statements = store::statementsOf(form.ADOConnection1());
    store::exportJsonResume(*statements, fileName(path), true);
}

} // namespace app
