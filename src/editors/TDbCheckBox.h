// A check box bound to a yes/no column of a table cursor, which holds the strings "True" and
// "False". It shows checked only for exactly "True" (the value the résumé output selects on).
#pragma once

#include "editors/DataBinding.h"

#include <QCheckBox>

namespace editors {

class TDbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TDbCheckBox(const QString& text = {}, QWidget* parent = nullptr);

    void bind(store::TableCursor* cursor, const QString& field) { m_binding->bind(cursor, field); }
    DataBinding* binding() const { return m_binding; }

protected:
    // A read-only box does not toggle.
    void nextCheckState() override;

private:
    DataBinding* m_binding;
};

} // namespace editors
