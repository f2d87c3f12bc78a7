#include "store/qt/TableCursor.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

using store::ECursorError;
using store::TableCursor;
using State = TableCursor::State;
using Mode = TableCursor::WriteMode;

// Readable failure messages for the Qt values the tests compare.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

void run(QSqlDatabase db, const QString& sql) {
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
}

QString name(const TableCursor& cursor) {
    return cursor.value("Name").toString();
}

// Walks the cursor from the first row; leaves it on the last.
QStringList shownNames(TableCursor& cursor) {
    QStringList names;
    cursor.first();
    while (!cursor.eof()) {
        names << name(cursor);
        cursor.next();
    }
    return names;
}

class TableCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_states.clear();
        static int serial = 0;
        ++serial;
        m_mainName = QStringLiteral("cursor-main-%1").arg(serial);
        m_otherName = QStringLiteral("cursor-other-%1").arg(serial);
        for (const QString& connection : {m_mainName, m_otherName}) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(m_dir.filePath(QStringLiteral("resume-%1.vcw").arg(serial)));
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        }
        run(main(), "CREATE TABLE Entries (id INTEGER PRIMARY KEY, Name TEXT, "
                    "Flag TEXT DEFAULT 'True', Kind TEXT DEFAULT 'Honor', "
                    "Amount INTEGER DEFAULT 7 CHECK (Amount >= 0), Since DATE)");
    }

    void TearDown() override {
        m_cursor.reset();
        for (const QString& connection : {m_mainName, m_otherName}) {
            QSqlDatabase::database(connection, false).close();
            QSqlDatabase::removeDatabase(connection);
        }
    }

    QSqlDatabase main() const { return QSqlDatabase::database(m_mainName, false); }
    QSqlDatabase other() const { return QSqlDatabase::database(m_otherName, false); }

    void seed(const QStringList& names) {
        for (const QString& entry : names)
            run(main(), QStringLiteral("INSERT INTO Entries (Name) VALUES ('%1')").arg(entry));
    }

    // What another connection finds in the file, in key order.
    QStringList storedNames() const {
        QSqlQuery query(other());
        EXPECT_TRUE(query.exec("SELECT Name FROM Entries ORDER BY id"));
        QStringList names;
        while (query.next())
            names << query.value(0).toString();
        return names;
    }

    TableCursor& open(Mode mode = Mode::Immediate, const QString& table = "Entries") {
        m_cursor = std::make_unique<TableCursor>(main(), table, mode);
        m_cursor->open();
        QObject::connect(m_cursor.get(), &TableCursor::stateChanged,
                         [this](State state) { m_states.push_back(state); });
        return *m_cursor;
    }

    QTemporaryDir m_dir;
    QString m_mainName;
    QString m_otherName;
    std::unique_ptr<TableCursor> m_cursor;
    std::vector<State> m_states; // state changes after open()
};

struct StateCase {
    const char* title;
    QStringList seed;
    std::function<void(TableCursor&)> act;
    State state;
    QString current; // Name of the current row
    int count;
    QStringList stored;
    std::vector<State> changes;
};

