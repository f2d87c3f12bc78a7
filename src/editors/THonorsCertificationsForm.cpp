#include "editors/THonorsCertificationsForm.h"

#include "editors/TDbMemo.h"

namespace editors {

THonorsCertificationsForm::THonorsCertificationsForm(QWidget* parent)
    : RecordListForm(QStringLiteral("HonorsCertificationsForm"),
                     QStringLiteral("Honors / Certifications"),
                     Rules{.table = QStringLiteral("Honors")}, parent) {
    FieldGrid& f = fields();
    f.addRadioGroup(
        QStringLiteral("What type of entry is this ? "), QStringLiteral("Type"),
        {QStringLiteral("This is an Honor"), QStringLiteral("This is an Award"),
         QStringLiteral("This is an Achievement")},
        {QStringLiteral("Honor"), QStringLiteral("Award"), QStringLiteral("Achievement")}, 3);
    f.addEdit(QStringLiteral("Title: "), QStringLiteral("Title"), Caption::Principal);
    f.addMemo(QStringLiteral("Comments/Description: "), QStringLiteral("Comments"))
        ->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    f.addCheck(QStringLiteral("Include this entry in all published output?"),
               QStringLiteral("InAllPubliched"));
    f.addDate(QStringLiteral("Date: "), QStringLiteral("Date"), Caption::Principal);
    finishLayout();
    resize(600, 390);
}

} // namespace editors
