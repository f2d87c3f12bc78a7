#include "editors/TOrganizationsForm.h"

namespace editors {

TOrganizationsForm::TOrganizationsForm(QWidget* parent)
    : platform::Form(QStringLiteral("OrganizationsForm"), QStringLiteral("Organizations "),
                     parent) {
    resize(480, 360);
}

} // namespace editors
