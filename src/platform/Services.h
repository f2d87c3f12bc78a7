// Where windows and commands find the desktop: the shell, the dialogs, the file
// system, the clock, the random source and the keyring in force. Real ones unless a test
// installs doubles with ScopedServices.
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Keyring.h"
#include "platform/Shell.h"

namespace platform {

Shell& shell();
Dialogs& dialogs();
FileSystem& fileSystem();
Clock& clock();
Random& random();
Keyring& keyring();

// Installs the given services for its lifetime; a null pointer keeps the one in
// force. The previous services come back when it is destroyed.
class ScopedServices {
public:
    ScopedServices(Shell* shell, Dialogs* dialogs, FileSystem* fileSystem = nullptr,
                   Clock* clock = nullptr, Random* random = nullptr, Keyring* keyring = nullptr);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Shell* m_shell;
    Dialogs* m_dialogs;
    FileSystem* m_fileSystem;
    Clock* m_clock;
    Random* m_random;
    Keyring* m_keyring;
};

} // namespace platform
