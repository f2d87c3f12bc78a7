#include "editors/TPurposeStatementsForm.h"

namespace editors {

TPurposeStatementsForm::TPurposeStatementsForm(QWidget* parent)
    : platform::Form(QStringLiteral("PurposeStatementsForm"),
                     QStringLiteral("Purpose Statements: Use MAPP motivation bullet points here"),
                     parent) {
    resize(480, 360);
}

} // namespace editors
