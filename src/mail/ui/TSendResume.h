// The window that e-mails the résumé document: sender from the résumé's contact
// data, the document as attachment, one connect-send-disconnect through TSmtpClient.
#pragma once

#include "mail/SmtpClient.h"
#include "mail/ui/ServerSettings.h"
#include "platform/Form.h"

#include <QStringList>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mail {

class TEmailServerConf;

// The lines of a multi-line field: none when it is empty, and a final line break
// does not start another line.
QStringList memoLines(const QString& text);

class TSendResume : public platform::Form {
    Q_OBJECT
public:
    // settings: the run's server settings, reloaded from the store on every show
    // and updated by serverConf; documentPath: the current resume document path.
    TSendResume(ServerSettings& settings, TEmailServerConf& serverConf,
                std::function<QString()> documentPath, QWidget* parent = nullptr);

    // The client the window sends with; its widgets are found by object name.
    TSmtpClient& smtpClient() { return m_smtpClient; }

    // Send: checks the fields and the settings, then mails the attachment. A
    // failure is shown in the standard error box and Send is enabled again.
    void FlatButton1Click();
    void FlatButton2Click();
    void FlatButton3Click();

protected:
    void FormShow() override;

private:
    void fillFromResume();
    // The password of a secure login, from the run, the keyring or the person;
    // false when the person declined to give it.
    bool knowPassword();
    void send();

    QLineEdit* m_fromName;       // "FromName"
    QLineEdit* m_fromAddress;    // "FromAddress"
    QLineEdit* m_attachment;     // "Attach"
    QLineEdit* m_toAddress;      // "ToAddress"
    QLineEdit* m_subject;        // "Subject"
    QPlainTextEdit* m_body;      // "Body"
    QPushButton* m_sendButton;   // "FlatButton1", "&Send"
    QPushButton* m_closeButton;  // "FlatButton2", "&Close"
    QPushButton* m_browseButton; // "FlatButton3", "&Browse"
    TSmtpClient m_smtpClient;
    ServerSettings& m_settings;
    TEmailServerConf& m_serverConf;
    std::function<QString()> m_documentPath;
};

} // namespace mail
