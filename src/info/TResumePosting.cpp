#include "info/TResumePosting.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("ResumePosting");
    content.caption = QStringLiteral("Resume Posting");
    content.lines = {
        {QStringLiteral("Post your resume to the job boards with one click."), true},
        {QStringLiteral("Your resume goes to the large job boards and to hundreds of specialty "
                        "boards, where employers and recruiters search for candidates every day."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/resume-posting");
    return content;
}

} // namespace

TResumePosting::TResumePosting(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
