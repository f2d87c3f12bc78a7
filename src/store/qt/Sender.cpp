#include "store/qt/Sender.h"

#include "store/qt/Connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace store {

Sender senderOfResume(const QSqlDatabase& db) {
    QSqlQuery contact(db);
    if (!contact.exec(QStringLiteral("SELECT FirstName, LastName, EmailAddress FROM ContactInfo")))
        raiseDatabaseError(contact.lastError());
    const bool row = contact.next();
    auto field = [&](int i) { return row ? contact.value(i).toString() : QString(); };
    return Sender{field(0) + QLatin1Char(' ') + field(1), field(2)};
}

} // namespace store
