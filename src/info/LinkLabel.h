// A label that reads as a web link: maroon, blue while the mouse is over it, a
// hand-point cursor, and a click signal.
#pragma once

#include <QColor>
#include <QLabel>

namespace info {

inline const QColor kLinkColor = QColor(0x80, 0x00, 0x00);  // maroon
inline const QColor kHoverColor = QColor(0x00, 0x00, 0xff); // blue
inline const QColor kNavyColor = QColor(0x00, 0x00, 0x80);

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    // When the link turns blue: as the mouse enters it, or on every move over it.
    enum class Hover { OnEnter, OnMove };

    LinkLabel(const QString& text, QWidget* parent = nullptr, Hover hover = Hover::OnEnter);

    QColor color() const;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setColor(const QColor& color);

    Hover m_hover;
};

} // namespace info
