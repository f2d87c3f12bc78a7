// The three values that reach the mail server (host name, port, user ID) and the
// per-user settings store that keeps them between runs.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace mail {

struct ServerSettings {
    QString hostName;
    int port = 0;
    QString userId;
};

// The per-user key "quorvane applications", positioned in its section "Vitacraft".
// Every value is stored as a string.
std::unique_ptr<QSettings> openServerSettingsKey();

// A stored port as a whole number; absent or not a number reads as 0.
int storedPort(const QSettings& key);

// The three values as stored; absent values read as empty and 0.
ServerSettings loadServerSettings();

} // namespace mail
