#include "editors/TDbNavigator.h"

#include "platform/Application.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace editors {

TDbNavigator::TDbNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_first = addButton(QStringLiteral("First"), QStringLiteral("|\u25C0"),
                        QStringLiteral("First entry"), &store::TableCursor::first);
    m_prior = addButton(QStringLiteral("Prior"), QStringLiteral("\u25C0"),
                        QStringLiteral("Previous entry"), &store::TableCursor::prior);
    m_next = addButton(QStringLiteral("Next"), QStringLiteral("\u25B6"),
                       QStringLiteral("Next entry"), &store::TableCursor::next);
    m_last = addButton(QStringLiteral("Last"), QStringLiteral("\u25B6|"),
                       QStringLiteral("Last entry"), &store::TableCursor::last);
    updateButtons();
}

void TDbNavigator::bind(store::TableCursor* cursor) {
    if (m_cursor)
        m_cursor->disconnect(this);
    m_cursor = cursor;
    if (cursor) {
        connect(cursor, &store::TableCursor::currentChanged, this, &TDbNavigator::updateButtons);
        connect(cursor, &store::TableCursor::stateChanged, this, &TDbNavigator::updateButtons);
    }
    updateButtons();
}

QToolButton* TDbNavigator::addButton(const QString& name, const QString& glyph, const QString& tip,
                                     bool (store::TableCursor::*move)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(glyph);
    button->setToolTip(tip);
    button->setAutoRaise(false);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, move] {
        if (m_cursor)
            platform::runCommand([&] { (m_cursor->*move)(); });
    });
    return button;
}

void TDbNavigator::updateButtons() {
    const bool open = m_cursor && m_cursor->isActive();
    const int row = open ? m_cursor->recNo() : -1;
    const int count = open ? m_cursor->recordCount() : 0;
    const bool back = row > 0;
    const bool forward = row >= 0 && row < count - 1;
    m_first->setEnabled(back);
    m_prior->setEnabled(back);
    m_next->setEnabled(forward);
    m_last->setEnabled(forward);
}

} // namespace editors
