#include "store/qt/TableCursor.h"

#include "rtfengine/Finally.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <map>

namespace store {

namespace {

QString quoted(const QString& identifier) {
    QString text = identifier;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The database's own words where it gave any; Qt's summary otherwise.
[[noreturn]] void fail(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    throw ECursorError(text.toStdString());
}

void prepare(QSqlQuery& query, const QString& sql) {
    if (!query.prepare(sql))
        fail(query.lastError());
}

void exec(QSqlQuery& query) {
    if (!query.exec())
        fail(query.lastError());
}

void exec(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql))
        fail(query.lastError());
}

} // namespace

TableCursor::TableCursor(const QSqlDatabase& database, const QString& tableName, WriteMode mode,
                         QObject* parent)
    : QObject(parent), m_connectionName(database.connectionName()), m_tableName(tableName),
      m_mode(mode) {}

TableCursor::~TableCursor() = default;

void TableCursor::open() {
    if (isActive())
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isValid() || !db.isOpen())
        throw ECursorError(QStringLiteral("The database connection %1 is not open.")
                               .arg(m_connectionName)
                               .toStdString());
    m_db = db;
    try {
        readSchema();
        m_rows = readRows();
    } catch (...) {
        m_db = QSqlDatabase();
        m_fieldNames.clear();
        throw;
    }
    m_heldDeletions.clear();
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    // The state first: bound widgets show values only from an open cursor.
    setState(State::Browse);
    emit currentChanged();
    emit afterOpen();
}

void TableCursor::close() {
    if (!isActive())
        return;
    m_rows.clear();
    m_heldDeletions.clear();
    m_editBackup.reset();
    m_fieldNames.clear();
    m_defaultExprs.clear();
    m_current = -1;
    m_bof = m_eof = true;
    m_db = QSqlDatabase();
    emit currentChanged();
    setState(State::Inactive);
}

bool TableCursor::first() {
    checkActive();
    if (!checkBrowseMode())
        return false;
    moveTo(m_rows.empty() ? -1 : 0, true, m_rows.empty());
    return true;
}

bool TableCursor::last() {
    checkActive();
    if (!checkBrowseMode())
        return false;
    moveTo(recordCount() - 1, m_rows.empty(), true);
    return true;
}

bool TableCursor::next() {
    checkActive();
    if (!checkBrowseMode())
        return false;
    if (m_current + 1 < recordCount())
        moveTo(m_current + 1, false, false);
    else
        m_eof = true;
    return true;
}

bool TableCursor::prior() {
    checkActive();
    if (!checkBrowseMode())
        return false;
    if (m_current > 0)
        moveTo(m_current - 1, false, false);
    else
        m_bof = true;
    return true;
}

QVariant TableCursor::value(const QString& field) const {
    if (!isActive())
        return {};
    const int column = checkedFieldIndex(field);
    if (m_current < 0)
        return {};
    return m_rows[m_current].values[column];
}

void TableCursor::setValue(const QString& field, const QVariant& value) {
    checkActive();
    const int column = checkedFieldIndex(field);
    if (m_state == State::Browse)
        edit();
    Row& row = m_rows[m_current];
    row.values[column] = value;
    row.dirty[column] = true;
    emit fieldChanged(m_fieldNames[column]);
}

void TableCursor::edit() {
    checkActive();
    if (m_state != State::Browse)
        return;
    if (m_rows.empty()) {
        insert();
        return;
    }
    m_editBackup = m_rows[m_current];
    setState(State::Edit);
}

bool TableCursor::insert() {
    checkActive();
    if (!checkBrowseMode())
        return false;
    Row row = defaultRow();
    m_insertReturn = m_current;
    m_rows.push_back(std::move(row));
    m_current = recordCount() - 1;
    m_bof = m_eof = false;
    emit currentChanged();
    setState(State::Insert);
    return true;
}

bool TableCursor::post() {
    checkActive();
    if (m_state == State::Browse)
        return true;
    m_postAborted = false;
    {
        // Reset however the handler leaves, so an exception in it cannot wedge the flag.
        m_inBeforePost = true;
        const Finally reset([this] { m_inBeforePost = false; });
        emit beforePost();
    }
    if (m_postAborted || (m_state != State::Edit && m_state != State::Insert))
        return false;
    Row& row = m_rows[m_current];
    if (m_mode == WriteMode::Immediate) {
        writeRow(row);
    } else if (row.status == RowStatus::Stored &&
               std::find(row.dirty.begin(), row.dirty.end(), true) != row.dirty.end()) {
        row.status = RowStatus::Modified;
    }
    m_editBackup.reset();
    emit currentChanged();
    setState(State::Browse);
    return true;
}

void TableCursor::abortPost() {
    if (!m_inBeforePost)
        throw std::logic_error("abortPost() called outside a beforePost() handler");
    m_postAborted = true;
}

