#include "editors/TReferencesForm.h"

namespace editors {

TReferencesForm::TReferencesForm(QWidget* parent)
    : RecordListForm(QStringLiteral("ReferencesForm"), QStringLiteral("References"),
                     Rules{.table = QStringLiteral("refer"),
                           .frameCaption = QStringLiteral("Contract Information: ")},
                     parent) {
    FieldGrid& f = fields();
    f.addRadioGroup(QStringLiteral(" Reference Type "), QStringLiteral("Type"),
                    {QStringLiteral("This is a personal reference"),
                     QStringLiteral("This is a professional reference")},
                    {QStringLiteral("personal"), QStringLiteral("professional")}, 2);
    f.addEdit(QStringLiteral("Name: "), QStringLiteral("Name"), Caption::Principal);
    f.addEdit(QStringLiteral("Title: "), QStringLiteral("Title"));
    f.addEdit(QStringLiteral("Organization: "), QStringLiteral("Organization"));
    f.addEdit(QStringLiteral("Address Line 1: "), QStringLiteral("AddressLine1"));
    f.addEdit(QStringLiteral("Address Line 2: "), QStringLiteral("AddressLine2"));
    f.addEdit(QStringLiteral("City, State, Zip: "), QStringLiteral("City"));
    f.addEdit(QStringLiteral("Phone: "), QStringLiteral("Phone"));
    f.addEdit(QStringLiteral("Email: "), QStringLiteral("Email"));
    f.addCheck(QStringLiteral("Include this entry in all published output?"),
               QStringLiteral("InAllPublished"));
    f.addStretch();
    finishLayout();
    resize(600, 420);
}

} // namespace editors
