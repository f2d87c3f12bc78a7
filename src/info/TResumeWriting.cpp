#include "info/TResumeWriting.h"

namespace info {

TResumeWriting::TResumeWriting(QWidget* parent)
    : platform::Form(QStringLiteral("ResumeWriting"), QStringLiteral("Resume Writing"), parent) {
    resize(480, 360);
}

} // namespace info
