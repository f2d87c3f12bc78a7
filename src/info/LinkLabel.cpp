#include "info/LinkLabel.h"

#include <QMouseEvent>

namespace info {

LinkLabel::LinkLabel(const QString& text, QWidget* parent, Hover hover)
    : QLabel(text, parent), m_hover(hover) {
    QFont bold(QStringLiteral("Arial"), 9);
    bold.setBold(true);
    setFont(bold);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(hover == Hover::OnMove);
    setColor(kLinkColor);
}

QColor LinkLabel::color() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    if (m_hover == Hover::OnEnter)
        setColor(kHoverColor);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setColor(kLinkColor);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    if (m_hover == Hover::OnMove)
        setColor(kHoverColor);
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace info
