// Sends mail through a real SMTP server (aiosmtpd on 127.0.0.1) and checks with
// the standard library's e-mail parser what arrived.
#include "mail/SmtpClient.h"
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

namespace {

using testsupport::freeLoopbackPort;
using testsupport::readFile;

std::string unixLines(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

// The SMTP server process: started ready to take one message, stopped when the
// test ends however it ends.
class SmtpSink {
public:
    SmtpSink()
        : m_port(freeLoopbackPort()), m_out(outDir(m_port)),
          m_server("/usr/bin/python3", {std::string(VITACRAFT_TEST_DATA) + "/mail/smtp_sink.py",
                                        std::to_string(m_port), m_out.string()}) {}
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    bool ready() const { return m_server.ready(); }
    std::uint16_t port() const { return m_port; }
    // Waits until the server has taken the message apart and ended.
    bool finished() { return m_server.finished(); }
    std::string file(const char* name) const { return readFile(m_out / name); }

private:
    static fs::path outDir(std::uint16_t port) {
        fs::path out = fs::path(testing::TempDir()) / ("smtp-sink-" + std::to_string(port));
        fs::remove_all(out);
        fs::create_directories(out);
        return out;
    }

    std::uint16_t m_port;
    fs::path m_out;
    testsupport::ServerProcess m_server;
};

std::string binaryResume() {
    std::mt19937 random(7);
    std::string bytes = "{\\rtf1\\ansi résumé}\r\n.\r\n";
    for (int i = 0; i < 5000; ++i)
        bytes += static_cast<char>(random() & 0xff);
    return bytes;
}

// CTest runs each test in a process of its own, in parallel: files are per process.
fs::path processDir() {
    return fs::path(testing::TempDir()) / ("interop dir " + std::to_string(::getpid()));
}

fs::path writeResume(const std::string& bytes) {
    const fs::path path = processDir() / "resume.doc";
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(MailInterop, ClientSendsTextAndAttachmentThroughARealServer) {
    SmtpSink sink;
    ASSERT_TRUE(sink.ready()) << "aiosmtpd did not start";
    const std::string resume = binaryResume();
    mail::TSmtpClient client;
    client.Host = "127.0.0.1";
    client.Port = sink.port();
    client.UserID = "vitacraft.local";
    client.PostMessage.FromName = "Ann Lee";
    client.PostMessage.FromAddress = "ann@example.org";
    client.PostMessage.ToAddress = {"hr@example.com"};
    client.PostMessage.Subject = "Application";
    client.PostMessage.Body = {"Dear team,", ".", ".leading dot", "", "Ann"};
    client.PostMessage.Attachments = {writeResume(resume).string()};
    client.Connect();
    client.SendMail();
    client.Disconnect();
    ASSERT_TRUE(sink.finished());

    EXPECT_EQ(sink.file("envelope.txt"), "MAIL FROM:ann@example.org\nRCPT TO:hr@example.com\n");
    const std::string headers = sink.file("headers.txt");
    for (const char* line :
         {"From: Ann Lee<ann@example.org>\n", "To: hr@example.com\n", "Subject: Application\n",
          "Mime-Version: 1.0\n", "Content-Type: multipart/mixed; boundary=\""})
        EXPECT_NE(headers.find(line), std::string::npos) << line << " missing from\n" << headers;
    EXPECT_EQ(unixLines(sink.file("text.txt")), "Dear team,\n.\n.leading dot\n\nAnn");
    EXPECT_EQ(sink.file("attachment.name"), "resume.doc");
    EXPECT_TRUE(sink.file("attachment.bin") == resume) << "attachment bytes differ";
}

TEST(MailInterop, EmptyAttachmentAndTextThatIsNotAsciiReadBackAsSent) {
    SmtpSink sink;
    ASSERT_TRUE(sink.ready()) << "aiosmtpd did not start";
    const std::string resume = binaryResume();
    const fs::path empty = processDir() / "empty.doc";
    fs::create_directories(empty.parent_path());
    std::ofstream(empty, std::ios::binary).flush();
    mail::TSmtpClient client;
    client.Host = "127.0.0.1";
    client.Port = sink.port();
    client.UserID = "vitacraft.local";
    client.Now = [] { return mail::MessageTime{1704161045, 60}; };
    client.PostMessage.FromName = "Micha\xc5\x82 Nowak";
    client.PostMessage.FromAddress = "michal@example.org";
    client.PostMessage.ToAddress = {"hr@example.com"};
    // Long enough to take several encoded-words on folded lines.
    client.PostMessage.Subject = "R\xc3\xa9sum\xc3\xa9 of Micha\xc5\x82 Nowak, "
                                 "\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 g\xc4\x99\xc5\x9bl\xc4\x85 "
                                 "ja\xc5\xba\xc5\x84 \xe2\x80\x94 applying for the post";
    client.PostMessage.Body = {"Gr\xc3\xbc\xc3\x9f"
                               "e,",
                               ".", std::string(80, '=') + "\xc3\xa9", "Micha\xc5\x82"};
    client.PostMessage.Attachments = {empty.string(), writeResume(resume).string()};
    mail::sendOnce(client);
    ASSERT_TRUE(sink.finished());

    EXPECT_EQ(
        sink.file("decoded.txt"),
        "from-name: Micha\xc5\x82 Nowak\n"
        "from-address: michal@example.org\n"
        "subject: " +
            client.PostMessage.Subject +
            "\n"
            "date: 2024-01-02T03:04:05+01:00\n"
            "message-id: <1704161045." +
            client
                .FinalHeader[static_cast<std::size_t>(client.FinalHeader.indexOfName("Message-ID"))]
                .substr(std::string("Message-ID: <1704161045.").size()) +
            "\n");
    EXPECT_EQ(sink.file("parts.txt"), "text\nattachment empty.doc 0\nattachment resume.doc " +
                                          std::to_string(resume.size()) + "\n");
    EXPECT_EQ(sink.file("defects.txt"), "");
    EXPECT_EQ(unixLines(sink.file("content.txt")), "Gr\xc3\xbc\xc3\x9f"
                                                   "e,\n.\n" +
                                                       std::string(80, '=') +
                                                       "\xc3\xa9\nMicha\xc5\x82");
    EXPECT_TRUE(sink.file("attachment.bin") == resume) << "attachment bytes differ";
}

TEST(MailInterop, CommandLineSendsTheFile) {
    SmtpSink sink;
    ASSERT_TRUE(sink.ready()) << "aiosmtpd did not start";
    const std::string resume = binaryResume();
    const fs::path body = processDir() / "body.txt";
    fs::create_directories(body.parent_path());
    std::ofstream(body) << "Hello,\n.\nBye\n";
    const std::string cli = std::string(VITACRAFT_BIN_DIR) + "/vitacraft-cli";
    ASSERT_TRUE(fs::exists(cli)) << "build vitacraft-cli first";
    const std::string command =
        "'" + cli + "' send --host 127.0.0.1 --port " + std::to_string(sink.port()) +
        " --user me.local --from ann@example.org --from-name 'Ann Lee'"
        " --to hr@example.com --subject 'CV' --body-file '" +
        body.string() + "' --attach '" + writeResume(resume).string() + "' --timeout 20000";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(sink.finished());
    EXPECT_NE(sink.file("headers.txt").find("Subject: CV\n"), std::string::npos);
    EXPECT_EQ(unixLines(sink.file("text.txt")), "Hello,\n.\nBye");
    EXPECT_TRUE(sink.file("attachment.bin") == resume) << "attachment bytes differ";
}

TEST(MailInterop, CommandLineExitCodes) {
    const std::string cli = std::string(VITACRAFT_BIN_DIR) + "/vitacraft-cli";
    ASSERT_TRUE(fs::exists(cli)) << "build vitacraft-cli first";
    const std::string file = writeResume("x").string();
    const std::string refused = std::to_string(freeLoopbackPort());
    const std::string common = " --from a@example.org --to b@example.org --subject S";
    const std::pair<std::string, int> cases[] = {
        {" --host 127.0.0.1 --port " + refused + common + " --attach '" + file + "'", 1},
        {" --host 127.0.0.1 --port 25" + common + " --attach /no/such/file.doc", 1},
        {" --host 127.0.0.1 --port 25" + common, 2},
        {" --host 127.0.0.1 --port 0" + common + " --attach '" + file + "'", 2},
        {" --host 127.0.0.1 --port 25 --timeout soon" + common + " --attach x", 2},
        {" --host 127.0.0.1 --port 25 --bogus" + common + " --attach x", 2},
    };
    for (const auto& [args, code] : cases) {
        const int status = std::system(("'" + cli + "' send" + args + " 2>/dev/null").c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), code) << args;
    }
}

TEST(MailInterop, CommandLineRefusesAPortOutsideItsRange) {
    const std::string cli = std::string(VITACRAFT_BIN_DIR) + "/vitacraft-cli";
    ASSERT_TRUE(fs::exists(cli)) << "build vitacraft-cli first";
    const std::string file = writeResume("x").string();
    const fs::path errors = processDir() / "port-errors.txt";
    for (const char* port : {"70000", "65536", "0", "-1", "smtp"}) {
        const std::string command = "'" + cli + "' send --host 127.0.0.1 --port " + port +
                                    " --from a@example.org --to b@example.org --subject S"
                                    " --attach '" +
                                    file + "' 2>'" + errors.string() + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << port;
        EXPECT_EQ(WEXITSTATUS(status), 2) << port;
        EXPECT_EQ(readFile(errors).substr(0, readFile(errors).find('\n') + 1),
                  "The port must be a number from 1 to 65535.\n")
            << port;
    }
}

} // namespace
