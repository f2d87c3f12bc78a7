#include "store/qt/SectionOrder.h"

#include "store/qt/Connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace store {

namespace {

QStringList readSections(const QSqlDatabase& db, const QString& table) {
    QSqlQuery query(db);
    // Rows come back in the order they were inserted, the only record of the order.
    if (!query.exec(QStringLiteral("select Section from %1 order by rowid").arg(table)))
        raiseDatabaseError(query.lastError());
    QStringList sections;
    while (query.next())
        sections << query.value(0).toString();
    return sections;
}

} // namespace

QStringList readAvailableSections(const QSqlDatabase& db) {
    return readSections(db, QStringLiteral("AvailableSections"));
}

QStringList readDisplayedSections(const QSqlDatabase& db) {
    return readSections(db, QStringLiteral("DisplayedOrder"));
}

void writeSections(QSqlDatabase db, const QStringList& available, const QStringList& displayed) {
    const auto fail = [&db](const QSqlError& error) {
        db.rollback();
        raiseDatabaseError(error);
    };
    if (!db.transaction())
        raiseDatabaseError(db.lastError());
    const struct {
        const char* table;
        const QStringList& sections;
    } tables[] = {{"AvailableSections", available}, {"DisplayedOrder", displayed}};
    for (const auto& t : tables) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("delete from %1").arg(QLatin1String(t.table))))
            fail(query.lastError());
        if (!query.prepare(QStringLiteral("insert into %1 values(?)").arg(QLatin1String(t.table))))
            fail(query.lastError());
        for (const QString& section : t.sections) {
            query.bindValue(0, section);
            if (!query.exec())
                fail(query.lastError());
        }
    }
    if (!db.commit())
        fail(db.lastError());
}

} // namespace store
