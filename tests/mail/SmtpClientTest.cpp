#include "support/FakePeer.h"

#include "mail/MailErrors.h"
#include "mail/SmtpClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

using namespace mail;
using testsupport::FakePeer;
using testsupport::PeerConnection;
using testsupport::SmtpTranscript;
using Commands = std::vector<std::string>;

namespace {

using ReplyFn = std::function<std::string(const std::string&)>;

// A reply function that answers chosen commands differently from a willing server.
ReplyFn except(std::map<std::string, std::string> special) {
    return [special = std::move(special)](const std::string& command) {
        const auto found = special.find(command);
        return found != special.end() ? found->second : testsupport::willingReply(command);
    };
}

// The date and the random part of every message the fixture's client builds.
constexpr MessageTime kSendTime{1704161045, 60};
constexpr const char* kDateLine = "Date: Tue, 02 Jan 2024 03:04:05 +0100\r\n";
constexpr const char* kMessageIdLine = "Message-ID: <1704161045.7777777777777777@example.org>\r\n";

// A fresh client with a one-line message, against a scripted server of its own:
// for the rows of a table, each of which needs a new conversation.
struct ServedClient {
    explicit ServedClient(ReplyFn reply, std::string greeting = "220 hi\r\n",
                          testsupport::PeerCertificate certificate = {})
        : peer([this, reply = std::move(reply), greeting = std::move(greeting),
                certificate = std::move(certificate)](PeerConnection& p) {
              testsupport::serveSmtp(p, transcript, greeting, reply, certificate);
          }) {
        client.Host = "127.0.0.1";
        client.Port = peer.port();
        client.PostMessage.FromAddress = "ann@example.org";
        client.PostMessage.ToAddress = {"bob@example.org"};
    }
    ~ServedClient() { seen(); }
    // What the server saw, once the client has let go of the connection.
    const SmtpTranscript& seen() {
        client.RequestCloseSocket();
        peer.join();
        return transcript;
    }

