// The service information pages: their texts and addresses in one table, and one window type
// per page. Each is created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/InfoPage.h"

#include <cstddef>

namespace info {

enum class PageId {
    ResumeWriting,
    ResumePosting,
    ResumeDistribution,
    WebResume,
    CareerAssessment,
    InterviewTraining,
    ResumeCritique,
    ReferenceChecking,
    SalaryReport,
    FreelanceExchange,
    CoverLetter,
    Templates,
};
inline constexpr std::size_t kPageCount = static_cast<std::size_t>(PageId::Templates) + 1;

// What a page shows: its instance name, caption, lines, link and how it stays on screen.
InfoPage::Content pageContent(PageId id);

// A page that shows its content and nothing more.
template <PageId Id> class ServicePage : public InfoPage {
public:
    explicit ServicePage(QWidget* parent = nullptr) : InfoPage(pageContent(Id), parent) {}
};

using TResumeWriting = ServicePage<PageId::ResumeWriting>;
using TResumePosting = ServicePage<PageId::ResumePosting>;
using TResumeDistribution = ServicePage<PageId::ResumeDistribution>;
using TCareerAssessment = ServicePage<PageId::CareerAssessment>;
using TInterviewTraining = ServicePage<PageId::InterviewTraining>;
using TResumeCritique = ServicePage<PageId::ResumeCritique>;
using TReferenceChecking = ServicePage<PageId::ReferenceChecking>;
using TSalaryReport = ServicePage<PageId::SalaryReport>;
using TFreelanceExchange = ServicePage<PageId::FreelanceExchange>;
using TCoverLetter = ServicePage<PageId::CoverLetter>;
using Ttemplates = ServicePage<PageId::Templates>;

// The web-résumé page also shows a sample address below its text.
class TResumeWebResume : public InfoPage {
    Q_OBJECT
public:
    explicit TResumeWebResume(QWidget* parent = nullptr);

    // The sample address: coloured like a link, opens nothing.
    LinkLabel* sampleAddress() const { return m_sample; }

private:
    LinkLabel* m_sample;
};

} // namespace info
