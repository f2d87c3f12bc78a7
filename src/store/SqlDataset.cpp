#include "store/SqlDataset.h"

#include "rtfengine/FormatSettings.h"
#include "store/StoreError.h"

#include <QDate>
#include <QRegularExpression>

#include <QSqlError>
#include <QSqlResult>
#include <algorithm>

#include <sqlite3.h>

namespace store {

namespace {

using rtfengine::DateTime;
using rtfengine::FieldKind;

sqlite3_stmt* statementOf(const QSqlQuery& query) {
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

bool isTemporalOrFlag(FieldKind kind) {
    return kind == FieldKind::Date || kind == FieldKind::DateTime || kind == FieldKind::Boolean;
}

// Days since 1899-12-30 plus the fraction of the day, the serial form of dates.
double serialOf(const DateTime& value) {
    const QDate date(value.year, value.month, value.day);
    const double days = static_cast<double>(date.toJulianDay() - QDate(1899, 12, 30).toJulianDay());
    const double seconds =
        value.hour * 3600.0 + value.minute * 60.0 + value.second + value.millisecond / 1000.0;
    return days + seconds / 86400.0;
}

bool textIsTrue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        bool number = false;
        const double n = text.toDouble(&number);
        return number && n != 0;
    }
    return value.toDouble() != 0;
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// True when `text` is well-formed UTF-8: no stray continuation bytes, overlong
// forms, surrogates or code points beyond U+10FFFF.
bool isWellFormedUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        char32_t c;
        char32_t min;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2, c = b0 & 0x1F, min = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3, c = b0 & 0x0F, min = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4, c = b0 & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (i + len > text.size())
            return false;
        for (size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (b & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += len;
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

bool atBlankEnd(std::string_view text, size_t pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos == text.size();
}

// The time part after the date: [ T]h[h]:mm[:ss[.f[f[f]]]...]; true when it was read
// up to the trailing blanks.
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
                    if (atBlankEnd(text, q)) {
                        parsed.second = second;
                        parsed.millisecond = millisecond;
                        return true;
                    }
                }
            }
        }
    }
    if (afterSeconds != pos && atBlankEnd(text, afterSeconds)) {
        parsed.second = second;
        return true;
    }
    return atBlankEnd(text, pos);
}

bool isIdentifierStart(char16_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isIdentifierPart(char16_t c) {
    return isIdentifierStart(c) || (c >= '0' && c <= '9');
}

// The parameter names a statement text uses (":" and an identifier of ASCII letters,
// digits and "_"), in order of first appearance.
QStringList parameterNamesOf(const QString& sql) {
    QStringList names;
    const qsizetype size = sql.size();
    for (qsizetype i = 0; i + 1 < size; ++i) {
        if (sql[i] != QLatin1Char(':') || !isIdentifierStart(sql[i + 1].unicode()))
            continue;
        qsizetype end = i + 2;
        while (end < size && isIdentifierPart(sql[end].unicode()))
            ++end;
        const QString name = sql.mid(i + 1, end - i - 1);
        if (!names.contains(name))
            names << name;
        i = end - 1;
    }
    return names;
}

// The field kind of a declared column type given as the database hands it over.
FieldKind kindOfDeclaredType(const char* declared) {
    if (!declared)
        return FieldKind::Other;
    std::string_view type(declared);
    if (!isAscii(type))
        return fieldKindForDeclaredType(QString::fromUtf8(declared));
    while (!type.empty() && isBlank(type.front()))
        type.remove_prefix(1);
    while (!type.empty() && isBlank(type.back()))
        type.remove_suffix(1);
    const auto is = [type](std::string_view word) {
        return type.size() == word.size() &&
               std::equal(type.begin(), type.end(), word.begin(), [](char a, char b) {
                   return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
               });
    };
    if (is("DATE"))
        return FieldKind::Date;
    if (is("DATETIME") || is("TIMESTAMP"))
        return FieldKind::DateTime;
    if (is("BOOLEAN"))
        return FieldKind::Boolean;
    if (is("GRAPHIC") || is("PICTURE"))
        return FieldKind::Graphic;
    return FieldKind::Other;
}

// A result column's name as the SQL layer reports it: without double quotes.
std::string columnName(sqlite3_stmt* statement, int column) {
    std::string name = sqlite3_column_name(statement, column);
    std::erase(name, '"');
    return name;
}

// Binds a parameter value the way the SQL layer binds it.
int bindParameter(sqlite3_stmt* statement, int index, const QVariant& value) {
    if (value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, index, bytes.constData(),
                                 static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::Int:
    case QMetaType::Bool:
        return sqlite3_bind_int(statement, index, value.toInt());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, index, text.constData(), static_cast<int>(text.size()),
                                 SQLITE_TRANSIENT);
    }
    }
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

