#include "store/SqliteConnection.h"

#include "store/SchemaSql.h"
#include "store/SqlText.h"
#include "store/StoreError.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

class OwnStatement final : public PreparedStatement {
public:
    explicit OwnStatement(sqlite3_stmt* statement) : m_statement(statement) {}
    ~OwnStatement() override { sqlite3_finalize(m_statement); }
    sqlite3_stmt* statement() const override { return m_statement; }

private:
    sqlite3_stmt* m_statement;
};

// Runs a statement that yields one text value. False, with the data layer's text in
// `failure`, when it cannot run or gives no value.
bool singleValue(sqlite3* handle, const char* sql, std::string& value, std::string& failure) {
    sqlite3_stmt* statement = nullptr;
    int result = sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr);
    if (result == SQLITE_OK)
        result = sqlite3_step(statement);
    if (result == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        value = text ? text : "";
    } else {
        failure = result == SQLITE_DONE ? std::string("No answer to ") + sql
                                        : std::string(sqlite3_errmsg(handle));
    }
    sqlite3_finalize(statement);
    return result == SQLITE_ROW;
}

bool hasColumn(sqlite3* handle, const char* table, const char* column, bool& tableExists) {
    sqlite3_stmt* statement = nullptr;
    const std::string sql = std::string("PRAGMA table_info(") + table + ")";
    bool found = false;
    tableExists = false;
    if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            tableExists = true;
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
            found = found || (name && sqlite3_stricmp(name, column) == 0);
        }
    }
    sqlite3_finalize(statement);
    return found;
}

} // namespace

bool addPaperSizeColumn(sqlite3* handle) {
    bool tableExists = false;
    if (hasColumn(handle, "Configuration", "PaperSize", tableExists) || !tableExists)
        return true;
    // Such a file was made before a résumé had a paper of its own, and every document
    // of it came out on Letter: so it stays.
    const char* const steps[] = {
        "BEGIN IMMEDIATE",
        "ALTER TABLE Configuration ADD COLUMN PaperSize TEXT",
        "UPDATE Configuration SET PaperSize = 'Letter'",
        "COMMIT",
    };
    for (const char* step : steps) {
        if (sqlite3_exec(handle, step, nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
            return false;
        }
    }
    return true;
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close_v2(m_handle);
}

std::unique_ptr<PreparedStatement> SqliteConnection::prepare(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_handle, sql.c_str(), static_cast<int>(sql.size()) + 1, &statement,
                           &tail) != SQLITE_OK) {
        sqlite3_finalize(statement);
        throw EDatabaseError(std::string(sqlite3_errmsg(m_handle)) +
                             " Unable to execute statement");
    }
    auto prepared = std::make_unique<OwnStatement>(statement);
    // A dataset is one query: a second statement after it would be silently dropped.
    for (; tail && *tail; ++tail)
        if (!isAsciiSpace(*tail))
            throw EDatabaseError("Unable to execute multiple statements at a time");
    if (!statement)
        throw EDatabaseError("The statement is empty");
    return prepared;
}

void checkResumePath(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        throw EDatabaseError("Could not find file '" + path + "'.");
    if (S_ISDIR(info.st_mode))
        throw EDatabaseError("'" + path + "' is a folder, not a resume database.");
}

void checkOpenedResume(sqlite3* handle, const std::string& path) {
    // Opening is lazy: reading the schema is what tells a database from any file, and
    // a quick check of every page finds a file cut short before a query trips on it.
    // SQLite reads an empty file as an empty database; no résumé is without tables,
    // so such a file is refused rather than left for a later write to fill.
    std::string value;
    std::string failure;
    if (singleValue(handle, "SELECT count(*) FROM sqlite_master", value, failure)) {
        if (value == "0")
            failure = "The file holds no tables, it is not a resume database";
        else if (singleValue(handle, "PRAGMA quick_check(1)", value, failure) && value != "ok")
            failure = value;
    }
    if (!failure.empty())
        throw EDatabaseError(failure + ": '" + path + "'");
    sqlite3_exec(handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    addPaperSizeColumn(handle);
}

std::shared_ptr<SqliteConnection> openResumeFile(const std::string& path) {
    checkResumePath(path);
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(path.c_str(), &handle,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = handle ? sqlite3_errmsg(handle) : "out of memory";
        sqlite3_close(handle);
        throw EDatabaseError(message + " Error opening database");
    }
    auto connection = std::make_shared<SqliteConnection>(handle);
    sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    checkOpenedResume(handle, path);
    return connection;
}

void createBlankResume(const std::string& path) {
    // O_EXCL makes the refusal to overwrite atomic; an empty file is a valid,
    // empty SQLite database that the script then fills.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            throw EDatabaseError("The file '" + path + "' already exists; it was not overwritten.");
        throw EDatabaseError("Cannot create '" + path + "': " + std::strerror(errno));
    }
    ::close(fd);

    sqlite3* handle = nullptr;
    std::string failure;
    if (sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        failure = handle ? sqlite3_errmsg(handle) : "out of memory";
    } else {
        char* message = nullptr;
        if (sqlite3_exec(handle, kSchemaSql, nullptr, nullptr, &message) != SQLITE_OK) {
            failure = message ? message : sqlite3_errmsg(handle);
            sqlite3_free(message);
        }
    }
    sqlite3_close(handle);
    if (!failure.empty()) {
        std::remove(path.c_str());
        throw EDatabaseError("Cannot create '" + path + "': " + failure);
    }
}

} // namespace store
