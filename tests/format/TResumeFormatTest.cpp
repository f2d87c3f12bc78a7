#include "format/TResumeFormat.h"

#include "platform/FontSettingQt.h"
#include "platform/PreviewCommand.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "store/qt/SectionOrder.h"
#include "support/DesktopDoubles.h"

#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QStringList kAllSections{"Objective",
                               "Summary",
                               "Personal",
                               "Keywords",
                               "Educational History",
                               "Employment History",
                               "Professional References",
                               "Personal References",
                               "Organizations",
                               "Skills",
                               "Honors",
                               "Awards",
                               "Achievements"};

QStringList sortedCaseless(QStringList list) {
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return list;
}

// A blank résumé on the program's connection, the dialog on it, desktop scripted.
class ResumeFormatTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("cv.vcw");
        store::createBlankResume(m_path);
        m_db = store::connection();
        store::openResume(m_db, m_path);
        platform::setPreviewCommand([this] { ++m_previews; });
        m_form = std::make_unique<format::TResumeFormat>();
    }
    void TearDown() override {
        m_form.reset();
        platform::setPreviewCommand({});
        m_db.close();
    }
    QStringList stored(const QString& table) {
        QSqlQuery q(m_db);
        EXPECT_TRUE(q.exec("SELECT Section FROM " + table + " ORDER BY rowid"));
        QStringList rows;
        while (q.next())
            rows << q.value(0).toString();
        return rows;
    }
    QVariant configuration(const QString& column) {
        QSqlQuery q(m_db);
        EXPECT_TRUE(q.exec("SELECT " + column + " FROM Configuration"));
        return q.next() ? q.value(0) : QVariant();
    }
    void exec(const QString& sql) {
        QSqlQuery q(m_db);
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    // Every section available, none displayed.
    void storeNothingDisplayed() { store::writeSections(m_db, kAllSections, {}); }
    static void select(QListWidget* list, const QString& text) {
        const auto items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        list->setCurrentItem(items.first());
    }
    static void doubleClick(QListWidget* list, const QString& text) {
        const auto items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        const QPoint at = list->visualItemRect(items.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // The dialog's widget of the given object name; a missing one fails the test.
    template <class Widget> Widget* child(const char* name) {
        auto* widget = m_form->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    QStringList errors() const {
        QStringList texts;
        for (const auto& m : m_dialogs.messages)
            texts << m.text;
        return texts;
    }

    QTemporaryDir m_dir;
    QString m_path;
    QSqlDatabase m_db;
    testsupport::ScriptedDialogs m_dialogs;
    testsupport::RecordingShell m_shell;
    platform::ScopedServices m_services{&m_shell, &m_dialogs};
    std::unique_ptr<format::TResumeFormat> m_form;
    int m_previews = 0;
};

TEST_F(ResumeFormatTest, ShowListsTheStoredSectionsAvailableSortedDisplayedInOrder) {
    m_form->show();
    EXPECT_EQ(m_form->windowTitle(), "Resume Format, Content, Templates");
    EXPECT_EQ(m_form->displayedSections(), stored("DisplayedOrder"));
    EXPECT_EQ(m_form->availableSections(), sortedCaseless(stored("AvailableSections")));
    EXPECT_NE(m_form->availableSections(), stored("AvailableSections"));
    EXPECT_FALSE(button("applybtn")->isEnabled());
    EXPECT_TRUE(button("previewbtn")->isEnabled());
    // The tabs turn the pages.
    for (int tab : {2, 0, 1}) {
        child<QTabBar>("FlatTabControl1")->setCurrentIndex(tab);
        EXPECT_EQ(child<QStackedWidget>("PageControl")->currentIndex(), tab);
    }
}

TEST_F(ResumeFormatTest, MovesThenApplyStoreTheDisplayedOrder) {
    storeNothingDisplayed();
    m_form->show();
    ASSERT_TRUE(m_form->displayedSections().isEmpty());
    select(child<QListWidget>("ListBox1"), "Skills");
    button("FlatButton4")->click();
    EXPECT_TRUE(button("applybtn")->isEnabled());
    EXPECT_FALSE(button("previewbtn")->isEnabled());
    doubleClick(child<QListWidget>("ListBox1"), "Summary");
    select(child<QListWidget>("ListBox1"), "Awards");
    button("FlatButton4")->click();
    EXPECT_EQ(m_form->displayedSections(), (QStringList{"Skills", "Summary", "Awards"}));
    // Back again, and it takes its alphabetical place.
    doubleClick(child<QListWidget>("ListBox2"), "Awards");
    EXPECT_EQ(m_form->displayedSections(), (QStringList{"Skills", "Summary"}));
    QStringList rest = kAllSections;
    rest.removeAll("Skills");
    rest.removeAll("Summary");
    EXPECT_EQ(m_form->availableSections(), sortedCaseless(rest));
    // Stored only by Apply.
    EXPECT_TRUE(stored("DisplayedOrder").isEmpty());

    button("applybtn")->click();
    EXPECT_EQ(stored("DisplayedOrder"), (QStringList{"Skills", "Summary"}));
    EXPECT_EQ(stored("AvailableSections"), sortedCaseless(rest));
    EXPECT_FALSE(button("applybtn")->isEnabled());
    EXPECT_TRUE(button("previewbtn")->isEnabled());
    EXPECT_TRUE(errors().isEmpty());

    // Apply without changes writes the same again.
    button("applybtn")->setEnabled(true);
    button("applybtn")->click();
    EXPECT_EQ(stored("DisplayedOrder"), (QStringList{"Skills", "Summary"}));
    EXPECT_EQ(stored("AvailableSections").size(), rest.size());
}

TEST_F(ResumeFormatTest, MovesWithoutASelectionDoNothing) {
    m_form->show();
    const QStringList available = m_form->availableSections();
    const QStringList displayed = m_form->displayedSections();
    child<QListWidget>("ListBox1")->clearSelection();
    child<QListWidget>("ListBox2")->clearSelection();
    button("FlatButton4")->click();
    button("FlatButton5")->click();
    m_form->ListBox1DblClick();
    m_form->ListBox2DblClick();
    // A move leaves nothing selected behind it.
    select(child<QListWidget>("ListBox1"), available.first());
    button("FlatButton4")->click();
    button("FlatButton4")->click();
    EXPECT_EQ(m_form->availableSections(), available.mid(1));
    EXPECT_EQ(m_form->displayedSections(), displayed + QStringList{available.first()});
}

TEST_F(ResumeFormatTest, OkWithoutApplyKeepsTheStoredLists) {
    const QStringList available = stored("AvailableSections");
    const QStringList displayed = stored("DisplayedOrder");
    for (const char* close : {"FlatButton6", "cancelbtn"}) {
        SCOPED_TRACE(close);
        m_form->show();
        select(child<QListWidget>("ListBox2"), "Skills");
        button("FlatButton5")->click();
        button(close)->click();
        EXPECT_FALSE(m_form->isVisible());
        EXPECT_EQ(stored("AvailableSections"), available);
        EXPECT_EQ(stored("DisplayedOrder"), displayed);
        m_form->show();
        EXPECT_EQ(m_form->displayedSections(), displayed);
        m_form->hide();
    }
}

TEST_F(ResumeFormatTest, AChosenFontIsWrittenAtOnce) {
    const struct {
        const char* button;
        const char* prefix;
        platform::FontChoice before;
    } classes[] = {
        {"FlatButton1", "Heading", {"Arial", 22, 6567967, 1}},
        {"FlatButton2", "SubHeading", {"Arial", 11, 6567967, 1}},
        {"FlatButton3", "NormalText", {"Arial", 10, 0, 0}},
    };
    const platform::FontChoice chosen{"Courier New", 13, 0x0000ff, 11};
    for (const auto& c : classes) {
        SCOPED_TRACE(c.button);
        const QString prefix = QString::fromLatin1(c.prefix);
        m_dialogs = {};
        m_dialogs.fontAnswers = {chosen};
        m_form->show();
        button(c.button)->click();
        ASSERT_EQ(m_dialogs.fontRequests.size(), 1u);
        EXPECT_EQ(m_dialogs.fontRequests[0], c.before);
        EXPECT_EQ(configuration(prefix + "FontName").toString(), "Courier New");
        EXPECT_EQ(configuration(prefix + "FontSize").toInt(), 13);
        EXPECT_EQ(configuration(prefix + "FontColor").toInt(), 0x0000ff);
        EXPECT_EQ(configuration(prefix + "FontStyle").toInt(), 11);
        const QFont font = button(c.button)->font();
        EXPECT_EQ(font.family(), "Courier New");
        EXPECT_EQ(font.pointSize(), 13);
        EXPECT_TRUE(font.bold() && font.italic() && font.strikeOut());
        EXPECT_FALSE(font.underline());
        EXPECT_EQ(button(c.button)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
        EXPECT_TRUE(button("applybtn")->isEnabled());
        EXPECT_FALSE(button("previewbtn")->isEnabled());
        // Cancel afterwards does not undo it.
        button("cancelbtn")->click();
        EXPECT_EQ(configuration(prefix + "FontStyle").toInt(), 11);
    }
    EXPECT_TRUE(errors().isEmpty());
}

// Ok in the font dialog without a change writes back exactly what was stored,
// even what the dialog could not show as it is.
TEST_F(ResumeFormatTest, AFontDialogLeftUnchangedKeepsTheStoredValues) {
    exec("UPDATE Configuration SET HeadingFontName = 'Vitacraft Missing Face', "
         "HeadingFontSize = NULL, HeadingFontColor = 6567967, HeadingFontStyle = 21");
    const platform::FontChoice shown{"Vitacraft Missing Face", 0, 6567967, 5};
    m_dialogs.fontAnswers = {shown};
    m_form->show();
    button("FlatButton1")->click();
    ASSERT_EQ(m_dialogs.fontRequests.size(), 1u);
    EXPECT_EQ(m_dialogs.fontRequests[0], shown);
    EXPECT_EQ(configuration("HeadingFontName").toString(), "Vitacraft Missing Face");
    EXPECT_TRUE(configuration("HeadingFontSize").isNull());
    EXPECT_EQ(configuration("HeadingFontColor").toInt(), 6567967);
    EXPECT_EQ(configuration("HeadingFontStyle").toInt(), 21);
    // The button shows the stored face, which a similar one stands in for.
    EXPECT_EQ(button("FlatButton1")->font().family(), "Vitacraft Missing Face");
    EXPECT_TRUE(button("FlatButton1")->font().bold());
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(ResumeFormatTest, ACancelledFontDialogChangesNothing) {
    m_form->show();
    const QFont before = button("FlatButton1")->font();
    button("FlatButton1")->click();
    EXPECT_EQ(m_dialogs.fontRequests.size(), 1u);
    EXPECT_EQ(button("FlatButton1")->font(), before);
    EXPECT_EQ(configuration("HeadingFontName").toString(), "Arial");
    EXPECT_FALSE(button("applybtn")->isEnabled());
    EXPECT_TRUE(button("previewbtn")->isEnabled());
}

TEST_F(ResumeFormatTest, ButtonsShowTheStoredStyle) {
    exec("UPDATE Configuration SET SubHeadingFontStyle = 5, SubHeadingFontColor = 65280");
    m_form->show();
    const QFont font = button("FlatButton2")->font();
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.italic());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_EQ(button("FlatButton2")->palette().color(QPalette::ButtonText), QColor(0, 255, 0));
}

TEST(StyleCode, EachBitIsOneStyleAndOnlyTheLowFourCount) {
    const struct {
        int code;
        bool bold, italic, underline, strikeOut;
        int readBack;
    } cases[] = {
        {0, false, false, false, false, 0},    {1, true, false, false, false, 1},
        {2, false, true, false, false, 2},     {4, false, false, true, false, 4},
        {8, false, false, false, true, 8},     {5, true, false, true, false, 5},
        {11, true, true, false, true, 11},     {15, true, true, true, true, 15},
        {16 + 5, true, false, true, false, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        QFont font(QStringLiteral("Arial"), 10);
        font.setBold(true); // reading a code clears what it does not set
        platform::applyStyle(font, c.code);
        EXPECT_EQ(font.bold(), c.bold);
        EXPECT_EQ(font.italic(), c.italic);
        EXPECT_EQ(font.underline(), c.underline);
        EXPECT_EQ(font.strikeOut(), c.strikeOut);
        EXPECT_EQ(platform::fromQFont(font).style, c.readBack);
    }
}

TEST_F(ResumeFormatTest, ApplyIsAllOrNothing) {
    // A refused insert in the middle of Apply leaves both tables as they were.
    exec("INSERT INTO AvailableSections VALUES ('Refused')");
    exec("CREATE TRIGGER refuse BEFORE INSERT ON DisplayedOrder WHEN NEW.Section = 'Refused' "
         "BEGIN SELECT RAISE(ABORT, 'section refused'); END");
    const QStringList available = stored("AvailableSections");
    const QStringList displayed = stored("DisplayedOrder");
    m_form->show();
    select(child<QListWidget>("ListBox2"), "Skills");
    button("FlatButton5")->click();
    select(child<QListWidget>("ListBox1"), "Refused");
    button("FlatButton4")->click();
    button("applybtn")->click();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains("section refused")) << errors()[0].toStdString();
    EXPECT_EQ(stored("AvailableSections"), available);
    EXPECT_EQ(stored("DisplayedOrder"), displayed);
    EXPECT_TRUE(button("applybtn")->isEnabled());
    // The connection is usable afterwards: no transaction was left open.
    exec("DROP TRIGGER refuse");
    button("applybtn")->click();
    EXPECT_EQ(stored("DisplayedOrder").last(), "Refused");
}

TEST_F(ResumeFormatTest, SectionTextIsStoredAsTyped) {
    const QString odd = "Kid's \"Corner\"; drop table Skills; --";
    exec("INSERT INTO AvailableSections VALUES ('Kid''s \"Corner\"; drop table Skills; --')");
    m_form->show();
    select(child<QListWidget>("ListBox1"), odd);
    button("FlatButton4")->click();
    button("applybtn")->click();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_EQ(stored("DisplayedOrder").last(), odd);
    EXPECT_FALSE(stored("AvailableSections").contains(odd));
}

TEST_F(ResumeFormatTest, TheTemplateChoiceIsWrittenByOkAndDroppedByCancel) {
    exec("UPDATE Configuration SET Template = NULL");
    const struct {
        const char* button;
        bool written;
    } closes[] = {{"cancelbtn", false}, {"FlatButton6", true}};
    for (const auto& [close, written] : closes) {
        SCOPED_TRACE(close);
        m_form->show();
        QListWidget* list = child<QListWidget>("TemplateList");
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->item(0)->text(), "Contemporary Resume");
        EXPECT_FALSE(button("applybtn")->isEnabled());
        child<QTabBar>("FlatTabControl1")->setCurrentIndex(2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        EXPECT_TRUE(button("applybtn")->isEnabled());
        EXPECT_FALSE(button("previewbtn")->isEnabled());
        button(close)->click();
        EXPECT_EQ(configuration("Template").isNull(), !written);
    }
    EXPECT_EQ(configuration("Template").toString(), "Contemporary Resume");
}

TEST_F(ResumeFormatTest, PreviewRunsTheProgramsPreviewCommand) {
    m_form->show();
    button("previewbtn")->click();
    EXPECT_EQ(m_previews, 1);
    select(child<QListWidget>("ListBox1"), m_form->availableSections().first());
    button("FlatButton4")->click();
    button("previewbtn")->click(); // disabled until Apply
    EXPECT_EQ(m_previews, 1);
    button("applybtn")->click();
    button("previewbtn")->click();
    EXPECT_EQ(m_previews, 2);
}

TEST_F(ResumeFormatTest, AClosedConnectionIsReportedAndShowsNoStaleLists) {
    m_form->show();
    m_form->hide();
    m_db.close();
    m_form->show();
    EXPECT_EQ(errors().size(), 1);
    EXPECT_TRUE(m_form->availableSections().isEmpty());
    EXPECT_TRUE(m_form->displayedSections().isEmpty());
}

} // namespace
