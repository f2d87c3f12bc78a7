#include "DataBindFixture.h"

#include "editors/TDbCheckBox.h"
#include "editors/TDbDateEdit.h"
#include "editors/TDbEdit.h"
#include "editors/TDbMemo.h"
#include "editors/TDbValueRadioGroup.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>

using editors::fourDigitYearFormat;
using editors::plainTextOf;
using editors::storedDate;
using editors::TDbCheckBox;
using editors::TDbDateEdit;
using editors::TDbEdit;
using editors::TDbMemo;
using editors::TDbValueRadioGroup;
using State = store::TableCursor::State;

namespace {

using DataBindingTest = DataBindFixture;

TEST_F(DataBindingTest, EditShowsTheCurrentRowAndWritesWhatTheUserTypes) {
    run("INSERT INTO Honors (Title) VALUES ('first'), ('second')");
    TDbEdit edit;
    edit.bind(cursor.get(), "title");
    EXPECT_TRUE(edit.isReadOnly());

    cursor->open();
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(edit.text(), "first");
    cursor->next();
    EXPECT_EQ(edit.text(), "second");

    QTest::keyClicks(&edit, "!");
    EXPECT_EQ(cursor->state(), State::Edit);
    EXPECT_EQ(cursor->value("Title").toString(), "second!");
    cursor->post();
    EXPECT_EQ(stored("Title", 2).toString(), "second!");

    cursor->close();
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.text(), "");
}

TEST_F(DataBindingTest, TypingIntoAnEmptyTableStartsTheFirstRow) {
    TDbMemo comments;
    TDbEdit type;
    comments.bind(cursor.get(), "Comments");
    type.bind(cursor.get(), "Type");
    cursor->open();
    QTest::keyClicks(&comments, "Dean's list");
    EXPECT_EQ(cursor->state(), State::Insert);
    EXPECT_EQ(comments.toPlainText(), "Dean's list");
    EXPECT_EQ(type.text(), "Award"); // the column default, shown as the row starts
    cursor->post();
    EXPECT_EQ(stored("Comments").toString(), "Dean's list");
}

TEST_F(DataBindingTest, BindingsAreReadOnlyWhileTheCursorIsClosed) {
    run("INSERT INTO Honors (Title, InAllPublished, Type) VALUES ('t', 'False', 'Award')");
    TDbCheckBox box;
    TDbValueRadioGroup group;
    group.setItems({"Honor", "Award"});
    TDbMemo memo;
    TDbDateEdit date;
    box.bind(cursor.get(), "InAllPublished");
    group.bind(cursor.get(), "Type");
    memo.bind(cursor.get(), "Comments");
    date.bind(cursor.get(), "Date");

    auto tryEverything = [&] {
        box.click();
        group.button(0)->click();
    };
    tryEverything();
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_TRUE(date.isReadOnly());

    cursor->open();
    EXPECT_FALSE(memo.isReadOnly());
    EXPECT_FALSE(date.isReadOnly());
    tryEverything();
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(cursor->value("InAllPublished").toString(), "True");
    EXPECT_EQ(cursor->value("Type").toString(), "Honor");

    cursor->close();
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_TRUE(date.isReadOnly());
}

struct CheckBoxCase {
    const char* stored; // SQL literal
    bool shownChecked;
    int clicks;
    QVariant written;
};

void PrintTo(const CheckBoxCase& test, std::ostream* out) {
    *out << test.stored << " clicked " << test.clicks;
}

class CheckBoxTest : public DataBindFixture, public ::testing::WithParamInterface<CheckBoxCase> {};

TEST_P(CheckBoxTest, WritesTrueAndFalse) {
    const CheckBoxCase& test = GetParam();
    run(QStringLiteral("INSERT INTO Honors (InAllPublished) VALUES (%1)").arg(test.stored));
    TDbCheckBox box("Include this entry in all published output?");
    box.bind(cursor.get(), "InAllPublished");
    cursor->open();
    EXPECT_EQ(box.isChecked(), test.shownChecked);
    EXPECT_EQ(cursor->state(), State::Browse); // showing writes nothing
    for (int i = 0; i < test.clicks; ++i)
        box.click();
    cursor->post();
    EXPECT_EQ(stored("InAllPublished").toString(), test.written.toString());
}

INSTANTIATE_TEST_SUITE_P(DataBindingTest, CheckBoxTest,
                         ::testing::Values(CheckBoxCase{"NULL", false, 1, "True"},
                                           CheckBoxCase{"''", false, 1, "True"},
                                           CheckBoxCase{"'True'", true, 1, "False"},
                                           CheckBoxCase{"'False'", false, 2, "False"},
                                           CheckBoxCase{"'true'", false, 1, "True"},
                                           CheckBoxCase{"'True'", true, 0, "True"}));

