#include "info/TResumeCritique.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("ResumeCritique");
    content.caption = QStringLiteral("Resume Critique");
    content.lines = {
        {QStringLiteral("Have a professional review your resume."), true},
        {QStringLiteral(
             "You receive a written report on what works in your resume and how to improve the "
             "rest. If you then order a rewrite, the fee for the critique counts against it."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/resume-critique");
    return content;
}

} // namespace

TResumeCritique::TResumeCritique(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
