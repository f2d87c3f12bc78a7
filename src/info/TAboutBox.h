// The About box: what the program is, and a link that writes to support.
// Created once at start-up, hidden, and shown modelessly from the main window.
#pragma once

#include "info/LinkLabel.h"
#include "platform/Form.h"

class QPushButton;

namespace info {

class TAboutBox : public platform::Form {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    LinkLabel* LinkLabel1() const { return m_link; }
    QPushButton* closeButton() const { return m_close; }

    // The support link: a mail to the support address.
    void LinkLabel1Click();
    // "&Close": hides the box.
    void FlatButton1Click();

private:
    LinkLabel* m_link;
    QPushButton* m_close;
};

} // namespace info
