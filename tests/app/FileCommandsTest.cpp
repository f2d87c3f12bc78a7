#include "ProgramFixture.h"

#include "app/FileCommands.h"
#include "platform/Application.h"
#include "store/qt/ProgramState.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Records, for every copy, whether anything still had the working copy open.
class WatchingFileSystem : public testsupport::RecordingFileSystem {
public:
    explicit WatchingFileSystem(std::function<bool()> busy) : m_busy(std::move(busy)) {}
    bool copyFile(const QString& source, const QString& target) override {
        busyDuringCopy.push_back(m_busy());
        return RecordingFileSystem::copyFile(source, target);
    }
    std::vector<bool> busyDuringCopy;

private:
    std::function<bool()> m_busy;
};

using FileCommandsTest = ProgramFixture;

// Every command from every kind of working copy ends in the state of the table.
TEST_F(FileCommandsTest, CommandsMoveTheWorkingCopyAndTheUnsavedFlag) {
    enum class Command { New, Open, SaveAs };
    const QString saved = m_dir.filePath("saved.vcw");
    const struct {
        const char* name;
        bool startNew; // else started on the résumé file
        Command command;
        QString expectedPath;
        int expectedFlag;
        QStringList expectedSkills;
    } cases[] = {
        {"new from new", true, Command::New, m_programDir + "data.tmp", 1, {}},
        {"new from file", false, Command::New, m_programDir + "data.tmp", 1, {}},
        {"open from new", true, Command::Open, m_resume, 0, {"Mine"}},
        {"open from file", false, Command::Open, m_resume, 0, {"Mine"}},
        {"save new", true, Command::SaveAs, saved, 0, {"typed"}},
        {"save file", false, Command::SaveAs, saved, 0, {"Mine", "typed"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(saved);
        m_program.reset();
        forgetWorkingCopies();
        makeResume();
        start(c.startNew ? QStringList{} : QStringList{m_resume});
        // The data windows are open; New and Open hide them, Save As does not.
        for (const char* name :
             {"SkillAreaForm", "ResumeFormat", "PersonalInfoForm", "PagePreview"})
            m_program->window(name)->show();
        m_program->window("AboutBox")->show();
        if (c.command == Command::SaveAs)
            addSkill("typed");
        m_dialogs.openAnswers = {m_resume};
        m_dialogs.saveAnswers = {saved};
        switch (c.command) {
        case Command::New:
            main().New1Click();
            break;
        case Command::Open:
            main().OpenResumeDatabase1Click();
            break;
        case Command::SaveAs:
            main().SaveResumeDatabaseas1Click();
            break;
        }
        EXPECT_EQ(main().workingCopyPath(), c.expectedPath);
        EXPECT_EQ(store::unsavedFlag(), c.expectedFlag);
        EXPECT_TRUE(main().ADOConnection1().isOpen());
        EXPECT_EQ(skills(), c.expectedSkills);
        EXPECT_EQ(m_program->window("SkillAreaForm")->isVisible(), c.command == Command::SaveAs);
        EXPECT_EQ(m_program->window("ResumeFormat")->isVisible(), c.command == Command::SaveAs);
        EXPECT_EQ(m_program->window("PagePreview")->isVisible(), c.command == Command::SaveAs);
        EXPECT_TRUE(m_program->window("AboutBox")->isVisible());
        EXPECT_TRUE(m_dialogs.messages.empty());
        // Later edits go into the new working copy.
        addSkill("later");
        EXPECT_EQ(skills().last(), "later");
    }
    // Saving continued on the copy: the file it came from was left as it was.
    store::openResume(main().ADOConnection1(), m_resume);
    EXPECT_EQ(skills(), (QStringList{"Mine", "typed"}));
    store::openResume(main().ADOConnection1(), saved);
    EXPECT_EQ(skills(), (QStringList{"Mine", "typed", "later"}));
}

TEST_F(FileCommandsTest, SavingANewResumeLeavesTheSameDataInDataTmp) {
    start({});
    addSkill("kept");
    m_dialogs.saveAnswers = {m_resume}; // over an existing résumé
    main().SaveResumeDatabaseas1Click();
    EXPECT_EQ(skills(), QStringList{"kept"});
    store::openResume(main().ADOConnection1(), m_programDir + "data.tmp");
    EXPECT_EQ(skills(), QStringList{"kept"});
}

// A copy that fails leaves the program on its previous working copy, with the
// reason shown and the unsaved flag unchanged.
TEST_F(FileCommandsTest, AFailedCopyKeepsThePreviousWorkingCopy) {
    const QString folderTarget = m_dir.filePath("taken.vcw");
    QDir().mkpath(folderTarget);
    enum class Break { Nothing, BlankMissing, DiskFull };
    const struct {
        const char* name;
        bool startNew;
        bool saveAs; // else New
        QString target;
        Break breakage;
        const char* reasonPart;
    } cases[] = {
        {"save into a missing folder", true, true, m_dir.filePath("no/such/cv.vcw"), Break::Nothing,
         "\nNo such file"},
        {"save onto a folder", false, true, folderTarget, Break::Nothing, "is a folder."},
        {"save, disk full", true, true, m_dir.filePath("full.vcw"), Break::DiskFull,
         "disk is full"},
        {"new without data.mdb", false, false, {}, Break::BlankMissing, "\nNo such file"},
        {"new without data.mdb from new", true, false, {}, Break::BlankMissing, "\nNo such file"},
        {"new, disk full", false, false, {}, Break::DiskFull, "disk is full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_files.failCopies = false;
        store::createBlankResume(m_programDir + "data.mdb.new");
        QFile::remove(m_programDir + "data.mdb");
        QFile::rename(m_programDir + "data.mdb.new", m_programDir + "data.mdb");
        start(c.startNew ? QStringList{} : QStringList{m_resume});
        const QString before = main().workingCopyPath();
        const int flag = store::unsavedFlag();
        addSkill("work");
        const QStringList data = skills();
        m_program->window("SkillAreaForm")->show();
        m_dialogs = {};
        m_dialogs.saveAnswers = {c.target};
        if (c.breakage == Break::BlankMissing)
            QFile::remove(m_programDir + "data.mdb");
        m_files.failCopies = c.breakage == Break::DiskFull;

        run(c.saveAs ? &app::TResumeExplorerForm::SaveResumeDatabaseas1Click
                     : &app::TResumeExplorerForm::New1Click);

        ASSERT_EQ(errors().size(), 1);
        EXPECT_TRUE(errors()[0].startsWith("Could not copy '")) << errors()[0].toStdString();
        EXPECT_TRUE(errors()[0].contains(c.reasonPart)) << errors()[0].toStdString();
        EXPECT_EQ(main().workingCopyPath(), before);
        EXPECT_EQ(store::unsavedFlag(), flag);
        EXPECT_TRUE(main().ADOConnection1().isOpen());
        EXPECT_EQ(skills(), data);
        EXPECT_TRUE(m_program->window("SkillAreaForm")->isVisible());
        if (c.saveAs) {
            EXPECT_FALSE(QFileInfo(c.target).isFile());
        }
    }
}

TEST_F(FileCommandsTest, SavingIntoAReadOnlyFolderKeepsTheWorkingCopy) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const QString folder = m_dir.filePath("locked");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    start({});
    m_dialogs.saveAnswers = {folder + "/cv.vcw"};
    run(&app::TResumeExplorerForm::SaveResumeDatabaseas1Click);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(main().workingCopyPath(), m_programDir + "data.tmp");
    EXPECT_EQ(store::unsavedFlag(), 1);
    EXPECT_TRUE(main().ADOConnection1().isOpen());
}

// Nothing has the file open while it is copied or replaced, and the connection is
// open again afterwards.
TEST_F(FileCommandsTest, TheWorkingCopyIsReleasedDuringEveryCopy) {
    start({m_resume});
    WatchingFileSystem files([this] {
        bool busy = main().ADOConnection1().isOpen();
        for (store::SqlDataset* d : m_program->DM().datasets())
            busy = busy || d->isOpen();
        return busy;
    });
    platform::ScopedServices scope(nullptr, nullptr, &files);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        // A generation that failed half-way leaves the data module's datasets open.
        m_program->DM().openForGeneration();
        m_dialogs.saveAnswers = {m_dir.filePath(QString("copy%1.vcw").arg(round))};
        main().SaveResumeDatabaseas1Click();
        m_program->DM().openForGeneration();
        main().New1Click();
        EXPECT_TRUE(main().ADOConnection1().isOpen());
    }
    EXPECT_EQ(files.busyDuringCopy, std::vector<bool>(4, false));
}

TEST_F(FileCommandsTest, AFailedSaveAtCloseKeepsTheProgramOpen) {
    start({});
    addSkill("precious");
    QSignalSpy closed(&main(), &app::TResumeExplorerForm::closed);
    main().show();
    m_files.failCopies = true;
    m_dialogs.answers = {platform::Answer::Yes};
    m_dialogs.saveAnswers = {m_dir.filePath("cv.vcw")};
    main().close();
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(main().isVisible());
    ASSERT_EQ(errors().size(), 1);
    EXPECT_EQ(skills(), QStringList{"precious"});

    m_files.failCopies = false;
    m_dialogs.answers = {platform::Answer::Yes};
    m_dialogs.saveAnswers = {m_dir.filePath("cv.vcw")};
    main().close();
    EXPECT_EQ(closed.count(), 1);
    store::openResume(main().ADOConnection1(), m_dir.filePath("cv.vcw"));
    EXPECT_EQ(skills(), QStringList{"precious"});
}

} // namespace
