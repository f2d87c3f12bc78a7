// The templates command and the template and paper choices of export, run as the
// real program.
#include "store/qt/Connection.h"

#include "support/Files.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VITACRAFT_BIN_DIR "/vitacraft-cli"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

class CliTemplatesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_resume = m_dir.filePath("r.vcw");
        m_out = m_dir.filePath("out.doc");
        store::createBlankResume(m_resume);
        setPaper("'A4'");
    }
    void setPaper(const QString& value) {
        QSqlDatabase db = store::connection(QStringLiteral("cli-templates-test"));
        store::openResume(db, m_resume);
        {
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec("UPDATE Configuration SET PaperSize = " + value));
        }
        db.close();
    }
    std::string document() const { return testsupport::readFile(m_out.toStdString()); }

    QTemporaryDir m_dir;
    QString m_resume, m_out;
};

TEST_F(CliTemplatesTest, TemplatesListsTheNamesInOrder) {
    const CliResult result = runCli({"templates"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Contemporary Resume\nClassic Resume\nCompact Resume\nModern Resume\n");
    EXPECT_EQ(runCli({"templates", "extra"}).exitCode, 2);
}

TEST_F(CliTemplatesTest, ExportTakesTheResumesPaperUnlessTold) {
    const struct {
        QStringList options;
        const char* width;
    } cases[] = {
        {{}, "\\paperw11906"},
        {{"--paper", "letter"}, "\\paperw12240"},
        {{"--paper", "A4", "--template", "contemporary RESUME"}, "\\paperw11906"},
        {{"--template", "Contemporary Resume", "--paper", "Letter"}, "\\paperw12240"},
    };
    for (const auto& [options, width] : cases) {
        SCOPED_TRACE(options.join(' ').toStdString());
        const CliResult result = runCli(QStringList{"export", m_resume, m_out} + options);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(document().find(width), std::string::npos);
    }
}

TEST_F(CliTemplatesTest, ATemplateNameStandsForItsFileInTheProgramFolder) {
    setPaper("NULL");
    for (const char* name : {"Classic Resume", "Compact Resume", "Modern Resume"}) {
        SCOPED_TRACE(name);
        const std::string file = std::string(VITACRAFT_BIN_DIR "/templates/") +
                                 QString::fromLatin1(name).remove(' ').toStdString() + ".rtf";
        const CliResult result =
            runCli({"export", m_resume, m_out, "--template", name, "--paper", "a4"});
        if (QFile::exists(QString::fromStdString(file))) {
            ASSERT_EQ(result.exitCode, 0) << result.err;
            EXPECT_NE(document().find("\\paperw11906"), std::string::npos);
        } else {
            // Its file is looked for where the program keeps its templates.
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_NE(result.err.find("Can't read report template from file: " + file),
                      std::string::npos)
                << result.err;
        }
    }
}

TEST_F(CliTemplatesTest, ABadPaperIsAUsageError) {
    for (const QStringList& options :
         {QStringList{"--paper"}, QStringList{"--paper", "a5"}, QStringList{"--paper", ""},
          QStringList{"--paper", "a4", "--paper", "letter"}}) {
        SCOPED_TRACE(options.join(' ').toStdString());
        const CliResult result = runCli(QStringList{"export", m_resume, m_out} + options);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find("[--paper a4|letter]"), std::string::npos) << result.err;
        EXPECT_FALSE(QFile::exists(m_out));
    }
}

} // namespace