FieldKind fieldKindForDeclaredType(const QString& declaredType) {
    const QString type = declaredType.trimmed().toUpper();
    if (type == QLatin1String("DATE"))
        return FieldKind::Date;
    if (type == QLatin1String("DATETIME") || type == QLatin1String("TIMESTAMP"))
        return FieldKind::DateTime;
    if (type == QLatin1String("BOOLEAN"))
        return FieldKind::Boolean;
    if (type == QLatin1String("GRAPHIC") || type == QLatin1String("PICTURE"))
        return FieldKind::Graphic;
    return FieldKind::Other;
}

bool parseStoredDateTime(const QString& text, DateTime& value) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2})(?:\.(\d{1,3})\d*)?)?)?\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    DateTime parsed;
    parsed.year = match.captured(1).toInt();
    parsed.month = match.captured(2).toInt();
    parsed.day = match.captured(3).toInt();
    parsed.hour = match.captured(4).toInt();
    parsed.minute = match.captured(5).toInt();
    parsed.second = match.captured(6).toInt();
    parsed.millisecond = match.captured(7).leftJustified(3, QLatin1Char('0')).toInt();
    if (!QDate::isValid(parsed.year, parsed.month, parsed.day) || parsed.hour > 23 ||
        parsed.minute > 59 || parsed.second > 59)
        return false;
    value = parsed;
    return true;
}

