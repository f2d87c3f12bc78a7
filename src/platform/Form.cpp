#include "platform/Form.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace platform {

Form::Form(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_strip(new QWidget(this)),
      m_stripLayout(new QHBoxLayout(m_strip)), m_caption(new QLabel(caption, m_strip)),
      m_body(new QWidget(this)) {
    setObjectName(objectName);
    setWindowTitle(caption);

    m_strip->setObjectName(QStringLiteral("TitleStrip"));
    m_strip->setAutoFillBackground(true);
    QPalette stripPalette = m_strip->palette();
    stripPalette.setColor(QPalette::Window, Qt::black);
    stripPalette.setColor(QPalette::WindowText, Qt::white);
    m_strip->setPalette(stripPalette);
    m_strip->setFixedHeight(22);
    m_strip->setCursor(Qt::SizeAllCursor);
    m_strip->installEventFilter(this);
    m_caption->installEventFilter(this);

    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_stripLayout->setContentsMargins(6, 0, 2, 0);
    m_stripLayout->addWidget(m_caption);
    m_stripLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_strip);
    layout->addWidget(m_body, 1);
}

QString Form::caption() const {
    return m_caption->text();
}

void Form::setCaption(const QString& caption) {
    m_caption->setText(caption);
    setWindowTitle(caption);
}

void Form::showForm() {
    show();
    raise();
    activateWindow();
}

void Form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring a minimised window is no new showing.
    if (event->spontaneous())
        return;
    FormShow();
    emit shown();
}

void Form::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    FormHide();
    emit hidden();
}

void Form::changeEvent(QEvent* event) {
    // The caption is white while the window is active, grey otherwise.
    if (event->type() == QEvent::ActivationChange) {
        QPalette p = m_caption->palette();
        p.setColor(QPalette::WindowText, isActiveWindow() ? Qt::white : QColor(0xb0, 0xb0, 0xb0));
        m_caption->setPalette(p);
    }
    QWidget::changeEvent(event);
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_strip && watched != m_caption)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            // Where the window manager can move the window (X11, Wayland) it does: it
            // keeps the window on the screens, and Wayland lets no program place its
            // own windows. Elsewhere the strip moves the window itself.
            if (windowHandle() && windowHandle()->startSystemMove())
                return true;
            m_dragging = true;
            m_dragOffset = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (m_dragging) {
            move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_dragOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* commandButton(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setMinimumWidth(88);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

} // namespace platform
