#include "info/TCareerAssessment.h"

namespace info {

TCareerAssessment::TCareerAssessment(QWidget* parent)
    : platform::Form(QStringLiteral("CareerAssessment"), QStringLiteral("Career Assessment"),
                     parent) {
    resize(480, 360);
}

} // namespace info
