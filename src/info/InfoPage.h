// What every information page is: a small borderless window with the service's
// caption, a few lines about it and a link that opens its web page.
//
// Pages stay on top of other windows unless told otherwise; "&Close" hides them.
#pragma once

#include "info/LinkLabel.h"
#include "platform/Form.h"

#include <QString>

#include <vector>

class QPushButton;
class QVBoxLayout;

namespace info {

class InfoPage : public platform::Form {
    Q_OBJECT
public:
    struct Line {
        QString text;
        bool navy = false;
    };
    struct Content {
        QString name;    // the instance name ("ResumeWriting")
        QString caption; // the title strip's text
        std::vector<Line> lines;
        QString address; // what the link opens
        QString linkCaption = QStringLiteral("Click here to learn more");
        bool stayOnTop = true;
        LinkLabel::Hover hover = LinkLabel::Hover::OnEnter;
        // The link drawn over a white copy of itself, one pixel down and right.
        bool shadowedLink = false;
    };

    explicit InfoPage(const Content& content, QWidget* parent = nullptr);

    const QString& address() const { return m_address; }
    LinkLabel* link() const { return m_link; }
    QPushButton* closeButton() const { return m_close; }

    // The link: opens the page's address through the shell.
    void linkClick();
    // "&Close": hides the page.
    void FlatButton1Click();

protected:
    // Adds a widget below the text, above the link.
    void addBelowText(QWidget* widget);
    // Sizes the page to its content and puts it in the middle of the desktop.
    void placeCentred();

private:
    QString m_address;
    LinkLabel* m_link = nullptr;
    QPushButton* m_close = nullptr;
    QVBoxLayout* m_text = nullptr;
};

// A bold Arial label as the pages and the About box use, navy or black.
QLabel* pageLabel(const QString& text, QWidget* parent, bool navy = false);
// A "&Close" button for a window's title strip or body.
QPushButton* makeCloseButton(QWidget* parent, bool onStrip);

} // namespace info
