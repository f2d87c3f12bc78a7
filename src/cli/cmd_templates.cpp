// vitacraft-cli templates: the names of the templates a résumé can choose, one a line,
// in the order the format dialog lists them; any of them goes to export --template.
#include "cli/Command.h"

#include "generate/ResumeTemplates.h"

#include <iostream>

namespace {

int runTemplates(const std::vector<std::string>& args) {
    if (!args.empty())
        return cli::usageError("templates");
    for (const generate::ResumeTemplate& t : generate::resumeTemplates())
        std::cout << t.name << '\n';
    return cli::kExitOk;
}

const cli::CommandRegistration registration({
    "templates",
    "",
    "lists the names of the resume templates",
    runTemplates,
});

} // namespace
