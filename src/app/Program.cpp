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
#include "info/TAboutBox.h"
#include "info/TCareerAssessment.h"
#include "info/TCoverLetter.h"
#include "info/TFreelanceExchange.h"
#include "info/TInterviewTraining.h"
#include "info/TReferenceChecking.h"
#include "info/TResumeCritique.h"
#include "info/TResumeDistribution.h"
#include "info/TResumePosting.h"
#include "info/TResumeWebResume.h"
#include "info/TResumeWriting.h"
#include "info/TSalaryReport.h"
#include "info/Ttemplates.h"

namespace app {

template <typename Window> void Program::create() {
    m_owned.push_back(std::make_unique<Window>());
    m_windows.push_back(m_owned.back().get());
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
    m_dm = std::make_unique<store::TDM>(m_main->ADOConnection1());
    create<info::TResumeWriting>();
    create<info::TResumePosting>();
    create<info::TResumeDistribution>();
    create<info::TResumeWebResume>();
    create<info::TCareerAssessment>();
    create<info::TInterviewTraining>();
    create<info::TResumeCritique>();
    create<info::TReferenceChecking>();
    create<info::TSalaryReport>();
    // The mail windows are created here, in this order: SendResume, EmailServerConf.
    create<info::TFreelanceExchange>();
    create<info::TCoverLetter>();
    create<info::Ttemplates>();
    m_main->setWindowLookup([this](const QString& name) { return window(name); });
}

Program::~Program() {
    // The main window's lookup points into this object.
    m_main->setWindowLookup({});
}

platform::Form* Program::window(const QString& name) const {
    for (platform::Form* w : m_windows)
        if (w->objectName() == name)
            return w;
    return nullptr;
}

} // namespace app