void TableCursor::cancel() {
    if (m_state == State::Edit) {
        m_rows[m_current] = std::move(*m_editBackup);
    } else if (m_state == State::Insert) {
        m_rows.erase(m_rows.begin() + m_current);
        m_current = std::min(m_insertReturn, recordCount() - 1);
    } else {
        return;
    }
    m_editBackup.reset();
    m_bof = m_eof = m_rows.empty();
    emit currentChanged();
    setState(State::Browse);
}

void TableCursor::deleteRecord() {
    checkActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_rows.empty())
        return;
    const std::optional<qint64> rowid = m_rows[m_current].rowid;
    if (m_mode == WriteMode::Immediate)
        deleteStored(*rowid);
    else if (rowid)
        m_heldDeletions.push_back(*rowid);
    m_editBackup.reset();
    m_rows.erase(m_rows.begin() + m_current);
    m_current = std::min(m_current, recordCount() - 1);
    m_bof = m_eof = m_rows.empty();
    emit currentChanged();
    setState(State::Browse);
}

bool TableCursor::apply() {
    checkActive();
    if (!checkBrowseMode())
        return false;
    if (!updatesPending())
        return true;
    // Work on a copy so that a failed batch leaves every held change as it was.
    std::vector<Row> rows = m_rows;
    exec(m_db, QStringLiteral("SAVEPOINT vitacraft_apply"));
    try {
        for (qint64 rowid : m_heldDeletions)
            deleteStored(rowid);
        for (Row& row : rows)
            if (row.status != RowStatus::Stored)
                writeRow(row);
        exec(m_db, QStringLiteral("RELEASE vitacraft_apply"));
    } catch (...) {
        QSqlQuery rollback(m_db);
        rollback.exec(QStringLiteral("ROLLBACK TO vitacraft_apply"));
        rollback.exec(QStringLiteral("RELEASE vitacraft_apply"));
        throw;
    }
    m_rows = std::move(rows);
    m_heldDeletions.clear();
    emit currentChanged();
    return true;
}

void TableCursor::cancelUpdates() {
    checkActive();
    cancel();
    if (m_mode == WriteMode::Deferred) {
        reload(false);
        emit currentChanged();
    }
}

bool TableCursor::updatesPending() const {
    if (m_mode != WriteMode::Deferred || !isActive())
        return false;
    if (!m_heldDeletions.empty())
        return true;
    for (int i = 0; i < recordCount(); ++i) {
        const bool unposted = m_state == State::Insert && i == m_current;
        if (!unposted && m_rows[i].status != RowStatus::Stored)
            return true;
    }
    return false;
}

bool TableCursor::refresh() {
    checkActive();
    if (!checkBrowseMode())
        return false;
    reload(true);
    emit currentChanged();
    return true;
}

int TableCursor::fieldIndex(const QString& field) const {
    for (int i = 0; i < m_fieldNames.size(); ++i)
        if (m_fieldNames[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TableCursor::checkedFieldIndex(const QString& field) const {
    const int index = fieldIndex(field);
    if (index < 0)
        throw ECursorError(
            QStringLiteral("Table %1 has no field %2.").arg(m_tableName, field).toStdString());
    return index;
}

void TableCursor::checkActive() const {
    if (!isActive())
        throw ECursorError(QStringLiteral("Cannot perform this operation on the closed table %1.")
                               .arg(m_tableName)
                               .toStdString());
}

bool TableCursor::checkBrowseMode() {
    if (m_state == State::Edit || m_state == State::Insert)
        return post();
    return true;
}

void TableCursor::setState(State state) {
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

void TableCursor::readSchema() {
    // PRAGMA table_info is silent about a missing table; a SELECT gets the driver to say so.
    QSqlQuery probe(m_db);
    if (!probe.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quoted(m_tableName))))
        fail(probe.lastError());

    QSqlQuery info(m_db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_tableName))))
        fail(info.lastError());
    QStringList names;
    QStringList defaults;
    std::map<int, QString> keyColumns; // position in the key -> column
    while (info.next()) {
        const QString name = info.value(1).toString();
        names << name;
        defaults << (info.isNull(4) ? QString() : info.value(4).toString());
        if (const int keyPosition = info.value(5).toInt(); keyPosition > 0)
            keyColumns[keyPosition] = name;
    }
    QStringList order;
    for (const auto& [position, name] : keyColumns)
        order << quoted(name);
    m_fieldNames = names;
    m_defaultExprs = defaults;
    m_orderBy = order.isEmpty() ? QStringLiteral("rowid") : order.join(QLatin1String(", "));
}

