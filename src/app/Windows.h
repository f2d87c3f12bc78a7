// The program's windows by instance name: the one place the main window's menus,
// section bar and start-up page find them.
#pragma once

#include <QString>

namespace app {

enum class Window {
    ResumePosting,
    ResumeDistribution,
    ResumeWebResume,
    InterviewTraining,
    ResumeCritique,
    ReferenceChecking,
    ResumeWriting,
    CoverLetter,
    SalaryReport,
    FreelanceExchange,
    CareerAssessment,
    Templates,
    PersonalInfo,
    PurposeStatements,
    EducationalHistory,
    EmploymentHistory,
    HonorsCertifications,
    Organizations,
    SkillArea,
    References,
    ResumeFormat,
    SendResume,
    EmailServerConf,
    AboutBox,
    PagePreview,
};

// The window's objectName, by which the program looks it up.
QString windowName(Window window);

// The window's caption in the menus.
QString windowCaption(Window window);

} // namespace app
