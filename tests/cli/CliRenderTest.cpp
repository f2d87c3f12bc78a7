// The render command, run as the real program on a small SQLite file.
#include "cli/CliRun.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

using clitest::runCli;
using RenderResult = clitest::CliResult;

class CliRenderTest : public clitest::CliFolderTest {
protected:
    void SetUp() override {
        CliFolderTest::SetUp();
        m_db = m_dir.filePath("r.vcw");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "render-fixture");
            db.setDatabaseName(m_db);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            for (const char* sql :
                 {"CREATE TABLE people(Name TEXT, Amount REAL, Active BOOLEAN)",
                  "INSERT INTO people VALUES('Ann', 1234.5, 'True')",
                  "INSERT INTO people VALUES('Zo\xC3\xAB', 0, 'False')",
                  "CREATE TABLE notes(Body TEXT)", "INSERT INTO notes VALUES('first')"})
                ASSERT_TRUE(q.exec(QString::fromUtf8(sql))) << sql;
            db.close();
        }
        QSqlDatabase::removeDatabase("render-fixture");
    }

    QString writeTemplate(const QByteArray& text) {
        const QString path = m_dir.filePath("t.rtf");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }

    std::string output() {
        QFile f(m_dir.filePath("out.doc"));
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll().toStdString();
    }

    RenderResult render(const QByteArray& templateText, QStringList extra) {
        QStringList args{"render", writeTemplate(templateText), m_dir.filePath("out.doc"), "--db",
                         m_db};
        return runCli(args + extra);
    }

    QString m_db;
};

TEST_F(CliRenderTest, DatasetsVariablesAndFragments) {
    const RenderResult r = render(
        "{\\rtf1 \\\\A.Name\\\\ \\\\FNUM(people.Amount,2)\\\\ \\\\B.Body\\\\ \\\\A.Active\\\\ "
        "\\\\Greeting\\\\ \\\\RtfFragment(Frag)\\\\\\\\VAR(Added)\\\\}",
        {"--dataset", "people=SELECT * FROM people ORDER BY rowid", "--dataset",
         "SELECT Body FROM notes", "--var", "Greeting=Hello=there", "--var",
         "Frag={\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 frag}", "--lang", "1033", "--true", "Yes",
         "--print-vars"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(output(), "{\\rtf1 \\lang1033 Ann \\lang1033 1,234.50 \\lang1033 first "
                        "\\lang1033 Yes \\lang1033 Hello=there {\\f1 frag}}");
    EXPECT_EQ(r.out, "Greeting=Hello=there\nFrag={\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 frag}\n"
                     "Added=\n");
}

TEST_F(CliRenderTest, OptionsReplaceTheDefaultSet) {
    const QByteArray text = "{\\rtf1 [\\\\Missing\\\\][\\\\FFIX(0)\\\\]}";
    RenderResult r = render(text, {"--options", "eoClearMissedFields,eoNumericFormatClearZero"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(output(), "{\\rtf1 [][\\lang0 ]}");
    r = render(text, {"--options", ""});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(output(), "{\\rtf1 [\\\\Missing\\\\][\\lang0 0.00]}");
}

TEST_F(CliRenderTest, FontsKeepTheirCharsetsUnlessOneIsGiven) {
    const QByteArray text = "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset238 A;}{\\f1\\fcharset0 B;}}"
                            "Gr\\'fc\\'dfe}";
    RenderResult r = render(text, {});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(output(), text.toStdString());
    r = render(text, {"--charset", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(output(), "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset1 A;}{\\f1\\fcharset1 B;}}"
                        "Gr\\'fc\\'dfe}");
}

TEST_F(CliRenderTest, FailuresPrintTheEngineMessage) {
    QFile previous(m_dir.filePath("out.doc"));
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous");
    previous.close();
    RenderResult r = render("not rtf", {});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Template is not RTF file.\n");
    EXPECT_EQ(output(), "previous");
    r = render("{\\rtf1 \\\\SUM(x,t)\\\\}", {});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Illegal function use: SUM(x,t) - report variable x not found\n");
}

TEST_F(CliRenderTest, ADatasetIsOneQueryThatMustCompile) {
    const QByteArray text = "{\\rtf1 x}";
    RenderResult r = render(text, {"--dataset", "SELECT * FROM nowhere"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "no such table: nowhere Unable to execute statement\n");
    // A second statement is refused before anything runs, not silently dropped or run.
    r = render(text, {"--dataset", "SELECT * FROM notes; DROP TABLE notes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Unable to execute multiple statements at a time\n");
    r = render(text, {"--dataset", " ; "});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "The statement is empty\n");
    r = render("{\\rtf1 \\\\A.Body\\\\}", {"--dataset", "SELECT Body FROM notes ;  \n"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(output(), "{\\rtf1 \\lang0 first}");
}

TEST_F(CliRenderTest, ScanEventsAreAppendedToTheLog) {
    const QString log = m_dir.filePath("events.log");
    QFile earlier(log);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier\n");
    earlier.close();
    const RenderResult r =
        render("{\\rtf1 \\\\scan(people)\\\\\\\\scan(empty),noeof\\\\x\\\\endscan\\\\"
               "\\\\endscan\\\\\\\\scan(C)\\\\\\\\C.Body\\\\\\\\endscan\\\\}",
               {"--dataset", "people=SELECT * FROM people ORDER BY rowid", "--dataset",
                "empty=SELECT Body FROM notes WHERE 0", "--dataset", "SELECT Body FROM notes",
                "--on-scan-record-log", log});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(output(), "{\\rtf1 \\lang0 first}");
    QFile events(log);
    ASSERT_TRUE(events.open(QIODevice::ReadOnly));
    EXPECT_EQ(events.readAll().toStdString(), "earlier\n"
                                              "OnScanBefore\t1\t1\tpeople\n"
                                              "OnScanRecord\t1\t1\tpeople\n"
                                              "OnScanBefore\t2\t2\tempty\n"
                                              "OnScanEof\t2\t2\tempty\n"
                                              "OnScanRecord\t1\t1\tpeople\n"
                                              "OnScanBefore\t2\t2\tempty\n"
                                              "OnScanEof\t2\t2\tempty\n"
                                              "OnScanEof\t1\t1\tpeople\n"
                                              "OnScanBefore\t3\t1\tC\n"
                                              "OnScanRecord\t3\t1\tC\n"
                                              "OnScanEof\t3\t1\tC\n");
}

TEST_F(CliRenderTest, UsageErrors) {
    const QString t = writeTemplate("{\\rtf1 x}");
    const QString out = m_dir.filePath("out.doc");
    const QList<QStringList> cases = {
        {"render", t, out},
        {"render", t, "--db", m_db},
        {"render", t, out, "--db", m_db, "--unknown"},
        {"render", t, out, "--db", m_db, "--options", "eoNothing"},
        {"render", t, out, "--db", m_db, "--lang", "x"},
        {"render", t, out, "--db", m_db, "--charset", "256"},
        {"render", t, out, "--db", m_db, "--var"},
    };
    for (const QStringList& args : cases) {
        const RenderResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_NE(r.err.find("usage: vitacraft-cli render"), std::string::npos);
    }
}

} // namespace
