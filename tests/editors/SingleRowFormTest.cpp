#include "EditorFixture.h"

#include "editors/TDbEdit.h"
#include "editors/TDbMemo.h"
#include "editors/TPersonalInfoForm.h"
#include "editors/TPurposeStatementsForm.h"
#include "editors/TabPages.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QMimeData>
#include <QTabBar>
#include <QTest>

using editors::TDbEdit;
using editors::TDbMemo;

namespace {

class PersonalInfoTest : public EditorFixture {
protected:
    TDbEdit* edit(const char* column) {
        auto* field = form.findChild<TDbEdit*>(QString::fromLatin1(column));
        EXPECT_NE(field, nullptr) << column;
        return field;
    }
    // Types into a field whatever tab it is on, as the user would after choosing that tab.
    void type(const char* column, const QString& text) { QTest::keyClicks(edit(column), text); }
    QStringList storedContact(const char* name) {
        return column(QStringLiteral("SELECT %1 FROM ContactInfo").arg(QString::fromLatin1(name)));
    }

    editors::TPersonalInfoForm form;
};

TEST_F(PersonalInfoTest, TheRequiredFieldsAreCheckedInOrderAndNothingIsWritten) {
    struct Case {
        QStringList filled; // the other required fields are left empty
        const char* message;
        int tab;
    };
    const Case cases[] = {
        {{}, "First Name is a required field!", 0},
        {{"FirstName"}, "Last Name is a reguired field!", 0},
        {{"FirstName", "LastName"}, "Home Phone is a required field!", 0},
        {{"FirstName", "LastName", "HomePhone"}, "Address is a reguired field!", 1},
        {{"FirstName", "LastName", "HomePhone", "PermanentAddressLine1"},
         "City is a reguired field!",
         1},
        {{"LastName", "HomePhone", "PermanentAddressLine1", "PermanentCity"},
         "First Name is a required field!",
         0},
        {{"FirstName", "LastName", "PermanentAddressLine1", "PermanentCity"},
         "Home Phone is a required field!",
         0},
    };
    for (const bool viaOk : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.message);
            form.show();
            type("WorkPhone", "555"); // a change in any case, so that Ok checks
            for (const QString& column : c.filled)
                type(column.toLatin1().constData(), "x");
            form.tabPages()->setActiveIndex(c.tab == 0 ? 2 : 0);
            dialogs.messages.clear();
            (viaOk ? form.FlatButton2 : form.ApplyBtn)->click();

            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, c.message);
            EXPECT_EQ(dialogs.messages[0].caption, "Vitacraft Pro 3.0");
            EXPECT_EQ(dialogs.messages[0].buttons, platform::Buttons::Ok);
            EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::None);
            EXPECT_EQ(form.tabPages()->activeIndex(), c.tab);
            EXPECT_TRUE(form.tabPages()->page(c.tab)->isVisible());
            EXPECT_TRUE(form.isVisible());
            EXPECT_TRUE(form.ApplyBtn->isEnabled());
            EXPECT_EQ(storedContact("WorkPhone"), QStringList{"<null>"});
            form.FlatButton3->click();
        }
    }
}

TEST_F(PersonalInfoTest, ApplyWritesEveryFieldAndABlankCountsAsFilled) {
    form.show();
    EXPECT_FALSE(form.ApplyBtn->isEnabled());
    EXPECT_TRUE(form.PreviewBtn->isEnabled());
    type("FirstName", " ");
    EXPECT_TRUE(form.ApplyBtn->isEnabled());
    EXPECT_FALSE(form.PreviewBtn->isEnabled());
    for (const char* column : {"LastName", "HomePhone", "PermanentAddressLine1", "PermanentCity",
                               "CurrentAddressLine1", "CurrentZipCode"})
        type(column, QString::fromLatin1(column).left(4));
    form.ApplyBtn->click();

    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(form.ApplyBtn->isEnabled());
    EXPECT_TRUE(form.PreviewBtn->isEnabled());
    EXPECT_EQ(column("SELECT FirstName || '|' || LastName || '|' || HomePhone || '|' || "
                     "PermanentAddressLine1 || '|' || PermanentCity || '|' || "
                     "CurrentAddressLine1 || '|' || CurrentZipCode FROM ContactInfo"),
              QStringList{" |Last|Home|Perm|Perm|Curr|Curr"});

    form.FlatButton3->click();
    form.show();
    EXPECT_EQ(edit("CurrentZipCode")->text(), "Curr");
}

TEST_F(PersonalInfoTest, OkWithoutAChangeClosesEvenWithRequiredFieldsEmpty) {
    form.show();
    form.FlatButton2->click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.table1()->isActive());
}

