#include "generate/GenerationCommands.h"

#include "generate/SectionFunctionList.h"
#include "generate/SectionScan.h"
#include "rtfengine/Scans.h"
#include "store/ProgramState.h"

#include <QDir>
#include <QFile>

namespace generate {
namespace {

std::string filePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

int GenerationCommands::ExportEngine::openOutFile(const std::string& fileName, int showCommand) {
    if (shell == nullptr) {
        return TRtfEngine::openOutFile(fileName, showCommand);
    }
    return shell->execute(QString(), QFile::decodeName(fileName.c_str()), QString(), QString(),
                          showCommand);
}

GenerationCommands::GenerationCommands(store::TDM& dm, QString programDirectory,
                                       QString applicationTitle)
    : m_dm(dm), m_programDirectory(std::move(programDirectory)),
      m_applicationTitle(std::move(applicationTitle)),
      m_templatePath(
          QDir(m_programDirectory).filePath(QStringLiteral("templates/ContemporaryResume.rtf"))) {
    // The document path is program-wide state: the e-mail window attaches it too.
    store::setCurrentResumeDocumentPath(
        QDir(m_programDirectory).filePath(QStringLiteral("temp.doc")));
    registerSectionFunctions(m_functions, m_dm);
    m_engine.setCharset(1);
    m_engine.setLang(1033);
    m_engine.setVarList({"AddressString=''", "YearFormat=yyyy"});
    m_engine.setTrueValue("True");
    m_engine.setFalseValue("False");
    m_engine.setDisableControls(true);
    m_engine.setOptions(
        {rtfengine::TRtfOption::eoGraphicsBinary, rtfengine::TRtfOption::eoDotAsColon});
    m_engine.setUdfList(&m_functions);
    m_engine.OnScanRecord = [this](rtfengine::TScanInfo& scanInfo) {
        ExportScanRecord(m_dm, scanInfo.dataSet);
    };
    m_engine.setOutFile("temp.doc");
}

QString GenerationCommands::currentResumePath() const {
    return store::currentResumeDocumentPath();
}

rtfengine::TRtfEngine& GenerationCommands::Export() {
    return m_engine;
}

std::vector<rtfengine::Dataset*> GenerationCommands::sectionList() {
    return {&m_dm.DisplayedOrder,
            &m_dm.ContactInfo,
            &m_dm.EducationalHistory,
            &m_dm.ObjectiveQuery,
            &m_dm.EmploymentHistory,
            &m_dm.SummaryQuery,
            &m_dm.PersonalQuery,
            &m_dm.KeywordsQuery,
            &m_dm.OrganizationsQuery,
            &m_dm.SkillsQuery,
            &m_dm.PersonalReferencesQuery,
            &m_dm.ProfessionalReferencesQuery,
            &m_dm.HonorsQuery,
            &m_dm.AwardsQuery,
            &m_dm.AchievementQuery};
}

void GenerationCommands::prepareRun(const QString& outPath) {
    m_dm.openForGeneration();
    m_engine.setInFile(filePath(m_templatePath));
    m_engine.setOutFile(filePath(outPath));
}

void GenerationCommands::generateDocument(const QString& path) {
    prepareRun(path);
    m_engine.generate(sectionList());
    m_dm.closeAfterGeneration();
}

bool GenerationCommands::exportResume(platform::Dialogs& dialogs) {
    platform::FileDialogOptions options;
    options.title = QStringLiteral("Export Resume As ...");
    options.filter = QStringLiteral("Word Document|*.doc");
    options.defaultExtension = QStringLiteral("*.doc");
    const std::optional<QString> chosen = dialogs.saveFile(options);
    if (!chosen) {
        return false;
    }
    store::setCurrentResumeDocumentPath(*chosen);
    generateDocument(*chosen);
    dialogs.message(QStringLiteral("Your resume was exported as \"%1\"").arg(*chosen),
                    m_applicationTitle, platform::Buttons::Ok, platform::Icon::None);
    return true;
}

void GenerationCommands::previewResume(platform::Shell& shell) {
    prepareRun(currentResumePath());
    struct ShellInUse {
        ExportEngine& engine;
        ~ShellInUse() { engine.shell = nullptr; }
    } inUse{m_engine};
    m_engine.shell = &shell;
    m_engine.generateAndOpen(sectionList(), kShowDocument);
    m_dm.closeAfterGeneration();
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
