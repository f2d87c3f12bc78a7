#include "editors/FieldGrid.h"

#include "editors/TDbCheckBox.h"
#include "editors/TDbDateEdit.h"
#include "editors/TDbEdit.h"
#include "editors/TDbMemo.h"
#include "editors/TDbValueRadioGroup.h"

#include <QGridLayout>
#include <QLabel>

namespace editors {

namespace {

const QColor kMaroon(0x80, 0x00, 0x00);
constexpr int kDateWidth = 130;

} // namespace

void markPrincipal(QLabel* label) {
    QPalette colors = label->palette();
    colors.setColor(QPalette::Active, QPalette::WindowText, kMaroon);
    colors.setColor(QPalette::Inactive, QPalette::WindowText, kMaroon);
    label->setPalette(colors);
}

FieldGrid::FieldGrid(QWidget* page, store::TableCursor* cursor)
    : m_page(page), m_grid(new QGridLayout(page)), m_cursor(cursor) {
    m_grid->setColumnStretch(1, 1);
    m_grid->setHorizontalSpacing(8);
    m_grid->setVerticalSpacing(6);
}

TDbEdit* FieldGrid::addEdit(const QString& caption, const QString& column, Caption kind,
                            int fixedWidth) {
    auto* edit = new TDbEdit(m_page);
    QLabel* label = addCaption(caption, kind, m_row, 0, 1);
    label->setBuddy(edit);
    if (fixedWidth > 0) {
        edit->setFixedWidth(fixedWidth);
        m_grid->addWidget(edit, m_row++, 1, Qt::AlignLeft);
    } else {
        m_grid->addWidget(edit, m_row++, 1);
    }
    addField(edit, column);
    edit->bind(m_cursor, column);
    return edit;
}

TDbEdit* FieldGrid::addEditUnderCaption(const QString& caption, const QString& column,
                                        Caption kind) {
    auto* edit = new TDbEdit(m_page);
    addCaption(caption, kind, m_row++, 0, 2)->setBuddy(edit);
    m_grid->addWidget(edit, m_row++, 0, 1, 2);
    addField(edit, column);
    edit->bind(m_cursor, column);
    return edit;
}

TDbDateEdit* FieldGrid::addDate(const QString& caption, const QString& column, Caption kind) {
    auto* date = new TDbDateEdit(m_page);
    date->setFixedWidth(kDateWidth);
    QLabel* label = addCaption(caption, kind, m_row, 0, 1);
    label->setBuddy(date);
    m_grid->addWidget(date, m_row++, 1, Qt::AlignLeft);
    addField(date, column);
    date->bind(m_cursor, column);
    return date;
}

TDbMemo* FieldGrid::addMemo(const QString& caption, const QString& column, Caption kind) {
    auto* memo = new TDbMemo(m_page);
    memo->setTabChangesFocus(true);
    if (!caption.isEmpty())
        addCaption(caption, kind, m_row++, 0, 2)->setBuddy(memo);
    m_grid->addWidget(memo, m_row, 0, 1, 2);
    m_grid->setRowStretch(m_row++, 1);
    addField(memo, column);
    memo->bind(m_cursor, column);
    return memo;
}

TDbCheckBox* FieldGrid::addCheck(const QString& text, const QString& column) {
    auto* box = new TDbCheckBox(text, m_page);
    box->setCursor(Qt::PointingHandCursor);
    m_grid->addWidget(box, m_row++, 0, 1, 2);
    addField(box, column);
    box->bind(m_cursor, column);
    return box;
}

TDbValueRadioGroup* FieldGrid::addRadioGroup(const QString& title, const QString& column,
                                             const QStringList& items, const QStringList& values,
                                             int columns) {
    auto* group = new TDbValueRadioGroup(title, m_page);
    group->setColumns(columns);
    group->setItems(items);
    group->setValues(values);
    group->setColorEnter(Qt::black);
    group->setColorLeave(Qt::black);
    m_grid->addWidget(group, m_row++, 0, 1, 2);
    addField(group, column);
    group->bind(m_cursor, column);
    return group;
}

void FieldGrid::addStretch() {
    m_grid->setRowStretch(m_row++, 1);
}

QLabel* FieldGrid::addCaption(const QString& caption, Caption kind, int row, int column, int span) {
    auto* label = new QLabel(caption, m_page);
    if (kind == Caption::Principal)
        markPrincipal(label);
    m_grid->addWidget(label, row, column, 1, span);
    m_controls << label;
    return label;
}

void FieldGrid::addField(QWidget* field, const QString& column) {
    field->setObjectName(column);
    m_controls << field;
    m_focusChain << field;
}

} // namespace editors