    SmtpTranscript transcript;
    TSmtpClient client;
    FakePeer peer;
};

class SmtpClientTest : public testing::Test {
protected:
    SmtpClientTest() {
        client.Now = [] { return kSendTime; };
        client.Random = [](int range) { return 7 % range; };
    }
    ~SmtpClientTest() override {
        // Events may refer to a finished test's locals.
        client.TLineSocket::OnDisconnect = nullptr;
        client.RequestCloseSocket();
        if (m_peer)
            m_peer->join();
    }
    void startServer(ReplyFn reply, std::string greeting = "220 fake ESMTP\r\n") {
        m_peer = std::make_unique<FakePeer>(
            [this, reply = std::move(reply), greeting = std::move(greeting)](PeerConnection& p) {
                testsupport::serveSmtp(p, m_transcript, greeting, reply);
            });
        client.Host = "127.0.0.1";
        client.Port = m_peer->port();
        client.UserID = "me.local";
    }
    // What the server saw, once the client has let go of the connection.
    const SmtpTranscript& transcript() {
        client.RequestCloseSocket();
        m_peer->join();
        return m_transcript;
    }
    std::string writeFile(const std::string& name, const std::string& bytes) {
        const auto path = std::filesystem::path(testing::TempDir()) / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    void fillMessage() {
        client.PostMessage.FromName = "Ann Lee";
        client.PostMessage.FromAddress = "ann@example.org";
        client.PostMessage.ToAddress = {"bob@example.org"};
        client.PostMessage.Subject = "My resume";
        client.PostMessage.Body = {"Hello,", ".dot line", "", "Ann"};
    }

    TSmtpClient client;

private:
    SmtpTranscript m_transcript;
    std::unique_ptr<FakePeer> m_peer;
};

TEST_F(SmtpClientTest, OneSendWithAttachmentInConversationOrder) {
    startServer(except({{"HELO me.local", "250-fake.local\r\n250 HELP\r\n"}}),
                "220-fake ESMTP\r\n220 ready\r\n");
    fillMessage();
    const std::string file = writeFile("resume.doc", std::string("{\\rtf1 abc}\0\xff", 13));
    client.PostMessage.Attachments = {file};
    int connects = 0, successes = 0;
    client.OnConnect = [&] { ++connects; };
    client.OnSuccess = [&] { ++successes; };

    client.Connect();
    EXPECT_EQ(connects, 1);
    client.SendMail();
    client.Disconnect();
    EXPECT_FALSE(client.connected());
    EXPECT_EQ(successes, 1);

    const std::string b = client.boundary();
    ASSERT_EQ(b.size(), 25u + 6u + 4u);
    EXPECT_EQ(b.substr(0, 25), "====================54535");
    EXPECT_EQ(b.substr(31), "====");
    for (char c : b.substr(25, 6))
        EXPECT_TRUE(c >= 'a' && c <= 'y') << b;

    const SmtpTranscript& t = transcript();
    EXPECT_EQ(t.commands, (Commands{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                                    "RCPT TO:<bob@example.org>", "DATA", ".", "QUIT"}));
    EXPECT_EQ(t.data, "From: Ann Lee<ann@example.org>\r\n"
                      "To: bob@example.org\r\n"
                      "Subject: My resume\r\n" +
                          std::string(kDateLine) + kMessageIdLine +
                          "Mime-Version: 1.0\r\n"
                          "Content-Type: multipart/mixed; boundary=\"" +
                          b +
                          "\"\r\n"
                          "\r\n"
                          "\r\n"
                          "--" +
                          b +
                          "\r\n"
                          "Content-Type: text/plain; charset=us-ascii\r\n"
                          "\r\n"
                          "Hello,\r\n"
                          "..dot line\r\n"
                          "\r\n"
                          "Ann\r\n"
                          "--" +
                          b +
                          "\r\n"
                          "Content-Type: application/octet-stream; name=\"resume.doc\"\r\n"
                          "Content-Transfer-Encoding: base64\r\n"
                          "Content-Disposition: attachment; filename=\"resume.doc\"\r\n"
                          "\r\n"
                          "e1xydGYxIGFiY30A/w==\r\n"
                          "--" +
                          b + "--\r\n");
    // Recipients and attachments are spent; the rest stays for the next send.
    EXPECT_TRUE(client.PostMessage.ToAddress.empty());
    EXPECT_TRUE(client.PostMessage.Attachments.empty());
    EXPECT_EQ(client.PostMessage.Subject, "My resume");
    EXPECT_EQ(client.PostMessage.Body.size(), 4u);
}

TEST_F(SmtpClientTest, EmptyAttachmentIsFollowedByTheNextPartAndTheClosingBoundary) {
    startServer(testsupport::willingReply);
    fillMessage();
    client.PostMessage.Attachments = {writeFile("empty.doc", ""), writeFile("abc.doc", "abc")};
    int successes = 0;
    client.OnSuccess = [&] { ++successes; };
    client.Connect();
    client.SendMail();
    EXPECT_EQ(successes, 1);
    const std::string b = client.boundary();
    const std::string parts = "--" + b +
                              "\r\n"
                              "Content-Type: application/octet-stream; name=\"empty.doc\"\r\n"
                              "Content-Transfer-Encoding: base64\r\n"
                              "Content-Disposition: attachment; filename=\"empty.doc\"\r\n"
                              "\r\n"
                              "--" +
                              b +
                              "\r\n"
                              "Content-Type: application/octet-stream; name=\"abc.doc\"\r\n"
                              "Content-Transfer-Encoding: base64\r\n"
                              "Content-Disposition: attachment; filename=\"abc.doc\"\r\n"
                              "\r\n"
                              "YWJj\r\n"
                              "--" +
                              b + "--\r\n";
    const std::string& data = transcript().data;
    ASSERT_GE(data.size(), parts.size()) << data;
    EXPECT_EQ(data.substr(data.size() - parts.size()), parts) << data;
}

TEST_F(SmtpClientTest, WithoutSeamsEveryMessageHasADateAndItsOwnMessageId) {
    TSmtpClient plain;
    plain.PostMessage.FromAddress = "ann@example.org";
    plain.PostMessage.Attachments = {writeFile("x.doc", "x")};
    std::vector<std::string> ids;
    std::vector<std::string> boundaries;
    for (int i = 0; i < 2; ++i) {
        plain.buildMessage();
        const TExStringList& h = plain.FinalHeader;
        ASSERT_GE(h.indexOfName("Date"), 0);
        EXPECT_EQ(h[static_cast<std::size_t>(h.indexOfName("Date"))].size(),
                  std::string("Date: Tue, 02 Jan 2024 03:04:05 +0100").size());
        ASSERT_GE(h.indexOfName("Message-ID"), 0);
        ids.push_back(h[static_cast<std::size_t>(h.indexOfName("Message-ID"))]);
        boundaries.push_back(plain.boundary());
    }
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(boundaries[0], boundaries[1]);
    EXPECT_NE(ids[0].find("@example.org>"), std::string::npos) << ids[0];
}

TEST_F(SmtpClientTest, TextThatIsNotAsciiIsSentEncoded) {
    startServer(testsupport::willingReply);
    fillMessage();
    client.PostMessage.FromName = "Micha\xc5\x82 Nowak";
    client.PostMessage.Subject = "R\xc3\xa9sum\xc3\xa9";
    client.PostMessage.Body = {"Gr\xc3\xbc\xc3\x9f"
                               "e,",
                               ".", "Micha\xc5\x82"};
    client.PostMessage.Attachments = {writeFile("a.doc", "abc")};
    client.Connect();
    client.SendMail();
    const std::string b = client.boundary();
    EXPECT_EQ(transcript().data.substr(0, transcript().data.find("--" + b +
                                                                 "\r\nContent-Type: "
                                                                 "application")),
              "From: =?utf-8?q?Micha=C5=82_Nowak?= <ann@example.org>\r\n"
              "To: bob@example.org\r\n"
              "Subject: =?utf-8?q?R=C3=A9sum=C3=A9?=\r\n" +
                  std::string(kDateLine) + kMessageIdLine +
                  "Mime-Version: 1.0\r\n"
                  "Content-Type: multipart/mixed; boundary=\"" +
                  b +
                  "\"\r\n"
                  "\r\n"
                  "\r\n"
                  "--" +
                  b +
                  "\r\n"
                  "Content-Type: text/plain; charset=utf-8\r\n"
                  "Content-Transfer-Encoding: quoted-printable\r\n"
                  "\r\n"
                  "Gr=C3=BC=C3=9Fe,\r\n"
                  "..\r\n"
                  "Micha=C5=82\r\n");
}

TEST_F(SmtpClientTest, PlainMessageWithCopiesAndBlindCopies) {
    startServer(testsupport::willingReply);
    fillMessage();
    client.PostMessage.ToAddress = {"Bob <bob@example.org>"};
    client.PostMessage.ToCarbonCopy = {"team:cc@example.org"};
    client.PostMessage.ToBlindCarbonCopy = {"hidden@example.org", "friends:"};
    client.PostMessage.Body = {"."};
    client.Connect();
    client.SendMail();
    const SmtpTranscript& t = transcript();
    EXPECT_EQ(t.commands, (Commands{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                                    "RCPT TO:<bob@example.org>", "RCPT TO:<cc@example.org>",
                                    "RCPT TO:<hidden@example.org>", "DATA", "."}));
    EXPECT_EQ(t.data, "From: Ann Lee<ann@example.org>\r\n"
                      "To: Bob <bob@example.org>\r\n"
                      "CC: team:cc@example.org\r\n"
                      "Subject: My resume\r\n" +
                          std::string(kDateLine) + kMessageIdLine +
                          "Mime-Version: 1.0\r\n"
                          "Content-Type: text/plain; charset=us-ascii\r\n"
                          "\r\n"
                          "\r\n"
                          "..\r\n");
}

TEST_F(SmtpClientTest, RefusedHeloDisconnectsWithAuthenticationFailed) {
    startServer(except({{"HELO me.local", "550 who are you\r\n"}}));
    try {
        client.Connect();
        FAIL() << "connected";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "Authentication failed");
    }
    EXPECT_FALSE(client.connected());
    EXPECT_FALSE(client.busy());
    EXPECT_EQ(transcript().commands, (Commands{"HELO me.local", "QUIT"}));
}

TEST_F(SmtpClientTest, AuthenticationHandlerMayRetryHeloOnce) {
    startServer(except({{"HELO me.local", "550 who are you\r\n"}}));
    client.OnAuthenticationFailed = [&](bool& handled) {
        client.UserID = "known.host";
        handled = true;
    };
    client.Connect();
    EXPECT_TRUE(client.connected());
    client.Disconnect();
    EXPECT_EQ(transcript().commands, (Commands{"HELO me.local", "HELO known.host", "QUIT"}));
}

TEST_F(SmtpClientTest, RefusedGreetingFailsWithTheReplyLine) {
    startServer(testsupport::willingReply, "554 no service\r\n");
    try {
        client.Connect();
        FAIL() << "connected";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "554 no service\r\n");
    }
    EXPECT_EQ(transcript().commands, (Commands{"QUIT"}));
}

