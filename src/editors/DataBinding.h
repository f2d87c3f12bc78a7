// Ties one widget to one field of a table cursor: the widget shows the current row's value and
// follows navigation, the user's edits go into the cursor, and it is read-only while the cursor is
// closed. Each bound widget (TDbEdit, TDbMemo, ...) owns one and supplies how to show a value.
#pragma once

#include "store/qt/TableCursor.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

class QWidget;

namespace editors {

class DataBinding : public QObject {
    Q_OBJECT
public:
    struct View {
        // Fills the widget; the value is null when the cursor has no current row.
        std::function<void(const QVariant&)> show;
        std::function<void(bool readOnly)> setReadOnly;
    };

    DataBinding(QWidget* widget, View view);

    // Binds to a field (matched without regard to case) and shows it at once. A field the open
    // table lacks raises store::ECursorError when the value is first shown.
    void bind(store::TableCursor* cursor, const QString& field);
    store::TableCursor* cursor() const { return m_cursor; }
    QString field() const { return m_field; }

    // True without a cursor or while the cursor is closed.
    bool isReadOnly() const;
    // The user changed the widget: hands the value to the cursor, which enters edit state. Ignored
    // while the widget is being filled from the cursor and while read-only.
    void write(const QVariant& value);
    // Fills the widget from the cursor again.
    void refresh();

private:
    QVariant storedValue() const;

    View m_view;
    QPointer<store::TableCursor> m_cursor;
    QString m_field;
    bool m_showing = false;
    bool m_writing = false;
};

} // namespace editors
