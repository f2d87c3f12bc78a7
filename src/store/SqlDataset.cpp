#include "store/SqlDataset.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Calendar.h"
#include "rtfengine/FormatSettings.h"
#include "rtfengine/RtfText.h"
#include "store/SqlText.h"
#include "store/StoreError.h"

#include <algorithm>
#include <cmath>

#include <sqlite3.h>

namespace store {

namespace {

using rtfengine::DateTime;
using rtfengine::FieldKind;

bool isTemporalOrFlag(FieldKind kind) {
    return kind == FieldKind::Date || kind == FieldKind::DateTime || kind == FieldKind::Boolean;
}

// A stored value as text: numbers in their shortest form, text and blobs as they are.
std::string valueText(const SqlCell& cell) {
    switch (cell.type) {
    case SqlCell::Type::Null:
        return {};
    case SqlCell::Type::Integer:
        return std::to_string(cell.integer);
    case SqlCell::Type::Real:
        return shortestNumberText(cell.real);
    case SqlCell::Type::Text:
    case SqlCell::Type::Blob:
        break;
    }
    return cell.bytes;
}

// The stored value as text without copying what is stored as text already; numbers
// are written into `buffer`.
std::string_view storedText(const SqlCell& cell, std::string& buffer) {
    if (cell.type == SqlCell::Type::Text || cell.type == SqlCell::Type::Blob)
        return cell.bytes;
    buffer = valueText(cell);
    return buffer;
}

// A number written as text, 0 when the text is none.
double numberOf(std::string_view text) {
    double value = 0;
    return parseNumber(text, value) ? value : 0;
}

// Flags are stored as the words True and False; a number counts as true unless zero.
bool cellIsTrue(const SqlCell& cell) {
    switch (cell.type) {
    case SqlCell::Type::Null:
        return false;
    case SqlCell::Type::Integer:
        return cell.integer != 0;
    case SqlCell::Type::Real:
        return cell.real != 0;
    case SqlCell::Type::Text: {
        const std::string_view text = trimmedSpace(cell.bytes);
        return equalsIgnoringAsciiCase(text, "true") || numberOf(text) != 0;
    }
    case SqlCell::Type::Blob:
        break;
    }
    return numberOf(cell.bytes) != 0;
}

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// True when `text` is well-formed UTF-8.
bool isWellFormedUtf8(std::string_view text) {
    char32_t c = 0;
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
        } else if (const size_t length = rtfengine::decodeUtf8(text, i, c)) {
            i += length;
        } else {
            return false;
        }
    }
    return true;
}

// Reads 1 to `most` ASCII digits at `pos`; false when there is none.
bool readDigits(std::string_view text, size_t& pos, size_t least, size_t most, int& value,
                size_t* count = nullptr) {
    size_t n = 0;
    int v = 0;
    while (n < most && pos + n < text.size() && text[pos + n] >= '0' && text[pos + n] <= '9') {
        v = v * 10 + (text[pos + n] - '0');
        ++n;
    }
    if (n < least)
        return false;
    pos += n;
    value = v;
    if (count)
        *count = n;
    return true;
}

// The time part after the date: [ T]h[h]:mm[:ss[.f[f[f]]]...]; true when it was read
// to the end of the (trimmed) text.
bool readTimePart(std::string_view text, size_t pos, DateTime& parsed) {
    if (pos >= text.size() || (text[pos] != ' ' && text[pos] != 'T'))
        return false;
    ++pos;
    if (!readDigits(text, pos, 1, 2, parsed.hour) || pos >= text.size() || text[pos] != ':')
        return false;
    ++pos;
    if (!readDigits(text, pos, 2, 2, parsed.minute))
        return false;
    size_t afterSeconds = pos;
    int second = 0;
    int millisecond = 0;
    if (pos < text.size() && text[pos] == ':') {
        size_t p = pos + 1;
        if (readDigits(text, p, 2, 2, second)) {
            afterSeconds = p;
            if (p < text.size() && text[p] == '.') {
                size_t q = p + 1;
                size_t count = 0;
                int fraction = 0;
                if (readDigits(text, q, 1, 3, fraction, &count)) {
                    while (q < text.size() && text[q] >= '0' && text[q] <= '9')
                        ++q;
                    millisecond = fraction * (count == 1 ? 100 : count == 2 ? 10 : 1);
                    if (q == text.size()) {
                        parsed.second = second;
                        parsed.millisecond = millisecond;
                        return true;
                    }
                }
            }
        }
    }
    if (afterSeconds != pos && afterSeconds == text.size()) {
        parsed.second = second;
        return true;
    }
    return pos == text.size();
}

