// A framed group of radio buttons bound to a text column of a table cursor. `Items` are the
// captions shown, `Values` the strings written: choosing item i writes Values[i] (its caption when
// Values has no entry i), and the item shown selected is the one whose value equals the stored
// string exactly; with no such item none is selected. The caption font takes `ColorEnter` while
// the mouse is over the group and `ColorLeave` when it leaves; setting ColorLeave applies it at
// once.
#pragma once

#include "editors/DataBinding.h"

#include <QColor>
#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace editors {

class TDbValueRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(QStringList Values READ values WRITE setValues)
    Q_PROPERTY(int Columns READ columns WRITE setColumns)
    Q_PROPERTY(QColor ColorEnter READ colorEnter WRITE setColorEnter)
    Q_PROPERTY(QColor ColorLeave READ colorLeave WRITE setColorLeave)
public:
    explicit TDbValueRadioGroup(const QString& title = {}, QWidget* parent = nullptr);

    void bind(store::TableCursor* cursor, const QString& field) { m_binding->bind(cursor, field); }
    DataBinding* binding() const { return m_binding; }

    QStringList items() const { return m_items; }
    void setItems(const QStringList& items);
    QStringList values() const { return m_values; }
    void setValues(const QStringList& values);
    // Items fill the columns top to bottom, then left to right.
    int columns() const { return m_columns; }
    void setColumns(int columns);
    QColor colorEnter() const { return m_colorEnter; }
    void setColorEnter(const QColor& color) { m_colorEnter = color; }
    QColor colorLeave() const { return m_colorLeave; }
    void setColorLeave(const QColor& color);

    // The selected item, -1 when none is.
    int itemIndex() const;
    QRadioButton* button(int index) const { return m_buttons.value(index); }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString valueAt(int index) const;
    void rebuild();
    void showValue(const QVariant& value);
    void choose(int index);
    void setFontColor(const QColor& color);

    DataBinding* m_binding;
    QButtonGroup* m_group;
    QGridLayout* m_layout;
    QList<QRadioButton*> m_buttons;
    QStringList m_items;
    QStringList m_values;
    int m_columns = 1;
    QColor m_colorEnter;
    QColor m_colorLeave;
};

} // namespace editors
