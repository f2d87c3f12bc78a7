// Sub-commands of vitacraft-cli. Each command lives in its own cmd_*.cpp file and
// registers itself with a static CommandRegistration, so adding a command never
// touches the dispatcher.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cli {

// Exit codes shared by every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Command {
    std::string name;
    std::string usage; // the arguments after the command name, for the usage line
    std::string summary;
    // Receives the arguments after the command name.
    std::function<int(const std::vector<std::string>& args)> run;
};

std::vector<Command>& commands();

struct CommandRegistration {
    explicit CommandRegistration(Command command) { commands().push_back(std::move(command)); }
};

// Prints "usage: vitacraft-cli <name> <usage>" on standard error and returns kExitUsage.
int usageError(const Command& command);
int usageError(const std::string& name);

} // namespace cli