bool isIdentifierStart(char c) {
    return rtfengine::isAsciiLetter(c) || c == '_';
}

bool isIdentifierPart(char c) {
    return rtfengine::isAsciiAlnum(c) || c == '_';
}

// The parameter names a statement text uses (":" and an identifier of ASCII letters,
// digits and "_"), in order of first appearance.
std::vector<std::string> parameterNamesOf(std::string_view sql) {
    std::vector<std::string> names;
    const size_t size = sql.size();
    for (size_t i = 0; i + 1 < size; ++i) {
        if (sql[i] != ':' || !isIdentifierStart(sql[i + 1]))
            continue;
        size_t end = i + 2;
        while (end < size && isIdentifierPart(sql[end]))
            ++end;
        std::string name(sql.substr(i + 1, end - i - 1));
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
        i = end - 1;
    }
    return names;
}

// The field kind of a declared column type given as the database hands it over.
FieldKind kindOfDeclaredType(const char* declared) {
    return declared ? fieldKindForDeclaredType(declared) : FieldKind::Other;
}

// A result column's name as the SQL layer reports it: without double quotes.
std::string columnName(sqlite3_stmt* statement, int column) {
    std::string name = sqlite3_column_name(statement, column);
    std::erase(name, '"');
    return name;
}

// True when `fields` describe the statement's result columns, name for name and kind
// for kind.
bool columnsMatch(sqlite3_stmt* statement, const std::vector<std::unique_ptr<SqlField>>& fields) {
    if (sqlite3_column_count(statement) != static_cast<int>(fields.size()))
        return false;
    for (size_t i = 0; i < fields.size(); ++i) {
        const int column = static_cast<int>(i);
        if (fields[i]->name() != columnName(statement, column) ||
            fields[i]->kind() != kindOfDeclaredType(sqlite3_column_decltype(statement, column)))
            return false;
    }
    return true;
}

} // namespace

FieldKind fieldKindForDeclaredType(std::string_view declaredType) {
    const std::string_view type = trimmedSpace(declaredType);
    const auto is = [type](std::string_view word) { return equalsIgnoringAsciiCase(type, word); };
    if (is("date"))
        return FieldKind::Date;
    if (is("datetime") || is("timestamp"))
        return FieldKind::DateTime;
    if (is("boolean"))
        return FieldKind::Boolean;
    if (is("graphic") || is("picture"))
        return FieldKind::Graphic;
    return FieldKind::Other;
}

bool parseStoredDateTime(std::string_view text, DateTime& value) {
    // Blanks around the value may be any Unicode space; inside it only ASCII counts.
    text = trimmedSpace(text);
    if (!isAscii(text))
        return false;
    size_t pos = 0;
    DateTime parsed;
    parsed.hour = parsed.minute = parsed.second = parsed.millisecond = 0;
    if (!readDigits(text, pos, 4, 4, parsed.year) || pos >= text.size() || text[pos] != '-')
        return false;
    ++pos;
    if (!readDigits(text, pos, 1, 2, parsed.month) || pos >= text.size() || text[pos] != '-')
        return false;
    ++pos;
    if (!readDigits(text, pos, 1, 2, parsed.day))
        return false;
    if (!readTimePart(text, pos, parsed)) {
        parsed.hour = parsed.minute = parsed.second = parsed.millisecond = 0;
        if (pos != text.size())
            return false;
    }
    if (!rtfengine::isValidDate(parsed.year, parsed.month, parsed.day) || parsed.hour > 23 ||
        parsed.minute > 59 || parsed.second > 59)
        return false;
    value = parsed;
    return true;
}

// ---------------------------------------------------------------------------

SqlField::SqlField(const SqlDataset& owner, int index, std::string name, FieldKind kind)
    : m_owner(owner), m_index(index), m_name(std::move(name)), m_kind(kind) {}

const SqlCell* SqlField::cell() const {
    if (m_owner.eof() || m_index >= static_cast<int>(m_owner.m_row.size()))
        return nullptr;
    return &m_owner.m_row[static_cast<size_t>(m_index)];
}

bool SqlField::isNull() const {
    const SqlCell* c = cell();
    if (!c || c->type == SqlCell::Type::Null)
        return true;
    // Editors may leave an empty string where no date or flag was chosen.
    if (!isTemporalOrFlag(m_kind) || c->type != SqlCell::Type::Text)
        return false;
    return trimmedSpace(c->bytes).empty();
}

