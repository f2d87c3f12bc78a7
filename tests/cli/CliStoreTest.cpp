// The init and dataset commands, run as the real program.
#include "cli/CliRun.h"

#include <QFile>

namespace {

using clitest::CliResult;
using clitest::runCli;

class CliStoreTest : public clitest::CliFolderTest {
protected:
    void SetUp() override {
        CliFolderTest::SetUp();
        m_resume = path("r.vcw");
    }
    void exec(const QString& sql) { clitest::execInResume(m_resume, sql); }

    QString m_resume;
};

TEST_F(CliStoreTest, InitCreatesABlankResumeOnceAndNeverOverwrites) {
    CliResult created = runCli({"init", m_resume});
    EXPECT_EQ(created.exitCode, 0) << created.err;
    CliResult order = runCli({"dataset", m_resume, "DisplayedOrder"});
    EXPECT_EQ(order.out, "Section\nObjective\nSummary\nEmployment History\nEducational History\n"
                         "Skills\nHonors\nAwards\nAchievements\nOrganizations\n"
                         "Professional References\n");

    QFile text(m_dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("keep me");
    text.close();
    for (const QString& existing : {m_resume, text.fileName()}) {
        CliResult again = runCli({"init", existing});
        EXPECT_EQ(again.exitCode, 1);
        EXPECT_NE(again.err.find("already exists"), std::string::npos) << again.err;
    }
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("keep me"));

    for (const QStringList& bad : {QStringList{"init"}, QStringList{"init", "a", "b"}}) {
        CliResult usage = runCli(bad);
        EXPECT_EQ(usage.exitCode, 2);
        EXPECT_NE(usage.err.find("usage: vitacraft-cli init PATH"), std::string::npos);
    }
}

TEST_F(CliStoreTest, DatasetPrintsRowsWithDatesAsStoredAndNullsEmpty) {
    ASSERT_EQ(runCli({"init", m_resume}).exitCode, 0);
    exec("INSERT INTO Organizations (Name, DateFrom, DateTo, Comments) VALUES "
         "('Club', '2019-07-01', NULL, 'line one\nline\ttwo'), ('Hidden', NULL, NULL, NULL)");
    exec("UPDATE Organizations SET InAllPublished = 'False' WHERE Name = 'Hidden'");
    const char* header = "Name\tDateFrom\tDateTo\tComments\tInAllPublished\tOrganizations\n";

    const struct {
        QStringList arguments;
        std::string out;
    } cases[] = {
        {{"dataset", m_resume, "OrganizationsQuery"},
         std::string(header) + "Club\t2019-07-01\t\tline one\\nline\\ttwo\tTrue\tOrganizations\n"},
        {{"dataset", m_resume, "organizationsquery", "--show-item", "1"},
         std::string(header) + "Club\t2019-07-01\t\tline one\\nline\\ttwo\tTrue\tOrganizations\n"},
        {{"dataset", "--show-item", "0", m_resume, "OrganizationsQuery"}, header},
        {{"dataset", m_resume, "SummaryQuery"},
         "purpose.summary\tConfiguration.Summary\n\tSummary\n"},
        // A dataset without ShowItem ignores the option.
        {{"dataset", m_resume, "DisplayedOrder", "--show-item", "0"},
         "Section\nObjective\nSummary\nEmployment History\nEducational History\nSkills\nHonors\n"
         "Awards\nAchievements\nOrganizations\nProfessional References\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        CliResult run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

TEST_F(CliStoreTest, DatasetFailuresAndUsage) {
    ASSERT_EQ(runCli({"init", m_resume}).exitCode, 0);
    QFile text(m_dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(2048, 'n'));
    text.close();
    const QString empty = m_dir.filePath("empty.db");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString missing = m_dir.filePath("missing.vcw");

    const struct {
        QStringList arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"dataset", m_resume, "NoSuchQuery"}, 1, "Unknown dataset 'NoSuchQuery'."},
        {{"dataset", missing, "Configuration"}, 1, "Could not find file"},
        {{"dataset", m_dir.path(), "Configuration"}, 1, "folder"},
        {{"dataset", text.fileName(), "Configuration"}, 1, "not a database"},
        {{"dataset", empty, "SkillsQuery"}, 1, "holds no tables, it is not a resume database"},
        {{"dataset", m_resume}, 2, "usage: vitacraft-cli dataset RESUME NAME [--show-item N]"},
        {{"dataset"}, 2, "usage:"},
        {{"dataset", m_resume, "SkillsQuery", "--show-item"}, 2, "usage:"},
        {{"dataset", m_resume, "SkillsQuery", "--show-item", "one"}, 2, "usage:"},
        {{"dataset", m_resume, "SkillsQuery", "--verbose"}, 2, "usage:"},
        {{"dataset", m_resume, "SkillsQuery", "extra"}, 2, "usage:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        CliResult run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
