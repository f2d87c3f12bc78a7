#include "store/SqlDataset.h"

#include "rtfengine/FormatSettings.h"
#include "rtfengine/NumberFormat.h"
#include "store/StoreError.h"
#include "store/qt/Connection.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

using rtfengine::FieldKind;
using store::SqlDataset;

class SqlDatasetTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dataset-test"));
        m_db.setDatabaseName(m_dir.filePath(QStringLiteral("t.db")));
        ASSERT_TRUE(m_db.open());
        m_saved = rtfengine::FormatSettings::current();
        auto settings = rtfengine::FormatSettings::usEnglish();
        settings.shortDateFormat = "dd.mm.yyyy";
        settings.dateSeparator = '.';
        rtfengine::FormatSettings::setCurrent(settings);
    }
    void TearDown() override {
        rtfengine::FormatSettings::setCurrent(m_saved);
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("dataset-test"));
    }
    void exec(const QString& sql) {
        QSqlQuery q(m_db);
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
    rtfengine::FormatSettings m_saved;
};

TEST_F(SqlDatasetTest, FieldKindsFollowDeclaredTypesThroughAliases) {
    exec("CREATE TABLE t (d DATE, dt DATETIME, ts timestamp, b BOOLEAN, g GRAPHIC, p Picture,"
         " s TEXT, i INTEGER, n)");
    exec("INSERT INTO t VALUES ('2021-03-05', NULL, NULL, 'True', x'00', x'01', 'a', 1, 2)");
    SqlDataset ds(store::statementsOf(m_db),
                  "SELECT d AS \"t.d\", dt, ts, b, g, p, s, i, n, i + 1 FROM t", "T");
    ds.open();
    const struct {
        const char* name;
        FieldKind kind;
    } expected[] = {{"t.d", FieldKind::Date},    {"dt", FieldKind::DateTime},
                    {"ts", FieldKind::DateTime}, {"b", FieldKind::Boolean},
                    {"g", FieldKind::Graphic},   {"p", FieldKind::Graphic},
                    {"s", FieldKind::Other},     {"i", FieldKind::Other},
                    {"n", FieldKind::Other},     {"i + 1", FieldKind::Other}};
    ASSERT_EQ(ds.fieldCount(), 10);
    for (int i = 0; i < ds.fieldCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ds.field(i).name(), expected[i].name);
        EXPECT_EQ(ds.field(i).kind(), expected[i].kind);
    }
}

