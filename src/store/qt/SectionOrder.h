// The sections a résumé can show and the ones it shows, in their order: read, and
// rewritten in one transaction.
#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace store {

// The rows of AvailableSections and of DisplayedOrder, in the order they were
// written. Throws EDatabaseError with the driver's text.
QStringList readAvailableSections(const QSqlDatabase& db);
QStringList readDisplayedSections(const QSqlDatabase& db);

// Rewrites AvailableSections and DisplayedOrder with the given lists, in their
// order, in one transaction: either both tables hold the lists or neither changed.
// Throws EDatabaseError with the driver's text.
void writeSections(QSqlDatabase db, const QStringList& available, const QStringList& displayed);

} // namespace store
