// The values that reach the mail server (host name, port, user ID, connection
// security, login) and the per-user settings store that keeps them between runs.
// The password is never in the store: it lives in the desktop's keyring, or in
// memory for the run.
#pragma once

#include "mail/SmtpClient.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace mail {

struct ServerSettings {
    QString hostName;
    int port = 0;
    QString userId;
    ConnectionSecurity security = ConnectionSecurity::None;
    QString loginName{};
    bool rememberPassword = false;
    // Known for this run once the keyring, the settings window or a prompt gave it.
    // Empty braces keep brace lists of the first three values free of warnings.
    std::optional<QString> password{};
};

// The names the window shows and the store keeps: "None", "STARTTLS", "SSL/TLS".
QString securityName(ConnectionSecurity security);
// An unknown name reads as None, the conversation of every older setting.
ConnectionSecurity securityNamed(const QString& name);
// The port servers usually listen on for the security: 25, 587 or 465.
int usualPort(ConnectionSecurity security);
// The keyring's name for the login at the server.
QString passwordAccount(const ServerSettings& settings);

// The per-user key "quorvane applications", positioned in its section "Vitacraft".
// Every value is stored as a string.
std::unique_ptr<QSettings> openServerSettingsKey();

// A stored port as a whole number; absent or not a number reads as 0.
int storedPort(const QSettings& key);

// The values as stored; absent values read as empty, 0, None and false.
ServerSettings loadServerSettings();

} // namespace mail
