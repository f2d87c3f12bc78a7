// The desktop's secret store, where the mail password is kept between runs: a
// password is never written to the settings store or to any file of ours.
#pragma once

#include <QString>

#include <optional>

namespace platform {

class Keyring {
public:
    virtual ~Keyring() = default;
    // The password stored for the account; nothing when none is stored or no
    // keyring answers.
    virtual std::optional<QString> readPassword(const QString& account) = 0;
    // False when no keyring took the password.
    virtual bool writePassword(const QString& account, const QString& password) = 0;
    virtual void removePassword(const QString& account) = 0;
};

// The desktop session's secret service, reached through QtKeychain. Without a
// secret service every read finds nothing and every write fails; there is no
// fallback to a plain file.
class DesktopKeyring : public Keyring {
public:
    std::optional<QString> readPassword(const QString& account) override;
    bool writePassword(const QString& account, const QString& password) override;
    void removePassword(const QString& account) override;
};

} // namespace platform
