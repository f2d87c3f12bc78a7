// Statements for the datasets, and résumé files opened straight on SQLite.
//
// A dataset only needs somewhere to compile its SQL. The desktop hands it the
// statements of its one shared connection; the command-line tool opens the file
// directly, so it starts without the desktop's libraries.
#pragma once

#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// A compiled statement. Its connection may finalize it (the desktop connection does
// so when it closes); statement() is null from then on.
class PreparedStatement {
public:
    virtual ~PreparedStatement() = default;
    virtual sqlite3_stmt* statement() const = 0;
};

class StatementSource {
public:
    virtual ~StatementSource() = default;
    // Compiles one statement; throws EDatabaseError with the data layer's text.
    virtual std::unique_ptr<PreparedStatement> prepare(const std::string& sql) = 0;
};

// A connection of its own on a database file.
class SqliteConnection final : public StatementSource {
public:
    // Takes over an open handle.
    explicit SqliteConnection(sqlite3* handle) : m_handle(handle) {}
    // Statements prepared here may outlive the connection: the handle is closed
    // once the last of them is finalized.
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return m_handle; }
    std::unique_ptr<PreparedStatement> prepare(const std::string& sql) override;

private:
    sqlite3* m_handle;
};

// How long a statement waits for another program's lock before it fails.
inline constexpr int kBusyTimeoutMs = 5000;

// Refuses a path with nothing at it or a folder at it (EDatabaseError), before
// anything could create a file there.
void checkResumePath(const std::string& path);

// The checks after a résumé file was opened on `handle`: that it is a database with
// tables whose pages are whole. Throws EDatabaseError naming `path`; on success the
// file is switched to a rollback journal, so a copy of it is always the whole résumé,
// and an older file gets the columns it lacks (addPaperSizeColumn).
void checkOpenedResume(sqlite3* handle, const std::string& path);

// Gives an older résumé's Configuration the column PaperSize, holding "Letter", in
// one transaction that changes nothing else. False when the file could not take it
// (read-only, locked by another program): it is then left exactly as it was, and
// everything that reads the paper treats the missing column as Letter.
bool addPaperSizeColumn(sqlite3* handle);

// Opens an existing résumé file for reading and writing with the checks above; never
// creates a file.
std::shared_ptr<SqliteConnection> openResumeFile(const std::string& path);

// Creates a blank résumé at path: every table, the one Configuration row and the
// initial sections. Refuses (EDatabaseError) when anything exists at path.
void createBlankResume(const std::string& path);

} // namespace store
