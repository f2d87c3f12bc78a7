// The four commands that turn the résumé into a document and hand it to the desktop:
// export under a chosen name, preview, open for editing, print. No widgets: the main
// window's menu handlers call these with the desktop seams in force.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "rtfengine/RtfEngine.h"
#include "rtfengine/UdfList.h"
#include "store/TDM.h"

#include <QString>

#include <vector>

namespace generate {

// The show command the desktop receives for every document it opens or prints.
inline constexpr int kShowDocument = 5;

class GenerationCommands {
public:
    // `programDirectory` holds templates/ContemporaryResume.rtf and the first document
    // path, temp.doc; `applicationTitle` captions the export message.
    GenerationCommands(store::TDM& dm, QString programDirectory, QString applicationTitle);
    GenerationCommands(const GenerationCommands&) = delete;
    GenerationCommands& operator=(const GenerationCommands&) = delete;

    // The engine instance and its function list, configured once.
    rtfengine::TRtfEngine& Export();
    rtfengine::TUdfList& UdfList1() { return m_functions; }

    // The document that preview writes and edit, print and e-mail use: temp.doc beside
    // the program until an export replaces it for the rest of the run.
    QString currentResumePath() const;
    // templates/ContemporaryResume.rtf in the program directory unless set otherwise.
    const QString& templatePath() const { return m_templatePath; }
    void setTemplatePath(QString path) { m_templatePath = std::move(path); }
    // The fifteen datasets the engine receives, alias A (DisplayedOrder) to O.
    std::vector<rtfengine::Dataset*> sectionList();

    // Writes the document to `path`: opens the sixteen datasets, runs the engine over
    // the template and closes them. A failure propagates and leaves them open.
    void generateDocument(const QString& path);

    // "Export Resume as...": asks for a file, writes the document there and says so.
    // Returns false when the user cancelled. A failure of the run propagates.
    bool exportResume(platform::Dialogs& dialogs);
    // "Preview Resume": writes the document to the current path and opens it.
    void previewResume(platform::Shell& shell);
    // "Edit Resume using Word Processor" and "Print Resume": hand the last written
    // document to the desktop, with a warning when it cannot.
    void editResume(platform::Shell& shell, platform::Dialogs& dialogs);
    void printResume(platform::Shell& shell, platform::Dialogs& dialogs);

private:
    // The engine, opening its document through the shell of the command in progress.
    class ExportEngine : public rtfengine::TRtfEngine {
    public:
        platform::Shell* shell = nullptr;
        int openOutFile(const std::string& fileName, int showCommand) override;
    };

    void prepareRun(const QString& outPath);
    void handToDesktop(const QString& verb, platform::Shell& shell, platform::Dialogs& dialogs);

    store::TDM& m_dm;
    QString m_programDirectory;
    QString m_applicationTitle;
    QString m_templatePath;
    rtfengine::TUdfList m_functions;
    ExportEngine m_engine;
};

} // namespace generate
