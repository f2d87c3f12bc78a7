// The program's one database connection and the résumé files behind it: opening
// an existing résumé (never creating one by accident) and creating a blank one.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace store {

// The name of the one connection every window and the data module share.
inline constexpr const char* kConnectionName = "ADOConnection1";

// The named SQLite connection, added on first use; it starts closed.
QSqlDatabase connection(const QString& name = QString::fromLatin1(kConnectionName));

// Closes db, points it at path and opens it for reading and writing. Only an
// existing SQLite file is opened: a missing path, a folder or a file that is not
// a database throws EDatabaseError with the data layer's text and leaves db
// closed. Nothing is ever created at path.
void openResume(QSqlDatabase& db, const QString& path);

// Creates a blank résumé at path: every table, the one Configuration row and the
// initial sections. Refuses (EDatabaseError) when anything exists at path.
void createBlankResume(const QString& path);

} // namespace store
