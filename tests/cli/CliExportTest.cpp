// The export command, run as the real program.
#include "store/Connection.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ExportResult {
    int exitCode = -1;
    std::string err;
};

ExportResult runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VITACRAFT_BIN_DIR "/vitacraft-cli"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardError().toStdString()};
}

std::string readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

class CliExportTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_resume = m_dir.filePath("r.vcw");
        m_template = m_dir.filePath("t.rtf");
        m_out = m_dir.filePath("out.doc");
        store::createBlankResume(m_resume);
        QSqlDatabase db = store::connection(QStringLiteral("cli-export-test"));
        store::openResume(db, m_resume);
        {
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec("UPDATE ContactInfo SET FirstName = 'Ada', LastName = 'Byron', "
                               "PermanentAddressLine1 = '1 Main St', PermanentCity = 'London'"));
        }
        db.close();
        QFile file(m_template);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\\\Name()\\\\ \\\\FormatAddress()\\\\}");
    }

    QTemporaryDir m_dir;
    QString m_resume, m_template, m_out;
};

TEST_F(CliExportTest, WritesTheDocumentThroughTheSectionFunctions) {
    const ExportResult result = runCli({"export", m_resume, m_out, "--template", m_template});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string document = readAll(m_out);
    EXPECT_NE(document.find("Ada  Byron}"), std::string::npos) << document;
    EXPECT_NE(document.find("1 Main St\\par London}"), std::string::npos) << document;
}

TEST_F(CliExportTest, ReportsFailuresAndUsage) {
    const ExportResult missingTemplate =
        runCli({"export", m_resume, m_out, "--template", m_dir.filePath("none.rtf")});
    EXPECT_EQ(missingTemplate.exitCode, 1);
    EXPECT_NE(missingTemplate.err.find("Can't read report template from file: "), std::string::npos)
        << missingTemplate.err;

    const ExportResult missingResume =
        runCli({"export", m_dir.filePath("none.vcw"), m_out, "--template", m_template});
    EXPECT_EQ(missingResume.exitCode, 1);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("none.vcw")));
    EXPECT_FALSE(QFile::exists(m_out));

    for (const QStringList& usage :
         {QStringList{"export", m_resume}, QStringList{"export", m_resume, m_out, "--template"},
          QStringList{"export", m_resume, m_out, "--bogus"}}) {
        EXPECT_EQ(runCli(usage).exitCode, 2) << usage.join(' ').toStdString();
    }
}

} // namespace
