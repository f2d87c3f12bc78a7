// vitacraft-cli export RESUME OUT [--template FILE]: generates the résumé document of
// RESUME into OUT, as "Export Resume as..." does, without a display.
#include "cli/Command.h"

#include "generate/DocumentGenerator.h"
#include "store/SqliteConnection.h"
#include "store/TDM.h"

#include <optional>

namespace {

int runExport(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::optional<std::string> templatePath;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--template") {
            if (i + 1 == args.size() || templatePath) {
                return cli::usageError("export");
            }
            templatePath = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            return cli::usageError("export");
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        return cli::usageError("export");
    }

    store::TDM dm(store::openResumeFile(positional[0]));
    generate::DocumentGenerator generator(
        dm, templatePath ? *templatePath : generate::defaultTemplatePath(cli::programDirectory()));
    generator.generateDocument(positional[1]);
    return cli::kExitOk;
}

const cli::CommandRegistration registration({
    "export",
    "RESUME OUT [--template FILE]",
    "writes the résumé document of RESUME to OUT (the template beside the program unless given)",
    runExport,
});

} // namespace