std::vector<StateCase> stateCases() {
    return {
        {"a field change enters edit",
         {"a", "b"},
         [](TableCursor& c) { c.setValue("Name", "x"); },
         State::Edit,
         "x",
         2,
         {"a", "b"},
         {State::Edit}},
        {"post writes the edit",
         {"a"},
         [](TableCursor& c) {
             c.setValue("name", "x");
             c.post();
         },
         State::Browse,
         "x",
         1,
         {"x"},
         {State::Edit, State::Browse}},
        {"insert then post appends",
         {"a"},
         [](TableCursor& c) {
             c.insert();
             c.setValue("Name", "n");
             c.post();
         },
         State::Browse,
         "n",
         2,
         {"a", "n"},
         {State::Insert, State::Browse}},
        {"cancel restores the old values",
         {"a"},
         [](TableCursor& c) {
             c.setValue("Name", "x");
             c.cancel();
         },
         State::Browse,
         "a",
         1,
         {"a"},
         {State::Edit, State::Browse}},
        {"cancel of an insert returns to the row before",
         {"a", "b", "c"},
         [](TableCursor& c) {
             c.next();
             c.insert();
             c.setValue("Name", "n");
             c.cancel();
         },
         State::Browse,
         "b",
         3,
         {"a", "b", "c"},
         {State::Insert, State::Browse}},
        {"delete the only row",
         {"a"},
         [](TableCursor& c) { c.deleteRecord(); },
         State::Browse,
         "",
         0,
         {},
         {}},
        {"delete while inserting discards the new row",
         {"a"},
         [](TableCursor& c) {
             c.insert();
             c.setValue("Name", "n");
             c.deleteRecord();
         },
         State::Browse,
         "a",
         1,
         {"a"},
         {State::Insert, State::Browse}},
        {"delete while editing drops the edit and the row",
         {"a", "b"},
         [](TableCursor& c) {
             c.setValue("Name", "x");
             c.deleteRecord();
         },
         State::Browse,
         "b",
         1,
         {"b"},
         {State::Edit, State::Browse}},
        {"the first change on an empty table inserts",
         {},
         [](TableCursor& c) { c.setValue("Name", "n"); },
         State::Insert,
         "n",
         1,
         {},
         {State::Insert}},
        {"moving posts the edit",
         {"a", "b"},
         [](TableCursor& c) {
             c.setValue("Name", "x");
             c.next();
         },
         State::Browse,
         "b",
         2,
         {"x", "b"},
         {State::Edit, State::Browse}},
        {"close discards the unposted edit",
         {"a"},
         [](TableCursor& c) {
             c.setValue("Name", "x");
             c.close();
         },
         State::Inactive,
         "",
         0,
         {"a"},
         {State::Edit, State::Inactive}},
    };
}

void PrintTo(const StateCase& test, std::ostream* out) {
    *out << test.title;
}

class StateTransitionTest : public TableCursorTest,
                            public ::testing::WithParamInterface<StateCase> {};

TEST_P(StateTransitionTest, EndsInTheStateItShows) {
    const StateCase& test = GetParam();
    seed(test.seed);
    TableCursor& cursor = open();
    test.act(cursor);
    EXPECT_EQ(cursor.state(), test.state);
    EXPECT_EQ(name(cursor), test.current);
    EXPECT_EQ(cursor.recordCount(), test.count);
    EXPECT_EQ(storedNames(), test.stored);
    EXPECT_EQ(m_states, test.changes);
}

INSTANTIATE_TEST_SUITE_P(TableCursorTest, StateTransitionTest, ::testing::ValuesIn(stateCases()));

using Move = bool (TableCursor::*)();

struct NavigationCase {
    QStringList seed;
    std::vector<Move> moves;
    QString current;
    bool bof;
    bool eof;
};

std::vector<NavigationCase> navigationCases() {
    const QStringList abc{"a", "b", "c"};
    return {
        {abc, {}, "a", true, false},
        {abc, {&TableCursor::next}, "b", false, false},
        {abc, {&TableCursor::last}, "c", false, true},
        {abc, {&TableCursor::last, &TableCursor::next}, "c", false, true},
        {abc, {&TableCursor::next, &TableCursor::next, &TableCursor::next}, "c", false, true},
        {abc, {&TableCursor::first, &TableCursor::prior}, "a", true, false},
        {abc, {&TableCursor::last, &TableCursor::prior}, "b", false, false},
        {abc, {&TableCursor::next, &TableCursor::first}, "a", true, false},
        {{"a"}, {&TableCursor::next}, "a", true, true},
        {{}, {}, "", true, true},
        {{}, {&TableCursor::last, &TableCursor::prior}, "", true, true},
    };
}

void PrintTo(const NavigationCase& test, std::ostream* out) {
    *out << test.seed.join(',').toStdString() << " after " << test.moves.size() << " moves";
}

