#include "editors/TOrganizationsForm.h"

namespace editors {

TOrganizationsForm::TOrganizationsForm(QWidget* parent)
    : RecordListForm(QStringLiteral("OrganizationsForm"), QStringLiteral("Organizations "),
                     Rules{.table = QStringLiteral("Organizations"),
                           .saveOnShow = false,
                           .frameCaption = QStringLiteral(
                               "Organizational Membership/Professional Affiliations: ")},
                     parent) {
    FieldGrid& f = fields();
    f.addEdit(QStringLiteral("Name: "), QStringLiteral("Name"), Caption::Principal);
    f.addMemo(QStringLiteral("Comments/Description: "), QStringLiteral("Comments"));
    f.addDate(QStringLiteral("Date from: "), QStringLiteral("DateFrom"), Caption::Principal);
    f.addDate(QStringLiteral("Date to: "), QStringLiteral("DateTo"));
    f.addCheck(QStringLiteral("Include this entry in all published output?"),
               QStringLiteral("InAllPublished"));
    finishLayout();
    resize(600, 390);
}

} // namespace editors
