// Who a résumé is sent from: the name and address on its contact row.
#pragma once

#include "store/qt/Connection.h"

#include <QSqlDatabase>
#include <QString>

namespace store {

struct Sender {
    QString name;    // first and last name, one blank between
    QString address; // the e-mail address
};

// The sender of the résumé open on db; a résumé without a contact row gives a
// blank name (" ") and no address. Throws EDatabaseError with the driver's text.
Sender senderOfResume(const QSqlDatabase& db = connection());

} // namespace store
