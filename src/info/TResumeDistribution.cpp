#include "info/TResumeDistribution.h"

namespace info {

TResumeDistribution::TResumeDistribution(QWidget* parent)
    : platform::Form(QStringLiteral("ResumeDistribution"), QStringLiteral("Resume Distribution"),
                     parent) {
    resize(480, 360);
}

} // namespace info
