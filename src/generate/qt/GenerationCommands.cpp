#include "generate/qt/GenerationCommands.h"

#include "generate/ExportTarget.h"
#include "store/qt/ProgramState.h"

#include <QDir>
#include <QFile>

namespace generate {
namespace {

std::string filePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

GenerationCommands::GenerationCommands(store::TDM& dm, const QString& dataDirectory,
                                       const QString& writableDirectory, QString applicationTitle)
    : DocumentGenerator(dm, templateDirectory(filePath(dataDirectory))),
      m_dataDirectory(dataDirectory), m_writableDirectory(writableDirectory),
      m_applicationTitle(std::move(applicationTitle)) {
    // The document path is program-wide state: the e-mail window attaches it too.
    store::setCurrentResumeDocumentPath(
        QDir(writableDirectory).filePath(QStringLiteral("temp.doc")));
}

QString GenerationCommands::currentResumePath() const {
    return store::currentResumeDocumentPath();
}

void GenerationCommands::generateDocument(const QString& path) {
    generateDocument(filePath(path));
}

std::optional<QString> GenerationCommands::chooseTarget(const platform::FileDialogOptions& options,
                                                        platform::Dialogs& dialogs) {
    std::optional<QString> chosen = dialogs.saveFile(options);
    if (!chosen) {
        return std::nullopt;
    }
    const QString resume = m_resumeDatabase ? m_resumeDatabase() : QString();
    checkExportTarget(filePath(*chosen), filePath(resume), templatePath(),
                      filePath(m_dataDirectory), filePath(m_writableDirectory));
    return chosen;
}

bool GenerationCommands::exportResume(platform::Dialogs& dialogs) {
    platform::FileDialogOptions options;
    options.title = QStringLiteral("Export Resume As ...");
    options.filter = QStringLiteral("Word Document|*.doc");
    options.defaultExtension = QStringLiteral("*.doc");
    const std::optional<QString> chosen = chooseTarget(options, dialogs);
    if (!chosen) {
        return false;
    }
    const QString lastWritten = store::currentResumeDocumentPath();
    store::setCurrentResumeDocumentPath(*chosen);
    try {
        generateDocument(*chosen);
    } catch (...) {
        store::setCurrentResumeDocumentPath(lastWritten);
        throw;
    }
    announceExport(*chosen, dialogs);
    return true;
}

std::optional<QString> GenerationCommands::choosePdfFile(platform::Dialogs& dialogs) {
    platform::FileDialogOptions options;
    options.title = QStringLiteral("Export Resume As PDF ...");
    options.filter = QStringLiteral("PDF Document|*.pdf");
    options.defaultExtension = QStringLiteral("*.pdf");
    return chooseTarget(options, dialogs);
}

void GenerationCommands::announceExport(const QString& path, platform::Dialogs& dialogs) {
    dialogs.message(QStringLiteral("Your resume was exported as \"%1\"").arg(path),
                    m_applicationTitle, platform::Buttons::Ok, platform::Icon::None);
}

void GenerationCommands::previewResume(platform::Shell& shell) {
    generateAndOpen(filePath(currentResumePath()), kShowDocument,
                    [&shell](const std::string& fileName, int showCommand) {
                        return shell.execute(QString(), QFile::decodeName(fileName.c_str()),
                                             QString(), QString(), showCommand);
                    });
}

void GenerationCommands::editResume(platform::Shell& shell, platform::Dialogs& dialogs) {
    handToDesktop(QStringLiteral("open"), shell, dialogs);
}

void GenerationCommands::printResume(platform::Shell& shell, platform::Dialogs& dialogs) {
    handToDesktop(QStringLiteral("print"), shell, dialogs);
}

void GenerationCommands::handToDesktop(const QString& verb, platform::Shell& shell,
                                       platform::Dialogs& dialogs) {
    const int result =
        shell.execute(verb, currentResumePath(), QString(), QString(), kShowDocument);
    if (!platform::shellSucceeded(result)) {
        dialogs.message(QStringLiteral("Couldn't nor find any editor for the Word documents"),
                        QStringLiteral("Error"), platform::Buttons::Ok, platform::Icon::Warning);
    }
}

} // namespace generate
