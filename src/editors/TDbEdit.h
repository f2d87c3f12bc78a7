// A one-line edit field bound to a text column of a table cursor.
// Typing puts the cursor into edit state and writes each change into the current row.
#pragma once

#include "editors/DataBinding.h"

#include <QLineEdit>

namespace editors {

class TDbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDbEdit(QWidget* parent = nullptr);

    void bind(store::TableCursor* cursor, const QString& field) { m_binding->bind(cursor, field); }
    DataBinding* binding() const { return m_binding; }

private:
    DataBinding* m_binding;
};

} // namespace editors
