#include "editors/TEducationalHistoryForm.h"

namespace editors {

TEducationalHistoryForm::TEducationalHistoryForm(QWidget* parent)
    : platform::Form(QStringLiteral("EducationalHistoryForm"),
                     QStringLiteral("Educational History"), parent) {
    resize(480, 360);
}

} // namespace editors
