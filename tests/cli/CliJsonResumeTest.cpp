// import-json and export-json, run as the real program, and the document that the
// export command makes of an imported résumé.
#include "cli/CliRun.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>

namespace {

using clitest::CliResult;
using clitest::runCli;

const QString kData = QStringLiteral(VITACRAFT_SOURCE_DIR "/tests/store/data/json-resume/");

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class CliJsonResumeTest : public clitest::CliFolderTest {
protected:
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files); }
};

TEST_F(CliJsonResumeTest, ImportListsWhatItLeftOutAndTheDocumentShowsTheRest) {
    const CliResult imported = runCli({"import-json", kData + "sample.resume.json", path("r.vcw")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.err, "Not imported: basics.label\n"
                            "Not imported: basics.profiles (2 entries)\n"
                            "Not imported: work[0].description\n"
                            "Not imported: volunteer[0].position\n"
                            "Not imported: volunteer[0].url\n"
                            "Not imported: references[0].reference\n"
                            "Not imported: publications (1 entry)\n"
                            "Not imported: projects (1 entry)\n");
    const CliResult document = runCli({"export", path("r.vcw"), path("r.doc")});
    ASSERT_EQ(document.exitCode, 0) << document.err;
    const std::string rtf = testsupport::readFile(path("r.doc").toStdString());
    for (const char* text :
         {"Richard", "Hendriks", "2712 Broadway St", "San Francisco", "Pied Piper", "CEO/President",
          "Successfully won Techcrunch Disrupt", "University of Oklahoma",
          "Bachelor in Information Technology", "Digital Compression Pioneer Award",
          "Awarded by: Techcrunch", "CoderDojo", "Web Development", "Level: Master",
          "Erlich Bachman", "English \\'97 Native speaker", "Wildlife"})
        EXPECT_NE(rtf.find(text), std::string::npos) << text;

    // Letters beyond code page 1252 reach the document as Unicode.
    ASSERT_EQ(runCli({"import-json", kData + "every-section.resume.json", path("e.vcw")}).exitCode,
              0);
    ASSERT_EQ(runCli({"export", path("e.vcw"), path("e.doc")}).exitCode, 0);
    const std::string greek = testsupport::readFile(path("e.doc").toStdString());
    EXPECT_NE(greek.find("\\u928"), std::string::npos);   // Π of Παπαδοπούλου
    EXPECT_NE(greek.find("\\u23665"), std::string::npos); // 山 of 山田出版
}

TEST_F(CliJsonResumeTest, ExportWritesIndentedJsonAndNeverReplacesAFile) {
    ASSERT_EQ(runCli({"import-json", kData + "sample.resume.json", path("r.vcw")}).exitCode, 0);
    const CliResult exported = runCli({"export-json", path("r.vcw"), path("r.json")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string json = testsupport::readFile(path("r.json").toStdString());
    EXPECT_EQ(json.substr(0, 17), "{\n  \"$schema\": \"h");
    EXPECT_NE(json.find("\n  \"basics\": {\n    \"name\": \"Richard Hendriks\",\n"),
              std::string::npos);
    EXPECT_NE(json.find("\u201clength-limited\u201d"), std::string::npos); // UTF-8, not \u escapes

    writeAll(path("keep.json"), "mine");
    const CliResult refused = runCli({"export-json", path("r.vcw"), path("keep.json")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "The file '" + path("keep.json").toStdString() +
                               "' already exists; it was not overwritten.\n");
    EXPECT_EQ(testsupport::readFile(path("keep.json").toStdString()), "mine");
}

TEST_F(CliJsonResumeTest, ImportRefusesBadInputAndExistingFilesLeavingNothing) {
    writeAll(path("keep.vcw"), "mine");
    const CliResult existing =
        runCli({"import-json", kData + "sample.resume.json", path("keep.vcw")});
    EXPECT_EQ(existing.exitCode, 1);
    EXPECT_NE(existing.err.find("already exists; it was not overwritten."), std::string::npos)
        << existing.err;
    EXPECT_EQ(testsupport::readFile(path("keep.vcw").toStdString()), "mine");

    writeAll(path("bad.json"), "{\"skills\": [{\"keywords\": \"C++\"}]}");
    const CliResult bad = runCli({"import-json", path("bad.json"), path("out.vcw")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "Cannot import '" + path("bad.json").toStdString() +
                           "': skills[0].keywords must be an array.\n");
    EXPECT_EQ(files(), (QStringList{"bad.json", "keep.vcw"}));

    for (const QStringList& usage :
         {QStringList{"import-json", path("bad.json")}, QStringList{"export-json", path("r.vcw")},
          QStringList{"import-json", "--force", path("bad.json"), path("out.vcw")}})
        EXPECT_EQ(runCli(usage).exitCode, 2) << usage.join(' ').toStdString();
}

} // namespace