TEST_F(SmtpClientTest, RefusedRecipientStillSendsToTheOthers) {
    startServer(except({{"RCPT TO:<nobody@example.org>", "550 no such user\r\n"}}));
    fillMessage();
    client.PostMessage.ToAddress = {"Nobody <nobody@example.org>", "bob@example.org"};
    std::vector<std::string> refused;
    client.OnRecipientNotFound = [&](const std::string& r) { refused.push_back(r); };
    client.Connect();
    client.SendMail();
    EXPECT_EQ(refused, (std::vector<std::string>{"Nobody <nobody@example.org>"}));
    const SmtpTranscript& t = transcript();
    EXPECT_EQ(t.commands,
              (Commands{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                        "RCPT TO:<nobody@example.org>", "RCPT TO:<bob@example.org>", "DATA", "."}));
}

TEST_F(SmtpClientTest, RefusedEndOfDataCallsOnFailureAndKeepsTheMessage) {
    startServer(except({{".", "554 rejected as spam\r\n"}}));
    fillMessage();
    client.PostMessage.Attachments = {writeFile("a.doc", "abc")};
    int failures = 0, successes = 0;
    client.OnFailure = [&] { ++failures; };
    client.OnSuccess = [&] { ++successes; };
    client.Connect();
    try {
        client.SendMail();
        FAIL() << "sent";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "554 rejected as spam\r\n");
    }
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(successes, 0);
    EXPECT_FALSE(client.busy());
    EXPECT_EQ(client.PostMessage.ToAddress.size(), 1u);
    EXPECT_EQ(client.PostMessage.Attachments.size(), 1u);
    EXPECT_EQ(client.lastReplyCode(), 554);
}

