#include "store/StoreError.h"
#include "store/qt/Connection.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SchemaTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("blank.vcw"));
        store::createBlankResume(m_path);
        m_db = store::connection(QStringLiteral("schema-test"));
        store::openResume(m_db, m_path);
    }
    void TearDown() override {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("schema-test"));
    }
    QStringList column(const QString& sql) {
        QSqlQuery q(m_db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        QStringList values;
        while (q.next())
            values << q.value(0).toString();
        return values;
    }

    QTemporaryDir m_dir;
    QString m_path;
    QSqlDatabase m_db;
};

// Every column the editors, queries and generation name, as they name it.
const struct {
    const char* table;
    const char* columns;
} kTables[] = {
    {"ContactInfo",
     "FirstName MiddleInitial LastName HomePhone WorkPhone EmailAddress PersonalWebsite "
     "PermanentAddressLine1 PermanentAddressLine2 PermanentCity PermanentState PermanentCountry "
     "PermanentZipCode CurrentAddressLine1 CurrentAddressLine2 CurrentCity CurrentState "
     "CurrentCountry CurrentZipCode"},
    {"Purpose", "objective summary personal keyword"},
    {"EducationalHistory",
     "Institution URL Degree YearAwarded DateFrom DateTo StillAttending InAllPublished Comment"},
    {"EmploymentHistory",
     "Company Position City Country URL DateFrom DateTo StillEmployed InAllPublished comments"},
    {"Honors", "Type Title Date Comments InAllPubliched"},
    {"Organizations", "Name DateFrom DateTo Comments InAllPublished"},
    {"Skills", "skill comments InAllPublished"},
    {"refer",
     "Type Name Title Organization AddressLine1 AddressLine2 City Phone Email InAllPublished"},
    {"Configuration",
     "HeadingFontName HeadingFontSize HeadingFontColor HeadingFontStyle SubHeadingFontName "
     "SubHeadingFontSize SubHeadingFontColor SubHeadingFontStyle NormalTextFontName "
     "NormalTextFontSize NormalTextFontColor NormalTextFontStyle Template Summary Personal "
     "Keywords EducationalHistory EmploymentHistory ProfessionalReferences PersonalReferences "
     "Organizations Skills Honors Awards Archievements PaperSize"},
    {"AvailableSections", "Section"},
    {"DisplayedOrder", "Section"},
};

TEST_F(SchemaTest, EveryColumnExistsUnderAnyLetterCase) {
    EXPECT_EQ(column("SELECT count(*) FROM sqlite_master WHERE type = 'table'"), QStringList{"11"});
    for (const auto& t : kTables) {
        const QStringList names = QString::fromLatin1(t.columns).split(' ');
        for (const QString& name : names) {
            for (const QString& spelled : {name, name.toUpper(), name.toLower()}) {
                const QString table = QString::fromLatin1(t.table);
                QSqlQuery q(m_db);
                EXPECT_TRUE(q.exec(QStringLiteral("SELECT %1.[%2] FROM %3 %1")
                                       .arg(table.toLower(), spelled, table.toUpper())))
                    << t.table << '.' << spelled.toStdString();
            }
        }
    }
    // The format dialog inserts without a column list: one column only.
    for (const char* table : {"AvailableSections", "DisplayedOrder"})
        EXPECT_EQ(m_db.record(QString::fromLatin1(table)).count(), 1) << table;
}

