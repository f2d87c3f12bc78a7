#include "store/Connection.h"

#include "store/SchemaSql.h"
#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace store {

QSqlDatabase connection(const QString& name) {
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name, false);
    return QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
}

void openResume(QSqlDatabase& db, const QString& path) {
    db.close();
    // The SQLite driver creates a missing file, so existence is checked first.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw EDatabaseError("Could not find file '" + path.toStdString() + "'.");
    if (info.isDir())
        throw EDatabaseError("'" + path.toStdString() + "' is a folder, not a resume database.");
    db.setDatabaseName(path);
    if (!db.open())
        throw EDatabaseError(db.lastError().text().toStdString());
    // Opening is lazy: reading the schema is what tells a database from any file.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("PRAGMA schema_version")) || !probe.next()) {
        const std::string text = probe.lastError().databaseText().toStdString();
        probe.finish();
        db.close();
        throw EDatabaseError(text + ": '" + path.toStdString() + "'");
    }
    probe.finish();
    // A copy of the file must always be the whole résumé: no write-ahead log.
    probe.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
}

void createBlankResume(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    // O_EXCL makes the refusal to overwrite atomic; an empty file is a valid,
    // empty SQLite database that the script then fills.
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            throw EDatabaseError("The file '" + path.toStdString() +
                                 "' already exists; it was not overwritten.");
        throw EDatabaseError("Cannot create '" + path.toStdString() + "': " + std::strerror(errno));
    }
    ::close(fd);

    sqlite3* handle = nullptr;
    std::string failure;
    if (sqlite3_open_v2(native.constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        failure = handle ? sqlite3_errmsg(handle) : "out of memory";
    } else {
        char* message = nullptr;
        if (sqlite3_exec(handle, kSchemaSql, nullptr, nullptr, &message) != SQLITE_OK) {
            failure = message ? message : sqlite3_errmsg(handle);
            sqlite3_free(message);
        }
    }
    sqlite3_close(handle);
    if (!failure.empty()) {
        QFile::remove(path);
        throw EDatabaseError("Cannot create '" + path.toStdString() + "': " + failure);
    }
}

} // namespace store