TEST_F(SmtpClientTest, MultiLineRepliesKeepTheConversationInStep) {
    // Every reply comes in two lines; the refusal at the end must still be read as
    // the answer to the message, not as one to an earlier command.
    startServer([](const std::string& command) {
        if (command == ".")
            return std::string("554-rejected\r\n554 as spam\r\n");
        const std::string reply = testsupport::willingReply(command);
        return command == "QUIT" ? reply : reply.substr(0, 3) + "-first line\r\n" + reply;
    });
    fillMessage();
    client.Connect();
    try {
        client.SendMail();
        FAIL() << "sent";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "554 as spam\r\n");
    }
    EXPECT_EQ(transcript().commands,
              (Commands{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                        "RCPT TO:<bob@example.org>", "DATA", "."}));
}

TEST_F(SmtpClientTest, RefusedCommandsBeforeDataFailWithTheReply) {
    const std::pair<const char*, const char*> cases[] = {
        {"RSET", "421 shutting down\r\n"},
        {"MAIL FROM:<ann@example.org>", "553 sender refused\r\n"},
        {"DATA", "451 try later\r\n"},
    };
    for (const auto& [command, reply] : cases) {
        ServedClient served(except({{command, reply}}));
        served.client.Connect();
        try {
            served.client.SendMail();
            ADD_FAILURE() << command << " refusal ignored";
        } catch (const EMailError& e) {
            EXPECT_EQ(e.what(), std::string(reply));
        }
        EXPECT_EQ(served.seen().commands.back(), command);
    }
}

TEST_F(SmtpClientTest, QuitAnsweredWith421FailsAfterClosing) {
    startServer(except({{"QUIT", "421 closing\r\n"}}));
    client.Connect();
    int disconnects = 0;
    client.TLineSocket::OnDisconnect = [&] { ++disconnects; };
    try {
        client.Disconnect();
        FAIL() << "no failure";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "421 closing\r\n");
    }
    EXPECT_EQ(disconnects, 1);
    EXPECT_FALSE(client.connected());
}

TEST_F(SmtpClientTest, SendOnceCountsADeliveredMessageAsSentWhateverQuitMeets) {
    const std::pair<const char*, const char*> cases[] = {
        {"refused", "421 closing\r\n"},
        {"unanswered", ""},
    };
    for (const auto& [what, reply] : cases) {
        ServedClient served(except({{"QUIT", reply}}));
        int successes = 0;
        served.client.OnSuccess = [&] { ++successes; };
        EXPECT_NO_THROW(sendOnce(served.client)) << what;
        EXPECT_EQ(successes, 1) << what;
        EXPECT_FALSE(served.client.connected()) << what;
        EXPECT_EQ(served.seen().commands.back(), "QUIT") << what;
    }
}

