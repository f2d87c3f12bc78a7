// vitacraft-cli: the program's core without a display.
#include "cli/Command.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace cli {

std::vector<Command>& commands() {
    static std::vector<Command> all;
    return all;
}

int usageError(const Command& command) {
    std::cerr << "usage: vitacraft-cli " << command.name << ' ' << command.usage << '\n';
    return kExitUsage;
}

std::string programDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

int usageError(const std::string& name) {
    for (const Command& c : commands())
        if (c.name == name)
            return usageError(c);
    return kExitUsage;
}

} // namespace cli

static int printUsage() {
    auto all = cli::commands();
    std::sort(all.begin(), all.end(),
              [](const cli::Command& a, const cli::Command& b) { return a.name < b.name; });
    std::cerr << "usage: vitacraft-cli COMMAND [ARGS]\n\ncommands:\n";
    for (const cli::Command& c : all)
        std::cerr << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
    return cli::kExitUsage;
}

int main(int argc, char** argv) {
    if (argc < 2)
        return printUsage();
    const std::string name = argv[1];
    for (const cli::Command& c : cli::commands()) {
        if (c.name != name)
            continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        try {
            return c.run(args);
        } catch (const std::exception& e) {
            std::cerr << e.what() << '\n';
            return cli::kExitFailure;
        }
    }
    std::cerr << "vitacraft-cli: unknown command '" << name << "'\n";
    return printUsage();
}
