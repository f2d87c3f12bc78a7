#include "info/TCareerAssessment.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("CareerAssessment");
    content.caption = QStringLiteral("Career Assessment");
    content.lines = {
        {QStringLiteral("Find the career that suits you with an online career assessment."), true},
        {QStringLiteral("Your personal report describes your interests, strengths and working "
                        "style, the careers that match them and the steps that lead there."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/career-assessment");
    return content;
}

} // namespace

TCareerAssessment::TCareerAssessment(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