TEST_F(SmtpClientTest, SendOnceFailsWhenTheMessageIsRefused) {
    startServer(except({{".", "554 rejected\r\n"}}));
    fillMessage();
    EXPECT_THROW(sendOnce(client), EMailError);
    EXPECT_EQ(transcript().commands.back(), ".");
}

TEST_F(SmtpClientTest, ServerClosingMidConversationIsAnError) {
    // The server drops the connection instead of answering each of these.
    for (const char* command : {"MAIL FROM:<ann@example.org>", "."}) {
        ServedClient served(except({{command, ""}}));
        int successes = 0;
        served.client.OnSuccess = [&] { ++successes; };
        served.client.Connect();
        EXPECT_THROW(served.client.SendMail(), ESockError) << command;
        EXPECT_EQ(successes, 0);
        EXPECT_FALSE(served.client.busy());
    }
}

TEST_F(SmtpClientTest, OverlongReplyLineIsAnError) {
    startServer(except({{"RSET", "250 " + std::string(70000, 'x') + "\r\n"}}));
    fillMessage();
    client.Connect();
    EXPECT_THROW(client.SendMail(), ESockError);
    EXPECT_FALSE(client.busy());
}

TEST_F(SmtpClientTest, MissingAttachmentFailsBeforeAnyCommand) {
    startServer(testsupport::willingReply);
    fillMessage();
    const std::string missing = testing::TempDir() + "/no-such-resume.doc";
    client.PostMessage.Attachments = {missing};
    std::vector<std::string> notFound;
    client.OnAttachmentNotFound = [&](const std::string& f) { notFound.push_back(f); };
    client.Connect();
    try {
        client.SendMail();
        FAIL() << "sent";
    } catch (const EMailError& e) {
        EXPECT_EQ(e.what(), "Cannot open file " + missing);
    }
    EXPECT_EQ(notFound, (std::vector<std::string>{missing}));
    EXPECT_EQ(transcript().commands, (Commands{"HELO me.local"}));
}

TEST_F(SmtpClientTest, DirectoryAsAttachmentIsNotSentAsAnEmptyFile) {
    fillMessage();
    client.PostMessage.Attachments = {testing::TempDir()};
    EXPECT_THROW(client.buildMessage(), EMailError);
}

TEST_F(SmtpClientTest, LineBreakInAFieldIsRefusedBeforeAnyCommand) {
    startServer(testsupport::willingReply);
    fillMessage();
    client.PostMessage.Subject = "Hi\r\nBcc: everyone@example.org";
    client.Connect();
    EXPECT_THROW(client.SendMail(), EMailError);
    EXPECT_EQ(transcript().commands, (Commands{"HELO me.local"}));
}

TEST_F(SmtpClientTest, LineBreakInUserIdIsRefusedBeforeConnecting) {
    TSmtpClient offline;
    offline.Host = "127.0.0.1";
    offline.Port = testsupport::closedPort();
    offline.UserID = "me\r\nMAIL FROM:<x>";
    EXPECT_THROW(offline.Connect(), EMailError);
    EXPECT_FALSE(offline.busy());
}

TEST_F(SmtpClientTest, SecondSendAfterClearedParamsHasIncompleteHeader) {
    startServer(testsupport::willingReply);
    fillMessage();
    client.Connect();
    client.SendMail();
    try {
        client.SendMail();
        FAIL() << "sent without recipients";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "Incomplete Header");
    }
}

TEST_F(SmtpClientTest, HeaderIncompleteHandlerMayCompleteTheSender) {
    startServer(testsupport::willingReply);
    fillMessage();
    client.PostMessage.FromAddress.clear();
    std::vector<int> types;
    client.OnHeaderIncomplete = [&](bool& handled, int type) {
        types.push_back(type);
        client.PostMessage.FromAddress = "late@example.org";
        handled = true;
    };
    client.Connect();
    client.SendMail();
    EXPECT_EQ(types, (std::vector<int>{1}));
    EXPECT_EQ(transcript().commands[2], "MAIL FROM:<late@example.org>");
}

