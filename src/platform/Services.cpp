#include "platform/Services.h"

namespace platform {

namespace {

struct Installed {
    Shell* shell = nullptr;
    Dialogs* dialogs = nullptr;
    FileSystem* fileSystem = nullptr;
    Clock* clock = nullptr;
    Random* random = nullptr;
    Keyring* keyring = nullptr;
};

Installed& installed() {
    static Installed services;
    return services;
}

template <typename Real, typename Base> Base& orReal(Base* service) {
    if (service)
        return *service;
    static Real real;
    return real;
}

} // namespace

Shell& shell() {
    return orReal<DesktopShell>(installed().shell);
}
Dialogs& dialogs() {
    return orReal<WidgetDialogs>(installed().dialogs);
}
FileSystem& fileSystem() {
    return orReal<LocalFileSystem>(installed().fileSystem);
}
Clock& clock() {
    return orReal<SystemClock>(installed().clock);
}
Random& random() {
    return orReal<StandardRandom>(installed().random);
}
Keyring& keyring() {
    return orReal<DesktopKeyring>(installed().keyring);
}

ScopedServices::ScopedServices(Shell* shell, Dialogs* dialogs, FileSystem* fileSystem, Clock* clock,
                               Random* random, Keyring* keyring)
    : m_shell(installed().shell), m_dialogs(installed().dialogs),
      m_fileSystem(installed().fileSystem), m_clock(installed().clock),
      m_random(installed().random), m_keyring(installed().keyring) {
    Installed& now = installed();
    if (shell)
        now.shell = shell;
    if (dialogs)
        now.dialogs = dialogs;
    if (fileSystem)
        now.fileSystem = fileSystem;
    if (clock)
        now.clock = clock;
    if (random)
        now.random = random;
    if (keyring)
        now.keyring = keyring;
}

ScopedServices::~ScopedServices() {
    installed() = Installed{m_shell, m_dialogs, m_fileSystem, m_clock, m_random, m_keyring};
}

} // namespace platform