TEST_F(PersonalInfoTest, OkWritesAndClosesCancelDiscards) {
    form.show();
    for (const char* column :
         {"FirstName", "LastName", "HomePhone", "PermanentAddressLine1", "PermanentCity"})
        type(column, "v");
    form.FlatButton2->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(storedContact("FirstName"), QStringList{"v"});

    form.show();
    type("FirstName", "w");
    form.FlatButton3->click();
    EXPECT_EQ(storedContact("FirstName"), QStringList{"v"});
    form.show();
    EXPECT_EQ(edit("FirstName")->text(), "v");
}

TEST_F(PersonalInfoTest, AnEmptyTableGetsItsRowFromTheFirstChange) {
    exec("DELETE FROM ContactInfo");
    form.show();
    for (const char* column :
         {"FirstName", "LastName", "HomePhone", "PermanentAddressLine1", "PermanentCity"})
        type(column, "n");
    form.ApplyBtn->click();
    EXPECT_EQ(count("ContactInfo"), 1);
    EXPECT_EQ(storedContact("PermanentCity"), QStringList{"n"});
}

TEST_F(PersonalInfoTest, TheTabActiveAtHideStaysActive) {
    form.show();
    EXPECT_EQ(form.tabPages()->tabBar()->tabText(2), "Current Address");
    form.tabPages()->setActiveIndex(2);
    form.hide();
    form.show();
    EXPECT_EQ(form.tabPages()->activeIndex(), 2);
    EXPECT_TRUE(edit("CurrentCity")->isVisible());
    EXPECT_FALSE(edit("FirstName")->isVisible());
}

TEST_F(PersonalInfoTest, PreviewRunsThePreviewCommand) {
    form.show();
    form.PreviewBtn->click();
    EXPECT_EQ(previews, 1);
}

class PurposeStatementsTest : public EditorFixture {
protected:
    TDbMemo* text(const char* name) {
        auto* memo = form.findChild<TDbMemo*>(QString::fromLatin1(name));
        EXPECT_NE(memo, nullptr) << name;
        return memo;
    }
    editors::TPurposeStatementsForm form;
};

TEST_F(PurposeStatementsTest, OkAfterTypingInTwoTabsWritesBothAndCloses) {
    form.show();
    EXPECT_FALSE(form.ApplyBtn->isEnabled());
    QTest::keyClicks(text("objective"), "Lead");
    form.tabPages()->setActiveIndex(3);
    QTest::keyClicks(text("keywords"), "C++");
    EXPECT_TRUE(form.ApplyBtn->isEnabled());
    EXPECT_FALSE(form.PreviewBtn->isEnabled());
    form.FlatButton2->click();

    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(column("SELECT objective || '|' || keyword FROM Purpose"), QStringList{"Lead|C++"});
}

TEST_F(PurposeStatementsTest, CancelDiscardsAndAnEmptiedTextIsStoredEmpty) {
    exec("UPDATE Purpose SET summary = 'Old', personal = 'Mine'");
    form.show();
    EXPECT_EQ(text("summary")->toPlainText(), "Old");
    QTest::keyClicks(text("summary"), "er");
    form.FlatButton3->click();
    EXPECT_EQ(column("SELECT summary FROM Purpose"), QStringList{"Old"});

    form.show();
    text("personal")->selectAll();
    QTest::keyClick(text("personal"), Qt::Key_Delete);
    form.ApplyBtn->click();
    EXPECT_EQ(column("SELECT personal FROM Purpose"), QStringList{""});
    EXPECT_FALSE(form.ApplyBtn->isEnabled());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(PurposeStatementsTest, PastedFormattedTextIsStoredAsPlainText) {
    form.show();
    auto* mime = new QMimeData;
    mime->setHtml("<p><b>Bold</b> and <i>plain</i></p>");
    QApplication::clipboard()->setMimeData(mime);
    text("summary")->paste();
    form.ApplyBtn->click();
    EXPECT_EQ(column("SELECT summary FROM Purpose"), QStringList{"Bold and plain"});
}

TEST_F(PurposeStatementsTest, TabsAndGroups) {
    const char* const tabs[] = {"Objective", "Summary", "Personal", "Keywords"};
    const char* const names[] = {"objective", "summary", "personal", "keywords"};
    form.show();
    for (int i = 0; i < 4; ++i) {
        form.tabPages()->setActiveIndex(i);
        EXPECT_EQ(form.tabPages()->tabBar()->tabText(i), tabs[i]);
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(text(names[j])->isVisible(), i == j) << tabs[i] << " " << names[j];
    }
    EXPECT_EQ(qobject_cast<QGroupBox*>(form.tabPages()->page(0))->title(),
              "The objective narrative should cleary state your career objectives: ");
    EXPECT_EQ(form.PreviewBtn->objectName(), "previewbtn");
}

} // namespace