TEST_F(SmtpClientTest, SendWithoutConnectionIsNotConnected) {
    fillMessage();
    try {
        client.SendMail();
        FAIL() << "sent";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "Not Connected");
    }
}

TEST_F(SmtpClientTest, NestedSendWhileSendingIsInert) {
    startServer(testsupport::willingReply);
    fillMessage();
    int starts = 0;
    client.OnSendStart = [&] {
        ++starts;
        client.SendMail();
    };
    client.Connect();
    client.SendMail();
    EXPECT_EQ(starts, 1);
    const Commands& c = transcript().commands;
    EXPECT_EQ(std::count(c.begin(), c.end(), "RSET"), 1);
}

TEST_F(SmtpClientTest, UuCodeAttachmentIsEncodedInUuLines) {
    fillMessage();
    client.EncodeType = UUMethods::uuCode;
    client.PostMessage.Attachments = {writeFile("abc.doc", "abc")};
    client.buildMessage();
    const std::string body = client.bodyStreamText();
    EXPECT_NE(
        body.find("filename=\"abc.doc\"\r\n\r\n#86)C\r\n`\r\n--" + client.boundary() + "--\r\n"),
        std::string::npos)
        << body;
}

// The secure conversation, over TLS with the peer's own certificate.
const testsupport::PeerCertificate kPeerCertificate{VITACRAFT_TEST_DATA "/peer-cert.pem",
                                                    VITACRAFT_TEST_DATA "/peer-key.pem"};

// A server that offers STARTTLS to the first EHLO and, to later ones, the login
// line given; it takes the login "ann" with the password "s3cret".
ReplyFn startTlsServer(std::string authLine, std::map<std::string, std::string> special = {}) {
    auto ehlos = std::make_shared<int>(0);
    return [=](const std::string& command) -> std::string {
        if (const auto found = special.find(command); found != special.end())
            return found->second;
        if (command.rfind("EHLO", 0) == 0)
            return ++*ehlos == 1 ? "250-fake.local greets you\r\n250-SIZE 10000\r\n250 STARTTLS\r\n"
                                 : "250-fake.local\r\n250-" + authLine + "\r\n250 8BITMIME\r\n";
        if (command == "STARTTLS")
            return "220 go ahead\r\n";
        if (command == "AUTH LOGIN")
            return "334 VXNlcm5hbWU6\r\n";
        if (command == "YW5u")
            return "334 UGFzc3dvcmQ6\r\n";
        if (command == "czNjcmV0" || command == "AUTH PLAIN AGFubgBzM2NyZXQ=")
            return "235 2.7.0 accepted\r\n";
        return testsupport::willingReply(command);
    };
}

// A client that asks for STARTTLS and logs in as "ann".
void secureClient(ServedClient& served) {
    served.client.UserID = "me.local";
    served.client.Security = ConnectionSecurity::StartTls;
    served.client.CaFile = kPeerCertificate.certFile;
    served.client.LoginName = "ann";
    served.client.Password = "s3cret";
}

Commands after(const SmtpTranscript& t) {
    return Commands(t.commands.begin() + static_cast<long>(t.plainCommands), t.commands.end());
}

TEST(SecureSmtpClient, LogsInOverTlsWithWhatTheServerOffersPlainFirst) {
    struct Case {
        const char* authLine;
        Commands login;
    };
    const Case cases[] = {
        {"AUTH LOGIN", {"AUTH LOGIN", "YW5u", "czNjcmV0"}},
        {"AUTH=LOGIN", {"AUTH LOGIN", "YW5u", "czNjcmV0"}},
        {"AUTH LOGIN PLAIN CRAM-MD5", {"AUTH PLAIN AGFubgBzM2NyZXQ="}},
    };
    for (const Case& c : cases) {
        ServedClient served(startTlsServer(c.authLine), "220 hi\r\n", kPeerCertificate);
        secureClient(served);
        sendOnce(served.client);
        const SmtpTranscript& t = served.seen();
        EXPECT_EQ(Commands(t.commands.begin(), t.commands.begin() + 2),
                  (Commands{"EHLO me.local", "STARTTLS"}));
        EXPECT_EQ(t.plainCommands, 2u) << c.authLine;
        Commands expected{"EHLO me.local"};
        expected.insert(expected.end(), c.login.begin(), c.login.end());
        for (const char* command : {"RSET", "MAIL FROM:<ann@example.org>",
                                    "RCPT TO:<bob@example.org>", "DATA", ".", "QUIT"})
            expected.push_back(command);
        EXPECT_EQ(after(t), expected) << c.authLine;
    }
}

