#include "editors/TReferencesForm.h"

namespace editors {

TReferencesForm::TReferencesForm(QWidget* parent)
    : platform::Form(QStringLiteral("ReferencesForm"), QStringLiteral("References"), parent) {
    resize(480, 360);
}

} // namespace editors
