// The window that edits the mail server settings: host name, port and user ID,
// kept in the per-user settings store and in the run's shared ServerSettings.
#pragma once

#include "mail/ui/ServerSettings.h"
#include "platform/Form.h"

class QLineEdit;
class QPushButton;

namespace mail {

class TEmailServerConf : public platform::Form {
    Q_OBJECT
public:
    // settings is the run's copy that the Send Resume window reads; Done updates it.
    explicit TEmailServerConf(ServerSettings& settings, QWidget* parent = nullptr);

    // Done: stores the fields and closes. A port that is not a whole number fails
    // with "'text' is not a valid integer value" after the host name is stored,
    // and so does one outside 1 to 65535, with kPortRangeMessage.
    void FlatButton1Click();
    // Cancel: closes without storing anything.
    void FlatButton2Click();

protected:
    void FormShow() override;

private:
    QLineEdit* m_hostName;       // "hostnamefield"
    QLineEdit* m_hostPort;       // "hostportfield"
    QLineEdit* m_userId;         // "useridfield"
    QPushButton* m_doneButton;   // "FlatButton1", "&Done"
    QPushButton* m_cancelButton; // "FlatButton2", "&Cancel"
    ServerSettings& m_settings;
};

} // namespace mail
