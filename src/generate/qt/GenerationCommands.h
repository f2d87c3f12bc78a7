// The four commands that turn the résumé into a document and hand it to the desktop:
// export under a chosen name, preview, open for editing, print. No widgets: the main
// window's menu handlers call these with the desktop seams in force.
#pragma once

#include "generate/DocumentGenerator.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <QString>

#include <functional>
#include <optional>

namespace generate {

// The show command the desktop receives for every document it opens or prints.
inline constexpr int kShowDocument = 5;

class GenerationCommands : public DocumentGenerator {
public:
    // `dataDirectory` holds the templates folder and data.mdb,
    // `writableDirectory` the working copies and the first document path, temp.doc;
    // `applicationTitle` captions the export message.
    GenerationCommands(store::TDM& dm, const QString& dataDirectory,
                       const QString& writableDirectory, QString applicationTitle);

    // The document that preview writes and edit, print and e-mail use: temp.doc beside
    // the program until an export replaces it for the rest of the run.
    QString currentResumePath() const;

    using DocumentGenerator::generateDocument;
    void generateDocument(const QString& path);

    // The résumé database the documents are made from (the working copy), which an
    // export must never replace.
    void setResumeDatabase(std::function<QString()> path) { m_resumeDatabase = std::move(path); }

    // "Export Resume as...": asks for a file, writes the document there and says so.
    // Returns false when the user cancelled. A target that is a résumé database or
    // the template is refused with ERefusedTarget before anything is written. A
    // failure of the run propagates, and the current document path goes back to the
    // last document written, so preview, print and e-mail never point at the wreck.
    bool exportResume(platform::Dialogs& dialogs);
    // The save dialog of "Export Resume as PDF...": the chosen file, refused as
    // exportResume refuses one; nothing when the user cancelled. The current
    // document path stays as it is.
    std::optional<QString> choosePdfFile(platform::Dialogs& dialogs);
    // The message after an export to `path`, in the box captioned with the
    // application title.
    void announceExport(const QString& path, platform::Dialogs& dialogs);
    // "Preview Resume": writes the document to the current path and opens it.
    void previewResume(platform::Shell& shell);
    // "Edit Resume using Word Processor" and "Print Resume": hand the last written
    // document to the desktop, with a warning when it cannot.
    void editResume(platform::Shell& shell, platform::Dialogs& dialogs);
    void printResume(platform::Shell& shell, platform::Dialogs& dialogs);

private:
    std::optional<QString> chooseTarget(const platform::FileDialogOptions& options,
                                        platform::Dialogs& dialogs);
    void handToDesktop(const QString& verb, platform::Shell& shell, platform::Dialogs& dialogs);

    QString m_dataDirectory;
    QString m_writableDirectory;
    QString m_applicationTitle;
    std::function<QString()> m_resumeDatabase;
};

} // namespace generate
