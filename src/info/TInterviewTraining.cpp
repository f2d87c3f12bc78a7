#include "info/TInterviewTraining.h"

namespace info {

namespace {

InfoPage::Content pageContent() {
    InfoPage::Content content;
    content.name = QStringLiteral("InterviewTraining");
    content.caption = QStringLiteral("Interview Training");
    content.lines = {
        {QStringLiteral("Prepare for your next interview with multimedia interview training."),
         true},
        {QStringLiteral(
             "The program covers first impressions, the questions interviewers ask and how to "
             "answer them, talking about salary, and following up after the interview."),
         false},
    };
    content.address = QStringLiteral("https://vitacraft.example/services/interview-training");
    return content;
}

} // namespace

TInterviewTraining::TInterviewTraining(QWidget* parent) : InfoPage(pageContent(), parent) {}

} // namespace info
