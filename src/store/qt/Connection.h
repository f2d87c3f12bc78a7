// The desktop's one database connection and the résumé files behind it: opening
// an existing résumé (never creating one by accident), and the connection's
// statements for the data module.
#pragma once

#include "store/SqliteConnection.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <memory>

namespace store {

// The name of the one connection every window and the data module share.
inline constexpr const char* kConnectionName = "ADOConnection1";

// Throws EDatabaseError with Qt's text of error: the database's words, then the
// driver's. Every Qt SQL failure outside the table cursor is reported so.
[[noreturn]] void raiseDatabaseError(const QSqlError& error);

// The named SQLite connection, added on first use; it starts closed.
QSqlDatabase connection(const QString& name = QString::fromLatin1(kConnectionName));

// Closes db, points it at path and opens it for reading and writing. Only an
// existing SQLite file is opened: a missing path, a folder or a file that is not
// a database throws EDatabaseError with the data layer's text and leaves db
// closed. Nothing is ever created at path.
void openResume(QSqlDatabase& db, const QString& path);

// Statements compiled on db. Closing db finalizes them; a dataset then compiles
// its statement again on the connection as it is at its next opening.
std::shared_ptr<StatementSource> statementsOf(QSqlDatabase db);

inline void createBlankResume(const QString& path) {
    createBlankResume(QFile::encodeName(path).toStdString());
}

} // namespace store