std::vector<TableCursor::Row> TableCursor::readRows(std::optional<qint64> onlyRowid) const {
    QStringList columns{QStringLiteral("rowid")};
    for (const QString& name : m_fieldNames)
        columns << quoted(name);
    QString sql = QStringLiteral("SELECT %1 FROM %2")
                      .arg(columns.join(QLatin1String(", ")), quoted(m_tableName));
    if (onlyRowid)
        sql += QStringLiteral(" WHERE rowid = ?");
    sql += QStringLiteral(" ORDER BY ") + m_orderBy;

    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    prepare(query, sql);
    if (onlyRowid)
        query.addBindValue(*onlyRowid);
    exec(query);
    std::vector<Row> rows;
    while (query.next()) {
        Row row;
        row.rowid = query.value(0).toLongLong();
        row.values.reserve(m_fieldNames.size());
        for (int i = 0; i < m_fieldNames.size(); ++i)
            row.values << query.value(i + 1);
        row.dirty.assign(m_fieldNames.size(), false);
        rows.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        fail(query.lastError());
    return rows;
}

TableCursor::Row TableCursor::defaultRow() const {
    Row row;
    row.status = RowStatus::Inserted;
    row.values.resize(m_fieldNames.size());
    row.dirty.assign(m_fieldNames.size(), false);

    // The defaults are expressions the database accepted in its own schema; it evaluates them
    // now, as it would when the row is written.
    QStringList expressions;
    std::vector<int> columns;
    for (int i = 0; i < m_defaultExprs.size(); ++i) {
        if (m_defaultExprs[i].isNull())
            continue;
        expressions << m_defaultExprs[i];
        columns.push_back(i);
    }
    if (expressions.isEmpty())
        return row;
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT ") + expressions.join(QLatin1String(", "))))
        fail(query.lastError());
    if (query.next())
        for (std::size_t i = 0; i < columns.size(); ++i)
            row.values[columns[i]] = query.value(static_cast<int>(i));
    return row;
}

void TableCursor::rereadRow(Row& row) const {
    std::vector<Row> stored = readRows(row.rowid);
    if (!stored.empty())
        row.values = std::move(stored.front().values);
}

void TableCursor::writeRow(Row& row) const {
    QStringList columns;
    QVariantList values;
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        if (!row.dirty[i])
            continue;
        columns << quoted(m_fieldNames[i]);
        values << row.values[i];
    }
    QSqlQuery query(m_db);
    if (row.rowid) {
        if (columns.isEmpty())
            return;
        prepare(query, QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                           .arg(quoted(m_tableName), columns.join(QLatin1String(" = ?, "))));
        for (const QVariant& value : values)
            query.addBindValue(value);
        query.addBindValue(*row.rowid);
        exec(query);
        if (query.numRowsAffected() == 0)
            throw ECursorError(QStringLiteral("The row to be written no longer exists in table %1.")
                                   .arg(m_tableName)
                                   .toStdString());
    } else {
        // Only the columns the user set are named, so the store fills in its own defaults.
        if (columns.isEmpty()) {
            prepare(query,
                    QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_tableName)));
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            prepare(query, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quoted(m_tableName), columns.join(QLatin1String(", ")),
                                    marks.join(QLatin1String(", "))));
            for (const QVariant& value : values)
                query.addBindValue(value);
        }
        exec(query);
        row.rowid = query.lastInsertId().toLongLong();
    }
    row.dirty.assign(m_fieldNames.size(), false);
    row.status = RowStatus::Stored;
    rereadRow(row);
}

void TableCursor::deleteStored(qint64 rowid) const {
    QSqlQuery query(m_db);
    prepare(query, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_tableName)));
    query.addBindValue(rowid);
    exec(query);
}

void TableCursor::overlayHeldChanges(std::vector<Row>& rows) const {
    std::erase_if(rows, [this](const Row& row) {
        return std::find(m_heldDeletions.begin(), m_heldDeletions.end(), *row.rowid) !=
               m_heldDeletions.end();
    });
    for (const Row& held : m_rows) {
        if (held.status == RowStatus::Inserted) {
            rows.push_back(held);
            continue;
        }
        if (held.status != RowStatus::Modified)
            continue;
        auto stored = std::find_if(rows.begin(), rows.end(),
                                   [&](const Row& row) { return row.rowid == held.rowid; });
        if (stored == rows.end())
            continue; // gone from the table meanwhile: nothing left to change
        for (std::size_t i = 0; i < held.dirty.size(); ++i)
            if (held.dirty[i])
                stored->values[static_cast<int>(i)] = held.values[static_cast<int>(i)];
        stored->dirty = held.dirty;
        stored->status = RowStatus::Modified;
    }
}

void TableCursor::reload(bool keepHeld) {
    std::vector<Row> rows = readRows();
    if (keepHeld)
        overlayHeldChanges(rows);
    else
        m_heldDeletions.clear();
    int current = std::min(m_current, static_cast<int>(rows.size()) - 1);
    if (m_current >= 0 && m_rows[m_current].rowid) {
        const auto same = std::find_if(rows.begin(), rows.end(), [&](const Row& row) {
            return row.rowid == m_rows[m_current].rowid;
        });
        if (same != rows.end())
            current = static_cast<int>(same - rows.begin());
    }
    m_rows = std::move(rows);
    m_current = m_rows.empty() ? -1 : std::max(current, 0);
    m_bof = m_eof = m_rows.empty();
}

void TableCursor::moveTo(int index, bool bof, bool eof) {
    m_current = index;
    m_bof = bof;
    m_eof = eof;
    emit currentChanged();
}

} // namespace store
