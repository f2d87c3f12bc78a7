// vitacraft-cli send: mails one file as an attachment through an SMTP server, with
// the same client, message and encoding as the Send Resume window.
#include "cli/Command.h"

#include "mail/SmtpClient.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>

namespace {

const char* const kName = "send";

std::optional<long> wholeNumber(const std::string& text, long low, long high) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("Cannot open file " + path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The first line of the file, without its line end.
std::string firstLine(const std::string& path) {
    const std::vector<std::string> lines = readLines(path);
    return lines.empty() ? std::string() : lines.front();
}

std::optional<mail::ConnectionSecurity> securityNamed(const std::string& name) {
    if (name == "none")
        return mail::ConnectionSecurity::None;
    if (name == "starttls")
        return mail::ConnectionSecurity::StartTls;
    if (name == "tls")
        return mail::ConnectionSecurity::Tls;
    return std::nullopt;
}

// Server replies end with their line end; the terminal needs only one.
std::string trimmed(std::string message) {
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

// The options as given, each at most once; nothing when one is unknown, repeated or
// lacks its value.
std::optional<std::map<std::string, std::string>>
readOptions(const std::vector<std::string>& args) {
    static const std::map<std::string, bool> kOptions = {
        // option, takes a value
        {"--host", true},    {"--port", true},          {"--user", true},
        {"--from", true},    {"--from-name", true},     {"--to", true},
        {"--subject", true}, {"--body-file", true},     {"--attach", true},
        {"--uucode", false}, {"--timeout", true},       {"--security", true},
        {"--login", true},   {"--password-file", true}, {"--ca-file", true},
    };
    std::map<std::string, std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto option = kOptions.find(args[i]);
        if (option == kOptions.end() || given.count(args[i]) != 0)
            return std::nullopt;
        if (!option->second) {
            given[args[i]] = "";
            continue;
        }
        if (i + 1 >= args.size())
            return std::nullopt;
        given[args[i]] = args[i + 1];
        ++i;
    }
    return given;
}

int runSend(const std::vector<std::string>& args) {
    auto options = readOptions(args);
    if (!options)
        return cli::usageError(kName);
    std::map<std::string, std::string>& given = *options;
    for (const char* required : {"--host", "--port", "--from", "--to", "--subject", "--attach"})
        if (given.count(required) == 0)
            return cli::usageError(kName);
    const auto port = wholeNumber(given["--port"], 1, 65535);
    if (!port) {
        std::cerr << mail::kPortRangeMessage << '\n';
        return cli::usageError(kName);
    }
    const auto timeout = given.count("--timeout") != 0
                             ? wholeNumber(given["--timeout"], 0, 2147483647)
                             : std::optional<long>(0);
    if (!timeout)
        return cli::usageError(kName);
    const auto security =
        securityNamed(given.count("--security") != 0 ? given["--security"] : "none");
    if (!security)
        return cli::usageError(kName);
    if (given.count("--login") != 0 && *security == mail::ConnectionSecurity::None) {
        std::cerr << "A login is sent only over a secure connection: choose --security "
                     "starttls or tls.\n";
        return cli::usageError(kName);
    }

    try {
        mail::TSmtpClient client;
        client.Host = given["--host"];
        client.Port = static_cast<std::int32_t>(*port);
        client.TimeOut = static_cast<std::int32_t>(*timeout);
        client.UserID = given["--user"];
        client.Security = *security;
        client.CaFile = given["--ca-file"];
        client.LoginName = given["--login"];
        if (given.count("--password-file") != 0)
            client.Password = firstLine(given["--password-file"]);
        else if (const char* password = std::getenv("VITACRAFT_SMTP_PASSWORD"))
            client.Password = password;
        client.EncodeType =
            given.count("--uucode") != 0 ? mail::UUMethods::uuCode : mail::UUMethods::uuMime;
        mail::TPostMessage& m = client.PostMessage;
        m.FromAddress = given["--from"];
        m.FromName = given["--from-name"];
        m.ToAddress = {given["--to"]};
        m.Subject = given["--subject"];
        m.Attachments = {given["--attach"]};
        if (given.count("--body-file") != 0)
            m.Body = readLines(given["--body-file"]);
        // A bad field or a missing file is refused before the server hears anything.
        mail::checkHeaderField(client.UserID, "user ID");
        client.buildMessage();

        mail::sendOnce(client);
    } catch (const std::exception& e) {
        std::cerr << trimmed(e.what()) << '\n';
        return cli::kExitFailure;
    }
    return cli::kExitOk;
}

const cli::CommandRegistration kRegistration({
    kName,
    "--host H --port P [--user ID] --from ADDR [--from-name NAME] --to ADDR --subject S "
    "[--body-file F] --attach FILE [--uucode] [--timeout MS] [--security none|starttls|tls] "
    "[--login NAME [--password-file FILE]] [--ca-file FILE]",
    "mail FILE as an attachment through the SMTP server H:P",
    runSend,
});

} // namespace