TEST(SecureSmtpClient, WithoutStartTlsNothingMoreIsSaid) {
    struct Case {
        const char* name;
        ReplyFn reply;
        Commands seen;
        std::string message;
    };
    const std::string notOffered = "The mail server does not offer STARTTLS, so nothing more was "
                                   "sent over the unencrypted connection.";
    const Case cases[] = {
        {"EHLO refused, HELO taken",
         except({{"EHLO me.local", "502 5.5.1 unknown command\r\n"}}),
         {"EHLO me.local", "HELO me.local"},
         notOffered},
        {"not among the capabilities",
         except({{"EHLO me.local", "250-fake.local\r\n250-AUTH PLAIN LOGIN\r\n250 SIZE 100\r\n"}}),
         {"EHLO me.local"},
         notOffered},
        {"refused",
         startTlsServer("AUTH PLAIN", {{"STARTTLS", "454 4.7.0 TLS not available\r\n"}}),
         {"EHLO me.local", "STARTTLS"},
         "The mail server refused STARTTLS, so nothing more was sent over the unencrypted "
         "connection: 454 4.7.0 TLS not available"},
    };
    for (const Case& c : cases) {
        ServedClient served(c.reply);
        secureClient(served);
        try {
            served.client.Connect();
            ADD_FAILURE() << c.name << ": connected";
        } catch (const EMailError& e) {
            EXPECT_EQ(e.what(), c.message) << c.name;
        }
        EXPECT_FALSE(served.client.connected()) << c.name;
        EXPECT_EQ(served.seen().commands, c.seen) << c.name;
    }
}

TEST(SecureSmtpClient, RefusedLoginEndsTheSendWithTheServersText) {
    ServedClient served(startTlsServer("AUTH PLAIN", {{"AUTH PLAIN AGFubgBzM2NyZXQ=",
                                                       "535 5.7.8 credentials invalid\r\n"}}),
                        "220 hi\r\n", kPeerCertificate);
    secureClient(served);
    try {
        sendOnce(served.client);
        FAIL() << "sent";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "The mail server did not accept the user name or password: 535 "
                               "5.7.8 credentials invalid");
    }
    EXPECT_EQ(after(served.seen()),
              (Commands{"EHLO me.local", "AUTH PLAIN AGFubgBzM2NyZXQ=", "QUIT"}));
}

TEST(SecureSmtpClient, RefusedCertificatesSayWhy) {
    const testsupport::PeerCertificate expired{VITACRAFT_TEST_DATA "/expired-cert.pem",
                                               VITACRAFT_TEST_DATA "/expired-key.pem"};
    struct Case {
        testsupport::PeerCertificate certificate;
        std::string caFile;
        std::string host;
        std::string why;
    };
    const Case cases[] = {
        {expired, expired.certFile, "127.0.0.1", "it has expired."},
        {kPeerCertificate, "", "127.0.0.1", "it is self-signed and not trusted."},
        {kPeerCertificate, kPeerCertificate.certFile, "localhost",
         "it is for another host name than localhost."},
    };
    for (const Case& c : cases) {
        ServedClient served(startTlsServer("AUTH PLAIN"), "220 hi\r\n", c.certificate);
        secureClient(served);
        served.client.CaFile = c.caFile;
        served.client.Host = c.host;
        try {
            served.client.Connect();
            ADD_FAILURE() << c.why << ": connected";
        } catch (const ESockError& e) {
            EXPECT_EQ(e.what(), "The mail server's certificate was refused: " + c.why);
        }
        EXPECT_EQ(served.seen().commands, (Commands{"EHLO me.local", "STARTTLS"})) << c.why;
    }
}

TEST(SecureSmtpClient, PlainConversationNeverSendsTheLogin) {
    ServedClient served(testsupport::willingReply);
    served.client.UserID = "me.local";
    served.client.LoginName = "ann";
    served.client.Password = "s3cret";
    sendOnce(served.client);
    EXPECT_EQ(served.seen().commands,
              (Commands{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                        "RCPT TO:<bob@example.org>", "DATA", ".", "QUIT"}));
}

} // namespace
