// vitacraft-cli: the program's core without a display.
#include "cli/Command.h"

#include "platform/ProgramFolders.h"

#include <algorithm>
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

int usageError(const std::string& name) {
    for (const Command& c : commands())
        if (c.name == name)
            return usageError(c);
    return kExitUsage;
}

} // namespace cli

static void printUsage(std::ostream& out) {
    auto all = cli::commands();
    std::sort(all.begin(), all.end(),
              [](const cli::Command& a, const cli::Command& b) { return a.name < b.name; });
    out << "usage: vitacraft-cli COMMAND [ARGS]\n       vitacraft-cli --help | --version\n\n"
           "commands:\n";
    for (const cli::Command& c : all)
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
}

static int printUsage() {
    printUsage(std::cerr);
    return cli::kExitUsage;
}

int main(int argc, char** argv) {
    if (argc < 2)
        return printUsage();
    const std::string name = argv[1];
    // Asked for, the usage is the answer and goes to standard output.
    if (name == "--help") {
        printUsage(std::cout);
        return cli::kExitOk;
    }
    if (name == "--version") {
        std::cout << "vitacraft-cli " << platform::programVersion() << '\n';
        return cli::kExitOk;
    }
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