class NavigationTest : public TableCursorTest,
                       public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(NavigationTest, StopsAtTheEnds) {
    const NavigationCase& test = GetParam();
    seed(test.seed);
    TableCursor& cursor = open();
    for (Move move : test.moves)
        EXPECT_TRUE((cursor.*move)());
    EXPECT_EQ(name(cursor), test.current);
    EXPECT_EQ(cursor.bof(), test.bof);
    EXPECT_EQ(cursor.eof(), test.eof);
}

INSTANTIATE_TEST_SUITE_P(TableCursorTest, NavigationTest, ::testing::ValuesIn(navigationCases()));

TEST_F(TableCursorTest, RowsComeInKeyOrder) {
    run(main(), "INSERT INTO Entries (id, Name) VALUES (3, 'c'), (1, 'a'), (2, 'b')");
    EXPECT_EQ(shownNames(open()), (QStringList{"a", "b", "c"}));
}

TEST_F(TableCursorTest, InsertShowsTheColumnDefaultsAtOnce) {
    TableCursor& cursor = open();
    int shown = 0;
    QObject::connect(&cursor, &TableCursor::currentChanged, [&] {
        ++shown;
        EXPECT_EQ(cursor.value("Flag").toString(), "True");
    });
    cursor.insert();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(cursor.value("Kind").toString(), "Honor");
    EXPECT_EQ(cursor.value("Amount").toInt(), 7);
    EXPECT_TRUE(cursor.value("Name").isNull());

    ASSERT_TRUE(cursor.post());
    QSqlQuery query(other());
    ASSERT_TRUE(query.exec("SELECT Name, Flag, Kind, Amount FROM Entries"));
    ASSERT_TRUE(query.next());
    EXPECT_TRUE(query.isNull(0));
    EXPECT_EQ(query.value(1).toString(), "True");
    EXPECT_EQ(query.value(2).toString(), "Honor");
    EXPECT_EQ(query.value(3).toInt(), 7);
}

TEST_F(TableCursorTest, ImmediateModeWritesEachPostAndDeletionAtOnce) {
    seed({"a", "b"});
    TableCursor& cursor = open(Mode::Immediate);
    cursor.setValue("Name", "x");
    cursor.next();
    EXPECT_EQ(storedNames(), (QStringList{"x", "b"}));
    cursor.deleteRecord();
    EXPECT_EQ(storedNames(), (QStringList{"x"}));
    cursor.insert();
    cursor.setValue("Name", "n");
    EXPECT_EQ(storedNames(), (QStringList{"x"}));
    cursor.post();
    EXPECT_EQ(storedNames(), (QStringList{"x", "n"}));
    EXPECT_FALSE(cursor.updatesPending());
}

// Edits row a, deletes row b and appends row n: all held in deferred mode.
void makeHeldChanges(TableCursor& cursor) {
    cursor.setValue("Name", "x");
    cursor.next();
    cursor.deleteRecord();
    cursor.insert();
    cursor.setValue("Name", "n");
    cursor.post();
}

TEST_F(TableCursorTest, DeferredModeHoldsChangesUntilApply) {
    seed({"a", "b"});
    TableCursor& cursor = open(Mode::Deferred);
    makeHeldChanges(cursor);
    EXPECT_TRUE(cursor.updatesPending());
    EXPECT_EQ(storedNames(), (QStringList{"a", "b"}));
    EXPECT_EQ(shownNames(cursor), (QStringList{"x", "n"}));

    ASSERT_TRUE(cursor.apply());
    EXPECT_FALSE(cursor.updatesPending());
    EXPECT_EQ(storedNames(), (QStringList{"x", "n"}));
    EXPECT_EQ(shownNames(cursor), (QStringList{"x", "n"}));
}

TEST_F(TableCursorTest, ApplyPostsTheRowBeingEdited) {
    seed({"a"});
    TableCursor& cursor = open(Mode::Deferred);
    cursor.insert();
    cursor.setValue("Name", "n");
    EXPECT_FALSE(cursor.updatesPending()); // not posted yet
    ASSERT_TRUE(cursor.apply());
    EXPECT_EQ(cursor.state(), State::Browse);
    EXPECT_EQ(storedNames(), (QStringList{"a", "n"}));
}

