#include "info/TReferenceChecking.h"

namespace info {

TReferenceChecking::TReferenceChecking(QWidget* parent)
    : platform::Form(QStringLiteral("ReferenceChecking"), QStringLiteral("Reference Checking"),
                     parent) {
    resize(480, 360);
}

} // namespace info
