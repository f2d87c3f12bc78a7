// The real program given a damaged résumé: it fails with the data layer's message,
// writes no document and leaves the file as it found it.
#include "cli/CliRun.h"
#include "store/qt/Connection.h"
#include "support/Files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct FileState {
    bool exists = false;
    QByteArray bytes;
    QDateTime modified;
    QStringList folder; // what lies beside it

    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path) {
    FileState state;
    const QFileInfo info(path);
    state.exists = info.exists();
    state.modified = info.lastModified();
    QFile file(path);
    if (info.isFile() && file.open(QIODevice::ReadOnly)) {
        state.bytes = file.readAll();
    }
    state.folder = info.dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    return state;
}

TEST(DamagedResumeCliTest, ExportFailsWithTheMessageAndChangesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        const char* name;
        std::function<void(const QString&)> make;
        const char* message;
    } cases[] = {
        {"empty",
         [](const QString& p) { ASSERT_TRUE(testsupport::writeFile(p.toStdString(), "")); },
         "no tables"},
        {"text",
         [](const QString& p) {
             ASSERT_TRUE(testsupport::writeFile(p.toStdString(), std::string(2048, 't')));
         },
         "not a database"},
        {"truncated",
         [](const QString& p) {
             store::createBlankResume(p);
             QFile file(p);
             ASSERT_TRUE(file.resize(file.size() / 2));
         },
         "malformed"},
        {"folder", [](const QString& p) { ASSERT_TRUE(QDir().mkpath(p)); }, "folder"},
        {"another program's database",
         [](const QString& p) {
             {
                 QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "damaged-cli");
                 db.setDatabaseName(p);
                 ASSERT_TRUE(db.open());
                 QSqlQuery(db).exec("CREATE TABLE notes (body TEXT)");
                 db.close();
             }
             QSqlDatabase::removeDatabase("damaged-cli");
         },
         "no such table"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString resume = dir.filePath(QString::fromLatin1(c.name) + ".vcw");
        const QString out = dir.filePath(QString::fromLatin1(c.name) + ".doc");
        c.make(resume);
        const FileState before = stateOf(resume);

        const clitest::CliResult run = clitest::runCli({QStringLiteral("export"), resume, out});
        const std::string& err = run.err;
        EXPECT_EQ(run.exitCode, 1) << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_FALSE(QFile::exists(out));
        EXPECT_TRUE(stateOf(resume) == before);
    }
}

} // namespace
