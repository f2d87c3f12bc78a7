#include "EditorFixture.h"

#include "editors/TDbCheckBox.h"
#include "editors/TDbDateEdit.h"
#include "editors/TDbEdit.h"
#include "editors/TDbMemo.h"
#include "editors/TDbNavigator.h"
#include "editors/TDbValueRadioGroup.h"
#include "editors/TEducationalHistoryForm.h"
#include "editors/TEmploymentHistoryForm.h"
#include "editors/THonorsCertificationsForm.h"
#include "editors/TOrganizationsForm.h"
#include "editors/TReferencesForm.h"
#include "editors/TSkillAreaForm.h"
#include "editors/TabPages.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

using editors::TabPages;
using editors::TDbCheckBox;
using editors::TDbDateEdit;
using editors::TDbEdit;
using editors::TDbMemo;
using editors::TDbNavigator;
using editors::TDbValueRadioGroup;

using editors::RecordListForm;

namespace {

// The window's widgets, found by the object names the handlers are named after.
QPushButton* button(const QObject& form, const char* name) {
    return form.findChild<QPushButton*>(QString::fromLatin1(name));
}

TDbNavigator* navigator(const QObject& form) {
    return form.findChild<TDbNavigator*>(QStringLiteral("DBNavigator1"));
}

struct ListEditor {
    const char* name;
    std::function<std::unique_ptr<RecordListForm>()> create;
    const char* table;
    const char* field; // a text column with an edit field, typed into by the tests
    bool saveOnShow;   // Save enabled when shown over a table with entries
    bool holdsChanges; // deferred writing: nothing reaches the file before Save
};

void PrintTo(const ListEditor& editor, std::ostream* out) {
    *out << editor.name;
}

template <typename Form> std::function<std::unique_ptr<RecordListForm>()> maker() {
    return [] { return std::make_unique<Form>(); };
}

const ListEditor kListEditors[] = {
    {"Employment", maker<editors::TEmploymentHistoryForm>(), "EmploymentHistory", "Company", true,
     false},
    {"Education", maker<editors::TEducationalHistoryForm>(), "EducationalHistory", "Institution",
     false, true},
    {"Honors", maker<editors::THonorsCertificationsForm>(), "Honors", "Title", true, false},
    {"Organizations", maker<editors::TOrganizationsForm>(), "Organizations", "Name", false, false},
    {"Skills", maker<editors::TSkillAreaForm>(), "Skills", "skill", false, false},
    {"References", maker<editors::TReferencesForm>(), "refer", "Name", true, false},
};

// The buttons and the editing controls in one line, for comparing whole states at once.
struct Buttons {
    bool newOn, deleteOn, saveOn, previewOn, editingOn;
    bool operator==(const Buttons&) const = default;
};

void PrintTo(const Buttons& b, std::ostream* out) {
    *out << "{New " << b.newOn << ", Delete " << b.deleteOn << ", Save " << b.saveOn << ", Preview "
         << b.previewOn << ", editing " << b.editingOn << "}";
}

class RecordListTest : public EditorFixture, public ::testing::WithParamInterface<ListEditor> {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        form = GetParam().create();
    }
    void TearDown() override {
        form.reset();
        EditorFixture::TearDown();
    }

    Buttons buttons() const {
        const bool editing = form->editingControlsEnabled();
        // The flag and the widgets must agree: a field and the navigator stand for them all.
        EXPECT_EQ(field()->isEnabled(), editing);
        EXPECT_EQ(navigator(*form)->isEnabled(), editing);
        return {button(*form, "newbtn")->isEnabled(), button(*form, "deletebtn")->isEnabled(),
                button(*form, "savebtn")->isEnabled(), button(*form, "previewbtn")->isEnabled(),
                editing};
    }
    TDbEdit* field() const {
        auto* edit = form->findChild<TDbEdit*>(QString::fromLatin1(GetParam().field));
        EXPECT_NE(edit, nullptr);
        return edit;
    }
    void type(const QString& text) {
        if (form->tabPages())
            form->tabPages()->setActiveIndex(0);
        QTest::keyClicks(field(), text);
    }
    QStringList stored() const {
        return column(
            QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY rowid")
                .arg(QString::fromLatin1(GetParam().field), QString::fromLatin1(GetParam().table)));
    }
    void insertStored(const QString& value) const {
        exec(QStringLiteral("INSERT INTO \"%1\" (\"%2\") VALUES ('%3')")
                 .arg(QString::fromLatin1(GetParam().table), QString::fromLatin1(GetParam().field),
                      value));
    }

    std::unique_ptr<RecordListForm> form;
};