std::string SqlField::asString() const {
    if (isNull())
        return {};
    const SqlCell& c = *cell();
    switch (m_kind) {
    case FieldKind::Date:
    case FieldKind::DateTime: {
        DateTime parsed;
        std::string buffer;
        const std::string_view text = storedText(c, buffer);
        if (!parseStoredDateTime(text, parsed))
            return std::string(text);
        const auto& settings = rtfengine::FormatSettings::current();
        return rtfengine::formatDateTime(m_kind == FieldKind::Date ? settings.shortDateFormat : "c",
                                         parsed, settings);
    }
    case FieldKind::Boolean:
        return asBoolean() ? "True" : "False";
    case FieldKind::Graphic:
        return asBytes();
    case FieldKind::Other:
        break;
    }
    std::string text = valueText(c);
    if (c.type == SqlCell::Type::Real)
        std::replace(text.begin(), text.end(), '.',
                     rtfengine::FormatSettings::current().decimalSeparator);
    return text;
}

double SqlField::asFloat() const {
    if (isNull())
        return 0;
    switch (m_kind) {
    case FieldKind::Date:
    case FieldKind::DateTime:
        return rtfengine::serialFromDateTime(asDateTime());
    case FieldKind::Boolean:
        return asBoolean() ? 1 : 0;
    case FieldKind::Graphic:
    case FieldKind::Other:
        break;
    }
    const SqlCell& c = *cell();
    if (c.type == SqlCell::Type::Real)
        return c.real;
    if (c.type == SqlCell::Type::Integer)
        return static_cast<double>(c.integer);
    return numberOf(c.bytes);
}

std::optional<double> SqlField::storedNumber() const {
    const SqlCell* c = cell();
    if (m_kind != FieldKind::Other || !c)
        return std::nullopt;
    if (c->type == SqlCell::Type::Integer)
        return static_cast<double>(c->integer);
    if (c->type != SqlCell::Type::Real || !std::isfinite(c->real))
        return std::nullopt;
    return c->real == 0 ? 0.0 : c->real;
}

bool SqlField::asBoolean() const {
    return !isNull() && cellIsTrue(*cell());
}

DateTime SqlField::asDateTime() const {
    DateTime parsed;
    if (isNull())
        return parsed;
    std::string buffer;
    parseStoredDateTime(storedText(*cell(), buffer), parsed);
    return parsed;
}

bool SqlField::holdsDate() const {
    DateTime parsed;
    std::string buffer;
    return !isNull() && parseStoredDateTime(storedText(*cell(), buffer), parsed);
}

std::string SqlField::asBytes() const {
    const SqlCell* c = cell();
    return c ? valueText(*c) : std::string();
}

// ---------------------------------------------------------------------------

SqlDataset::SqlDataset(std::shared_ptr<StatementSource> statements, std::string sql,
                       std::string name)
    : m_statements(std::move(statements)), m_sql(std::move(sql)), m_name(std::move(name)),
      m_parameterNames(parameterNamesOf(m_sql)) {
    for (const std::string& name : m_parameterNames)
        m_placeholders.push_back(':' + name);
}

SqlDataset::~SqlDataset() = default;

void SqlDataset::setParameter(const std::string& name, long long value) {
    m_parameters[name] = value;
}

std::optional<long long> SqlDataset::parameter(const std::string& name) const {
    const auto found = m_parameters.find(name);
    return found == m_parameters.end() ? std::nullopt : std::optional<long long>(found->second);
}

bool SqlDataset::hasParameter(const std::string& name) const {
    return std::find(m_parameterNames.begin(), m_parameterNames.end(), name) !=
           m_parameterNames.end();
}

void SqlDataset::open() {
    if (m_open)
        return;
    execute();
    m_open = true;
}

void SqlDataset::close() {
    // The prepared statement stays for the next open(); resetting it ends its read.
    if (sqlite3_stmt* statement = m_prepared ? m_prepared->statement() : nullptr)
        sqlite3_reset(statement);
    m_spareFields = std::move(m_fields);
    m_fields.clear();
    m_row.clear();
    m_position = -1;
    m_open = false;
    m_eof = true;
}

std::vector<std::string> SqlDataset::columnNames() const {
    std::vector<std::string> names;
    for (const auto& f : m_fields)
        names.push_back(f->name());
    return names;
}

