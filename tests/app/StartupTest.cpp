#include "ProgramFixture.h"

#include "store/qt/ProgramState.h"

#include <QAbstractButton>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class StartupTest : public ProgramFixture {
protected:
    QStringList visibleWindows() {
        QStringList names;
        for (platform::Form* w : m_program->windows())
            if (w->isVisible())
                names << w->objectName();
        return names;
    }
    void hideAllButMain() {
        for (platform::Form* w : m_program->windows())
            if (w != &main())
                w->hide();
    }
};

TEST_F(StartupTest, WithoutAnArgumentANewResumeStartsInDataTmp) {
    for (const QStringList& arguments : {QStringList{}, QStringList{""}}) {
        SCOPED_TRACE(arguments.size());
        QFile::remove(m_programDir + "data.tmp");
        start(arguments);
        EXPECT_EQ(main().workingCopyPath(), m_programDir + "data.tmp");
        EXPECT_EQ(contents(m_programDir + "data.tmp"), contents(m_programDir + "data.mdb"));
        EXPECT_EQ(store::unsavedFlag(), 1);
        EXPECT_EQ(store::currentResumeDocumentPath(), m_programDir + "temp.doc");
        EXPECT_TRUE(main().ADOConnection1().isOpen());
        EXPECT_EQ(main().ADOConnection1().connectionName(), "ADOConnection1");
        EXPECT_TRUE(skills().isEmpty());
        EXPECT_TRUE(m_dialogs.messages.empty());
    }
}

TEST_F(StartupTest, AnArgumentIsTheWorkingCopyAndClosingAsksNothing) {
    start({m_resume});
    EXPECT_EQ(main().workingCopyPath(), m_resume);
    EXPECT_EQ(store::unsavedFlag(), 0);
    EXPECT_EQ(skills(), QStringList{"Mine"});
    EXPECT_FALSE(QFile::exists(m_programDir + "data.tmp"));
    EXPECT_TRUE(m_files.copies.empty());
    QSignalSpy closed(&main(), &app::TResumeExplorerForm::closed);
    main().show();
    // The strip's close box, as the frame's would.
    auto* closeBox = main().findChild<QAbstractButton*>("CloseBox");
    ASSERT_NE(closeBox, nullptr);
    closeBox->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(main().isVisible());
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_TRUE(m_dialogs.saveRequests.empty());
}

// Only once the user has declined to recover it.
TEST_F(StartupTest, ASecondStartOverwritesUnsavedWorkInDataTmpWhenTheUserSaysNo) {
    start({});
    {
        QSqlQuery q(main().ADOConnection1());
        ASSERT_TRUE(q.exec("INSERT INTO Skills (skill) VALUES ('unsaved')"));
    }
    EXPECT_EQ(skills(), QStringList{"unsaved"});
    m_dialogs.answers = {platform::Answer::No};
    start({});
    EXPECT_EQ(m_dialogs.messages.size(), 1u);
    EXPECT_TRUE(skills().isEmpty());
    EXPECT_EQ(contents(m_programDir + "data.tmp"), contents(m_programDir + "data.mdb"));
}

