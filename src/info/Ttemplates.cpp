#include "info/Ttemplates.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("templates");
    content.caption = QStringLiteral("Templates");
    content.lines = {
        {QStringLiteral("250 professional resume examples."), true},
        {QStringLiteral("Each example comes with a matching cover letter and reference page, ready "
                        "to adapt to your own experience."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/resume-templates");
    return content;
}

} // namespace

Ttemplates::Ttemplates(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
