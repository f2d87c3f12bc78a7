#include "app/Program.h"

#include "editors/TEducationalHistoryForm.h"
#include "editors/TEmploymentHistoryForm.h"
#include "editors/THonorsCertificationsForm.h"
#include "editors/TOrganizationsForm.h"
#include "editors/TPersonalInfoForm.h"
#include "editors/TPurposeStatementsForm.h"
#include "editors/TReferencesForm.h"
#include "editors/TSkillAreaForm.h"
#include "format/TResumeFormat.h"
#include "info/InfoPages.h"
#include "info/TAboutBox.h"
#include "mail/ui/TEmailServerConf.h"
#include "mail/ui/TSendResume.h"
#include "platform/PreviewCommand.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "preview/TPagePreview.h"
#include "store/qt/Connection.h"
#include "store/qt/ProgramState.h"

namespace app {

template <typename Window> void Program::create() {
    adopt(std::make_unique<Window>());
}

void Program::adopt(std::unique_ptr<platform::Form> window) {
    m_windows.push_back(window.get());
    m_owned.push_back(std::move(window));
}

Program::Program(const QStringList& arguments)
    : m_main(std::make_unique<TResumeExplorerForm>(arguments)) {
    m_windows.push_back(m_main.get());
    create<editors::TEducationalHistoryForm>();
    create<editors::TPersonalInfoForm>();
    create<editors::TPurposeStatementsForm>();
    create<editors::TEmploymentHistoryForm>();
    create<editors::THonorsCertificationsForm>();
    create<editors::TOrganizationsForm>();
    create<editors::TSkillAreaForm>();
    create<editors::TReferencesForm>();
    create<format::TResumeFormat>();
    create<info::TAboutBox>();
    m_dm = std::make_unique<store::TDM>(store::statementsOf(m_main->ADOConnection1()));
    m_generation = std::make_unique<generate::GenerationCommands>(
        *m_dm, platform::dataDirectory(), platform::writableDirectory(),
        QString::fromLatin1(kApplicationTitle));
    m_generation->setResumeDatabase([this] { return m_main->workingCopyPath(); });
    m_main->setGenerationCommands(m_generation.get());
    m_pdfExport = std::make_unique<generate::PdfExport>(*m_generation);
    m_main->setPdfExport(m_pdfExport.get());
    // The data module's datasets read the working copy too while a generation runs.
    m_main->setWorkingCopyReaders([this] { m_dm->closeAfterGeneration(); });
    platform::setPreviewCommand([this] { m_main->PreviewResume1Click(); });
    platform::setPagePreviewCommand([this] { m_main->PagePreview1Click(); });
    createPagePreview();
    create<info::TResumeWriting>();
    create<info::TResumePosting>();
    create<info::TResumeDistribution>();
    create<info::TResumeWebResume>();
    create<info::TCareerAssessment>();
    create<info::TInterviewTraining>();
    create<info::TResumeCritique>();
    create<info::TReferenceChecking>();
    create<info::TSalaryReport>();
    auto serverConf = std::make_unique<mail::TEmailServerConf>(m_serverSettings);
    auto sendResume = std::make_unique<mail::TSendResume>(
        m_serverSettings, *serverConf, [] { return store::currentResumeDocumentPath(); });
    adopt(std::move(sendResume));
    adopt(std::move(serverConf));
    create<info::TFreelanceExchange>();
    create<info::TCoverLetter>();
    create<info::Ttemplates>();
    m_main->setWindowLookup([this](const QString& name) { return window(name); });
}

Program::~Program() {
    // The main window's lookup and commands point into this object.
    m_main->setWindowLookup({});
    m_main->setGenerationCommands(nullptr);
    m_main->setPdfExport(nullptr);
    m_main->setWorkingCopyReaders({});
    platform::setPreviewCommand({});
    platform::setPagePreviewCommand({});
}

void Program::createPagePreview() {
    // The pages are made from the document Preview writes, so that the word
    // processor opens what the window shows.
    preview::PagePreviewCommands commands;
    commands.writeDocument = [this] {
        const QString document = m_generation->currentResumePath();
        m_generation->generateDocument(document);
        return document;
    };
    commands.exportPdf = [this](const QString& pdf) {
        m_pdfExport->exportConverted(pdf, platform::dialogs());
    };
    commands.openInWordProcessor = [this] { m_main->EditResumeusingWordprocesor1Click(); };
    adopt(std::make_unique<preview::TPagePreview>(std::move(commands)));
}

platform::Form* Program::window(const QString& name) const {
    for (platform::Form* w : m_windows)
        if (w->objectName() == name)
            return w;
    return nullptr;
}

} // namespace app