bool parseStoredDateTime(std::string_view text, DateTime& value) {
    // Other than ASCII, blanks and digits follow the full Unicode rules.
    if (!isAscii(text))
        return parseStoredDateTime(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), value);
    size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
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
        if (!atBlankEnd(text, pos))
            return false;
    }
    if (!QDate::isValid(parsed.year, parsed.month, parsed.day) || parsed.hour > 23 ||
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

const QVariant& SqlField::value() const {
    const SqlCell* c = cell();
    if (!c)
        return m_owner.m_null;
    // The forms the SQL layer gives each storage class.
    switch (c->type) {
    case SqlCell::Type::Null:
        m_value = QVariant(QMetaType::fromType<QString>());
        break;
    case SqlCell::Type::Integer:
        m_value = QVariant(static_cast<qlonglong>(c->integer));
        break;
    case SqlCell::Type::Real:
        m_value = QVariant(c->real);
        break;
    case SqlCell::Type::Text:
        m_value =
            QVariant(QString::fromUtf8(c->bytes.data(), static_cast<qsizetype>(c->bytes.size())));
        break;
    case SqlCell::Type::Blob:
        m_value = QVariant(QByteArray(c->bytes.data(), static_cast<qsizetype>(c->bytes.size())));
        break;
    }
    return m_value;
}

bool SqlField::isNull() const {
    const SqlCell* c = cell();
    if (!c || c->type == SqlCell::Type::Null)
        return true;
    // Editors may leave an empty string where no date or flag was chosen.
    if (!isTemporalOrFlag(m_kind) || c->type != SqlCell::Type::Text)
        return false;
    if (!isAscii(c->bytes))
        return value().toString().trimmed().isEmpty();
    for (const char ch : c->bytes)
        if (!isBlank(ch))
            return false;
    return true;
}

std::string SqlField::asString() const {
    if (isNull())
        return {};
    const SqlCell& c = *cell();
    switch (m_kind) {
    case FieldKind::Date:
    case FieldKind::DateTime: {
        DateTime parsed;
        const bool isDate = c.type == SqlCell::Type::Text
                                ? parseStoredDateTime(std::string_view(c.bytes), parsed)
                                : parseStoredDateTime(value().toString(), parsed);
        if (!isDate)
            return c.type == SqlCell::Type::Text ? c.bytes : value().toString().toStdString();
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
    switch (c.type) {
    case SqlCell::Type::Text:
        return c.bytes;
    case SqlCell::Type::Integer:
        return std::to_string(c.integer);
    case SqlCell::Type::Real: {
        std::string text = value().toString().toStdString();
        for (char& ch : text)
            if (ch == '.')
                ch = rtfengine::FormatSettings::current().decimalSeparator;
        return text;
    }
    case SqlCell::Type::Null:
    case SqlCell::Type::Blob:
        break;
    }
    return value().toString().toStdString();
}

double SqlField::asFloat() const {
    if (isNull())
        return 0;
    switch (m_kind) {
    case FieldKind::Date:
    case FieldKind::DateTime:
        return serialOf(asDateTime());
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
    return value().toDouble();
}

bool SqlField::asBoolean() const {
    return !isNull() && textIsTrue(value());
}

DateTime SqlField::asDateTime() const {
    DateTime parsed;
    if (isNull())
        return parsed;
    const SqlCell& c = *cell();
    if (c.type == SqlCell::Type::Text)
        parseStoredDateTime(std::string_view(c.bytes), parsed);
    else
        parseStoredDateTime(value().toString(), parsed);
    return parsed;
}

std::string SqlField::asBytes() const {
    const SqlCell* c = cell();
    if (!c || c->type == SqlCell::Type::Null)
        return {};
    if (c->type == SqlCell::Type::Text || c->type == SqlCell::Type::Blob)
        return c->bytes;
    return value().toString().toUtf8().toStdString();
}

// ---------------------------------------------------------------------------

SqlDataset::SqlDataset(QSqlDatabase db, QString sql, std::string name)
    : m_db(std::move(db)), m_sql(std::move(sql)), m_name(std::move(name)),
      m_parameterNames(parameterNamesOf(m_sql)) {
    for (const QString& name : m_parameterNames)
        m_placeholders.push_back((QLatin1Char(':') + name).toUtf8());
}

SqlDataset::~SqlDataset() = default;

void SqlDataset::setParameter(const QString& name, const QVariant& value) {
    m_parameters.insert(name, value);
}

QVariant SqlDataset::parameter(const QString& name) const {
    return m_parameters.value(name);
}

bool SqlDataset::hasParameter(const QString& name) const {
    return m_parameterNames.contains(name);
}

void SqlDataset::open() {
    if (m_open)
        return;
    execute();
    m_open = true;
}

void SqlDataset::close() {
    // The prepared statement stays for the next open(); resetting it ends its read.
    if (sqlite3_stmt* statement = m_query ? statementOf(*m_query) : nullptr)
        sqlite3_reset(statement);
    m_spareFields = std::move(m_fields);
    m_fields.clear();
    m_row.clear();
    m_position = -1;
    m_open = false;
    m_eof = true;
}

QStringList SqlDataset::columnNames() const {
    QStringList names;
    for (const auto& f : m_fields)
        names << QString::fromStdString(f->name());
    return names;
}

void SqlDataset::execute() {
    // Closing the connection finalizes every statement on it; such a statement is
    // prepared again on the connection as it is now.
    if (m_query && !statementOf(*m_query))
        m_query.reset();
    if (!m_query) {
        m_spareFields.clear();
        auto query = std::make_unique<QSqlQuery>(m_db);
        query->setForwardOnly(true);
        if (!query->prepare(m_sql))
            throw EDatabaseError(query->lastError().text().toStdString());
        if (!statementOf(*query))
            throw EDatabaseError("The database connection does not hand out its statements");
        m_query = std::move(query);
    }
    // The statement is bound and run here rather than through the SQL layer, whose
    // every execution converts the parameters and the first row once more.
    sqlite3_stmt* statement = statementOf(*m_query);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (qsizetype i = 0; i < m_parameterNames.size(); ++i) {
        const int index = sqlite3_bind_parameter_index(statement, m_placeholders[i].constData());
        if (index > 0 &&
            bindParameter(statement, index, m_parameters.value(m_parameterNames[i])) != SQLITE_OK)
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
    sqlite3_stmt* statement = m_query ? statementOf(*m_query) : nullptr;
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
    sqlite3_stmt* statement = statementOf(*m_query);
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
            // Malformed UTF-8 reads as the SQL layer reads it, through UTF-16.
            if (!isWellFormedUtf8(cell.bytes)) {
                const auto* wide =
                    static_cast<const QChar*>(sqlite3_column_text16(statement, column));
                const int bytes = sqlite3_column_bytes16(statement, column);
                cell.bytes = QString(wide, bytes / static_cast<int>(sizeof(QChar))).toStdString();
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
