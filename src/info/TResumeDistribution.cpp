#include "info/TResumeDistribution.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("ResumeDistribution");
    content.caption = QStringLiteral("Resume Distribution");
    content.lines = {
        {QStringLiteral("Put your resume in front of over 14,000 recruiters."), true},
        {QStringLiteral("We send your resume to our network of recruiters and search firms, who "
                        "fill positions for employers in every field."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/resume-distribution");
    return content;
}

} // namespace

TResumeDistribution::TResumeDistribution(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
