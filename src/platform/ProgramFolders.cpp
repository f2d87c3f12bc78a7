#include "platform/ProgramFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = variable("HOME");
    if (!home.empty())
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        home = found->pw_dir;
    return home;
}

fs::path userDataFolder(const UserEnvironment& environment) {
    const fs::path xdg(environment.xdgDataHome);
    if (xdg.is_absolute())
        return xdg / "vitacraft";
    if (environment.home.empty())
        return {};
    return fs::path(environment.home) / ".local" / "share" / "vitacraft";
}

} // namespace

ProgramFolders programFolders(const fs::path& executableDirectory,
                              const std::string& installedDataFromBin,
                              const UserEnvironment& environment) {
    std::error_code error;
    if (fs::is_regular_file(executableDirectory / kBuildTreeMarker, error))
        return {executableDirectory, executableDirectory};
    return {(executableDirectory / installedDataFromBin).lexically_normal(),
            userDataFolder(environment)};
}

ProgramFolders runningProgramFolders() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    const fs::path directory = error ? fs::current_path(error) : program.parent_path();
    return programFolders(directory, VITACRAFT_DATA_FROM_BIN,
                          {variable("XDG_DATA_HOME"), homeFolder()});
}

const char* programVersion() {
    return VITACRAFT_VERSION;
}

} // namespace platform
