// The SMTP client against servers that misbehave: silent, endless, closing at the
// worst moment, refusing everything, or trickling replies a byte at a time. Each
// conversation must end with the right error, within the time limit, and leave
// the client ready for another try.
#include "support/FakePeer.h"

#include "mail/MailErrors.h"
#include "mail/SmtpClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>

using namespace mail;
using testsupport::FakePeer;
using testsupport::PeerConnection;
using testsupport::SmtpTranscript;

namespace {

// Short enough to keep the suite quick, long enough for a loaded machine to
// deliver a reply that is on its way.
constexpr std::int32_t kTimeOut = 700;

const char* const kClosed = "The mail server closed the connection";

void waitForClose(PeerConnection& peer) {
    while (peer.readLine()) {
    }
}

// Runs the greeting and every command through `reply` until the command named
// `silentAt` arrives; from then on the server reads but never answers.
std::function<void(PeerConnection&)> silentAt(std::string silent) {
    return [silent = std::move(silent)](PeerConnection& p) {
        if (silent == "greeting")
            return waitForClose(p);
        SmtpTranscript t;
        testsupport::serveSmtp(p, t, "220 hi\r\n", [&](const std::string& command) {
            if (command.rfind(silent, 0) == 0) {
                waitForClose(p);
                return std::string();
            }
            return testsupport::willingReply(command);
        });
    };
}

// Whatever happens, the client must be free for the next try.
void expectReusable(const TSmtpClient& client) {
    EXPECT_FALSE(client.busy());
}

struct Outcome {
    std::string type;
    std::string message;
};

// Runs a connect and a send of a one-line message; the failure's kind and text.
Outcome converse(TSmtpClient& client, std::uint16_t port) {
    client.Host = "127.0.0.1";
    client.Port = port;
    client.UserID = "me.local";
    client.TimeOut = kTimeOut;
    client.PostMessage.FromAddress = "ann@example.org";
    client.PostMessage.ToAddress = {"bob@example.org"};
    client.PostMessage.Subject = "Resume";
    client.PostMessage.Body = {"Hello"};
    try {
        client.Connect();
        client.SendMail();
        client.Disconnect();
    } catch (const EAbortError& e) {
        return {"EAbortError", e.what()};
    } catch (const ESockError& e) {
        return {"ESockError", e.what()};
    } catch (const EMailError& e) {
        return {"EMailError", e.what()};
    }
    return {"none", ""};
}

TEST(HostileServer, SilentServerEndsWithTheTimeLimit) {
    for (const char* silent : {"greeting", "HELO", "RSET", "MAIL FROM", "RCPT TO", "DATA", "."}) {
        FakePeer peer(silentAt(silent));
        TSmtpClient client;
        const Outcome o = converse(client, peer.port());
        EXPECT_EQ(o.type, "EAbortError") << silent;
        EXPECT_EQ(o.message, "Socket readln aborted") << silent;
        expectReusable(client);
        client.RequestCloseSocket();
    }
}

TEST(HostileServer, EndlessLineIsRefusedAtTheBufferSize) {
    for (const char* prefix : {"", "220 ", "220-"}) {
        FakePeer peer([prefix](PeerConnection& p) {
            p.send(prefix);
            // Far more than the client reads; ends when the client hangs up.
            const std::string block(4096, 'x');
            for (int i = 0; i < 1024 && !p.closed(); ++i)
                p.send(block);
        });
        TSmtpClient client;
        const Outcome o = converse(client, peer.port());
        EXPECT_EQ(o.type, "ESockError") << prefix;
        EXPECT_EQ(o.message, "Reply line longer than 65536 bytes") << prefix;
        EXPECT_FALSE(client.connected());
        client.RequestCloseSocket();
    }
}

TEST(HostileServer, EndlessContinuationLinesAreRefused) {
    for (const std::string first : {"220-", "HELO"}) {
        FakePeer peer([first](PeerConnection& p) {
            if (first == "HELO") {
                p.send("220 hi\r\n");
                p.readLine();
            }
            const std::string line = (first == "HELO" ? "250-" : "220-") + std::string("more\r\n");
            std::string block;
            for (int i = 0; i < 100; ++i)
                block += line;
            for (int i = 0; i < 2000 && !p.closed(); ++i)
                p.send(block);
        });
        TSmtpClient client;
        const Outcome o = converse(client, peer.port());
        EXPECT_EQ(o.type, "ESockError") << first;
        EXPECT_EQ(o.message, "Reply longer than 1000 lines") << first;
        EXPECT_FALSE(client.connected());
        client.RequestCloseSocket();
    }
}

TEST(HostileServer, ClosingAtAnyPointIsAnErrorNeverASuccess) {
    struct Case {
        const char* name;
        std::function<void(PeerConnection&)> script;
        // Nothing where the close may reach the client as a reset instead.
        const char* message;
    };
    const Case cases[] = {
        {"right after greeting", [](PeerConnection& p) { p.send("220 hi\r\n"); }, nullptr},
        {"instead of answering HELO",
         [](PeerConnection& p) {
             p.send("220 hi\r\n");
             p.readLine();
         },
         kClosed},
        {"inside greeting", [](PeerConnection& p) { p.send("220 h"); }, kClosed},
        {"inside continued greeting", [](PeerConnection& p) { p.send("220-hi\r\n220"); }, kClosed},
        {"inside HELO reply",
         [](PeerConnection& p) {
             p.send("220 hi\r\n");
             p.readLine();
             p.send("250-fake\r\n25");
         },
         kClosed},
        {"inside RSET reply",
         [](PeerConnection& p) {
             p.send("220 hi\r\n");
             p.readLine();
             p.send("250 fake\r\n");
             p.readLine();
             p.send("25");
         },
         kClosed},
        {"after DATA",
         [](PeerConnection& p) {
             SmtpTranscript t;
             testsupport::serveSmtp(p, t, "220 hi\r\n", [&](const std::string& c) {
                 if (c == "DATA")
                     p.send("354 go\r\n");
                 return c == "DATA" ? std::string() : testsupport::willingReply(c);
             });
         },
         nullptr},
        {"after the data",
         [](PeerConnection& p) {
             SmtpTranscript t;
             testsupport::serveSmtp(p, t, "220 hi\r\n", [](const std::string& c) {
                 return c == "." ? std::string() : testsupport::willingReply(c);
             });
         },
         kClosed},
    };
    for (const Case& c : cases) {
        FakePeer peer(c.script);
        TSmtpClient client;
        int successes = 0;
        client.OnSuccess = [&] { ++successes; };
        const Outcome o = converse(client, peer.port());
        EXPECT_EQ(o.type, "ESockError") << c.name << ": " << o.message;
        if (c.message) {
            EXPECT_EQ(o.message, c.message) << c.name;
        }
        EXPECT_EQ(successes, 0) << c.name;
        expectReusable(client);
        client.RequestCloseSocket();
    }
}

TEST(HostileServer, ClosingWhileALargeMessageIsSentIsAnError) {
    // More than the socket buffers hold, so the client is still writing when the
    // connection goes.
    const auto path = std::filesystem::path(testing::TempDir()) / "hostile-large.doc";
    std::ofstream(path, std::ios::binary) << std::string(8 << 20, 'r');
    FakePeer peer([](PeerConnection& p) {
        SmtpTranscript t;
        testsupport::serveSmtp(p, t, "220 hi\r\n", [&](const std::string& c) {
            if (c == "DATA") {
                p.send("354 go\r\n");
                p.readLine();
            }
            return c == "DATA" ? std::string() : testsupport::willingReply(c);
        });
    });
    TSmtpClient client;
    client.PostMessage.Attachments = {path.string()};
    const Outcome o = converse(client, peer.port());
    EXPECT_EQ(o.type, "ESockError");
    EXPECT_FALSE(o.message.empty());
    expectReusable(client);
    client.RequestCloseSocket();
    std::filesystem::remove(path);
}

TEST(HostileServer, ServerThatStopsReadingTheMessageEndsWithTheTimeLimit) {
    const auto path = std::filesystem::path(testing::TempDir()) / "hostile-stalled.doc";
    std::ofstream(path, std::ios::binary) << std::string(16 << 20, 's');
    std::promise<void> clientDone;
    std::shared_future<void> done = clientDone.get_future().share();
    FakePeer peer([done](PeerConnection& p) {
        SmtpTranscript t;
        testsupport::serveSmtp(p, t, "220 hi\r\n", [&](const std::string& c) {
            if (c != "DATA")
                return testsupport::willingReply(c);
            // Accepts the data and then takes none of it.
            p.send("354 go\r\n");
            done.wait_for(std::chrono::seconds(20));
            return std::string();
        });
    });
    TSmtpClient client;
    client.PostMessage.Attachments = {path.string()};
    const Outcome o = converse(client, peer.port());
    clientDone.set_value();
    EXPECT_EQ(o.type, "EAbortError");
    EXPECT_EQ(o.message, "Socket send aborted");
    expectReusable(client);
    client.RequestCloseSocket();
    std::filesystem::remove(path);
}

TEST(HostileServer, ServerRefusingEverythingFailsWithItsReply) {
    struct Case {
        const char* greeting;
        Outcome expected;
    };
    const Case cases[] = {
        {"554 no service\r\n", {"EMailError", "554 no service\r\n"}},
        {"220 hi\r\n", {"EMailError", "Authentication failed"}},
        {"220-hi\r\n220 there\r\n", {"EMailError", "Authentication failed"}},
    };
    for (const Case& c : cases) {
        SmtpTranscript t;
        FakePeer peer([&](PeerConnection& p) {
            testsupport::serveSmtp(p, t, c.greeting, [](const std::string& command) {
                return command == "QUIT" ? "500 no\r\n" : "550 refused\r\n";
            });
        });
        TSmtpClient client;
        const Outcome o = converse(client, peer.port());
        EXPECT_EQ(o.type, c.expected.type) << c.greeting;
        EXPECT_EQ(o.message, c.expected.message) << c.greeting;
        EXPECT_FALSE(client.connected()) << c.greeting;
        expectReusable(client);
        peer.join();
        // The client said goodbye even to a server that refuses everything.
        ASSERT_FALSE(t.commands.empty());
        EXPECT_EQ(t.commands.back(), "QUIT") << c.greeting;
    }
}

TEST(HostileServer, CommandsAfterHeloRefusedFailWithTheReply) {
    for (const char* refused : {"RSET", "MAIL FROM", "DATA", "."}) {
        FakePeer peer([refused](PeerConnection& p) {
            SmtpTranscript t;
            testsupport::serveSmtp(p, t, "220 hi\r\n", [&](const std::string& c) {
                if (c.rfind("HELO", 0) == 0 || c == "QUIT")
                    return testsupport::willingReply(c);
                if (c.rfind(refused, 0) == 0)
                    return std::string("554 5.7.1 go away\r\n");
                return testsupport::willingReply(c);
            });
        });
        TSmtpClient client;
        const Outcome o = converse(client, peer.port());
        EXPECT_EQ(o.type, "EMailError") << refused;
        EXPECT_EQ(o.message, "554 5.7.1 go away\r\n") << refused;
        expectReusable(client);
        client.RequestCloseSocket();
    }
}

TEST(HostileServer, RepliesInOneBytePiecesMakeAWholeConversation) {
    SmtpTranscript t;
    FakePeer peer([&](PeerConnection& p) {
        const auto dribble = [&](std::string_view reply) {
            for (char c : reply)
                p.send(std::string_view(&c, 1));
        };
        const std::map<std::string, std::string> replies = {
            {"HELO me.local", "250-fake.local\r\n250-SIZE 100\r\n250 HELP\r\n"},
            {"RSET", "250 ok\r\n"},
            {"MAIL FROM:<ann@example.org>", "250 ok\r\n"},
            {"RCPT TO:<bob@example.org>", "250 ok\r\n"},
            {"DATA", "354 go ahead\r\n"},
            {"QUIT", "221 bye\r\n"},
        };
        dribble("220-fake\r\n220 ready\r\n");
        while (auto command = p.readLine()) {
            t.commands.push_back(*command);
            const auto found = replies.find(*command);
            dribble(found != replies.end() ? found->second : "500 what\r\n");
            if (*command == "DATA") {
                if (auto data = p.readData())
                    t.data = *data;
                dribble("250 queued\r\n");
            }
            if (*command == "QUIT")
                return;
        }
    });
    TSmtpClient client;
    int successes = 0;
    client.OnSuccess = [&] { ++successes; };
    const Outcome o = converse(client, peer.port());
    EXPECT_EQ(o.type, "none") << o.message;
    EXPECT_EQ(successes, 1);
    peer.join();
    EXPECT_EQ(t.commands,
              (std::vector<std::string>{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                                        "RCPT TO:<bob@example.org>", "DATA", "QUIT"}));
    EXPECT_NE(t.data.find("\r\n\r\nHello\r\n"), std::string::npos);
}

} // namespace