struct PasteCase {
    const char* title;
    QString html;
    QString text; // the plain alternative, if the source offers one
    QString expected;
};

void PrintTo(const PasteCase& test, std::ostream* out) {
    *out << test.title;
}

class MemoPasteTest : public DataBindFixture, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(MemoPasteTest, StoresPastedRichTextAsPlainText) {
    const PasteCase& test = GetParam();
    run("INSERT INTO Honors (Comments) VALUES ('')");
    TDbMemo memo;
    memo.bind(cursor.get(), "Comments");
    cursor->open();
    auto* mime = new QMimeData;
    if (!test.html.isEmpty())
        mime->setHtml(test.html);
    if (!test.text.isEmpty())
        mime->setText(test.text);
    QGuiApplication::clipboard()->setMimeData(mime);
    memo.paste();
    EXPECT_EQ(cursor->state(), State::Edit);
    cursor->post();
    EXPECT_EQ(stored("Comments").toString(), test.expected);
    EXPECT_EQ(memo.toPlainText(), test.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DataBindingTest, MemoPasteTest,
    ::testing::Values(
        PasteCase{"html with plain alternative", "<b>Led</b> a <i>team</i>", "Led a team",
                  "Led a team"},
        PasteCase{"html only", "<p><b>Led</b> a team</p><p>of five</p>", {}, "Led a team\nof five"},
        PasteCase{"plain only", {}, "line one\nline two", "line one\nline two"}));

TEST_F(DataBindingTest, PlainTextOfClipboardContent) {
    QMimeData html;
    html.setHtml("<ul><li>one &amp; two</li></ul>");
    EXPECT_EQ(plainTextOf(html), "one & two");
    QMimeData empty;
    EXPECT_EQ(plainTextOf(empty), "");
}

TEST_F(DataBindingTest, DateFieldShowsTodayWhileEmptyAndWritesOnlyAfterAChange) {
    run("INSERT INTO Honors (Title, [Date]) VALUES ('dated', '2021-03-04'), ('undated', NULL)");
    TDbDateEdit date;
    date.bind(cursor.get(), "Date");
    cursor->open();
    EXPECT_EQ(date.date(), QDate(2021, 3, 4));

    const QDate before = QDate::currentDate();
    cursor->next();
    EXPECT_GE(date.date(), before);
    EXPECT_LE(date.date(), QDate::currentDate());
    cursor->insert();
    EXPECT_GE(date.date(), before);
    cursor->post();
    EXPECT_EQ(stored("Date", 2), QVariant());
    EXPECT_EQ(stored("Date", 3), QVariant());

    cursor->prior();
    date.setFocus();
    date.setCurrentSection(QDateTimeEdit::YearSection);
    QTest::keyClick(&date, Qt::Key_Up);
    EXPECT_EQ(cursor->state(), State::Edit);
    cursor->post();
    EXPECT_EQ(stored("Date", 2).toString(), date.date().toString("yyyy-MM-dd"));
    EXPECT_EQ(date.date().year(), before.year() + 1);
}

TEST_F(DataBindingTest, PickingTheShownDayInTheCalendarWritesIt) {
    run("INSERT INTO Honors (Title) VALUES ('undated')");
    TDbDateEdit date;
    date.bind(cursor.get(), "Date");
    cursor->open();
    emit date.calendarWidget()->clicked(date.date());
    cursor->post();
    EXPECT_EQ(stored("Date").toString(), date.date().toString("yyyy-MM-dd"));
}

TEST(DateText, StoredDates) {
    const std::vector<std::pair<QVariant, QDate>> cases = {
        {"2021-03-04", QDate(2021, 3, 4)},
        {"1999-12-31 00:00:00", QDate(1999, 12, 31)},
        {"1999-12-31T10:11:12", QDate(1999, 12, 31)},
        {QDate(2000, 2, 29), QDate(2000, 2, 29)},
        {"", QDate()},
        {QVariant(), QDate()},
        {"2021-02-30", QDate()},
        {"March 2021", QDate()},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(storedDate(value), expected) << value.toString().toStdString();
}

TEST(DateText, FourDigitYearFormat) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"M/d/yy", "M/d/yyyy"},    {"dd.MM.yy", "dd.MM.yyyy"}, {"yyyy-MM-dd", "yyyy-MM-dd"},
        {"d MMM y", "d MMM yyyy"}, {"yy'y'MM", "yyyy'y'MM"},   {"dd/MM/yyyy", "dd/MM/yyyy"},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(fourDigitYearFormat(format), expected) << format.toStdString();
    ensureWidgetApplication();
    TDbDateEdit date;
    EXPECT_TRUE(date.displayFormat().contains("yyyy")) << date.displayFormat().toStdString();
}

} // namespace
