// A large button of the main window's section bar: a 32 by 32 icon above a
// caption that wraps onto as many lines as it needs, with a hand cursor.
#pragma once

#include <QAbstractButton>

namespace app {

class SectionButton : public QAbstractButton {
    Q_OBJECT
public:
    SectionButton(const QString& caption, const QIcon& icon, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {100, 62}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_hovered = false;
};

} // namespace app
