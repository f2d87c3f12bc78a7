#include "store/ResumeTables.h"

#include "store/SqliteConnection.h"
#include "store/StoreError.h"

#include <sqlite3.h>

#include <algorithm>

namespace store {

const char* const kSectionIdentifiers[13] = {
    "Objective",
    "Summary",
    "Personal",
    "Keywords",
    "Employment History",
    "Educational History",
    "Skills",
    "Honors",
    "Awards",
    "Achievements",
    "Organizations",
    "Professional References",
    "Personal References",
};

namespace {

// Statements on a handle that someone else owns and closes.
class BorrowedStatements final : public StatementSource {
public:
    explicit BorrowedStatements(sqlite3* handle) : m_handle(handle) {}
    std::unique_ptr<PreparedStatement> prepare(const std::string& sql) override {
        class Statement final : public PreparedStatement {
        public:
            explicit Statement(sqlite3_stmt* statement) : m_statement(statement) {}
            ~Statement() override { sqlite3_finalize(m_statement); }
            sqlite3_stmt* statement() const override { return m_statement; }

        private:
            sqlite3_stmt* m_statement;
        };
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_handle, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement);
            throw EDatabaseError(std::string(sqlite3_errmsg(m_handle)));
        }
        return std::make_unique<Statement>(statement);
    }

private:
    sqlite3* m_handle;
};

std::string columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)))
                : std::string();
}

// Every row of a table in rowid order, NULL columns and the key left out.
std::vector<Row> readRows(StatementSource& db, const std::string& table) {
    const auto prepared = db.prepare("SELECT * FROM \"" + table + "\" ORDER BY rowid");
    sqlite3_stmt* statement = prepared->statement();
    std::vector<Row> rows;
    int result;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const std::string name = sqlite3_column_name(statement, i);
            if (name != "ID" && sqlite3_column_type(statement, i) != SQLITE_NULL)
                row[name] = columnText(statement, i);
        }
        rows.push_back(std::move(row));
    }
    if (result != SQLITE_DONE)
        throw EDatabaseError(std::string(sqlite3_errmsg(sqlite3_db_handle(statement))));
    return rows;
}

Row firstRow(StatementSource& db, const std::string& table) {
    std::vector<Row> rows = readRows(db, table);
    return rows.empty() ? Row() : std::move(rows.front());
}

std::vector<std::string> sections(StatementSource& db, const std::string& table) {
    std::vector<std::string> values;
    for (Row& row : readRows(db, table))
        values.push_back(row["Section"]);
    return values;
}

// Runs one statement with its values bound in order.
void run(sqlite3* handle, const std::string& sql, const std::vector<const std::string*>& values) {
    sqlite3_stmt* statement = nullptr;
    int result = sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr);
    for (size_t i = 0; result == SQLITE_OK && i < values.size(); ++i)
        result = sqlite3_bind_text(statement, static_cast<int>(i + 1), values[i]->data(),
                                   static_cast<int>(values[i]->size()), SQLITE_STATIC);
    if (result == SQLITE_OK)
        result = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (result != SQLITE_DONE)
        throw EDatabaseError(std::string(sqlite3_errmsg(handle)));
}

std::string quoted(const std::string& name) {
    return "\"" + name + "\"";
}

void updateRow(sqlite3* handle, const std::string& table, const Row& row) {
    if (row.empty())
        return;
    std::string sql = "UPDATE " + quoted(table) + " SET ";
    std::vector<const std::string*> values;
    for (const auto& [column, value] : row) {
        sql += (values.empty() ? "" : ", ") + quoted(column) + " = ?";
        values.push_back(&value);
    }
    run(handle, sql, values);
}

void insertRows(sqlite3* handle, const std::string& table, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        std::string columns;
        std::string marks;
        std::vector<const std::string*> values;
        for (const auto& [column, value] : row) {
            columns += (values.empty() ? "" : ", ") + quoted(column);
            marks += values.empty() ? "?" : ", ?";
            values.push_back(&value);
        }
        run(handle,
            row.empty()
                ? "INSERT INTO " + quoted(table) + " DEFAULT VALUES"
                : "INSERT INTO " + quoted(table) + " (" + columns + ") VALUES (" + marks + ")",
            values);
    }
}

void rewriteSections(sqlite3* handle, const std::string& table,
                     const std::vector<std::string>& values) {
    run(handle, "DELETE FROM " + quoted(table), {});
    for (const std::string& value : values)
        run(handle, "INSERT INTO " + quoted(table) + " VALUES (?)", {&value});
}

void writeSections(sqlite3* handle, const ResumeData& data) {
    std::vector<std::string> displayed;
    std::vector<std::string> available;
    if (data.displayedSections) {
        displayed = *data.displayedSections;
        if (data.availableSections) {
            available = *data.availableSections;
        } else {
            for (const char* section : kSectionIdentifiers)
                if (std::find(displayed.begin(), displayed.end(), section) == displayed.end())
                    available.emplace_back(section);
        }
    } else {
        BorrowedStatements blank(handle);
        displayed = sections(blank, "DisplayedOrder");
        available = sections(blank, "AvailableSections");
        showSections(displayed, available, data.sectionsToShow);
    }
    rewriteSections(handle, "DisplayedOrder", displayed);
    rewriteSections(handle, "AvailableSections", available);
}

void writeTables(sqlite3* handle, const ResumeData& data) {
    updateRow(handle, "ContactInfo", data.contact);
    updateRow(handle, "Purpose", data.purpose);
    updateRow(handle, "Configuration", data.configuration);
    insertRows(handle, "EducationalHistory", data.education);
    insertRows(handle, "EmploymentHistory", data.employment);
    insertRows(handle, "Honors", data.honors);
    insertRows(handle, "Organizations", data.organizations);
    insertRows(handle, "Skills", data.skills);
    insertRows(handle, "refer", data.references);
    writeSections(handle, data);
}

} // namespace

ResumeData readResume(StatementSource& db) {
    ResumeData data;
    data.contact = firstRow(db, "ContactInfo");
    data.purpose = firstRow(db, "Purpose");
    data.configuration = firstRow(db, "Configuration");
    data.education = readRows(db, "EducationalHistory");
    data.employment = readRows(db, "EmploymentHistory");
    data.honors = readRows(db, "Honors");
    data.organizations = readRows(db, "Organizations");
    data.skills = readRows(db, "Skills");
    data.references = readRows(db, "refer");
    data.displayedSections = sections(db, "DisplayedOrder");
    data.availableSections = sections(db, "AvailableSections");
    return data;
}

void writeResume(sqlite3* handle, const ResumeData& data) {
    run(handle, "BEGIN IMMEDIATE", {});
    try {
        writeTables(handle, data);
        run(handle, "COMMIT", {});
    } catch (...) {
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void showSections(std::vector<std::string>& displayed, std::vector<std::string>& available,
                  const std::vector<std::string>& show) {
    for (const std::string& section : show) {
        if (std::find(displayed.begin(), displayed.end(), section) != displayed.end())
            continue;
        const auto before =
            std::find(displayed.begin(), displayed.end(), std::string("Professional References"));
        displayed.insert(before, section);
        available.erase(std::remove(available.begin(), available.end(), section), available.end());
    }
}

} // namespace store
