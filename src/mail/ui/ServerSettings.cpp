#include "mail/ui/ServerSettings.h"

namespace mail {

QString securityName(ConnectionSecurity security) {
    switch (security) {
    case ConnectionSecurity::None:
        return QStringLiteral("None");
    case ConnectionSecurity::StartTls:
        return QStringLiteral("STARTTLS");
    case ConnectionSecurity::Tls:
        return QStringLiteral("SSL/TLS");
    }
    return QStringLiteral("None");
}

ConnectionSecurity securityNamed(const QString& name) {
    for (const ConnectionSecurity s : {ConnectionSecurity::StartTls, ConnectionSecurity::Tls})
        if (name == securityName(s))
            return s;
    return ConnectionSecurity::None;
}

int usualPort(ConnectionSecurity security) {
    switch (security) {
    case ConnectionSecurity::None:
        return 25;
    case ConnectionSecurity::StartTls:
        return 587;
    case ConnectionSecurity::Tls:
        return 465;
    }
    return 25;
}

QString passwordAccount(const ServerSettings& settings) {
    return settings.loginName + QLatin1Char('@') + settings.hostName;
}

std::unique_ptr<QSettings> openServerSettingsKey() {
    auto key = std::make_unique<QSettings>(QStringLiteral("quorvane applications"));
    key->beginGroup(QStringLiteral("Vitacraft"));
    return key;
}

int storedPort(const QSettings& key) {
    bool ok = false;
    const int port = key.value(QStringLiteral("HostPort")).toString().toInt(&ok);
    return ok ? port : 0;
}

ServerSettings loadServerSettings() {
    const auto key = openServerSettingsKey();
    ServerSettings s{key->value(QStringLiteral("HostName")).toString(), storedPort(*key),
                     key->value(QStringLiteral("UserId")).toString()};
    s.security = securityNamed(key->value(QStringLiteral("Security")).toString());
    s.loginName = key->value(QStringLiteral("LoginName")).toString();
    s.rememberPassword =
        key->value(QStringLiteral("RememberPassword")).toString() == QStringLiteral("True");
    return s;
}

} // namespace mail