// Walks one editor through the state machine from an empty table to an empty table again.
TEST_P(RecordListTest, ButtonStatesFollowTheEntryFromFirstNewToLastDelete) {
    const ListEditor& editor = GetParam();
    form->show();
    EXPECT_EQ(buttons(), (Buttons{true, false, false, true, false})) << "shown, table empty";

    button(*form, "newbtn")->click();
    EXPECT_EQ(buttons(), (Buttons{false, true, true, false, true})) << "new entry started";

    type("Alpha");
    EXPECT_EQ(buttons(), (Buttons{false, true, true, false, true})) << "typing into the new entry";
    EXPECT_EQ(stored(), QStringList()) << "an unposted entry is in no file";

    button(*form, "savebtn")->click();
    EXPECT_EQ(buttons(), (Buttons{true, true, false, true, true})) << "after Save";
    EXPECT_EQ(stored(), QStringList{"Alpha"});

    form->hide();
    form->show();
    EXPECT_EQ(buttons(), (Buttons{true, true, editor.saveOnShow, true, true}))
        << "shown, table not empty";
    EXPECT_EQ(field()->text(), "Alpha");

    type("!");
    EXPECT_EQ(buttons(), (Buttons{true, true, true, false, true})) << "editing an entry";

    button(*form, "deletebtn")->click();
    // A held deletion keeps Save enabled, or the deletion could never be written.
    EXPECT_EQ(buttons(), (Buttons{true, false, editor.holdsChanges, false, false}))
        << "after Delete, table empty";
    const QStringList afterDelete = editor.holdsChanges ? QStringList{"Alpha"} : QStringList();
    EXPECT_EQ(stored(), afterDelete);

    if (editor.holdsChanges) {
        button(*form, "savebtn")->click();
        EXPECT_EQ(stored(), QStringList());
        EXPECT_EQ(buttons(), (Buttons{true, false, false, true, false})) << "deletion saved";
    }

    button(*form, "newbtn")->click();
    EXPECT_EQ(buttons(), (Buttons{false, true, true, false, true})) << "New works again";
    EXPECT_EQ(field()->text(), "");
}

TEST_P(RecordListTest, DeleteWithEntriesLeftDisablesSaveAndKeepsTheFieldsOn) {
    insertStored("One");
    insertStored("Two");
    form->show();
    navigator(*form)->lastButton()->click();
    button(*form, "deletebtn")->click();
    EXPECT_EQ(buttons(), (Buttons{true, true, GetParam().holdsChanges, true, true}));
    EXPECT_EQ(field()->text(), "One");
    const QStringList left =
        GetParam().holdsChanges ? QStringList{"One", "Two"} : QStringList{"One"};
    EXPECT_EQ(stored(), left);
}

TEST_P(RecordListTest, OkAfterNewAsksAndYesStoresTheEntry) {
    form->show();
    button(*form, "newbtn")->click();
    type("Kept");
    dialogs.answers = {platform::Answer::Yes};
    button(*form, "FlatButton4")->click();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Do you want to save the new entry ?");
    EXPECT_EQ(dialogs.messages[0].caption, "what do you want to do ?");
    EXPECT_EQ(dialogs.messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::None);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->table1()->isActive());
    EXPECT_EQ(stored(), QStringList{"Kept"});
}

TEST_P(RecordListTest, OkAfterNewAndNoDiscardsTheEntry) {
    insertStored("Old");
    form->show();
    button(*form, "newbtn")->click();
    type("Dropped");
    dialogs.answers = {platform::Answer::No};
    button(*form, "FlatButton4")->click();

    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(stored(), QStringList{"Old"});
}

TEST_P(RecordListTest, OkAfterEditingAnEntryAsksNothingAndDiscardsTheChange) {
    insertStored("Old");
    form->show();
    type("er");
    button(*form, "FlatButton4")->click();

    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(stored(), QStringList{"Old"});
    form->show();
    EXPECT_EQ(field()->text(), "Old");
}

// Moving posts the entry: five editors write it at once, the education editor holds it until
// Save and loses it when the window hides without one.
TEST_P(RecordListTest, MovingPostsTheEntryAndHidingKeepsOnlyWhatReachedTheFile) {
    insertStored("One");
    insertStored("Two");
    form->show();
    type("+");
    navigator(*form)->nextButton()->click();
    EXPECT_EQ(field()->text(), "Two");
    EXPECT_TRUE(button(*form, "savebtn")->isEnabled());
    form->hide();

    const QStringList expected =
        GetParam().holdsChanges ? QStringList{"One", "Two"} : QStringList{"One+", "Two"};
    EXPECT_EQ(stored(), expected);
}

TEST_P(RecordListTest, PreviewRunsTheProgramsPreviewCommandUntilAChange) {
    insertStored("One");
    form->show();
    button(*form, "previewbtn")->click();
    EXPECT_EQ(previews, 1);
    type("x");
    EXPECT_FALSE(button(*form, "previewbtn")->isEnabled());
    button(*form, "savebtn")->click();
    button(*form, "previewbtn")->click();
    EXPECT_EQ(previews, 2);
}

