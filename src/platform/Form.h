// The look every window of the program shares: no system frame, a black title
// strip carrying the caption that the user drags the window by, content below.
//
// Windows are created once and shown modelessly; FormShow and FormHide run when
// the window appears and disappears.
#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace platform {

class Form : public QWidget {
    Q_OBJECT
public:
    // objectName is the instance name ("PersonalInfoForm"); caption the strip text.
    Form(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);

    // The area below the title strip, for the window's own widgets.
    QWidget* body() const { return m_body; }
    // The strip's layout, for buttons a window puts on its strip.
    QHBoxLayout* titleStripLayout() const { return m_stripLayout; }
    QWidget* titleStrip() const { return m_strip; }

    // Makes the window visible without waiting for it and brings it to the front.
    void showForm();

signals:
    void shown();
    void hidden();

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* m_strip;
    QHBoxLayout* m_stripLayout;
    QLabel* m_caption;
    QWidget* m_body;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

// A button of a window's row of commands, named `name` for the tests and the
// handlers: at least 88 pixels wide, a pointing hand, and never the default button,
// so Enter in a field does not press it.
QPushButton* commandButton(const QString& name, const QString& text, QWidget* parent);

} // namespace platform