TEST_F(SqlDatasetTest, DatesReadInTheShortDateFormAndAsDateTimes) {
    exec("CREATE TABLE t (d DATE, dt DATETIME)");
    exec("INSERT INTO t VALUES ('2021-03-05', '2020-12-31 23:59:58')");
    exec("INSERT INTO t VALUES ('', NULL)");
    exec("INSERT INTO t VALUES ('someday', '1999-01-02T03:04')");
    SqlDataset ds(store::statementsOf(m_db), "SELECT d, dt FROM t ORDER BY rowid", "T");
    ds.open();
    EXPECT_EQ(ds.field(0).asString(), "05.03.2021");
    EXPECT_TRUE(ds.field(0).holdsDate());
    EXPECT_EQ(ds.field(0).asDateTime(), (rtfengine::DateTime{2021, 3, 5, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(ds.field(0).asFloat(), 44260.0);
    EXPECT_EQ(ds.field(1).asDateTime(), (rtfengine::DateTime{2020, 12, 31, 23, 59, 58, 0}));
    EXPECT_EQ(ds.field(1).asString().rfind("31.12.2020", 0), 0u) << ds.field(1).asString();
    ds.next();
    // An empty date is no date at all.
    EXPECT_TRUE(ds.field(0).isNull());
    EXPECT_FALSE(ds.field(0).holdsDate());
    EXPECT_EQ(ds.field(0).asString(), "");
    EXPECT_TRUE(ds.field(1).isNull());
    ds.next();
    // Text that is no date is shown as stored rather than lost.
    EXPECT_EQ(ds.field(0).asString(), "someday");
    EXPECT_FALSE(ds.field(0).holdsDate());
    EXPECT_TRUE(ds.field(1).holdsDate());
    EXPECT_EQ(ds.field(1).asDateTime(), (rtfengine::DateTime{1999, 1, 2, 3, 4, 0, 0}));
}

TEST_F(SqlDatasetTest, BooleansReadTrueFalseAndNumbers) {
    exec("CREATE TABLE t (b BOOLEAN)");
    const struct {
        const char* stored;
        bool value;
    } cases[] = {{"'True'", true}, {"'False'", false}, {"'true'", true}, {"1", true},
                 {"0", false},     {"'1'", true},      {"'0'", false},   {"'no'", false}};
    for (const auto& c : cases)
        exec(QStringLiteral("INSERT INTO t VALUES (%1)").arg(QLatin1String(c.stored)));
    SqlDataset ds(store::statementsOf(m_db), "SELECT b FROM t ORDER BY rowid", "T");
    ds.open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        ASSERT_FALSE(ds.eof());
        EXPECT_EQ(ds.field(0).asBoolean(), c.value);
        EXPECT_EQ(ds.field(0).asString(), c.value ? "True" : "False");
        ds.next();
    }
    EXPECT_TRUE(ds.eof());
}

TEST_F(SqlDatasetTest, OtherFieldsKeepTextNumbersAndBytes) {
    exec("CREATE TABLE t (s TEXT, r REAL, i INTEGER, g GRAPHIC)");
    exec("INSERT INTO t VALUES ('Zürich', 2.5, 42, x'00FF10')");
    auto settings = rtfengine::FormatSettings::current();
    settings.decimalSeparator = ',';
    rtfengine::FormatSettings::setCurrent(settings);
    SqlDataset ds(store::statementsOf(m_db), "SELECT s, r, i, g FROM t", "T");
    ds.open();
    EXPECT_EQ(ds.field(0).asString(), "Zürich");
    EXPECT_EQ(ds.field(1).asString(), "2,5");
    EXPECT_DOUBLE_EQ(ds.field(1).asFloat(), 2.5);
    EXPECT_EQ(ds.field(2).asString(), "42");
    EXPECT_EQ(ds.field(3).asBytes(), std::string("\x00\xff\x10", 3));
}

// Numeric formats take a stored number as it is instead of reading its text back;
// both ways must give the same number, and text or dates must never count as numbers.
TEST_F(SqlDatasetTest, StoredNumbersAreTheNumbersTheirTextReads) {
    exec("CREATE TABLE t (v, d DATE)");
    exec("INSERT INTO t VALUES (1234.5, 1), (-0.0, 1), (1e20, 1), (1.5e-7, 1), (0.1 + 0.2, 1),"
         " (-79.19, 1), (9007199254740993, 1), (-42, 1), (100000.0, 1)");
    auto settings = rtfengine::FormatSettings::current();
    settings.decimalSeparator = ',';
    rtfengine::FormatSettings::setCurrent(settings);
    SqlDataset ds(store::statementsOf(m_db), "SELECT v, d FROM t ORDER BY rowid", "T");
    ds.open();
    for (; !ds.eof(); ds.next()) {
        const std::string text = ds.field(0).asString();
        SCOPED_TRACE(text);
        const std::optional<double> stored = ds.field(0).storedNumber();
        const std::optional<double> read = rtfengine::parseFloat(text);
        ASSERT_TRUE(stored && read);
        EXPECT_EQ(*stored, *read);
        EXPECT_EQ(std::signbit(*stored), std::signbit(*read));
        EXPECT_FALSE(ds.field(1).storedNumber()) << "a date field";
    }
    exec("DELETE FROM t");
    exec("INSERT INTO t VALUES ('12.5', 1), (NULL, 1), (x'31', 1), (9e999, 1)");
    ds.close();
    ds.open();
    for (; !ds.eof(); ds.next())
        EXPECT_FALSE(ds.field(0).storedNumber()) << ds.field(0).asString();
}

TEST_F(SqlDatasetTest, ParametersAreBoundAtOpen) {
    exec("CREATE TABLE t (s TEXT)");
    exec("INSERT INTO t VALUES ('row')");
    SqlDataset ds(store::statementsOf(m_db), "SELECT s FROM t WHERE :ShowItem = 1", "Q");
    EXPECT_TRUE(ds.hasParameter("ShowItem"));
    EXPECT_FALSE(ds.hasParameter("Other"));
    ds.setParameter("ShowItem", 0);
    ds.open();
    EXPECT_TRUE(ds.eof());
    ASSERT_EQ(ds.fieldCount(), 1);
    EXPECT_TRUE(ds.field(0).isNull());
    EXPECT_EQ(ds.field(0).asString(), "");

    // Changing the value affects the next opening, not the open result.
    ds.setParameter("ShowItem", 1);
    ds.open();
    EXPECT_TRUE(ds.eof());
    ds.close();
    ds.open();
    ASSERT_FALSE(ds.eof());
    EXPECT_EQ(ds.field(0).asString(), "row");
    EXPECT_EQ(ds.parameter("ShowItem"), 1);
}

TEST_F(SqlDatasetTest, FirstRestartsAndOpeningAgainKeepsThePosition) {
    exec("CREATE TABLE t (n INTEGER)");
    exec("INSERT INTO t VALUES (1), (2), (3)");
    SqlDataset ds(store::statementsOf(m_db), "SELECT n FROM t ORDER BY n", "T");
    EXPECT_TRUE(ds.eof());
    ds.open();
    EXPECT_TRUE(ds.isOpen());
    std::string seen;
    for (int pass = 0; pass < 2; ++pass) {
        for (ds.first(); !ds.eof(); ds.next())
            seen += ds.field(0).asString();
        ds.next(); // stays at the end
        EXPECT_TRUE(ds.eof());
    }
    EXPECT_EQ(seen, "123123");

    ds.first();
    ds.next();
    ds.open(); // already open: stays on the second row
    EXPECT_EQ(ds.field(0).asString(), "2");

    // Rows added since opening are seen when the query runs again.
    exec("INSERT INTO t VALUES (0)");
    ds.first();
    EXPECT_EQ(ds.field(0).asString(), "0");

    ds.close();
    EXPECT_FALSE(ds.isOpen());
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.fieldCount(), 0);
    EXPECT_THROW(ds.first(), store::EDatabaseError);
}

TEST_F(SqlDatasetTest, FailuresCarryTheDataLayersText) {
    SqlDataset missingTable(store::statementsOf(m_db), "SELECT x FROM nowhere", "T");
    try {
        missingTable.open();
        FAIL() << "opened a query on a missing table";
    } catch (const store::EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("nowhere"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(missingTable.isOpen());
}

TEST_F(SqlDatasetTest, ControlsNest) {
    SqlDataset ds(store::statementsOf(m_db), "SELECT 1", "T");
    EXPECT_FALSE(ds.controlsDisabled());
    ds.disableControls();
    ds.disableControls();
    ds.enableControls();
    EXPECT_TRUE(ds.controlsDisabled());
    ds.enableControls();
    EXPECT_FALSE(ds.controlsDisabled());
    EXPECT_EQ(ds.name(), "T");
}

TEST(StoredDateTime, ReadsDatesAndTimesBetweenBlanks) {
    using rtfengine::DateTime;
    const std::optional<DateTime> none;
    const struct {
        const char* text;
        std::optional<DateTime> expected;
    } cases[] = {
        {"2021-03-05", DateTime{2021, 3, 5, 0, 0, 0, 0}},
        {" 2021-3-5\t", DateTime{2021, 3, 5, 0, 0, 0, 0}},
        {"2020-12-31 23:59:58", DateTime{2020, 12, 31, 23, 59, 58, 0}},
        {"1999-01-02T03:04", DateTime{1999, 1, 2, 3, 4, 0, 0}},
        {"1999-01-02T3:04:05.5", DateTime{1999, 1, 2, 3, 4, 5, 500}},
        {"1999-01-02 03:04:05.123456", DateTime{1999, 1, 2, 3, 4, 5, 123}},
        {"2021-03-05 10:30 ", DateTime{2021, 3, 5, 10, 30, 0, 0}},
        {"2021-03-05 10:30:59.9 \n", DateTime{2021, 3, 5, 10, 30, 59, 900}},
        {"2020-02-29", DateTime{2020, 2, 29, 0, 0, 0, 0}},
        // Any Unicode space may surround the value.
        {"2021-03-05\u00a0", DateTime{2021, 3, 5, 0, 0, 0, 0}},
        {"\u20032021-03-05", DateTime{2021, 3, 5, 0, 0, 0, 0}},
        {"1999-01-02 03:04:05.", none},
        {"1999-01-02 03:04:", none},
        {"1999-01-02 03:4", none},
        {"1999-01-02 24:00", none},
        {"2021-02-29", none},
        {"0000-01-01", none},
        {"2021-03-051", none},
        {"21-03-05", none},
        {"2021/03/05", none},
        {"", none},
        {"someday", none},
        {"2021-03-05x", none},
        {"2021-03-05T", none},
        // Digits of other scripts are not read as a time of day.
        {"2021-03-05 \u0661\u0662:\u0663\u0664", none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        DateTime parsed{1, 2, 3, 4, 5, 6, 7};
        const DateTime untouched = parsed;
        EXPECT_EQ(store::parseStoredDateTime(std::string_view(c.text), parsed),
                  c.expected.has_value());
        EXPECT_EQ(parsed, c.expected.value_or(untouched));
    }
}

TEST_F(SqlDatasetTest, MalformedTextReadsAsTheSqlLayerReadsIt) {
    exec("CREATE TABLE t (s TEXT)");
    exec("INSERT INTO t VALUES (CAST(x'41C3A942FF43' AS TEXT))");
    QSqlQuery q(m_db);
    ASSERT_TRUE(q.exec("SELECT s FROM t") && q.next());
    const std::string expected = q.value(0).toString().toStdString();
    q.finish();
    SqlDataset ds(store::statementsOf(m_db), "SELECT s FROM t", "T");
    ds.open();
    EXPECT_EQ(ds.field(0).asString(), expected);
    EXPECT_EQ(ds.field(0).asString().substr(0, 4), "A\xc3\xa9"
                                                   "B");
}

TEST_F(SqlDatasetTest, ReopeningTheConnectionKeepsDatasetsUsable) {
    exec("CREATE TABLE t (n INTEGER)");
    exec("INSERT INTO t VALUES (7)");
    SqlDataset ds(store::statementsOf(m_db), "SELECT n FROM t WHERE :ShowItem = 1", "T");
    ds.setParameter("ShowItem", 1);
    ds.open();
    ASSERT_EQ(ds.field(0).asString(), "7");
    ds.close();
    // The connection goes away and comes back on another file, as Open does.
    m_db.close();
    m_db.setDatabaseName(m_dir.filePath(QStringLiteral("other.db")));
    ASSERT_TRUE(m_db.open());
    exec("CREATE TABLE t (n INTEGER)");
    exec("INSERT INTO t VALUES (8)");
    ds.open();
    ASSERT_FALSE(ds.eof());
    EXPECT_EQ(ds.field(0).asString(), "8");
    // Switching the parameter between close and open is seen by the next run.
    ds.close();
    ds.setParameter("ShowItem", 0);
    ds.open();
    EXPECT_TRUE(ds.eof());
}

TEST_F(SqlDatasetTest, ParameterNamesAreColonsFollowedByIdentifiers) {
    SqlDataset ds(store::statementsOf(m_db),
                  "SELECT :One, :two_2, ::x, ':q', :9no, :_u FROM (SELECT 1) WHERE :One = 1", "Q");
    for (const char* name : {"One", "two_2", "x", "q", "_u"})
        EXPECT_TRUE(ds.hasParameter(name)) << name;
    for (const char* name : {"9no", "one", ""})
        EXPECT_FALSE(ds.hasParameter(name)) << name;
}

TEST_F(SqlDatasetTest, ReopeningSeesColumnsTheTableGainedWhileClosed) {
    exec("CREATE TABLE t (a TEXT)");
    exec("INSERT INTO t VALUES ('x')");
    SqlDataset ds(store::statementsOf(m_db), "SELECT * FROM t", "T");
    ds.open();
    ASSERT_EQ(ds.fieldCount(), 1);
    ds.close();
    ds.open();
    ASSERT_EQ(ds.fieldCount(), 1);
    EXPECT_EQ(ds.field(0).name(), "a");
    ds.close();
    exec("ALTER TABLE t ADD COLUMN d DATE");
    exec("UPDATE t SET d = '2021-03-05'");
    ds.open();
    ASSERT_EQ(ds.fieldCount(), 2);
    EXPECT_EQ(ds.field(1).name(), "d");
    EXPECT_EQ(ds.field(1).kind(), FieldKind::Date);
    EXPECT_EQ(ds.field(1).asString(), "05.03.2021");
}

} // namespace
