#include "info/TInterviewTraining.h"

namespace info {

TInterviewTraining::TInterviewTraining(QWidget* parent)
    : platform::Form(QStringLiteral("InterviewTraining"), QStringLiteral("Interview Training"),
                     parent) {
    resize(480, 360);
}

} // namespace info
