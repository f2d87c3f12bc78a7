#include "info/TResumeWriting.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("ResumeWriting");
    content.caption = QStringLiteral("Resume Writing");
    content.lines = {
        {QStringLiteral("Let a certified professional resume writer prepare your resume."), true},
        {QStringLiteral("A resume written by a professional gets you more interviews and more job "
                        "offers. Our writers know what employers and recruiters look for and "
                        "present your experience in its best light."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/resume-writing");
    content.hover = LinkLabel::Hover::OnMove;
    content.shadowedLink = true;
    return content;
}

} // namespace

TResumeWriting::TResumeWriting(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
