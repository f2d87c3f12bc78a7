#include "editors/TEmploymentHistoryForm.h"

#include "editors/TDbMemo.h"

namespace editors {

TEmploymentHistoryForm::TEmploymentHistoryForm(QWidget* parent)
    : RecordListForm(
          QStringLiteral("EmploymentHistoryForm"), QStringLiteral("Employment History"),
          Rules{.table = QStringLiteral("EmploymentHistory"),
                .tabs = {QStringLiteral("Employer Information"), QStringLiteral("Comment")}},
          parent) {
    FieldGrid& f = fields();
    f.addEdit(QStringLiteral("Compnay: "), QStringLiteral("Company"), Caption::Principal);
    f.addEdit(QStringLiteral("City: "), QStringLiteral("City"), Caption::Principal);
    f.addEdit(QStringLiteral("State (or Country): "), QStringLiteral("Country"),
              Caption::Principal);
    f.addEdit(QStringLiteral("URL: "), QStringLiteral("URL"));
    f.addEdit(QStringLiteral("Position/Title: "), QStringLiteral("Position"), Caption::Principal);
    f.addCheck(QStringLiteral("Check here if you are still employed by this company"),
               QStringLiteral("StillEmployed"));
    f.addCheck(QStringLiteral("Include this in all published output?"),
               QStringLiteral("InAllPublished"));
    f.addDate(QStringLiteral("Date from: "), QStringLiteral("DateFrom"), Caption::Principal);
    f.addDate(QStringLiteral("Date to: "), QStringLiteral("DateTo"));
    f.addStretch();
    commentFields()
        .addMemo({}, QStringLiteral("comments"))
        ->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    finishLayout();
    resize(600, 390);
}

} // namespace editors
