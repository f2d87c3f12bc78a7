#include "mail/ui/ServerSettings.h"

namespace mail {

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
    return ServerSettings{key->value(QStringLiteral("HostName")).toString(), storedPort(*key),
                          key->value(QStringLiteral("UserId")).toString()};
}

} // namespace mail