TEST_P(RecordListTest, ShownOnAClosedConnectionReportsTheErrorAndOnlyCloses) {
    store::connection().close();
    form->show();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(buttons(), (Buttons{false, false, false, false, false}));
    EXPECT_TRUE(button(*form, "FlatButton4")->isEnabled());
    button(*form, "FlatButton4")->click();
    EXPECT_FALSE(form->isVisible());
    // No entry was started, so there is nothing to offer to save.
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_P(RecordListTest, ASaveThatFailsOnOkLeavesTheWindowOpenWithTheEntry) {
    form->show();
    button(*form, "newbtn")->click();
    type("Precious");
    exec(QStringLiteral("DROP TABLE \"%1\"").arg(QString::fromLatin1(GetParam().table)));
    dialogs.answers = {platform::Answer::Yes};
    button(*form, "FlatButton4")->click();

    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].icon, platform::Icon::Error);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(field()->text(), "Precious");
}

INSTANTIATE_TEST_SUITE_P(SixEditors, RecordListTest, ::testing::ValuesIn(kListEditors),
                         [](const auto& info) { return std::string(info.param.name); });

class ListEditorDetailTest : public EditorFixture {};

TEST_F(ListEditorDetailTest, CaptionsAndTablesOfTheSixEditors) {
    struct Expected {
        ListEditor editor;
        const char* caption;
        const char* frame;
    };
    const Expected cases[] = {
        {kListEditors[0], "Employment History", ""},
        {kListEditors[1], "Educational History", "Multiple Entries Permitted/Encouraged: "},
        {kListEditors[2], "Honors / Certifications", ""},
        {kListEditors[3], "Organizations ",
         "Organizational Membership/Professional Affiliations: "},
        {kListEditors[4], "Skill Area", ""},
        {kListEditors[5], "References", "Contract Information: "},
    };
    for (const Expected& c : cases) {
        auto form = c.editor.create();
        EXPECT_EQ(form->windowTitle(), c.caption);
        EXPECT_EQ(form->caption(), c.caption);
        EXPECT_EQ(form->table1()->tableName(), c.editor.table);
        EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
        auto* frame = form->findChild<QGroupBox*>(QStringLiteral("Frame"));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), c.frame);
    }
}

TEST_F(ListEditorDetailTest, ANewEntryStoresOnlyWhatTheUserSet) {
    editors::TOrganizationsForm form;
    form.show();
    button(form, "newbtn")->click();
    auto* from = form.findChild<TDbDateEdit*>(QStringLiteral("DateFrom"));
    EXPECT_EQ(from->date(), QDate::currentDate()); // shown, not stored
    QTest::keyClicks(form.findChild<TDbEdit*>(QStringLiteral("Name")), "Guild");
    button(form, "savebtn")->click();
    EXPECT_EQ(column("SELECT Name || '|' || IFNULL(DateFrom, '<null>') FROM Organizations"),
              QStringList{"Guild|<null>"});
}

TEST_F(ListEditorDetailTest, RadioGroupsWriteTheirValuesAndCheckBoxesTrueOrFalse) {
    editors::THonorsCertificationsForm honors;
    honors.show();
    button(honors, "newbtn")->click();
    auto* type = honors.findChild<TDbValueRadioGroup*>(QStringLiteral("Type"));
    type->button(2)->click();
    auto* publish = honors.findChild<TDbCheckBox*>(QStringLiteral("InAllPubliched"));
    publish->click();
    button(honors, "savebtn")->click();
    EXPECT_EQ(column("SELECT Type || '|' || InAllPubliched FROM Honors"),
              QStringList{"Achievement|False"});

    editors::TReferencesForm references;
    references.show();
    button(references, "newbtn")->click();
    references.findChild<TDbValueRadioGroup*>(QStringLiteral("Type"))->button(0)->click();
    button(references, "savebtn")->click();
    EXPECT_EQ(column("SELECT Type FROM refer"), QStringList{"personal"});
}

TEST_F(ListEditorDetailTest, TabsShowTheFieldsOrTheComment) {
    editors::TEmploymentHistoryForm form;
    form.show();
    TabPages* tabs = form.tabPages();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabBar()->tabText(0), "Employer Information");
    EXPECT_EQ(tabs->tabBar()->tabText(1), "Comment");
    auto* comment = form.findChild<TDbMemo*>(QStringLiteral("comments"));
    auto* company = form.findChild<TDbEdit*>(QStringLiteral("Company"));
    EXPECT_TRUE(company->isVisible());
    EXPECT_FALSE(comment->isVisible());
    tabs->setActiveIndex(1);
    EXPECT_FALSE(company->isVisible());
    EXPECT_TRUE(comment->isVisible());

    button(form, "newbtn")->click(); // a new entry starts on its fields
    EXPECT_TRUE(company->isVisible());
}

} // namespace
