// The four-button navigator of the list editors: First, Prior, Next and Last over a table cursor.
// Moving posts the entry being edited first; a button is enabled only where it would move.
#pragma once

#include "store/qt/TableCursor.h"

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace editors {

class TDbNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDbNavigator(QWidget* parent = nullptr);

    void bind(store::TableCursor* cursor);

    // Named "First", "Prior", "Next" and "Last" as objects, for tests and accessibility.
    QToolButton* firstButton() const { return m_first; }
    QToolButton* priorButton() const { return m_prior; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* lastButton() const { return m_last; }

private:
    QToolButton* addButton(const QString& name, const QString& glyph, const QString& tip,
                           bool (store::TableCursor::*move)());
    void updateButtons();

    QPointer<store::TableCursor> m_cursor;
    QToolButton* m_first;
    QToolButton* m_prior;
    QToolButton* m_next;
    QToolButton* m_last;
};

} // namespace editors
