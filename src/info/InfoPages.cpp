#include "info/InfoPages.h"

#include <array>

namespace info {

namespace {

// Each page's texts and address, in the order of PageId.
const std::array<InfoPage::Content, kPageCount> kPages = {{
    {
        .name = QStringLiteral("ResumeWriting"),
        .caption = QStringLiteral("Resume Writing"),
        .lines = {{QStringLiteral(
                       "Let a certified professional resume writer prepare your resume."),
                   true},
                  {QStringLiteral(
                       "A resume written by a professional gets you more interviews and more job "
                       "offers. Our writers know what employers and recruiters look for and "
                       "present your experience in its best light."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/resume-writing"),
        .hover = LinkLabel::Hover::OnMove,
        .shadowedLink = true,
    },
    {
        .name = QStringLiteral("ResumePosting"),
        .caption = QStringLiteral("Resume Posting"),
        .lines = {{QStringLiteral("Post your resume to the job boards with one click."), true},
                  {QStringLiteral(
                       "Your resume goes to the large job boards and to hundreds of specialty "
                       "boards, where employers and recruiters search for candidates every day."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/resume-posting"),
    },
    {
        .name = QStringLiteral("ResumeDistribution"),
        .caption = QStringLiteral("Resume Distribution"),
        .lines = {{QStringLiteral("Put your resume in front of over 14,000 recruiters."), true},
                  {QStringLiteral(
                       "We send your resume to our network of recruiters and search firms, who "
                       "fill positions for employers in every field."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/resume-distribution"),
    },
    {
        .name = QStringLiteral("ResumeWebResume"),
        .caption = QStringLiteral("Web Resume"),
        .lines = {{QStringLiteral("Get a personal web page that holds your resume."), true},
                  {QStringLiteral(
                       "Your web resume is indexed by the search engines, so employers can find "
                       "you, and you can update it at any time with your own user name and "
                       "password. Your address will look like this:"),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/web-resume"),
    },
    {
        .name = QStringLiteral("CareerAssessment"),
        .caption = QStringLiteral("Career Assessment"),
        .lines =
            {{QStringLiteral("Find the career that suits you with an online career assessment."),
              true},
             {QStringLiteral("Your personal report describes your interests, strengths and working "
                             "style, the careers that match them and the steps that lead there."),
              false}},
        .address = QStringLiteral("https://vitacraft.example/services/career-assessment"),
    },
    {
        .name = QStringLiteral("InterviewTraining"),
        .caption = QStringLiteral("Interview Training"),
        .lines = {{QStringLiteral(
                       "Prepare for your next interview with multimedia interview training."),
                   true},
                  {QStringLiteral(
                       "The program covers first impressions, the questions interviewers ask and "
                       "how to "
                       "answer them, talking about salary, and following up after the interview."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/interview-training"),
    },
    {
        .name = QStringLiteral("ResumeCritique"),
        .caption = QStringLiteral("Resume Critique"),
        .lines = {{QStringLiteral("Have a professional review your resume."), true},
                  {QStringLiteral("You receive a written report on what works in your resume "
                                  "and how to improve the "
                                  "rest. If you then order a rewrite, the fee for the critique "
                                  "counts against it."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/resume-critique"),
    },
    {
        .name = QStringLiteral("ReferenceChecking"),
        .caption = QStringLiteral("Reference Checking"),
        .lines = {{QStringLiteral("Know what your references say about you."), true},
                  {QStringLiteral(
                       "We check your employment references discreetly, as an employer would, and "
                       "report to you what each of them said."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/reference-checking"),
    },
    {
        .name = QStringLiteral("SalaryReport"),
        .caption = QStringLiteral("Salary Reports"),
        .lines = {{QStringLiteral("Are you paid what you are worth?"), true},
                  {QStringLiteral(
                       "A personal salary report compares your pay with the market for your "
                       "position, experience and location, so you can negotiate with facts."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/salary-reports"),
    },
    {
        .name = QStringLiteral("FreelanceExchange"),
        .caption = QStringLiteral("Freelance Exchange"),
        .lines = {{QStringLiteral("Find freelance work on the freelance exchange."), true},
                  {QStringLiteral(
                       "Businesses post their projects, and service providers like you bid for "
                       "them. Sign up through the link below."),
                   false}},
        .address = QStringLiteral("https://freelance-exchange.example/join?referrer=vitacraft"),
        // Unlike the other pages it may be covered by other windows.
        .stayOnTop = false,
    },
    {
        .name = QStringLiteral("CoverLetter"),
        .caption = QStringLiteral("Cover Letter"),
        .lines = {{QStringLiteral("Let a certified professional write your cover letter."), true},
                  {QStringLiteral(
                       "For a fee, a certified writer writes you a new cover letter that "
                       "introduces your resume and makes the reader want to meet you."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/cover-letter"),
        .linkCaption = QStringLiteral("Click here to learn more "),
    },
    {
        .name = QStringLiteral("templates"),
        .caption = QStringLiteral("Templates"),
        .lines = {{QStringLiteral("250 professional resume examples."), true},
                  {QStringLiteral(
                       "Each example comes with a matching cover letter and reference page, ready "
                       "to adapt to your own experience."),
                   false}},
        .address = QStringLiteral("https://vitacraft.example/services/resume-templates"),
    },
}};

} // namespace

InfoPage::Content pageContent(PageId id) {
    return kPages[static_cast<std::size_t>(id)];
}

TResumeWebResume::TResumeWebResume(QWidget* parent)
    : InfoPage(pageContent(PageId::WebResume), parent),
      m_sample(new LinkLabel(QStringLiteral("resumes.vitacraft.example/firstname_lastname.html"),
                             body())) {
    m_sample->setObjectName(QStringLiteral("LinkLabel2"));
    addBelowText(m_sample);
}

} // namespace info
