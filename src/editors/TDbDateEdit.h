// A date field with a calendar drop-down bound to a date column of a table cursor, which holds
// ISO dates ("yyyy-mm-dd"). While the stored date is empty it shows today's date without storing
// it; a date reaches the row only when the user changes the field or picks a day in the calendar.
#pragma once

#include "editors/DataBinding.h"

#include <QDate>
#include <QDateEdit>

namespace editors {

class TDbDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit TDbDateEdit(QWidget* parent = nullptr);

    void bind(store::TableCursor* cursor, const QString& field) { m_binding->bind(cursor, field); }
    DataBinding* binding() const { return m_binding; }

private:
    DataBinding* m_binding;
};

// The date a column value holds (an ISO date, optionally followed by a time); invalid when empty
// or unreadable.
QDate storedDate(const QVariant& value);
// A date display format with every year field widened to four digits ("M/d/yy" -> "M/d/yyyy").
QString fourDigitYearFormat(const QString& format);

} // namespace editors
