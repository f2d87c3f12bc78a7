#include "info/TResumePosting.h"

namespace info {

TResumePosting::TResumePosting(QWidget* parent)
    : platform::Form(QStringLiteral("ResumePosting"), QStringLiteral("Resume Posting"), parent) {
    resize(480, 360);
}

} // namespace info
