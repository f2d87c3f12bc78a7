// The export command, run as the real program.
#include "cli/CliRun.h"
#include "store/qt/Connection.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>

namespace {

using clitest::CliResult;
using clitest::runCli;

class CliExportTest : public clitest::CliFolderTest {
protected:
    void SetUp() override {
        CliFolderTest::SetUp();
        m_resume = path("r.vcw");
        m_template = path("t.rtf");
        m_out = path("out.doc");
        store::createBlankResume(m_resume);
        clitest::execInResume(m_resume,
                              "UPDATE ContactInfo SET FirstName = 'Ada', LastName = 'Byron', "
                              "PermanentAddressLine1 = '1 Main St', PermanentCity = 'London'");
        ASSERT_TRUE(testsupport::writeFile(
            m_template.toStdString(),
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\\\Name()\\\\ \\\\FormatAddress()\\\\}"));
    }

    QString m_resume, m_template, m_out;
};

TEST_F(CliExportTest, WritesTheDocumentThroughTheSectionFunctions) {
    const CliResult result = runCli({"export", m_resume, m_out, "--template", m_template});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string document = testsupport::readFile(m_out.toStdString());
    EXPECT_NE(document.find("Ada  Byron}"), std::string::npos) << document;
    EXPECT_NE(document.find("1 Main St\\par London}"), std::string::npos) << document;
}

TEST_F(CliExportTest, ReportsFailuresAndUsage) {
    const CliResult missingTemplate =
        runCli({"export", m_resume, m_out, "--template", m_dir.filePath("none.rtf")});
    EXPECT_EQ(missingTemplate.exitCode, 1);
    EXPECT_NE(missingTemplate.err.find("Can't read report template from file: "), std::string::npos)
        << missingTemplate.err;

    const CliResult missingResume =
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
        ASSERT_TRUE(QFile::copy(clitest::cliProgram(), program));
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
            QProcessEnvironment environment;
            environment.insert("XDG_DATA_HOME", path("xdg"));
            const CliResult run = runCli(arguments, environment, program);
            const std::string& err = run.err;
            EXPECT_EQ(run.exitCode, 1) << err;
            EXPECT_EQ(err.rfind("Cannot export to \"" + c.out.toStdString() + "\": that file is " +
                                    c.what,
                                0),
                      0u)
                << err;
            EXPECT_EQ(testsupport::readFile(c.out.toStdString()), before);
        }

        // Beside them, an ordinary document is written from the program's own template.
        const CliResult ordinary =
            runCli({"export", m_resume, writable + "/data.doc"}, {}, program);
        EXPECT_EQ(ordinary.exitCode, 0) << ordinary.err;
        EXPECT_NE(testsupport::readFile((writable + "/data.doc").toStdString()).find("Ada  Byron"),
                  std::string::npos);
    }
}

} // namespace

namespace {

// The export command with a stand-in soffice that "converts" by writing "%PDF " and
// the document it was given.
CliResult runCliWithSoffice(const QStringList& arguments, const QString& soffice) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("VITACRAFT_SOFFICE"), soffice);
    return runCli(arguments, environment);
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
        const CliResult result = runCliWithSoffice(arguments, soffice);
        ASSERT_EQ(result.exitCode, 0) << c.name << result.err;
        const std::string document = testsupport::readFile(out.toStdString());
        EXPECT_EQ(document.rfind(c.pdf ? "%PDF {\\rtf1" : "{\\rtf1", 0), 0u) << c.name;
        EXPECT_NE(document.find("Ada  Byron}"), std::string::npos) << c.name;
    }
    // Only the asked file is left behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 7);

    const CliResult missing =
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
