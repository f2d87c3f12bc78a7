// The window that edits the mail server settings: host name, port, user ID,
// connection security and login, kept in the per-user settings store and in the
// run's shared ServerSettings; a remembered password goes to the keyring only.
#pragma once

#include "mail/ui/ServerSettings.h"
#include "platform/Form.h"

class QCheckBox;
class QComboBox;
class QLabel;
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
    // A new security brings its usual port when the port holds another usual one.
    void securityChanged();

protected:
    void FormShow() override;

private:
    void storeLogin(QSettings& key);

    QLineEdit* m_hostName;       // "hostnamefield"
    QLineEdit* m_hostPort;       // "hostportfield"
    QLineEdit* m_userId;         // "useridfield"
    QComboBox* m_security;       // "securityfield"
    QLineEdit* m_loginName;      // "loginfield"
    QLineEdit* m_password;       // "passwordfield", masked
    QCheckBox* m_remember;       // "rememberfield"
    QLabel* m_plainNote;         // "loginnote", shown while the security is None
    QPushButton* m_doneButton;   // "FlatButton1", "&Done"
    QPushButton* m_cancelButton; // "FlatButton2", "&Cancel"
    ServerSettings& m_settings;
};

} // namespace mail
