// vitacraft-cli import-json FILE.json OUT.vcw and export-json RESUME OUT.json: JSON
// Resume in and out without a display, through the store's one implementation.
#include "cli/Command.h"

#include "store/JsonResume.h"
#include "store/SqliteConnection.h"

#include <iostream>

namespace {

bool isPath(const std::string& argument) {
    return !argument.empty() && argument.rfind("-", 0) != 0;
}

int runImport(const std::vector<std::string>& args) {
    if (args.size() != 2 || !isPath(args[0]) || !isPath(args[1]))
        return cli::usageError("import-json");
    for (const std::string& field : store::importJsonResume(args[0], args[1]))
        std::cerr << "Not imported: " << field << '\n';
    return cli::kExitOk;
}

int runExport(const std::vector<std::string>& args) {
    if (args.size() != 2 || !isPath(args[0]) || !isPath(args[1]))
        return cli::usageError("export-json");
    const auto resume = store::openResumeFile(args[0]);
    store::exportJsonResume(*resume, args[1], false);
    return cli::kExitOk;
}

const cli::CommandRegistration importRegistration({
    "import-json",
    "FILE.json OUT.vcw",
    "makes a new resume OUT.vcw from a JSON Resume file (never overwrites a file); what "
    "could not be imported is listed on standard error",
    runImport,
});

const cli::CommandRegistration exportRegistration({
    "export-json",
    "RESUME OUT.json",
    "writes RESUME as a JSON Resume file (never overwrites a file)",
    runExport,
});

} // namespace
