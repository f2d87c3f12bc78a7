#include "info/TResumeWebResume.h"

namespace info {

TResumeWebResume::TResumeWebResume(QWidget* parent)
    : platform::Form(QStringLiteral("ResumeWebResume"), QStringLiteral("Web Resume"), parent) {
    resize(480, 360);
}

} // namespace info
