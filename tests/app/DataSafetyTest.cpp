// The résumé in hand survives every command that goes wrong: an Open that fails,
// an export aimed at a database, a generation run that fails half-way.
#include "ProgramFixture.h"

#include "platform/Application.h"
#include "store/qt/ProgramState.h"
#include "support/Files.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DataSafetyTest : public ProgramFixture {
protected:
    // The skills stored in a résumé file, read on a connection of their own.
    static QStringList skillsIn(const QString& path) {
        QStringList values;
        {
            QSqlDatabase db = store::connection("reader");
            store::openResume(db, path);
            QSqlQuery q(db);
            q.exec("SELECT skill FROM Skills ORDER BY ID");
            while (q.next())
                values << q.value(0).toString();
            db.close();
        }
        return values;
    }
};

// A file that cannot be opened leaves the program on the unsaved résumé, so that
// answering Yes at the close saves that résumé and leaves the broken file alone.
TEST_F(DataSafetyTest, AFailedOpenThenSaveAtCloseKeepsTheUnsavedResume) {
    const QString letter = m_dir.filePath("letter.vcw");
    ASSERT_TRUE(testsupport::writeFile(letter.toStdString(), std::string(2048, 'x')));
    const QString folder = m_dir.filePath("folder.vcw");
    QDir().mkpath(folder);
    const struct {
        const char* name;
        QString chosen;
    } cases[] = {
        {"not a database", letter},
        {"missing", m_dir.filePath("missing.vcw")},
        {"a folder", folder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString saved = m_dir.filePath("saved.vcw");
        QFile::remove(saved);
        m_dialogs = {};
        start({});
        addSkill("unsaved");
        m_program->window("SkillAreaForm")->show();
        m_dialogs.openAnswers = {c.chosen};
        run(&app::TResumeExplorerForm::OpenResumeDatabase1Click);

        EXPECT_EQ(errors().size(), 1);
        EXPECT_EQ(main().workingCopyPath(), m_programDir + "data.tmp");
        EXPECT_EQ(store::unsavedFlag(), 1);
        EXPECT_TRUE(main().ADOConnection1().isOpen());
        EXPECT_EQ(skills(), QStringList{"unsaved"});
        EXPECT_TRUE(m_program->window("SkillAreaForm")->isVisible());

        QSignalSpy closed(&main(), &app::TResumeExplorerForm::closed);
        main().show();
        m_dialogs.answers = {platform::Answer::Yes};
        m_dialogs.saveAnswers = {saved};
        main().close();
        EXPECT_EQ(closed.count(), 1);
        EXPECT_EQ(skillsIn(saved), QStringList{"unsaved"});
    }
    EXPECT_EQ(contents(letter), QByteArray(2048, 'x'));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("missing.vcw")));
}

// A working copy the connection could not open is never copied over a résumé.
TEST_F(DataSafetyTest, SaveAsNeverCopiesAFileThatDidNotOpen) {
    const QString letter = m_dir.filePath("letter.vcw");
    ASSERT_TRUE(testsupport::writeFile(letter.toStdString(), std::string(2048, 'x')));
    start({letter});
    ASSERT_FALSE(main().ADOConnection1().isOpen());
    m_dialogs = {};
    m_dialogs.saveAnswers = {m_resume};
    run(&app::TResumeExplorerForm::SaveResumeDatabaseas1Click);
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains("letter.vcw")) << errors()[0].toStdString();
    EXPECT_EQ(skillsIn(m_resume), QStringList{"Mine"});
    EXPECT_EQ(main().workingCopyPath(), letter);
}