TEST_F(SchemaTest, NewListRowsTakeTheDefaultsAndIncreasingKeys) {
    const struct {
        const char* table;
        const char* column;
        const char* value;
    } defaults[] = {
        {"EducationalHistory", "InAllPublished", "True"},
        {"EmploymentHistory", "InAllPublished", "True"},
        {"Honors", "InAllPubliched", "True"},
        {"Honors", "Type", "Honor"},
        {"Organizations", "InAllPublished", "True"},
        {"Skills", "InAllPublished", "True"},
        {"refer", "InAllPublished", "True"},
        {"refer", "Type", "professional"},
    };
    for (const auto& d : defaults) {
        SCOPED_TRACE(std::string(d.table) + "." + d.column);
        QSqlQuery q(m_db);
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM %1").arg(d.table)));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(d.table)));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(d.table)));
        EXPECT_EQ(column(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(d.column, d.table)),
                  (QStringList{d.value, d.value}));
        // The store assigns the key, in creation order.
        const QStringList keys =
            column(QStringLiteral("SELECT ID FROM %1 ORDER BY rowid").arg(d.table));
        ASSERT_EQ(keys.size(), 2);
        EXPECT_LT(keys[0].toLongLong(), keys[1].toLongLong());
    }
}

TEST_F(SchemaTest, BlankContents) {
    EXPECT_EQ(column("SELECT count(*) FROM Configuration"), QStringList{"1"});
    EXPECT_EQ(column("SELECT count(*) FROM ContactInfo"), QStringList{"1"});
    EXPECT_EQ(column("SELECT count(*) FROM Purpose"), QStringList{"1"});
    for (const char* cls : {"Heading", "SubHeading", "NormalText"}) {
        for (const char* part : {"FontName", "FontSize", "FontColor", "FontStyle"}) {
            const QStringList v =
                column(QStringLiteral("SELECT %1%2 FROM Configuration").arg(cls, part));
            ASSERT_EQ(v.size(), 1);
            EXPECT_FALSE(v[0].isEmpty()) << cls << part;
        }
    }
    EXPECT_EQ(column("SELECT Skills || '|' || Archievements || '|' || ProfessionalReferences "
                     "FROM Configuration"),
              QStringList{"Skills|Achievements|Professional References"});
    // No paper chosen yet: the résumé prints on the paper of the user's locale.
    EXPECT_EQ(column("SELECT count(*) FROM Configuration WHERE PaperSize IS NULL"),
              QStringList{"1"});
    EXPECT_EQ(column("SELECT Section FROM DisplayedOrder ORDER BY rowid"),
              (QStringList{"Objective", "Summary", "Employment History", "Educational History",
                           "Skills", "Honors", "Awards", "Achievements", "Organizations",
                           "Professional References"}));
    EXPECT_EQ(column("SELECT Section FROM AvailableSections ORDER BY rowid"),
              (QStringList{"Personal", "Keywords", "Personal References"}));
    EXPECT_EQ(column("PRAGMA journal_mode"), QStringList{"delete"});
}

TEST_F(SchemaTest, CreatingNeverOverwrites) {
    QFile other(m_dir.filePath(QStringLiteral("other.vcw")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("precious");
    other.close();
    EXPECT_THROW(store::createBlankResume(other.fileName()), store::EDatabaseError);
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("precious"));
    EXPECT_THROW(store::createBlankResume(m_dir.path()), store::EDatabaseError);
    EXPECT_THROW(store::createBlankResume(m_dir.filePath("no/such/dir/x.vcw")),
                 store::EDatabaseError);
}

TEST_F(SchemaTest, OpeningRefusesWhatIsNoResumeAndCreatesNothing) {
    QFile text(m_dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4096, 'x'));
    text.close();
    const QString missing = m_dir.filePath(QStringLiteral("missing.vcw"));
    const struct {
        QString path;
        const char* expected;
    } cases[] = {
        {missing, "Could not find file"},
        {QString(), "Could not find file"},
        {m_dir.path(), "folder"},
        {text.fileName(), "not a database"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        try {
            store::openResume(m_db, c.path);
            FAIL() << "opened";
        } catch (const store::EDatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
        EXPECT_FALSE(m_db.isOpen());
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(QFileInfo(text.fileName()).size(), 4096);

    // The connection recovers on a good file.
    store::openResume(m_db, m_path);
    EXPECT_TRUE(m_db.isOpen());
    EXPECT_EQ(m_db.connectionName(), QStringLiteral("schema-test"));
    EXPECT_EQ(store::connection().connectionName(), QStringLiteral("ADOConnection1"));
}

} // namespace
