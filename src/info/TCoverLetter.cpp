#include "info/TCoverLetter.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("CoverLetter");
    content.caption = QStringLiteral("Cover Letter");
    content.lines = {
        {QStringLiteral("Let a certified professional write your cover letter."), true},
        {QStringLiteral("For a fee, a certified writer writes you a new cover letter that "
                        "introduces your resume and makes the reader want to meet you."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/cover-letter");
    content.linkCaption = QStringLiteral("Click here to learn more ");
    return content;
}

} // namespace

TCoverLetter::TCoverLetter(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
