#include "store/SqlDataset.h"

#include "rtfengine/FormatSettings.h"
#include "store/StoreError.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlResult>

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

// The parameter names a statement text uses, in order of first appearance.
QStringList parameterNamesOf(const QString& sql) {
    static const QRegularExpression pattern(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    QStringList names;
    for (const auto& match : pattern.globalMatch(sql)) {
        const QString name = match.captured(1);
        if (!names.contains(name))
            names << name;
    }
    return names;
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

// ---------------------------------------------------------------------------

SqlField::SqlField(const SqlDataset& owner, int index, std::string name, FieldKind kind)
    : m_owner(owner), m_index(index), m_name(std::move(name)), m_kind(kind) {}

const QVariant& SqlField::value() const {
    if (m_owner.eof() || m_index >= static_cast<int>(m_owner.m_row.size()))
        return m_owner.m_null;
    return m_owner.m_row[static_cast<size_t>(m_index)];
}

bool SqlField::isNull() const {
    const QVariant& v = value();
    if (v.isNull())
        return true;
    // Editors may leave an empty string where no date or flag was chosen.
    return isTemporalOrFlag(m_kind) && v.typeId() == QMetaType::QString &&
           v.toString().trimmed().isEmpty();
}

std::string SqlField::asString() const {
    if (isNull())
        return {};
    const QVariant& v = value();
    switch (m_kind) {
    case FieldKind::Date:
    case FieldKind::DateTime: {
        DateTime parsed;
        if (!parseStoredDateTime(v.toString(), parsed))
            return v.toString().toStdString();
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
    if (v.typeId() == QMetaType::Double) {
        std::string text = v.toString().toStdString();
        for (char& c : text)
            if (c == '.')
                c = rtfengine::FormatSettings::current().decimalSeparator;
        return text;
    }
    return v.toString().toStdString();
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
    return value().toDouble();
}

bool SqlField::asBoolean() const {
    return !isNull() && textIsTrue(value());
}

DateTime SqlField::asDateTime() const {
    DateTime parsed;
    if (!isNull())
        parseStoredDateTime(value().toString(), parsed);
    return parsed;
}

std::string SqlField::asBytes() const {
    const QVariant& v = value();
    if (v.isNull())
        return {};
    const QByteArray bytes =
        v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
    return bytes.toStdString();
}

// ---------------------------------------------------------------------------

SqlDataset::SqlDataset(QSqlDatabase db, QString sql, std::string name)
    : m_db(std::move(db)), m_sql(std::move(sql)), m_name(std::move(name)),
      m_parameterNames(parameterNamesOf(m_sql)) {}

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
    m_query.reset();
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
    auto query = std::make_unique<QSqlQuery>(m_db);
    query->setForwardOnly(true);
    if (!query->prepare(m_sql))
        throw EDatabaseError(query->lastError().text().toStdString());
    for (const QString& name : m_parameterNames)
        query->bindValue(QLatin1Char(':') + name, m_parameters.value(name));
    if (!query->exec())
        throw EDatabaseError(query->lastError().text().toStdString());

    if (m_fields.empty()) {
        const QSqlRecord record = query->record();
        sqlite3_stmt* statement = statementOf(*query);
        for (int i = 0; i < record.count(); ++i) {
            const char* declared = statement ? sqlite3_column_decltype(statement, i) : nullptr;
            m_fields.push_back(
                std::make_unique<SqlField>(*this, i, record.fieldName(i).toStdString(),
                                           fieldKindForDeclaredType(QString::fromUtf8(declared))));
        }
    }
    m_query = std::move(query);
    m_position = -1;
    m_eof = false;
    fetch();
}

void SqlDataset::fetch() {
    if (!m_query->next()) {
        m_eof = true;
        m_row.clear();
        return;
    }
    ++m_position;
    m_row.resize(m_fields.size());
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_row[i] = m_query->value(static_cast<int>(i));
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