TEST_F(StartupTest, ClosePromptOffersToSaveANewResume) {
    const QString target = m_dir.filePath("saved");
    const struct {
        const char* name;
        platform::Answer answer;
        std::optional<QString> savePath;
        bool saved;
    } cases[] = {
        {"no", platform::Answer::No, std::nullopt, false},
        {"yes, then cancel", platform::Answer::Yes, std::nullopt, false},
        {"yes, then a name", platform::Answer::Yes, target, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(target + ".vcw");
        m_dialogs = {};
        start({});
        m_dialogs.answers = {c.answer};
        m_dialogs.saveAnswers = {c.savePath};
        QSignalSpy closed(&main(), &app::TResumeExplorerForm::closed);
        main().show();
        main().close();
        EXPECT_EQ(closed.count(), 1);
        ASSERT_EQ(m_dialogs.messages.size(), 1u);
        EXPECT_EQ(m_dialogs.messages[0].text, " Do you want to save your resume ? ");
        EXPECT_EQ(m_dialogs.messages[0].caption, "What do you want to do ?");
        EXPECT_EQ(m_dialogs.messages[0].buttons, platform::Buttons::YesNo);
        EXPECT_EQ(m_dialogs.messages[0].icon, platform::Icon::None);
        EXPECT_EQ(m_dialogs.saveRequests.size(), c.answer == platform::Answer::Yes ? 1u : 0u);
        EXPECT_EQ(QFile::exists(target + ".vcw"), c.saved);
        EXPECT_EQ(store::unsavedFlag(), c.saved ? 0 : 1);
        EXPECT_TRUE(QFile::exists(m_programDir + "data.tmp"));
    }
    ASSERT_EQ(m_dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(m_dialogs.saveRequests[0].filter, "Vitacraft files|*.vcw");
    EXPECT_EQ(m_dialogs.saveRequests[0].defaultExtension, "*.vcw");
    EXPECT_EQ(main().workingCopyPath(), target + ".vcw");
}

TEST_F(StartupTest, AConnectionFailureIsShownAndStartUpGoesOn) {
    QFile text(m_dir.filePath("letter.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(1024, 'x'));
    text.close();
    const QString missing = m_dir.filePath("missing.vcw");
    const struct {
        QString argument;
        const char* message;
    } cases[] = {
        {missing, "Could not find file"},
        {m_dir.path(), "folder"},
        {text.fileName(), "not a database"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        m_dialogs = {};
        start({c.argument});
        ASSERT_EQ(m_dialogs.messages.size(), 1u);
        EXPECT_NE(m_dialogs.messages[0].text.indexOf(c.message), -1)
            << m_dialogs.messages[0].text.toStdString();
        EXPECT_EQ(m_dialogs.messages[0].caption, "Vitacraft Pro 3.0");
        EXPECT_EQ(m_dialogs.messages[0].icon, platform::Icon::Error);
        EXPECT_FALSE(main().ADOConnection1().isOpen());
        EXPECT_EQ(m_program->windows().size(), 26u);
        EXPECT_EQ(main().workingCopyPath(), c.argument);
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(QFileInfo(text.fileName()).size(), 1024);
    EXPECT_FALSE(QFile::exists(m_programDir + "data.tmp"));

    // A missing blank database is reported the same way.
    QFile::remove(m_programDir + "data.mdb");
    m_dialogs = {};
    start({});
    ASSERT_EQ(m_dialogs.messages.size(), 1u);
    EXPECT_FALSE(main().ADOConnection1().isOpen());
    EXPECT_FALSE(QFile::exists(m_programDir + "data.tmp"));
}

TEST_F(StartupTest, EveryWindowExistsOnceInCreationOrderHidden) {
    start({});
    QStringList names;
    for (platform::Form* w : m_program->windows())
        names << w->objectName();
    EXPECT_EQ(names, (QStringList{"ResumeExplorerForm",
                                  "EducationalHistoryForm",
                                  "PersonalInfoForm",
                                  "PurposeStatementsForm",
                                  "EmploymentHistoryForm",
                                  "HonorsCertificationsForm",
                                  "OrganizationsForm",
                                  "SkillAreaForm",
                                  "ReferencesForm",
                                  "ResumeFormat",
                                  "AboutBox",
                                  "PagePreview",
                                  "ResumeWriting",
                                  "ResumePosting",
                                  "ResumeDistribution",
                                  "ResumeWebResume",
                                  "CareerAssessment",
                                  "InterviewTraining",
                                  "ResumeCritique",
                                  "ReferenceChecking",
                                  "SalaryReport",
                                  "SendResume",
                                  "EmailServerConf",
                                  "FreelanceExchange",
                                  "CoverLetter",
                                  "templates"}));
    EXPECT_TRUE(visibleWindows().isEmpty());
    EXPECT_EQ(main().windowTitle(), "VC 3.0");
    EXPECT_TRUE(main().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(m_program->window("OrganizationsForm")->windowTitle(), "Organizations ");
}

TEST_F(StartupTest, ShowingTheMainWindowOpensTheDrawnInformationPage) {
    const char* expected[12] = {"ResumePosting",     "ResumeDistribution", "ResumeWebResume",
                                "CareerAssessment",  "InterviewTraining",  "ResumeCritique",
                                "ReferenceChecking", "ResumeWriting",      "SalaryReport",
                                "FreelanceExchange", "CoverLetter",        "templates"};
    for (int drawn = 0; drawn < 12; ++drawn) {
        SCOPED_TRACE(drawn);
        m_random = {};
        m_random.values = {drawn};
        start({});
        main().move(50, 40);
        main().show();
        EXPECT_EQ(visibleWindows(), (QStringList{"ResumeExplorerForm", expected[drawn]}));
        EXPECT_EQ(m_random.ranges, std::vector<int>{12});
        EXPECT_EQ(m_random.seeds, std::vector<quint64>{quint64(m_clock.time.toMSecsSinceEpoch())});
        EXPECT_EQ(main().pos(), QPoint(0, 0));
    }
}

TEST_F(StartupTest, ResumeOptionsSubmenusOpenTheSamePages) {
    start({m_resume});
    const QStringList captions{"Resume Posting",     "Resume Distribution", "Web Resume",
                               "Interview Training", "Resume Critique",     "Reference Checking",
                               "Resume Writing",     "Cover Letter",        "Salary Reports",
                               "Freelance Exchange", "Career Assessment",   "Templates"};
    const QStringList pages{"ResumePosting",     "ResumeDistribution", "ResumeWebResume",
                            "InterviewTraining", "ResumeCritique",     "ReferenceChecking",
                            "ResumeWriting",     "CoverLetter",        "SalaryReport",
                            "FreelanceExchange", "CareerAssessment",   "templates"};
    const QList<QAction*> menus = main().menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    for (QAction* menu : menus) {
        SCOPED_TRACE(menu->text().toStdString());
        QAction* first = menu->menu()->actions().value(0);
        ASSERT_TRUE(first && first->menu());
        EXPECT_EQ(first->text(), "Resume Options");
        const QList<QAction*> items = first->menu()->actions();
        ASSERT_EQ(items.size(), 12);
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(items[i]->text(), captions[i]);
            hideAllButMain();
            items[i]->trigger();
            EXPECT_EQ(visibleWindows(), QStringList{pages[i]});
        }
    }
}

QStringList menuCaptions(QMenu* menu) {
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << (a->isSeparator() ? "-" : a->text());
    return captions;
}

TEST_F(StartupTest, MenusAndSectionBarShowTheirWindows) {
    start({m_resume});
    const QList<QAction*> menus = main().menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "File");
    EXPECT_EQ(menuCaptions(menus[0]->menu()),
              (QStringList{"Resume Options", "-", "New", "Open Resume Database", "-",
                           "Save Resume Database as...", "-", "Import JSON Resume...",
                           "Export JSON Resume...", "-", "Send Resume by Email",
                           "Export Resume as...", "Export Resume as PDF...", "-",
                           "Edit Resume using Word Processor", "Print Resume", "-", "E&xit"}));
    EXPECT_EQ(menus[1]->text(), "Resume");
    EXPECT_EQ(
        menuCaptions(menus[1]->menu()),
        (QStringList{"Resume Options", "-", "Resume Format", "Email Configuration", "-",
                     "Preview Resume", "Page Preview", "-", "Personal Info", "Purpose Statements",
                     "Educational History", "Employment History", "Honors / Certifications",
                     "Organizations", "Skill Area", "References"}));
    EXPECT_EQ(menus[2]->text(), "Help");
    EXPECT_EQ(menuCaptions(menus[2]->menu()),
              (QStringList{"Resume Options", "-", "&Update Online", "-", "About"}));

    const struct {
        int menu;
        const char* item;
        const char* window;
    } items[] = {
        {1, "Resume Format", "ResumeFormat"},
        {1, "Personal Info", "PersonalInfoForm"},
        {1, "Purpose Statements", "PurposeStatementsForm"},
        {1, "Educational History", "EducationalHistoryForm"},
        {1, "Employment History", "EmploymentHistoryForm"},
        {1, "Honors / Certifications", "HonorsCertificationsForm"},
        {1, "Organizations", "OrganizationsForm"},
        {1, "Skill Area", "SkillAreaForm"},
        {1, "References", "ReferencesForm"},
        {1, "Page Preview", "PagePreview"},
        {2, "About", "AboutBox"},
    };
    for (const auto& item : items) {
        hideAllButMain();
        for (QAction* a : menus[item.menu]->menu()->actions())
            if (a->text() == item.item)
                a->trigger();
        EXPECT_EQ(visibleWindows(), QStringList{item.window}) << item.item;
    }

    const struct {
        const char* caption;
        const char* window;
        bool underlined;
    } buttons[] = {
        {"Personal Information", "PersonalInfoForm", true},
        {"Purpose Statements", "PurposeStatementsForm", true},
        {"Educational History", "EducationalHistoryForm", true},
        {"Employment History", "EmploymentHistoryForm", true},
        {"Honors/Certifications", "HonorsCertificationsForm", true},
        {"Organizations", "OrganizationsForm", true},
        {"Skills", "SkillAreaForm", false},
        {"References", "ReferencesForm", true},
    };
    const auto& bar = main().sectionButtons();
    ASSERT_EQ(bar.size(), 10);
    EXPECT_EQ(bar[8]->text(), "Tell A Friend");
    EXPECT_EQ(bar[9]->text(), "&Update Online");
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(buttons[i].caption);
        EXPECT_EQ(bar[i]->text(), buttons[i].caption);
        EXPECT_TRUE(bar[i]->font().bold());
        EXPECT_EQ(bar[i]->font().underline(), buttons[i].underlined);
        hideAllButMain();
        bar[i]->click();
        EXPECT_EQ(visibleWindows(), QStringList{buttons[i].window});
    }
}

TEST_F(StartupTest, NewDiscardsUnsavedWorkAndHidesTheDataWindows) {
    start({m_resume});
    m_program->window("SkillAreaForm")->show();
    m_program->window("ResumeFormat")->show();
    m_program->window("AboutBox")->show();
    main().New1Click();
    EXPECT_EQ(main().workingCopyPath(), m_programDir + "data.tmp");
    EXPECT_EQ(store::unsavedFlag(), 1);
    EXPECT_TRUE(skills().isEmpty());
    EXPECT_EQ(visibleWindows(), QStringList{"AboutBox"});
    {
        QSqlQuery q(main().ADOConnection1());
        ASSERT_TRUE(q.exec("INSERT INTO Skills (skill) VALUES ('gone')"));
    }
    main().New1Click();
    EXPECT_TRUE(skills().isEmpty());
    EXPECT_TRUE(m_dialogs.messages.empty());
    // The file that was the working copy before is untouched.
    store::openResume(main().ADOConnection1(), m_resume);
    EXPECT_EQ(skills(), QStringList{"Mine"});
}

TEST_F(StartupTest, OpenAndSaveAsMoveTheWorkingCopy) {
    start({});
    // Cancelling either dialog changes nothing.
    main().OpenResumeDatabase1Click();
    main().SaveResumeDatabaseas1Click();
    EXPECT_EQ(main().workingCopyPath(), m_programDir + "data.tmp");
    EXPECT_EQ(store::unsavedFlag(), 1);
    ASSERT_EQ(m_dialogs.openRequests.size(), 1u);
    EXPECT_EQ(m_dialogs.openRequests[0].filter, "Vitacraft Files|*.vcw");
    EXPECT_EQ(m_dialogs.openRequests[0].defaultExtension, "");

    m_program->window("PersonalInfoForm")->show();
    m_dialogs.openAnswers = {m_resume};
    main().OpenResumeDatabase1Click();
    EXPECT_EQ(main().workingCopyPath(), m_resume);
    EXPECT_EQ(store::unsavedFlag(), 0);
    EXPECT_EQ(skills(), QStringList{"Mine"});
    EXPECT_TRUE(visibleWindows().isEmpty());

    // Saving over an existing résumé replaces it and continues on the copy.
    const QString other = m_dir.filePath("other.vcw");
    store::createBlankResume(other);
    m_program->window("SkillAreaForm")->show();
    m_dialogs.saveAnswers = {other};
    main().SaveResumeDatabaseas1Click();
    EXPECT_EQ(main().workingCopyPath(), other);
    EXPECT_EQ(skills(), QStringList{"Mine"});
    EXPECT_EQ(visibleWindows(), QStringList{"SkillAreaForm"});

    // An unreadable choice: the data layer's error, and the résumé in hand kept.
    m_dialogs.openAnswers = {m_dir.filePath("nothing.vcw")};
    EXPECT_THROW(main().OpenResumeDatabase1Click(), std::exception);
    EXPECT_EQ(main().workingCopyPath(), other);
    EXPECT_TRUE(main().ADOConnection1().isOpen());
    EXPECT_EQ(skills(), QStringList{"Mine"});
    EXPECT_EQ(store::unsavedFlag(), 0);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("nothing.vcw")));
}

TEST_F(StartupTest, EveryRegisteredWindowIsOneTheProgramHas) {
    start({m_resume});
    QStringList names;
    for (int i = 0; i <= static_cast<int>(app::Window::AboutBox); ++i) {
        const auto window = static_cast<app::Window>(i);
        SCOPED_TRACE(app::windowName(window).toStdString());
        platform::Form* form = m_program->window(app::windowName(window));
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->objectName(), app::windowName(window));
        EXPECT_FALSE(app::windowCaption(window).isEmpty());
        EXPECT_FALSE(names.contains(form->objectName()));
        names.append(form->objectName());
    }
}

} // namespace
