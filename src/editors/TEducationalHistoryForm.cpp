#include "editors/TEducationalHistoryForm.h"

#include <QPushButton>

namespace editors {

TEducationalHistoryForm::TEducationalHistoryForm(QWidget* parent)
    : RecordListForm(
          QStringLiteral("EducationalHistoryForm"), QStringLiteral("Educational History"),
          Rules{.table = QStringLiteral("EducationalHistory"),
                .writeMode = store::TableCursor::WriteMode::Deferred,
                .saveOnShow = false,
                .deleteRereads = false,
                .frameCaption = QStringLiteral("Multiple Entries Permitted/Encouraged: "),
                .tabs = {QStringLiteral("Institution Information"), QStringLiteral("Comments")}},
          parent) {
    FieldGrid& f = fields();
    f.addEdit(QStringLiteral("Institution: "), QStringLiteral("Institution"));
    f.addEdit(QStringLiteral("URL: "), QStringLiteral("URL"));
    f.addEdit(QStringLiteral("Degree: "), QStringLiteral("Degree"));
    f.addEdit(QStringLiteral("Year Awarded: "), QStringLiteral("YearAwarded"), Caption::Plain, 60);
    f.addCheck(QStringLiteral("Check here if you are still attending this institution"),
               QStringLiteral("StillAttending"));
    f.addCheck(QStringLiteral("Include this entry in all published output?"),
               QStringLiteral("InAllPublished"));
    f.addDate(QStringLiteral("Date from: "), QStringLiteral("DateFrom"));
    f.addDate(QStringLiteral("Date to: "), QStringLiteral("DateTo"));
    f.addStretch();
    commentFields().addMemo({}, QStringLiteral("Comment"));
    finishLayout();
    resize(600, 400);

    connect(table1(), &store::TableCursor::afterOpen, this, [this] { table1AfterOpen(); });
    connect(table1(), &store::TableCursor::beforePost, this, [this] { DataSource1UpdateData(); });
}

void TEducationalHistoryForm::table1AfterOpen() {
    saveButton()->setEnabled(false);
    previewButton()->setEnabled(true);
}

void TEducationalHistoryForm::DataSource1UpdateData() {
    saveButton()->setEnabled(true);
}

} // namespace editors
