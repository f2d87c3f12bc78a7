#include "app/Windows.h"

#include <iterator>

namespace app {

namespace {

struct WindowName {
    Window window;
    const char* objectName;
    const char* caption;
};

// In the order of the enumeration.
constexpr WindowName kWindows[] = {
    {Window::ResumePosting, "ResumePosting", "Resume Posting"},
    {Window::ResumeDistribution, "ResumeDistribution", "Resume Distribution"},
    {Window::ResumeWebResume, "ResumeWebResume", "Web Resume"},
    {Window::InterviewTraining, "InterviewTraining", "Interview Training"},
    {Window::ResumeCritique, "ResumeCritique", "Resume Critique"},
    {Window::ReferenceChecking, "ReferenceChecking", "Reference Checking"},
    {Window::ResumeWriting, "ResumeWriting", "Resume Writing"},
    {Window::CoverLetter, "CoverLetter", "Cover Letter"},
    {Window::SalaryReport, "SalaryReport", "Salary Reports"},
    {Window::FreelanceExchange, "FreelanceExchange", "Freelance Exchange"},
    {Window::CareerAssessment, "CareerAssessment", "Career Assessment"},
    {Window::Templates, "templates", "Templates"},
    {Window::PersonalInfo, "PersonalInfoForm", "Personal Info"},
    {Window::PurposeStatements, "PurposeStatementsForm", "Purpose Statements"},
    {Window::EducationalHistory, "EducationalHistoryForm", "Educational History"},
    {Window::EmploymentHistory, "EmploymentHistoryForm", "Employment History"},
    {Window::HonorsCertifications, "HonorsCertificationsForm", "Honors / Certifications"},
    {Window::Organizations, "OrganizationsForm", "Organizations"},
    {Window::SkillArea, "SkillAreaForm", "Skill Area"},
    {Window::References, "ReferencesForm", "References"},
    {Window::ResumeFormat, "ResumeFormat", "Resume Format"},
    {Window::SendResume, "SendResume", "Send Resume by Email"},
    {Window::EmailServerConf, "EmailServerConf", "Email Configuration"},
    {Window::AboutBox, "AboutBox", "About"},
    {Window::PagePreview, "PagePreview", "Page Preview"},
};

constexpr bool inEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(kWindows); ++i)
        if (static_cast<std::size_t>(kWindows[i].window) != i)
            return false;
    return true;
}
static_assert(inEnumerationOrder());

const WindowName& entry(Window window) {
    return kWindows[static_cast<std::size_t>(window)];
}

} // namespace

QString windowName(Window window) {
    return QString::fromLatin1(entry(window).objectName);
}

QString windowCaption(Window window) {
    return QString::fromLatin1(entry(window).caption);
}

} // namespace app
