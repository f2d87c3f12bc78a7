// A read-only SQL query as the template engine's Dataset: named parameters bound
// before opening, forward-only reading, field kinds taken from declared column types.
//
// Only the current row is held, so a result of any size costs the memory of one
// row; first() runs the query again when the position has moved past the start.
// The statement is prepared once and kept across close() and open(), so switching
// a query's parameters costs one execution, not a new compilation of its SQL.
#pragma once

#include "rtfengine/Dataset.h"
#include "store/SqliteConnection.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class SqlDataset;

// One value of the current row, kept in the database's own form: text in UTF-8 and
// blobs as bytes, integers and reals as numbers.
struct SqlCell {
    enum class Type { Null, Integer, Real, Text, Blob };
    Type type = Type::Null;
    long long integer = 0;
    double real = 0;
    std::string bytes; // text or blob
};

// One result column of the current row.
class SqlField final : public rtfengine::Field {
public:
    SqlField(const SqlDataset& owner, int index, std::string name, rtfengine::FieldKind kind);

    std::string name() const override { return m_name; }
    rtfengine::FieldKind kind() const override { return m_kind; }
    bool isNull() const override;
    std::string asString() const override;
    double asFloat() const override;
    bool asBoolean() const override;
    rtfengine::DateTime asDateTime() const override;
    // Integers and finite reals of an Other field, negative zero as zero (its text is "0").
    std::optional<double> storedNumber() const override;
    // Whether the stored text reads as a date (and time) of the ISO form.
    bool holdsDate() const override;
    // The stored value as it is: text and blobs as their bytes, numbers as their
    // shortest text, null (and no row) as nothing.
    std::string asBytes() const override;

private:
    // The current row's cell, or null at the end of the result or while closed.
    const SqlCell* cell() const;

    const SqlDataset& m_owner;
    int m_index;
    std::string m_name;
    rtfengine::FieldKind m_kind;
};

class SqlDataset : public rtfengine::Dataset {
public:
    SqlDataset(std::shared_ptr<StatementSource> statements, std::string sql, std::string name);
    ~SqlDataset() override;
    SqlDataset(const SqlDataset&) = delete;
    SqlDataset& operator=(const SqlDataset&) = delete;

    // Parameters are written ":Name" in the SQL text and set by name without the
    // colon; the value is bound at the next open(). Unset parameters bind NULL.
    void setParameter(const std::string& name, long long value);
    std::optional<long long> parameter(const std::string& name) const;
    bool hasParameter(const std::string& name) const;
    const std::string& sql() const { return m_sql; }

    // Runs the query and stands on its first row. Opening an open dataset keeps
    // it as it is. Throws store::EDatabaseError with the data layer's text.
    void open();
    void close();
    bool isOpen() const { return m_open; }

    // Result column names, in order (empty while closed).
    std::vector<std::string> columnNames() const;

    std::string name() const override { return m_name; }
    void first() override;
    void next() override;
    bool eof() const override { return !m_open || m_eof; }
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    rtfengine::Field& field(int index) override;
    SqlField& sqlField(int index);
    void disableControls() override { ++m_disabledControls; }
    void enableControls() override;
    bool controlsDisabled() const override { return m_disabledControls > 0; }

private:
    friend class SqlField;

    void execute();
    void fetch();
    void readRow();

    std::shared_ptr<StatementSource> m_statements;
    std::string m_sql;
    std::string m_name;
    std::vector<std::string> m_parameterNames;
    std::vector<std::string> m_placeholders; // ":" and the name, for each parameter
    std::map<std::string, long long> m_parameters;

    std::unique_ptr<PreparedStatement> m_prepared;
    std::vector<std::unique_ptr<SqlField>> m_fields;
    // The fields of the last opening, kept while the dataset is closed.
    std::vector<std::unique_ptr<SqlField>> m_spareFields;
    std::vector<SqlCell> m_row;
    long long m_position = -1; // index of the current row; -1 before the first
    bool m_open = false;
    bool m_eof = true;
    int m_disabledControls = 0;
};

// The field kind for a column's declared type: DATE, DATETIME or TIMESTAMP,
// BOOLEAN, GRAPHIC or PICTURE in any letter case and between blanks; anything else
// (or no declared type) is Other.
rtfengine::FieldKind fieldKindForDeclaredType(std::string_view declaredType);

// Reads "yyyy-mm-dd", optionally followed by " " or "T" and "hh:mm[:ss[.zzz]]",
// between blanks, from text in UTF-8. Digits are ASCII digits only.
bool parseStoredDateTime(std::string_view text, rtfengine::DateTime& value);

} // namespace store
