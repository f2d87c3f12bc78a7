#include "app/SectionButton.h"

#include <QPainter>

namespace app {

SectionButton::SectionButton(const QString& caption, const QIcon& icon, QWidget* parent)
    : QAbstractButton(parent) {
    setText(caption);
    setIcon(icon);
    setIconSize(QSize(32, 32));
    setCursor(Qt::PointingHandCursor);
    setFixedWidth(100);
    setMinimumHeight(62);
}

void SectionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_hovered || isDown()) {
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.setBrush(isDown() ? QColor(0xd8, 0xd8, 0xd8) : QColor(0xf2, 0xf2, 0xf2));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QRect iconRect((width() - 32) / 2, 3, 32, 32);
    painter.drawPixmap(iconRect, icon().pixmap(QSize(32, 32)));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(1, 35, -1, 0),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                     text());
}

void SectionButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SectionButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace app
