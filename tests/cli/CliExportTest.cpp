// The export command, run as the real program.
#include "store/qt/Connection.h"

#include "support/Files.h"

#include <QDir>
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
    const std::string document = testsupport::readFile(m_out.toStdString());
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

// OUT is never a database: the résumé itself, however spelt, the template, or the
// blank database or a working copy of the program's own. The program runs from a
// folder of its own here, so that the build's own files are never at stake: laid
// out as a build tree (everything beside the program) and as an installed program
// (data.mdb and the template in share/vitacraft, working copies in the user's
// XDG data folder).
TEST_F(CliExportTest, RefusesAnOutThatIsADatabaseOrTheTemplate) {
    ASSERT_TRUE(QFile::link(m_resume, m_dir.filePath("link.doc")));
    for (const bool buildTree : {true, false}) {
        SCOPED_TRACE(buildTree ? "build tree" : "installed");
        const QString root = m_dir.filePath(buildTree ? "tree" : "prefix");
        const QString bin = root + "/bin";
        const QString data = buildTree ? bin : root + "/share/vitacraft";
        const QString writable = buildTree ? bin : m_dir.filePath("xdg/vitacraft");
        ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(data + "/templates") &&
                    QDir().mkpath(writable));
        const QString program = bin + "/vitacraft-cli";
        ASSERT_TRUE(QFile::copy(QStringLiteral(VITACRAFT_BIN_DIR "/vitacraft-cli"), program));
        if (buildTree) {
            ASSERT_TRUE(testsupport::writeFile((bin + "/vitacraft-build-tree").toStdString(), ""));
        }
        ASSERT_TRUE(QFile::copy(m_resume, data + "/data.mdb"));
        for (const char* name : {"data.tmp", "data-2.tmp"})
            ASSERT_TRUE(QFile::copy(m_resume, writable + "/" + name));
        ASSERT_TRUE(QFile::copy(m_template, data + "/templates/ContemporaryResume.rtf"));

        const struct {
            QString out;
            bool ownTemplate; // else the program's own template
            const char* what;
        } cases[] = {
            {m_resume, true, "the resume database being exported"},
            {bin + "/../../r.vcw", true, "the resume database being exported"},
            {m_dir.filePath("link.doc"), true, "the resume database being exported"},
            {m_template, true, "the template"},
            {data + "/templates/ContemporaryResume.rtf", false, "the template"},
            {data + "/data.mdb", true, "the program's blank resume database"},
            {writable + "/data.tmp", true, "the program's working copy"},
            {writable + "/data-2.tmp", false, "the program's working copy"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.out.toStdString());
            const std::string before = testsupport::readFile(c.out.toStdString());
            QStringList arguments{"export", m_resume, c.out};
            if (c.ownTemplate)
                arguments << "--template" << m_template;
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_DATA_HOME", m_dir.filePath("xdg"));
            process.setProcessEnvironment(environment);
            process.start(program, arguments);
            ASSERT_TRUE(process.waitForFinished(60000));
            const std::string err = process.readAllStandardError().toStdString();
            EXPECT_EQ(process.exitCode(), 1) << err;
            EXPECT_EQ(err.rfind("Cannot export to \"" + c.out.toStdString() + "\": that file is " +
                                    c.what,
                                0),
                      0u)
                << err;
            EXPECT_EQ(testsupport::readFile(c.out.toStdString()), before);
        }

        // Beside them, an ordinary document is written from the program's own template.
        QProcess process;
        process.start(program, {"export", m_resume, writable + "/data.doc"});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_NE(testsupport::readFile((writable + "/data.doc").toStdString()).find("Ada  Byron"),
                  std::string::npos);
    }
}

} // namespace

namespace {

// The export command with a stand-in soffice that "converts" by writing "%PDF " and
// the document it was given.
ExportResult runCliWithSoffice(const QStringList& arguments, const QString& soffice) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VITACRAFT_SOFFICE"), soffice);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VITACRAFT_BIN_DIR "/vitacraft-cli"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardError().toStdString()};
}

TEST_F(CliExportTest, PdfByNameOrOption) {
    const QString soffice = m_dir.filePath("soffice");
    ASSERT_TRUE(testsupport::writeFile(
        soffice.toStdString(), "#!/bin/sh\nwhile [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && "
                               "outdir=$2; shift; done\nmkdir -p \"$outdir\"\n"
                               "{ printf '%%PDF '; cat \"$1\"; } > \"$outdir/document.pdf\"\n"));
    QFile::setPermissions(soffice, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const struct {
        const char* name;
        bool forced;
        bool pdf;
    } cases[] = {{"a.pdf", false, true},
                 {"b.PdF", false, true},
                 {"c.doc", true, true},
                 {"d.pdf.doc", false, false}};
    for (const auto& c : cases) {
        const QString out = m_dir.filePath(QString::fromLatin1(c.name));
        QStringList arguments{"export", m_resume, out, "--template", m_template};
        if (c.forced)
            arguments << "--pdf";
        const ExportResult result = runCliWithSoffice(arguments, soffice);
        ASSERT_EQ(result.exitCode, 0) << c.name << result.err;
        const std::string document = testsupport::readFile(out.toStdString());
        EXPECT_EQ(document.rfind(c.pdf ? "%PDF {\\rtf1" : "{\\rtf1", 0), 0u) << c.name;
        EXPECT_NE(document.find("Ada  Byron}"), std::string::npos) << c.name;
    }
    // Only the asked file is left behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 7);

    const ExportResult missing =
        runCliWithSoffice({"export", m_resume, m_dir.filePath("e.pdf"), "--template", m_template},
                          m_dir.filePath("none"));
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.err.find("PDF needs LibreOffice Writer. Install the package "
                               "libreoffice-writer (or libreoffice-writer-nogui)."),
              std::string::npos)
        << missing.err;
    EXPECT_FALSE(QFile::exists(m_dir.filePath("e.pdf")));
}

} // namespace
