#include "editors/TPersonalInfoForm.h"

namespace editors {

TPersonalInfoForm::TPersonalInfoForm(QWidget* parent)
    : platform::Form(QStringLiteral("PersonalInfoForm"), QStringLiteral("Personal Information"),
                     parent) {
    resize(480, 360);
}

} // namespace editors