void SqlDataset::execute() {
    // Closing the connection finalizes every statement on it; such a statement is
    // prepared again on the connection as it is now.
    if (m_prepared && !m_prepared->statement())
        m_prepared.reset();
    if (!m_prepared) {
        m_spareFields.clear();
        m_prepared = m_statements->prepare(m_sql);
    }
    sqlite3_stmt* statement = m_prepared->statement();
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (size_t i = 0; i < m_parameterNames.size(); ++i) {
        const int index = sqlite3_bind_parameter_index(statement, m_placeholders[i].c_str());
        const auto value = m_parameters.find(m_parameterNames[i]);
        if (index > 0 && value != m_parameters.end() &&
            sqlite3_bind_int64(statement, index, value->second) != SQLITE_OK)
            throw EDatabaseError(std::string(sqlite3_errmsg(sqlite3_db_handle(statement))) +
                                 " Unable to bind parameters");
    }

    m_position = -1;
    m_eof = true;
    // The first step comes before the columns are read: it is where the statement is
    // compiled again when the tables changed shape since it was prepared.
    const int result = sqlite3_step(statement);
    if (result != SQLITE_ROW && result != SQLITE_DONE) {
        const std::string message = sqlite3_errmsg(sqlite3_db_handle(statement));
        sqlite3_reset(statement);
        throw EDatabaseError(message + " Unable to fetch row");
    }
    if (m_fields.empty()) {
        // The fields of the last opening serve again while the columns are the same.
        if (!m_spareFields.empty() && columnsMatch(statement, m_spareFields)) {
            m_fields = std::move(m_spareFields);
        } else {
            const int count = sqlite3_column_count(statement);
            for (int i = 0; i < count; ++i)
                m_fields.push_back(std::make_unique<SqlField>(
                    *this, i, columnName(statement, i),
                    kindOfDeclaredType(sqlite3_column_decltype(statement, i))));
        }
        m_spareFields.clear();
    }
    m_row.resize(m_fields.size());
    if (result == SQLITE_ROW) {
        m_eof = false;
        ++m_position;
        readRow();
        return;
    }
    sqlite3_reset(statement);
}

// Rows are stepped on the statement directly and read in the database's own
// encoding, so no text goes through UTF-16 and back.
void SqlDataset::fetch() {
    sqlite3_stmt* statement = m_prepared ? m_prepared->statement() : nullptr;
    if (!statement || sqlite3_step(statement) != SQLITE_ROW) {
        // Like the SQL layer: a finished or failed step leaves the statement reset.
        if (statement)
            sqlite3_reset(statement);
        m_eof = true;
        return;
    }
    ++m_position;
    readRow();
}

void SqlDataset::readRow() {
    sqlite3_stmt* statement = m_prepared->statement();
    for (size_t i = 0; i < m_row.size(); ++i) {
        SqlCell& cell = m_row[i];
        const int column = static_cast<int>(i);
        switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            cell.type = SqlCell::Type::Null;
            break;
        case SQLITE_INTEGER:
            cell.type = SqlCell::Type::Integer;
            cell.integer = sqlite3_column_int64(statement, column);
            break;
        case SQLITE_FLOAT:
            cell.type = SqlCell::Type::Real;
            cell.real = sqlite3_column_double(statement, column);
            break;
        case SQLITE_BLOB: {
            cell.type = SqlCell::Type::Blob;
            const void* data = sqlite3_column_blob(statement, column);
            cell.bytes.assign(static_cast<const char*>(data),
                              data ? static_cast<size_t>(sqlite3_column_bytes(statement, column))
                                   : 0);
            break;
        }
        default: {
            cell.type = SqlCell::Type::Text;
            const auto* text =
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            cell.bytes.assign(text ? text : "",
                              text ? static_cast<size_t>(sqlite3_column_bytes(statement, column))
                                   : 0);
            // Malformed UTF-8 is mended the way the desktop's editors read it,
            // through UTF-16.
            if (!isWellFormedUtf8(cell.bytes)) {
                const auto* wide =
                    static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
                const int bytes = sqlite3_column_bytes16(statement, column);
                cell.bytes = utf16ToUtf8(wide, wide ? static_cast<size_t>(bytes) / 2 : 0);
            }
            break;
        }
        }
    }
}

void SqlDataset::first() {
    if (!m_open)
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    // A forward-only result cannot go back; running it again is cheaper than
    // keeping every row.
    if (m_position == 0 && !m_eof)
        return;
    execute();
}

void SqlDataset::next() {
    if (!m_open)
        throw EDatabaseError("Cannot perform this operation on a closed dataset");
    if (!m_eof)
        fetch();
}

rtfengine::Field& SqlDataset::field(int index) {
    return sqlField(index);
}

SqlField& SqlDataset::sqlField(int index) {
    return *m_fields.at(static_cast<size_t>(index));
}

void SqlDataset::enableControls() {
    if (m_disabledControls > 0)
        --m_disabledControls;
}

} // namespace store
