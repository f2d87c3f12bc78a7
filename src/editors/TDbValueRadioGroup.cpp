#include "editors/TDbValueRadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

namespace editors {

TDbValueRadioGroup::TDbValueRadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent),
      m_binding(new DataBinding(
          this, {[this](const QVariant& value) { showValue(value); }, [](bool) {}})),
      m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this)),
      m_colorEnter(palette().color(QPalette::WindowText)),
      m_colorLeave(palette().color(QPalette::WindowText)) {
    setCursor(Qt::PointingHandCursor);
    connect(m_group, &QButtonGroup::idClicked, this, &TDbValueRadioGroup::choose);
}

void TDbValueRadioGroup::setItems(const QStringList& items) {
    m_items = items;
    rebuild();
}

void TDbValueRadioGroup::setValues(const QStringList& values) {
    m_values = values;
    m_binding->refresh();
}

void TDbValueRadioGroup::setColumns(int columns) {
    m_columns = std::max(columns, 1);
    rebuild();
}

void TDbValueRadioGroup::setColorLeave(const QColor& color) {
    m_colorLeave = color;
    setFontColor(color);
}

int TDbValueRadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void TDbValueRadioGroup::enterEvent(QEnterEvent* event) {
    setFontColor(m_colorEnter);
    QGroupBox::enterEvent(event);
}

void TDbValueRadioGroup::leaveEvent(QEvent* event) {
    setFontColor(m_colorLeave);
    QGroupBox::leaveEvent(event);
}

QString TDbValueRadioGroup::valueAt(int index) const {
    return index < m_values.size() ? m_values[index] : m_items[index];
}

void TDbValueRadioGroup::rebuild() {
    qDeleteAll(m_buttons);
    m_buttons.clear();
    const int count = static_cast<int>(m_items.size());
    const int perColumn = (count + m_columns - 1) / m_columns;
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(m_items[i], this);
        m_group->addButton(button, i);
        m_layout->addWidget(button, i % perColumn, i / perColumn);
        m_buttons << button;
    }
    m_binding->refresh();
}

void TDbValueRadioGroup::showValue(const QVariant& value) {
    const QString stored = value.toString();
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (valueAt(i) == stored) {
            m_buttons[i]->setChecked(true);
            return;
        }
    }
    // An exclusive group keeps one button checked; lift that to show no choice at all.
    m_group->setExclusive(false);
    for (QRadioButton* button : m_buttons)
        button->setChecked(false);
    m_group->setExclusive(true);
}

void TDbValueRadioGroup::choose(int index) {
    if (m_binding->isReadOnly()) {
        m_binding->refresh(); // undo the click: there is no row to write to
        return;
    }
    m_binding->write(valueAt(index));
}

void TDbValueRadioGroup::setFontColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    setPalette(colors);
}

} // namespace editors
