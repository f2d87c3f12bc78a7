// What the program tests share: a program directory of its own with the blank
// database, a saved résumé holding one skill ("Mine"), and every desktop service
// scripted.
#pragma once

#include "app/Program.h"

#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "support/DesktopDoubles.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class ProgramFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_programDir = m_dir.filePath("bin") + "/";
        QDir().mkpath(m_programDir);
        store::createBlankResume(m_programDir + "data.mdb");
        platform::setProgramDirectory(m_programDir);
        m_resume = m_dir.filePath("mine.vcw");
        makeResume();
    }
    void TearDown() override {
        m_program.reset();
        platform::setProgramDirectory({});
    }
    // The saved résumé, afresh: one skill, "Mine".
    void makeResume() {
        QFile::remove(m_resume);
        store::createBlankResume(m_resume);
        insertSkill(m_resume, "Mine");
    }
    static void insertSkill(const QString& path, const QString& skill) {
        QSqlDatabase db = store::connection("setup");
        store::openResume(db, path);
        {
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(QString("INSERT INTO Skills (skill) VALUES ('%1')").arg(skill)));
        }
        db.close();
    }
    // The program directory as a fresh install has it: no working copy left by an
    // earlier program, so a start without an argument has nothing to offer back.
    void forgetWorkingCopies() {
        QDir dir(m_programDir);
        for (const QString& name : dir.entryList({"data.tmp*", "data-*.tmp*"}, QDir::Files))
            dir.remove(name);
    }
    app::Program& start(const QStringList& arguments) {
        m_program.reset();
        m_program = std::make_unique<app::Program>(arguments);
        return *m_program;
    }
    app::TResumeExplorerForm& main() { return m_program->ResumeExplorerForm(); }
    // Adds a skill to the open résumé, as the skills window would.
    void addSkill(const QString& skill) {
        QSqlQuery q(main().ADOConnection1());
        ASSERT_TRUE(q.exec(QString("INSERT INTO Skills (skill) VALUES ('%1')").arg(skill)));
    }
    // Runs a command as its menu item does: a failure reaches the error box.
    void run(void (app::TResumeExplorerForm::*command)()) {
        platform::runCommand([&] { (main().*command)(); });
    }
    // The texts of the error boxes shown so far.
    QStringList errors() const {
        QStringList texts;
        for (const auto& m : m_dialogs.messages)
            if (m.icon == platform::Icon::Error)
                texts << m.text;
        return texts;
    }
    // The skills of the open résumé, in the order they were added.
    QStringList skills() {
        QSqlQuery q(main().ADOConnection1());
        if (!q.exec("SELECT skill FROM Skills ORDER BY ID"))
            return {"<unreadable>"};
        QStringList values;
        while (q.next())
            values << q.value(0).toString();
        return values;
    }

    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_resume;
    testsupport::ScriptedDialogs m_dialogs;
    testsupport::RecordingShell m_shell;
    testsupport::RecordingFileSystem m_files;
    testsupport::FixedClock m_clock;
    testsupport::ScriptedRandom m_random;
    platform::ScopedServices m_services{&m_shell, &m_dialogs, &m_files, &m_clock, &m_random};
    std::unique_ptr<app::Program> m_program;
};
