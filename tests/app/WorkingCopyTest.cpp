// Programs that share one program directory: each works on a working copy of its
// own, and the work a run that ended without saving left behind is offered back
// at the next start, never overwritten unasked.
#include "ProgramFixture.h"

#include "store/qt/ProgramState.h"

#include <QLockFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The program in a process of its own (peer/ProgramPeer.cpp), driven line by line.
class Peer {
public:
    explicit Peer(const QString& programDir, const QString& answer = {}) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{programDir};
        if (!answer.isEmpty())
            arguments << answer;
        m_process.start(QStringLiteral(PROGRAM_PEER), arguments);
        workingCopy = field("working-copy");
        unsaved = field("unsaved").toInt();
        asked = field("asked").toInt();
    }
    ~Peer() {
        if (m_process.state() != QProcess::NotRunning)
            kill();
    }
    QString command(const QString& line) {
        m_process.write((line + "\n").toUtf8());
        return readLine();
    }
    void quit() {
        m_process.write("quit\n");
        m_process.waitForFinished(60000);
    }
    // As a crash or a power cut would end it: no clean-up of any kind.
    void kill() {
        m_process.kill();
        m_process.waitForFinished(60000);
    }

    QString workingCopy;
    int unsaved = -1;
    int asked = -1;

private:
    QString readLine() {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(60000))
                return QStringLiteral("<no answer>");
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    QString field(const QString& name) {
        const QString line = readLine();
        return line.startsWith(name + " ") ? line.mid(name.size() + 1) : "<" + line + ">";
    }

    QProcess m_process;
};

using WorkingCopyTest = ProgramFixture;

// A program started while another runs on data.tmp works on data-2.tmp, and New
// there never touches the first one's work.
TEST_F(WorkingCopyTest, ASecondProgramWorksOnAWorkingCopyOfItsOwn) {
    Peer first(m_programDir);
    ASSERT_EQ(first.workingCopy, m_programDir + "data.tmp");
    EXPECT_EQ(first.command("add-skill work of the first"), "added");

    start({});
    EXPECT_EQ(main().workingCopyPath(), m_programDir + "data-2.tmp");
    EXPECT_EQ(store::unsavedFlag(), 1);
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_TRUE(skills().isEmpty());
    addSkill("work of the second");
    main().New1Click();
    EXPECT_EQ(main().workingCopyPath(), m_programDir + "data-2.tmp");
    EXPECT_TRUE(skills().isEmpty());

    EXPECT_EQ(first.command("skills"), "work of the first");
    first.quit();
}

TEST_F(WorkingCopyTest, AProgramStartedSecondLeavesTheFirstOnesWorkingCopyAlone) {
    start({});
    addSkill("work of the first");
    const QByteArray before = contents(m_programDir + "data.tmp");

    Peer second(m_programDir);
    EXPECT_EQ(second.workingCopy, m_programDir + "data-2.tmp");
    EXPECT_EQ(second.unsaved, 1);
    EXPECT_EQ(second.asked, 0);
    EXPECT_EQ(second.command("skills"), "");
    EXPECT_EQ(second.command("add-skill work of the second"), "added");
    second.quit();

    EXPECT_EQ(contents(m_programDir + "data.tmp"), before);
    EXPECT_EQ(skills(), QStringList{"work of the first"});
    // A program started on a file, with data.tmp held: its New takes another copy.
    m_program.reset();
    QLockFile held(m_programDir + "data.tmp.lock");
    ASSERT_TRUE(held.tryLock(0));
    start({m_resume});
    main().New1Click();
    EXPECT_NE(main().workingCopyPath(), m_programDir + "data.tmp");
    EXPECT_EQ(contents(m_programDir + "data.tmp"), before);
}

// A program that was killed leaves its lock and its work; the next start asks.
// Yes opens the work as the unsaved résumé, No starts a new one.
TEST_F(WorkingCopyTest, TheWorkOfAKilledProgramIsOfferedAtTheNextStart) {
    for (const platform::Answer answer : {platform::Answer::Yes, platform::Answer::No}) {
        const bool yes = answer == platform::Answer::Yes;
        SCOPED_TRACE(yes ? "yes" : "no");
        m_program.reset();
        forgetWorkingCopies();
        {
            Peer killed(m_programDir);
            ASSERT_EQ(killed.workingCopy, m_programDir + "data.tmp");
            ASSERT_EQ(killed.command("add-skill unsaved work"), "added");
            killed.kill();
        }
        ASSERT_TRUE(QFile::exists(m_programDir + "data.tmp.lock"));

        m_dialogs = {};
        m_dialogs.answers = {answer};
        start({});
        ASSERT_EQ(m_dialogs.messages.size(), 1u);
        EXPECT_TRUE(m_dialogs.messages[0].text.contains("recover"));
        EXPECT_EQ(m_dialogs.messages[0].buttons, platform::Buttons::YesNo);
        EXPECT_EQ(main().workingCopyPath(), m_programDir + "data.tmp");
        EXPECT_EQ(store::unsavedFlag(), 1);
        EXPECT_TRUE(main().ADOConnection1().isOpen());
        EXPECT_EQ(skills(), yes ? QStringList{"unsaved work"} : QStringList{});

        // Recovered, it is unsaved work like any other: the next start asks again.
        m_dialogs = {};
        m_dialogs.answers = {platform::Answer::Yes};
        start({});
        EXPECT_EQ(m_dialogs.messages.size(), yes ? 1u : 0u);
        EXPECT_EQ(skills(), yes ? QStringList{"unsaved work"} : QStringList{});
    }
}

// Only work that was never saved is offered; the question never comes twice for
// one program run.
TEST_F(WorkingCopyTest, OnlyWorkThatWasNotSavedIsOffered) {
    enum class End { ClosedUnsaved, Saved, SavedThenNew, NothingDone };
    const struct {
        const char* name;
        End end;
        bool asked;
    } cases[] = {
        {"closed without saving", End::ClosedUnsaved, true},
        {"saved under a name", End::Saved, false},
        {"saved, then New and edited", End::SavedThenNew, true},
        {"nothing done", End::NothingDone, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_program.reset();
        forgetWorkingCopies();
        m_dialogs = {};
        start({});
        if (c.end != End::NothingDone)
            addSkill("work");
        if (c.end == End::Saved || c.end == End::SavedThenNew) {
            m_dialogs.saveAnswers = {m_dir.filePath("cv.vcw")};
            main().SaveResumeDatabaseas1Click();
        }
        if (c.end == End::SavedThenNew) {
            main().New1Click();
            addSkill("new work");
        }
        main().show();
        m_dialogs.answers = {platform::Answer::No};
        main().close();

        m_dialogs = {};
        start({});
        EXPECT_EQ(m_dialogs.messages.size(), c.asked ? 1u : 0u);
        EXPECT_TRUE(skills().isEmpty());
        EXPECT_EQ(contents(m_programDir + "data.tmp"), contents(m_programDir + "data.mdb"));
    }
}

} // namespace
