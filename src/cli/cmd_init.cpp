// vitacraft-cli init PATH: creates a blank résumé, never over an existing file.
#include "cli/Command.h"

#include "store/SqliteConnection.h"

namespace {

int runInit(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].empty() || args[0].rfind("-", 0) == 0)
        return cli::usageError("init");
    store::createBlankResume(args[0]);
    return cli::kExitOk;
}

const cli::CommandRegistration registration({
    "init",
    "PATH",
    "creates a blank resume database at PATH (never overwrites a file)",
    runInit,
});

} // namespace
