#include "editors/DataBinding.h"

#include <QWidget>

namespace editors {

namespace {

// Sets a flag for the length of a scope, whatever way the scope is left.
class Raised {
public:
    explicit Raised(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~Raised() { m_flag = m_old; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

DataBinding::DataBinding(QWidget* widget, View view) : QObject(widget), m_view(std::move(view)) {
    m_view.setReadOnly(true);
}

void DataBinding::bind(store::TableCursor* cursor, const QString& field) {
    if (m_cursor)
        m_cursor->disconnect(this);
    m_cursor = cursor;
    m_field = field;
    if (cursor) {
        connect(cursor, &store::TableCursor::currentChanged, this, &DataBinding::refresh);
        connect(cursor, &store::TableCursor::fieldChanged, this, [this](const QString& changed) {
            if (changed.compare(m_field, Qt::CaseInsensitive) == 0)
                refresh();
        });
        connect(cursor, &store::TableCursor::stateChanged, this,
                [this] { m_view.setReadOnly(isReadOnly()); });
    }
    refresh();
}

bool DataBinding::isReadOnly() const {
    return !m_cursor || !m_cursor->isActive();
}

void DataBinding::write(const QVariant& value) {
    if (m_showing || isReadOnly())
        return;
    // The widget already shows what the user typed; re-filling it from the cursor meanwhile
    // (an insert on an empty table re-shows every field) would undo the keystroke.
    Raised writing(m_writing);
    m_cursor->setValue(m_field, value);
}

void DataBinding::refresh() {
    if (m_writing)
        return;
    Raised showing(m_showing);
    m_view.show(storedValue());
    m_view.setReadOnly(isReadOnly());
}

QVariant DataBinding::storedValue() const {
    if (isReadOnly() || m_cursor->recNo() < 0)
        return {};
    return m_cursor->value(m_field);
}

} // namespace editors
