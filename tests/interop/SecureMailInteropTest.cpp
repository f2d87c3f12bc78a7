// vitacraft-cli sends through a real SMTP server (aiosmtpd on 127.0.0.1) that
// wants TLS and a login, with a certificate the test makes; the server logs every
// line it was sent and whether TLS carried it.
#include "support/Files.h"
#include "support/ServerProcess.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using testsupport::readFile;

namespace {

const char* const kPassword = "s3cret pass";

// The lines of the server's log that TLS did not carry.
std::vector<std::string> plainLines(const std::string& log) {
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("plain: ", 0) == 0)
            lines.push_back(line.substr(7));
    return lines;
}

// One server in the mode the test names, with a certificate for 127.0.0.1 that a
// CA file trusts, and the command line that sends a résumé to it.
class SecureMailInterop : public testing::Test {
protected:
    void start(const char* mode) {
        m_dir = fs::path(testing::TempDir()) / ("secure mail " + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "out");
        const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "
                                 "/CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
                                 (m_dir / "key.pem").string() + "' -out '" + caFile() +
                                 "' 2>/dev/null";
        ASSERT_EQ(std::system(make.c_str()), 0) << "openssl could not make the certificate";
        std::mt19937 random(11);
        for (int i = 0; i < 3000; ++i)
            m_resume += static_cast<char>(random() & 0xff);
        std::ofstream(m_dir / "resume.doc", std::ios::binary) << m_resume;
        std::ofstream(m_dir / "password") << kPassword << "\n";
        m_port = testsupport::freeLoopbackPort();
        m_server = std::make_unique<testsupport::ServerProcess>(
            "/usr/bin/python3",
            std::vector<std::string>{std::string(VITACRAFT_TEST_DATA) + "/mail/smtp_secure.py",
                                     mode, std::to_string(m_port), (m_dir / "out").string(),
                                     caFile(), (m_dir / "key.pem").string()});
        ASSERT_TRUE(m_server->ready()) << "aiosmtpd did not start";
    }
    std::string caFile() const { return (m_dir / "cert.pem").string(); }
    std::string passwordFile() const { return (m_dir / "password").string(); }

    // Runs vitacraft-cli send with the options; its exit code, and what it wrote
    // on its error output in errors.
    int send(const std::string& options, std::string& errors) {
        const std::string cli = std::string(VITACRAFT_BIN_DIR) + "/vitacraft-cli";
        const fs::path errorFile = m_dir / "errors.txt";
        const std::string command = "'" + cli + "' send --port " + std::to_string(m_port) +
                                    " --user me.local --from ann@example.org --to hr@example.com"
                                    " --subject CV --attach '" +
                                    (m_dir / "resume.doc").string() + "' --timeout 20000 " +
                                    options + " 2>'" + errorFile.string() + "'";
        const int status = std::system(command.c_str());
        errors = readFile(errorFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string received(const char* name) const { return readFile(m_dir / "out" / name); }
    // The message that arrived has the résumé as its attachment, byte for byte.
    void expectResumeArrived() const {
        EXPECT_EQ(received("parts.txt"),
                  "text\nattachment resume.doc " + std::to_string(m_resume.size()) + "\n");
        EXPECT_EQ(received("defects.txt"), "");
        EXPECT_TRUE(received("attachment.bin") == m_resume) << "attachment bytes differ";
    }

private:
    fs::path m_dir;
    std::string m_resume;
    std::uint16_t m_port = 0;
    std::unique_ptr<testsupport::ServerProcess> m_server;
};

TEST_F(SecureMailInterop, StartTlsWithLoginAndTheRefusals) {
    start("starttls");
    const std::string login =
        " --security starttls --login ann --password-file '" + passwordFile() + "'";
    struct Case {
        const char* name;
        std::string options;
        int exitCode;
        std::string error;
    };
    const Case cases[] = {
        {"trusted, right password", "--host 127.0.0.1 --ca-file '" + caFile() + "'" + login, 0, ""},
        {"wrong password",
         "--host 127.0.0.1 --security starttls --login ann --ca-file '" + caFile() + "'", 1,
         "The mail server did not accept the user name or password: 535 5.7.8 Authentication "
         "credentials invalid\n"},
        {"untrusted certificate", "--host 127.0.0.1" + login, 1,
         "The mail server's certificate was refused: it is self-signed and not trusted.\n"},
        {"certificate for another name", "--host localhost --ca-file '" + caFile() + "'" + login, 1,
         "The mail server's certificate was refused: it is for another host name than "
         "localhost.\n"},
    };
    ::setenv("VITACRAFT_SMTP_PASSWORD", "wrong password", 1);
    for (const Case& c : cases) {
        std::string errors;
        EXPECT_EQ(send(c.options, errors), c.exitCode) << c.name;
        EXPECT_EQ(errors, c.error) << c.name;
        EXPECT_EQ(errors.find(kPassword), std::string::npos) << c.name;
        if (c.exitCode == 0)
            expectResumeArrived();
    }
    ::unsetenv("VITACRAFT_SMTP_PASSWORD");
    // Before TLS every client said only EHLO and STARTTLS.
    for (const std::string& line : plainLines(received("commands.log")))
        EXPECT_TRUE(line == "EHLO me.local" || line == "STARTTLS") << line;
}

TEST_F(SecureMailInterop, ImplicitTlsCarriesEveryLine) {
    start("tls");
    std::string errors;
    ASSERT_EQ(send("--host 127.0.0.1 --security tls --login ann --password-file '" +
                       passwordFile() + "' --ca-file '" + caFile() + "'",
                   errors),
              0)
        << errors;
    expectResumeArrived();
    const std::string log = received("commands.log");
    EXPECT_NE(log.find("tls: EHLO me.local\n"), std::string::npos) << log;
    EXPECT_TRUE(plainLines(log).empty()) << log;
}

TEST_F(SecureMailInterop, ServerWithoutStartTlsHearsNoLoginAndNoMessage) {
    start("plain");
    std::string errors;
    EXPECT_EQ(send("--host 127.0.0.1 --security starttls --login ann --password-file '" +
                       passwordFile() + "' --ca-file '" + caFile() + "'",
                   errors),
              1);
    EXPECT_EQ(errors, "The mail server does not offer STARTTLS, so nothing more was sent over the "
                      "unencrypted connection.\n");
    EXPECT_EQ(plainLines(received("commands.log")), std::vector<std::string>{"EHLO me.local"});
}

} // namespace
