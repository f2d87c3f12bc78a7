#include "editors/TEmploymentHistoryForm.h"

namespace editors {

TEmploymentHistoryForm::TEmploymentHistoryForm(QWidget* parent)
    : platform::Form(QStringLiteral("EmploymentHistoryForm"), QStringLiteral("Employment History"),
                     parent) {
    resize(480, 360);
}

} // namespace editors
