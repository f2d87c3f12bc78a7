// The Send Resume window against mail servers that misbehave: whatever the server
// does, the person sees an error, and the window stays open and ready to send
// again once the server is put right.
#include "SendWindowSupport.h"

#include <QLineEdit>
#include <QPushButton>

using namespace mail;
using testsupport::ScriptedServer;
using testsupport::willing;

namespace {

class HostileSendResume : public mailtest::SendWindowTest {
protected:
    HostileSendResume() { setContact(QString(), QString(), QStringLiteral("ann@example.org")); }

    // Shows the window for a server on 127.0.0.1 and clicks Send; the messages shown.
    QStringList send(int port) {
        window.hide();
        storeServer(QStringLiteral("127.0.0.1"), port);
        window.showForm();
        mailtest::field(window, "ToAddress")->setText(QStringLiteral("hr@example.com"));
        mailtest::field(window, "Subject")->setText(QStringLiteral("Application"));
        dialogs.messages.clear();
        mailtest::button(window, "FlatButton1")->click();
        QStringList texts;
        for (const auto& m : dialogs.messages)
            texts << m.text;
        return texts;
    }
    // After a failure: the error box was shown and the window can send again.
    void expectReadyAgain(const char* what) {
        ASSERT_EQ(dialogs.messages.size(), 1u) << what;
        EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error) << what;
        EXPECT_TRUE(window.isVisible()) << what;
        EXPECT_TRUE(mailtest::button(window, "FlatButton1")->isEnabled()) << what;
        EXPECT_FALSE(window.smtpClient().connected()) << what;
        EXPECT_FALSE(window.smtpClient().busy()) << what;
        ScriptedServer good;
        EXPECT_EQ(send(good.port()),
                  QStringList{QStringLiteral("Your Resume was sucessfull sent ")})
            << what;
        EXPECT_TRUE(good.commands.contains(QStringLiteral("RCPT TO:<hr@example.com>"))) << what;
    }
};

TEST_F(HostileSendResume, SilentServerEndsWithTheTimeLimit) {
    // The window never waits for a reply without limit.
    EXPECT_GT(window.smtpClient().TimeOut, 0);
    window.smtpClient().TimeOut = 300;
    for (const char* silentAt : {"greeting", "HELO me.local", "DATA", "."}) {
        const QString silent = QString::fromLatin1(silentAt);
        ScriptedServer server(silent == QStringLiteral("greeting") ? QByteArray()
                                                                   : QByteArray("220 hi\r\n"),
                              [&](const QString& command) {
                                  return command == silent ? QByteArray(" ") : willing(command);
                              });
        EXPECT_EQ(send(server.port()), QStringList{QStringLiteral("Socket readln aborted")})
            << silentAt;
        expectReadyAgain(silentAt);
    }
}

TEST_F(HostileSendResume, ClosingOrRefusingServerShowsTheFailure) {
    struct Case {
        const char* name;
        QByteArray greeting;
        ScriptedServer::Reply reply;
        const char* message;
    };
    const Case cases[] = {
        {"closes after the greeting", "220 hi\r\n", [](const QString&) { return QByteArray(); },
         "The mail server closed the connection"},
        {"closes instead of answering the data", "220 hi\r\n",
         [](const QString& c) { return c == QStringLiteral(".") ? QByteArray() : willing(c); },
         "The mail server closed the connection"},
        {"refuses the greeting", "554 no service\r\n",
         [](const QString&) { return QByteArray("554 no\r\n"); }, "554 no service\r\n"},
        {"refuses every command", "220 hi\r\n",
         [](const QString&) { return QByteArray("550 refused\r\n"); }, "Authentication failed"},
    };
    for (const Case& c : cases) {
        ScriptedServer server(c.greeting, c.reply);
        EXPECT_EQ(send(server.port()), QStringList{QString::fromLatin1(c.message)}) << c.name;
        expectReadyAgain(c.name);
    }
}

} // namespace
