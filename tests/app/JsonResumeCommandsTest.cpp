// "Import JSON Resume..." and "Export JSON Resume..." from the File menu.
#include "ProgramFixture.h"

#include "app/JsonResumeCommands.h"
#include "platform/Application.h"
#include "store/qt/ProgramState.h"

#include <QMenu>
#include <QMenuBar>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace {

const QString kSample =
    QStringLiteral(VITACRAFT_SOURCE_DIR "/tests/store/data/json-resume/sample.resume.json");

class JsonResumeCommandsTest : public ProgramFixture {
protected:
    void choose(const char* caption) {
        for (QAction* action : main().menuBar()->actions().value(0)->menu()->actions())
            if (action->text() == QLatin1String(caption))
                action->trigger();
    }
    QStringList texts(platform::Icon icon) const {
        QStringList found;
        for (const auto& m : m_dialogs.messages)
            if (m.icon == icon)
                found << m.text;
        return found;
    }
    QByteArray contents(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(JsonResumeCommandsTest, ImportMakesANewUnsavedResumeAndListsWhatWasLeftOut) {
    start({m_resume});
    const QByteArray saved = contents(m_resume);
    m_program->window("SkillAreaForm")->show();
    m_dialogs.openAnswers = {kSample};
    choose("Import JSON Resume...");
    EXPECT_EQ(texts(platform::Icon::Error), QStringList());
    EXPECT_EQ(main().workingCopyPath(), m_programDir + "data.tmp");
    EXPECT_EQ(store::unsavedFlag(), 1);
    EXPECT_FALSE(m_program->window("SkillAreaForm")->isVisible());
    EXPECT_EQ(skills(), (QStringList{"Web Development", "Compression"}));
    EXPECT_EQ(contents(m_resume), saved);
    EXPECT_FALSE(QFile::exists(m_programDir + "data.import.tmp"));
    ASSERT_EQ(texts(platform::Icon::Information).size(), 1);
    EXPECT_EQ(texts(platform::Icon::Information).first(),
              "The resume has no place for these parts of '" + kSample +
                  "'; they were not imported:\nbasics.label\nbasics.profiles (2 entries)\n"
                  "work[0].description\nvolunteer[0].position\nvolunteer[0].url\n"
                  "references[0].reference\npublications (1 entry)\nprojects (1 entry)");
}

TEST_F(JsonResumeCommandsTest, AFileThatCannotBeImportedChangesNothing) {
    const QString bad = m_dir.filePath("bad.json");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"work": [{"startDate": "last year"}]})");
    file.close();
    for (bool startNew : {false, true}) {
        SCOPED_TRACE(startNew ? "from a new resume" : "from a resume file");
        m_dialogs.messages.clear();
        start(startNew ? QStringList{} : QStringList{m_resume});
        if (startNew)
            platform::runCommand([&] {
                main().ADOConnection1().exec("INSERT INTO Skills (skill) VALUES ('typed')");
            });
        const QString workingCopy = main().workingCopyPath();
        const QByteArray before = contents(workingCopy);
        m_program->window("SkillAreaForm")->show();
        m_dialogs.openAnswers = {bad};
        choose("Import JSON Resume...");
        EXPECT_EQ(texts(platform::Icon::Error),
                  QStringList{"Cannot import '" + bad +
                              "': work[0].startDate is not an ISO 8601 date (YYYY, YYYY-MM or "
                              "YYYY-MM-DD): 'last year'."});
        EXPECT_EQ(main().workingCopyPath(), workingCopy);
        EXPECT_EQ(store::unsavedFlag(), startNew ? 1 : 0);
        EXPECT_TRUE(m_program->window("SkillAreaForm")->isVisible());
        EXPECT_EQ(skills(), startNew ? QStringList{"typed"} : QStringList{"Mine"});
        EXPECT_EQ(contents(workingCopy), before);
        EXPECT_EQ(QFile::exists(m_programDir + "data.tmp"), startNew);
    }
}

TEST_F(JsonResumeCommandsTest, ExportWritesTheWorkingCopyAndAsksBeforeReplacingAFile) {
    start({m_resume});
    const QString out = m_dir.filePath("out.json");
    m_dialogs.saveAnswers = {m_dir.filePath("out")};
    choose("Export JSON Resume...");
    const auto document = nlohmann::json::parse(contents(out).toStdString());
    EXPECT_EQ(document["skills"][0]["name"], "Mine");

    // The dialog asked about "out", not about "out.json": export asks itself.
    QFile::remove(out);
    QFile mine(out);
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();
    m_dialogs.saveAnswers = {m_dir.filePath("out")};
    m_dialogs.answers = {platform::Answer::No};
    choose("Export JSON Resume...");
    ASSERT_EQ(texts(platform::Icon::Warning),
              QStringList{"'" + out + "' already exists. Do you want to replace it?"});
    EXPECT_EQ(contents(out), QByteArray("mine"));
    m_dialogs.saveAnswers = {m_dir.filePath("out")};
    m_dialogs.answers = {platform::Answer::Yes};
    choose("Export JSON Resume...");
    EXPECT_EQ(nlohmann::json::parse(contents(out).toStdString()), document);
}

} // namespace