// "Save Resume Database as..." never puts a résumé where the program keeps its
// own databases; at the close the program then stays open.
TEST_F(DataSafetyTest, SaveAsRefusesTheBlankDatabaseAndTheWorkingCopies) {
    const struct {
        const char* name;
        bool startNew;
        QString target;
    } cases[] = {
        {"data.mdb", true, m_programDir + "data.mdb"},
        {"data.mdb by another path", false, m_programDir + "../bin/data.mdb"},
        {"its own data.tmp", true, m_programDir + "data.tmp"},
        {"data.tmp from a resume", false, m_programDir + "data.tmp"},
        {"another program's working copy", true, m_programDir + "data-2.tmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_programDir + "data-2.tmp");
        QFile::copy(m_programDir + "data.mdb", m_programDir + "data-2.tmp");
        m_dialogs = {};
        start(c.startNew ? QStringList{} : QStringList{m_resume});
        addSkill("work");
        const QString before = main().workingCopyPath();
        const int flag = store::unsavedFlag();
        const QByteArray target = contents(c.target);
        QSignalSpy closed(&main(), &app::TResumeExplorerForm::closed);
        main().show();
        m_dialogs.saveAnswers = {c.target, c.target};
        run(&app::TResumeExplorerForm::SaveResumeDatabaseas1Click);
        if (c.startNew) {
            m_dialogs.answers = {platform::Answer::Yes};
            main().close();
        }

        ASSERT_EQ(errors().size(), c.startNew ? 2 : 1);
        EXPECT_TRUE(errors()[0].startsWith("Cannot save the resume as \"" + c.target + "\""))
            << errors()[0].toStdString();
        EXPECT_EQ(closed.count(), 0);
        EXPECT_EQ(main().workingCopyPath(), before);
        EXPECT_EQ(store::unsavedFlag(), flag);
        EXPECT_TRUE(skills().contains("work"));
        if (c.target != before) {
            EXPECT_EQ(contents(c.target), target);
        }
    }
}

// "Export Resume as..." never writes over the working copy or data.mdb: the
// résumé stays a database and later edits still reach the file.
TEST_F(DataSafetyTest, AnExportOntoTheWorkingCopyIsRefused) {
    const struct {
        const char* name;
        bool startNew;
        QString target;
    } cases[] = {
        {"data.tmp", true, m_programDir + "data.tmp"},
        {"data.tmp by another path", true, m_programDir + "../bin/data.tmp"},
        {"data.mdb", true, m_programDir + "data.mdb"},
        {"an opened resume", false, m_resume},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_program.reset();
        forgetWorkingCopies();
        makeResume();
        m_dialogs = {};
        start(c.startNew ? QStringList{} : QStringList{m_resume});
        addSkill("kept");
        const QByteArray blank = contents(m_programDir + "data.mdb");
        const QStringList before = skills();
        m_dialogs.saveAnswers = {c.target};
        run(&app::TResumeExplorerForm::ExportResume1Click);

        ASSERT_EQ(m_dialogs.messages.size(), 1u);
        EXPECT_EQ(m_dialogs.messages[0].icon, platform::Icon::Error);
        EXPECT_TRUE(m_dialogs.messages[0].text.startsWith("Cannot export to \"" + c.target))
            << m_dialogs.messages[0].text.toStdString();
        EXPECT_EQ(store::currentResumeDocumentPath(), m_programDir + "temp.doc");
        EXPECT_EQ(contents(m_programDir + "data.mdb"), blank);
        addSkill("later");
        EXPECT_EQ(skillsIn(main().workingCopyPath()), before + QStringList{"later"});
    }
}

// A run that failed leaves nothing behind: the next export prints the résumé as
// it is now, and the document path still names the last document written.
TEST_F(DataSafetyTest, AFailedRunThenExportShowsTheResumeAsItIsNow) {
    start({m_resume});
    const auto setLastName = [this](const QString& name) {
        QSqlQuery q(main().ADOConnection1());
        ASSERT_TRUE(
            q.exec(QString("UPDATE ContactInfo SET FirstName = 'Ada', LastName = '%1'").arg(name)));
    };
    setLastName("Lovelace");
    // No template beside the program yet: both commands fail.
    m_dialogs.saveAnswers = {m_dir.filePath("first.doc")};
    run(&app::TResumeExplorerForm::ExportResume1Click);
    run(&app::TResumeExplorerForm::PreviewResume1Click);
    EXPECT_EQ(errors().size(), 2);
    EXPECT_EQ(store::currentResumeDocumentPath(), m_programDir + "temp.doc");

    setLastName("Byron");
    QDir().mkpath(m_programDir + "templates");
    ASSERT_TRUE(QFile::copy(VITACRAFT_SOURCE_DIR "/templates/ContemporaryResume.rtf",
                            m_programDir + "templates/ContemporaryResume.rtf"));
    const QString target = m_dir.filePath("now.doc");
    m_dialogs.saveAnswers = {target};
    run(&app::TResumeExplorerForm::ExportResume1Click);
    EXPECT_EQ(errors().size(), 2);
    const QByteArray document = contents(target);
    EXPECT_TRUE(document.contains("Byron"));
    EXPECT_FALSE(document.contains("Lovelace"));
    EXPECT_EQ(store::currentResumeDocumentPath(), target);
}

} // namespace
