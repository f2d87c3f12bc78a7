// Résumé files that are damaged or not résumés at all: opening them fails with the
// data layer's error and leaves the disk exactly as it was.
#include "store/StoreError.h"
#include "store/TDM.h"
#include "store/qt/Connection.h"
#include "store/qt/TableCursor.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Everything in a folder (one level down too): names, bytes and modification times.
using Snapshot = std::map<std::string, std::string>;

Snapshot snapshot(const fs::path& folder) {
    Snapshot result;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        struct stat st {};
        ::stat(entry.path().c_str(), &st);
        std::ostringstream state;
        state << st.st_mode << ' ' << st.st_mtim.tv_sec << '.' << st.st_mtim.tv_nsec << ' ';
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            state << in.rdbuf();
        }
        result[entry.path().string()] = state.str();
    }
    return result;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// Runs statements on a file through SQLite directly, creating it when missing.
void sqliteExec(const fs::path& path, const char* sql) {
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &handle), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(handle);
}

class DamagedResumeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path().toStdString();
        m_db = store::connection(QStringLiteral("damaged-test"));
    }
    void TearDown() override {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("damaged-test"));
    }

    // A résumé with enough entries to fill several pages of its file.
    fs::path fullResume(const std::string& name) {
        const fs::path path = m_folder / name;
        store::createBlankResume(QString::fromStdString(path.string()));
        std::string sql = "BEGIN;";
        for (int i = 0; i < 200; ++i) {
            sql += "INSERT INTO Skills (skill, comments) VALUES ('skill " + std::to_string(i) +
                   "', '" + std::string(200, 'c') + "');";
        }
        sql += "COMMIT;";
        sqliteExec(path, sql.c_str());
        return path;
    }

    QTemporaryDir m_dir;
    fs::path m_folder;
    QSqlDatabase m_db;
};

TEST_F(DamagedResumeTest, OpeningFailsWithTheDataLayersErrorAndTouchesNothing) {
    const struct {
        const char* name;
        std::function<fs::path()> make;
        const char* message;
    } cases[] = {
        {"empty file",
         [&] {
             writeBytes(m_folder / "empty.vcw", "");
             return m_folder / "empty.vcw";
         },
         "no tables"},
        {"empty database without a single table",
         [&] {
             sqliteExec(m_folder / "bare.vcw", "PRAGMA user_version = 7;");
             return m_folder / "bare.vcw";
         },
         "no tables"},
        {"cut to half its length",
         [&] {
             const fs::path path = fullResume("half.vcw");
             fs::resize_file(path, fs::file_size(path) / 2);
             return path;
         },
         "malformed"},
        {"cut inside its header",
         [&] {
             const fs::path path = fullResume("header.vcw");
             fs::resize_file(path, 60);
             return path;
         },
         "malformed"},
        {"text, not a database",
         [&] {
             writeBytes(m_folder / "notes.vcw", std::string(3000, 'x'));
             return m_folder / "notes.vcw";
         },
         "not a database"},
        {"a folder",
         [&] {
             fs::create_directory(m_folder / "folder.vcw");
             return m_folder / "folder.vcw";
         },
         "folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = c.make();
        const Snapshot before = snapshot(m_folder);
        try {
            store::openResume(m_db, QString::fromStdString(path.string()));
            ADD_FAILURE() << "opened";
        } catch (const store::EDatabaseError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        }
        EXPECT_FALSE(m_db.isOpen());
        EXPECT_EQ(snapshot(m_folder), before);
    }
}

// Another program's database opens, as the program checks no schema; the first
// use of a résumé table fails with the data layer's error and writes nothing.
TEST_F(DamagedResumeTest, ADatabaseWithoutTheResumeTablesFailsAtFirstUse) {
    const fs::path path = m_folder / "other.vcw";
    sqliteExec(path, "CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('kept');");
    const Snapshot before = snapshot(m_folder);

    store::openResume(m_db, QString::fromStdString(path.string()));
    store::TDM dm(store::statementsOf(m_db));
    try {
        dm.openForGeneration();
        ADD_FAILURE() << "generation datasets opened";
    } catch (const store::EDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
    }
    store::TableCursor cursor(m_db, QStringLiteral("ContactInfo"));
    EXPECT_THROW(cursor.open(), store::ECursorError);
    m_db.close();
    EXPECT_EQ(snapshot(m_folder), before);
}

// A file the user may read but not write: reading works, the first write fails with
// the data layer's error, and the file stays as it was. Run by an unprivileged child
// when the tests run as root, whom file permissions do not stop.
TEST_F(DamagedResumeTest, AReadOnlyResumeReadsButRefusesWrites) {
    const fs::path path = fullResume("readonly.vcw");
    fs::permissions(m_folder, fs::perms(0755));
    fs::permissions(path, fs::perms(0444));
    const Snapshot before = snapshot(m_folder);

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(10);
        }
        int code = 0;
        {
            QSqlDatabase db = store::connection(QStringLiteral("damaged-readonly"));
            try {
                store::openResume(db, QString::fromStdString(path.string()));
                QSqlQuery count(db);
                if (!count.exec("SELECT count(*) FROM Skills") || !count.next() ||
                    count.value(0).toInt() != 200) {
                    code = 11;
                }
                store::TableCursor cursor(db, QStringLiteral("Skills"));
                cursor.open();
                cursor.insert();
                cursor.setValue(QStringLiteral("skill"), QStringLiteral("new"));
                cursor.post();
                code = 12; // the write went through
            } catch (const store::ECursorError& e) {
                if (code == 0 && std::string(e.what()).find("readonly") == std::string::npos) {
                    code = 13;
                }
            } catch (const std::exception&) {
                code = 14;
            }
            db.close();
        }
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 no privileges dropped, 11 read failed, 12 write "
                                         "succeeded, 13 other cursor error, 14 other failure";
    EXPECT_EQ(snapshot(m_folder), before);
}

} // namespace