struct DiscardCase {
    const char* title;
    std::function<void(TableCursor&)> discard;
};

void PrintTo(const DiscardCase& test, std::ostream* out) {
    *out << test.title;
}

class DiscardTest : public TableCursorTest, public ::testing::WithParamInterface<DiscardCase> {};

TEST_P(DiscardTest, DropsTheHeldBatch) {
    seed({"a", "b"});
    TableCursor& cursor = open(Mode::Deferred);
    makeHeldChanges(cursor);
    GetParam().discard(cursor);
    EXPECT_EQ(cursor.state(), State::Browse);
    EXPECT_FALSE(cursor.updatesPending());
    EXPECT_EQ(shownNames(cursor), (QStringList{"a", "b"}));
    EXPECT_EQ(storedNames(), (QStringList{"a", "b"}));
}

INSTANTIATE_TEST_SUITE_P(TableCursorTest, DiscardTest,
                         ::testing::Values(DiscardCase{"cancelUpdates",
                                                       [](TableCursor& c) { c.cancelUpdates(); }},
                                           DiscardCase{"close and reopen", [](TableCursor& c) {
                                                           c.close();
                                                           c.open();
                                                       }}));

TEST_F(TableCursorTest, FailedApplyWritesNothingAndKeepsTheChangesHeld) {
    seed({"a"});
    TableCursor& cursor = open(Mode::Deferred);
    cursor.deleteRecord();
    cursor.insert();
    cursor.setValue("Name", "n");
    cursor.insert();
    cursor.setValue("Name", "bad");
    cursor.setValue("Amount", -1);
    cursor.post();

    try {
        cursor.apply();
        FAIL() << "apply() accepted a row the table rejects";
    } catch (const ECursorError& error) {
        EXPECT_NE(std::string(error.what()).find("CHECK constraint failed"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(storedNames(), (QStringList{"a"}));
    EXPECT_TRUE(cursor.updatesPending());

    cursor.setValue("Amount", 1);
    ASSERT_TRUE(cursor.apply());
    EXPECT_EQ(storedNames(), (QStringList{"n", "bad"}));
}

TEST_F(TableCursorTest, BeforePostCanRefuseThePost) {
    seed({"a", "b"});
    TableCursor& cursor = open();
    int asked = 0;
    QObject::connect(&cursor, &TableCursor::beforePost, [&] {
        ++asked;
        if (cursor.value("Name").toString().isEmpty())
            cursor.abortPost();
    });

    cursor.setValue("Name", "");
    EXPECT_FALSE(cursor.post());
    EXPECT_FALSE(cursor.next());
    EXPECT_FALSE(cursor.insert());
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(cursor.state(), State::Edit);
    EXPECT_EQ(cursor.recNo(), 0);
    EXPECT_EQ(cursor.recordCount(), 2);
    EXPECT_EQ(storedNames(), (QStringList{"a", "b"}));

    cursor.setValue("Name", "ok");
    EXPECT_TRUE(cursor.post());
    EXPECT_EQ(storedNames(), (QStringList{"ok", "b"}));
    EXPECT_THROW(cursor.abortPost(), std::logic_error);
}

TEST_F(TableCursorTest, DataLayerFailuresRaiseWithTheDriverText) {
    struct Case {
        const char* title;
        std::function<void()> act;
        const char* text;
    };
    seed({"a"});
    TableCursor missing(main(), "NoSuchTable");
    TableCursor& cursor = open();
    const std::vector<Case> cases = {
        {"missing table", [&] { missing.open(); }, "no such table: NoSuchTable"},
        {"unknown field", [&] { cursor.setValue("Nope", 1); }, "Nope"},
        {"rejected value",
         [&] {
             cursor.setValue("Amount", -5);
             cursor.post();
         },
         "CHECK constraint failed"},
        {"closed table", [&] { missing.setValue("Name", "x"); }, "closed table NoSuchTable"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        try {
            test.act();
            ADD_FAILURE() << "no exception";
        } catch (const ECursorError& error) {
            EXPECT_NE(std::string(error.what()).find(test.text), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(missing.state(), State::Inactive);
    // The rejected row stays in edit state with the user's value, nothing lost.
    EXPECT_EQ(cursor.state(), State::Edit);
    EXPECT_EQ(cursor.value("Amount").toInt(), -5);
}

class PostTest : public TableCursorTest, public ::testing::WithParamInterface<Mode> {};

TEST_P(PostTest, WritesOnlyTheChangedColumns) {
    seed({"a"});
    TableCursor& cursor = open(GetParam());
    run(other(), "UPDATE Entries SET Kind = 'Award'");
    cursor.setValue("Name", "x");
    ASSERT_TRUE(cursor.apply());
    QSqlQuery query(other());
    ASSERT_TRUE(query.exec("SELECT Name, Kind FROM Entries"));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toString(), "x");
    EXPECT_EQ(query.value(1).toString(), "Award");
    EXPECT_EQ(cursor.value("Kind").toString(), "Award"); // the posted row is re-read
}

INSTANTIATE_TEST_SUITE_P(TableCursorTest, PostTest,
                         ::testing::Values(Mode::Immediate, Mode::Deferred),
                         [](const ::testing::TestParamInfo<Mode>& info) {
                             return info.param == Mode::Immediate ? "Immediate" : "Deferred";
                         });

TEST_F(TableCursorTest, PostOfARowDeletedMeanwhileFails) {
    seed({"a"});
    TableCursor& cursor = open();
    cursor.setValue("Name", "x");
    run(other(), "DELETE FROM Entries");
    EXPECT_THROW(cursor.post(), ECursorError);
    EXPECT_EQ(cursor.state(), State::Edit);
}

TEST_F(TableCursorTest, RefreshRereadsAndKeepsTheCurrentRow) {
    seed({"a", "b", "c"});
    TableCursor& cursor = open();
    cursor.next();
    run(other(), "UPDATE Entries SET Name = 'B' WHERE Name = 'b'");
    run(other(), "DELETE FROM Entries WHERE Name = 'a'");
    ASSERT_TRUE(cursor.refresh());
    EXPECT_EQ(name(cursor), "B");
    EXPECT_EQ(cursor.recNo(), 0);
    EXPECT_EQ(cursor.recordCount(), 2);
}

TEST_F(TableCursorTest, RefreshInDeferredModeKeepsTheHeldChanges) {
    seed({"a", "b", "c"});
    TableCursor& cursor = open(Mode::Deferred);
    cursor.setValue("Name", "x");
    cursor.last();
    cursor.deleteRecord();
    run(other(), "UPDATE Entries SET Name = 'B', Kind = 'Award' WHERE Name = 'b'");
    run(other(), "UPDATE Entries SET Kind = 'Award' WHERE Name = 'a'");
    ASSERT_TRUE(cursor.refresh());
    EXPECT_EQ(shownNames(cursor), (QStringList{"x", "B"}));
    cursor.first();
    EXPECT_EQ(cursor.value("Kind").toString(), "Award"); // unheld column re-read
    ASSERT_TRUE(cursor.apply());
    EXPECT_EQ(storedNames(), (QStringList{"x", "B"}));
}

TEST_F(TableCursorTest, NotifiesBoundWidgets) {
    seed({"a", "b"});
    TableCursor cursor(main(), "entries");
    std::vector<QString> events;
    QObject::connect(&cursor, &TableCursor::afterOpen, [&] { events.push_back("open"); });
    QObject::connect(&cursor, &TableCursor::currentChanged, [&] { events.push_back("row"); });
    QObject::connect(&cursor, &TableCursor::fieldChanged,
                     [&](const QString& field) { events.push_back("field " + field); });
    cursor.open();
    cursor.open();
    cursor.next();
    cursor.setValue("NAME", "x");
    EXPECT_EQ(events, (std::vector<QString>{"row", "open", "row", "field Name"}));
    EXPECT_EQ(cursor.state(), State::Edit);
}

} // namespace
