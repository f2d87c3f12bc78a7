// A résumé file made before résumés had a paper size gets the column when it is
// opened, by either way the program opens files, and nothing else in it changes.
#include "store/SqliteConnection.h"
#include "store/StoreError.h"
#include "store/qt/Connection.h"
#include "support/Files.h"

#include <QSqlDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;
using Snapshot = std::map<std::string, Rows>;

void exec(sqlite3* handle, const std::string& sql) {
    char* message = nullptr;
    const int result = sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, &message);
    EXPECT_EQ(result, SQLITE_OK) << sql << ": " << (message ? message : "");
    sqlite3_free(message);
}

// Each row of `sql` as one text, its columns joined; NULL shows as "<null>".
Rows rows(sqlite3* handle, const std::string& sql) {
    Rows result;
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            row += std::string(sqlite3_column_name(statement, i)) + '=' + (text ? text : "<null>") +
                   '|';
        }
        result.push_back(row);
    }
    sqlite3_finalize(statement);
    return result;
}

// Every table's definition and rows, the paper size column left out.
Snapshot snapshot(const std::string& path) {
    sqlite3* handle = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    Snapshot tables;
    for (const std::string& name :
         rows(handle, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
        const std::string table = name.substr(5, name.size() - 6); // "name=...|"
        tables[table] = rows(handle, "SELECT * FROM " + table + " ORDER BY rowid");
        if (table != "Configuration")
            tables[table].push_back(
                rows(handle, "SELECT sql FROM sqlite_master WHERE name = '" + table + "'").front());
    }
    for (std::string& row : tables["Configuration"]) {
        const size_t at = row.find("PaperSize=");
        if (at != std::string::npos)
            row.erase(at, row.find('|', at) - at + 1);
    }
    sqlite3_close(handle);
    return tables;
}

class PaperSizeMigrationTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("older.vcw").toStdString();
        store::createBlankResume(m_path);
        sqlite3* handle = nullptr;
        ASSERT_EQ(sqlite3_open_v2(m_path.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        exec(handle, "UPDATE Configuration SET Template = 'Classic Resume', HeadingFontSize = 30");
        exec(handle, "UPDATE ContactInfo SET FirstName = 'Ada', LastName = 'Byron'");
        exec(handle, "INSERT INTO Skills (skill, comments) VALUES ('Analysis', 'engines')");
        exec(handle, "DELETE FROM DisplayedOrder WHERE Section = 'Skills'");
        exec(handle, "ALTER TABLE Configuration DROP COLUMN PaperSize");
        sqlite3_close(handle);
    }

    QTemporaryDir m_dir;
    std::string m_path;
};

// The two ways a file is opened: the command-line tool's own connection, the
// desktop's shared one.
const struct {
    const char* name;
    std::function<void(const std::string&)> open;
} kOpeners[] = {
    {"openResumeFile", [](const std::string& path) { store::openResumeFile(path); }},
    {"openResume",
     [](const std::string& path) {
         QSqlDatabase db = store::connection(QStringLiteral("migration-test"));
         store::openResume(db, QString::fromStdString(path));
         db.close();
     }},
};

TEST_F(PaperSizeMigrationTest, OpeningAddsTheColumnOnLetterAndChangesNothingElse) {
    const Snapshot before = snapshot(m_path);
    ASSERT_EQ(before.count("Configuration"), 1u);
    ASSERT_EQ(before.at("Configuration").front().find("PaperSize"), std::string::npos);
    for (const auto& opener : kOpeners) {
        SCOPED_TRACE(opener.name);
        const std::string copy = m_dir.filePath(opener.name).toStdString();
        ASSERT_TRUE(testsupport::writeFile(copy, testsupport::readFile(m_path)));
        opener.open(copy);
        EXPECT_EQ(snapshot(copy), before);
        sqlite3* handle = nullptr;
        ASSERT_EQ(sqlite3_open_v2(copy.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        // Every document of such a file came out on Letter, so it stays on Letter.
        EXPECT_EQ(rows(handle, "SELECT PaperSize FROM Configuration"), Rows{"PaperSize=Letter|"});
        sqlite3_close(handle);
        // Opened again, the file is left as it is.
        const std::string migrated = testsupport::readFile(copy);
        opener.open(copy);
        EXPECT_EQ(testsupport::readFile(copy), migrated);
    }
}

TEST_F(PaperSizeMigrationTest, AFileThatCannotTakeTheColumnIsLeftAsItWasAndStillOpens) {
    const std::string bytes = testsupport::readFile(m_path);
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open_v2(m_path.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_FALSE(store::addPaperSizeColumn(handle));
    EXPECT_NO_THROW(store::checkOpenedResume(handle, m_path));
    EXPECT_EQ(rows(handle, "SELECT FirstName FROM ContactInfo"), Rows{"FirstName=Ada|"});
    sqlite3_close(handle);
    EXPECT_EQ(testsupport::readFile(m_path), bytes);
}

TEST_F(PaperSizeMigrationTest, AFileWithTheColumnKeepsItsChoice) {
    store::openResumeFile(m_path);
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open_v2(m_path.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    exec(handle, "UPDATE Configuration SET PaperSize = 'A4'");
    EXPECT_TRUE(store::addPaperSizeColumn(handle));
    EXPECT_EQ(rows(handle, "SELECT PaperSize FROM Configuration"), Rows{"PaperSize=A4|"});
    sqlite3_close(handle);
}

} // namespace
