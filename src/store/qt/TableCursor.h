// A cursor over the rows of one database table, the object every editor window edits through.
// It gives the windows dataset states, navigation, posting and batch writing without any SQL.
//
// Built on plain queries rather than QSqlTableModel: the whole table is read into memory on open
// (résumé tables hold a handful of rows), every row is identified by its rowid, and writes are
// single INSERT/UPDATE/DELETE statements naming only the changed columns. This keeps the states
// exact (a held deletion disappears from view at once, an unchanged column is never rewritten, so
// the store's own defaults apply on insert) and puts the driver's error text into every failure.
//
// Rows appear in primary key order (rowid order when the table declares no key); a row appended
// by insert() stays at the end until the next refresh().
#pragma once

#include "store/StoreError.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <optional>
#include <stdexcept>
#include <vector>

namespace store {

class TableCursor : public QObject {
    Q_OBJECT
public:
    enum class State {
        Inactive, // closed: no rows, no fields to read or write
        Browse,   // open, the current row is as stored (or held, in deferred mode)
        Edit,     // the current row has unposted changes
        Insert,   // the current row is a new, unposted row at the end
    };
    Q_ENUM(State)

    enum class WriteMode {
        Immediate, // each post and each deletion reaches the file at once
        Deferred,  // posts and deletions are held until apply(); close() discards them
    };
    Q_ENUM(WriteMode)

    // The cursor looks the connection up by name whenever it opens, so it follows a connection
    // that is closed and reopened on another file.
    TableCursor(const QSqlDatabase& database, const QString& tableName,
                WriteMode mode = WriteMode::Immediate, QObject* parent = nullptr);
    ~TableCursor() override;

    QString tableName() const { return m_tableName; }
    WriteMode writeMode() const { return m_mode; }
    State state() const { return m_state; }
    bool isActive() const { return m_state != State::Inactive; }

    // Reads the table and makes its first row current. Does nothing when already open.
    void open();
    // Discards an unposted change and, in deferred mode, every held change.
    void close();

    // Navigation first posts an edited or inserted row; when the post is aborted the cursor does
    // not move and the call returns false.
    bool first();
    bool prior();
    bool next();
    bool last();
    // bof(): the last move hit the first row (or first() ran); eof() likewise at the last row.
    // Both are true when the table has no rows or the cursor is closed.
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    // Rows visible to the editor, including an unposted new row and excluding held deletions.
    int recordCount() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    // Index of the current row, -1 when there is none.
    int recNo() const { return m_current; }

    // Column names in table order. Names are matched without regard to case.
    // Whether the table has the column: an older file may lack one a newer has.
    bool hasField(const QString& field) const { return fieldIndex(field) >= 0; }
    // The current row's value; a null QVariant when there is no current row.
    QVariant value(const QString& field) const;
    // Sets a field of the current row. In browse state this first enters edit state, which on an
    // empty table means inserting the first row.
    void setValue(const QString& field, const QVariant& value);

    // Enters edit state (insert state on an empty table). No-op while editing or inserting.
    void edit();
    // Posts a pending edit, then appends a new row holding the table's column defaults.
    // Returns false when posting the pending edit was aborted.
    bool insert();
    // Writes (or, deferred, holds) the current row's changes. Emits beforePost() first; a
    // handler may call abortPost(), and the cursor then stays in its state and post() returns
    // false. Returns true in browse state (nothing to post).
    bool post();
    // Inside a beforePost() handler: refuse the post under way.
    void abortPost();
    // Edit: restores the row's values. Insert: removes the new row.
    void cancel();
    // Deletes the current row (at once, or held in deferred mode). A row being inserted is
    // simply discarded, a pending edit is dropped first. Does nothing on an empty table.
    void deleteRecord();

    // Deferred mode: posts a pending edit, then writes every held change in one transaction.
    // On failure nothing is written and the changes stay held. Returns false when the post of
    // the pending edit was aborted. In immediate mode it only posts.
    bool apply();
    // Deferred mode: drops the pending edit and every held change, shows the stored rows again.
    void cancelUpdates();
    // Deferred mode: whether posted changes or deletions are waiting for apply().
    bool updatesPending() const;

    // Posts a pending edit, re-reads the table and keeps the current row when it still exists.
    // Held changes of deferred mode stay held and are shown over the re-read rows.
    bool refresh();

    // Every signal is emitted after the change it reports, so a handler reads the new situation.
    // open() emits stateChanged(Browse), currentChanged(), afterOpen(); a state change and a row
    // change together (insert, cancel, delete, post) emit currentChanged() before stateChanged().
signals:
    void stateChanged(store::TableCursor::State state);
    // The current row became another one or was re-read: bound widgets show every field again.
    void currentChanged();
    // One field of the current row was set.
    void fieldChanged(const QString& field);
    // The current row is about to be posted; see abortPost().
    void beforePost();
    void afterOpen();

private:
    enum class RowStatus { Stored, Modified, Inserted };
    struct Row {
        std::optional<qint64> rowid; // none for a row not yet in the table
        QVector<QVariant> values;
        std::vector<bool> dirty; // columns changed since the row was read
        RowStatus status = RowStatus::Stored;
    };

    int fieldIndex(const QString& field) const;
    int checkedFieldIndex(const QString& field) const;
    void checkActive() const;
    bool checkBrowseMode();
    void setState(State state);
    void readSchema();
    std::vector<Row> readRows(std::optional<qint64> onlyRowid = std::nullopt) const;
    Row defaultRow() const;
    void rereadRow(Row& row) const;
    void writeRow(Row& row) const;
    void deleteStored(qint64 rowid) const;
    void overlayHeldChanges(std::vector<Row>& rows) const;
    void reload(bool keepHeld);
    void moveTo(int index, bool bof, bool eof);

    QString m_connectionName;
    QString m_tableName;
    WriteMode m_mode;
    QSqlDatabase m_db;
    State m_state = State::Inactive;

    QStringList m_fieldNames;
    QStringList m_defaultExprs; // a null string where the column has no default
    QString m_orderBy;
    std::vector<Row> m_rows;
    std::vector<qint64> m_heldDeletions;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;

    std::optional<Row> m_editBackup; // the row as it was before edit state
    int m_insertReturn = -1;         // the row that was current before insert
    bool m_inBeforePost = false;
    bool m_postAborted = false;
};

} // namespace store
