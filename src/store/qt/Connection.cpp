#include "store/qt/Connection.h"

#include "store/StoreError.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>

#include <sqlite3.h>

namespace store {

namespace {

template <typename Handle> Handle handleOf(const QVariant& handle, const char* typeName) {
    if (!handle.isValid() || qstrcmp(handle.typeName(), typeName) != 0)
        return nullptr;
    return *static_cast<const Handle*>(handle.constData());
}

class QueryStatement final : public PreparedStatement {
public:
    explicit QueryStatement(std::unique_ptr<QSqlQuery> query) : m_query(std::move(query)) {}
    sqlite3_stmt* statement() const override {
        return m_query->result()
                   ? handleOf<sqlite3_stmt*>(m_query->result()->handle(), "sqlite3_stmt*")
                   : nullptr;
    }

private:
    std::unique_ptr<QSqlQuery> m_query;
};

class ConnectionStatements final : public StatementSource {
public:
    explicit ConnectionStatements(QSqlDatabase db) : m_db(std::move(db)) {}
    std::unique_ptr<PreparedStatement> prepare(const std::string& sql) override {
        auto query = std::make_unique<QSqlQuery>(m_db);
        query->setForwardOnly(true);
        if (!query->prepare(QString::fromStdString(sql)))
            raiseDatabaseError(query->lastError());
        auto prepared = std::make_unique<QueryStatement>(std::move(query));
        if (!prepared->statement())
            throw EDatabaseError("The database connection does not hand out its statements");
        return prepared;
    }

private:
    QSqlDatabase m_db;
};

} // namespace

void raiseDatabaseError(const QSqlError& error) {
    throw EDatabaseError(error.text().toStdString());
}

QSqlDatabase connection(const QString& name) {
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name, false);
    return QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
}

void openResume(QSqlDatabase& db, const QString& path) {
    db.close();
    // The SQLite driver creates a missing file, so existence is checked first.
    const std::string nativePath = QFile::encodeName(path).toStdString();
    checkResumePath(nativePath);
    db.setDatabaseName(path);
    if (!db.open())
        raiseDatabaseError(db.lastError());
    try {
        checkOpenedResume(handleOf<sqlite3*>(db.driver()->handle(), "sqlite3*"), nativePath);
    } catch (const EDatabaseError&) {
        db.close();
        throw;
    }
}

std::shared_ptr<StatementSource> statementsOf(QSqlDatabase db) {
    return std::make_shared<ConnectionStatements>(std::move(db));
}

} // namespace store
