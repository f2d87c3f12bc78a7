// The Send Resume window against mail servers that misbehave: whatever the server
// does, the person sees an error, and the window stays open and ready to send
// again once the server is put right.
#include "mail/ui/TEmailServerConf.h"
#include "mail/ui/TSendResume.h"
#include "platform/Services.h"
#include "platform/TestDoubles.h"
#include "store/Connection.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace mail;

namespace {

// A scripted SMTP server in the test's own event loop (the client's waits run it):
// an empty greeting is never sent, an empty reply closes the connection.
class ScriptedServer {
public:
    using Reply = std::function<QByteArray(const QString& command)>;

    ScriptedServer(QByteArray greeting, Reply reply)
        : m_greeting(std::move(greeting)), m_reply(std::move(reply)) {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* peer = m_server.nextPendingConnection();
            m_pending.clear();
            m_inData = false;
            if (!m_greeting.isEmpty())
                peer->write(m_greeting);
            QObject::connect(peer, &QTcpSocket::readyRead, [this, peer] { serve(peer); });
        });
    }
    int port() const { return m_server.serverPort(); }
    QStringList commands;

private:
    void serve(QTcpSocket* peer) {
        m_pending += peer->readAll();
        for (;;) {
            if (m_inData) {
                const auto end = m_pending.indexOf("\r\n.\r\n");
                if (end < 0)
                    return;
                m_pending.remove(0, end + 5);
                m_inData = false;
                if (!answer(peer, QStringLiteral(".")))
                    return;
                continue;
            }
            const auto lf = m_pending.indexOf("\r\n");
            if (lf < 0)
                return;
            const QString command = QString::fromUtf8(m_pending.left(lf));
            m_pending.remove(0, lf + 2);
            if (!answer(peer, command))
                return;
            m_inData = command == QStringLiteral("DATA");
        }
    }
    bool answer(QTcpSocket* peer, const QString& command) {
        commands << command;
        const QByteArray reply = m_reply(command);
        if (reply.isEmpty()) {
            peer->disconnectFromHost();
            return false;
        }
        peer->write(reply);
        return true;
    }

    QTcpServer m_server;
    QByteArray m_greeting;
    Reply m_reply;
    QByteArray m_pending;
    bool m_inData = false;
};

QByteArray willing(const QString& command) {
    if (command == QStringLiteral("DATA"))
        return "354 go ahead\r\n";
    if (command == QStringLiteral("QUIT"))
        return "221 bye\r\n";
    return "250 ok\r\n";
}

class HostileSendResume : public testing::Test {
protected:
    HostileSendResume()
        : services(nullptr, &dialogs), conf(settings),
          window(settings, conf, [this] { return documentPath; }) {
        openServerSettingsKey()->remove(QString());
        const QString resume = m_dir.filePath(QStringLiteral("test.vcw"));
        store::createBlankResume(resume);
        m_db = store::connection();
        store::openResume(m_db, resume);
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("UPDATE ContactInfo SET EmailAddress = 'ann@example.org'"));
        documentPath = m_dir.filePath(QStringLiteral("temp.doc"));
        std::ofstream(documentPath.toStdString(), std::ios::binary) << "{\\rtf1 resume}";
    }
    ~HostileSendResume() override {
        m_db.close();
        openServerSettingsKey()->remove(QString());
    }

    // Shows the window for a server on 127.0.0.1 and clicks Send; the messages shown.
    QStringList send(int port) {
        window.hide();
        const auto key = openServerSettingsKey();
        key->setValue(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        key->setValue(QStringLiteral("HostPort"), QString::number(port));
        key->setValue(QStringLiteral("UserId"), QStringLiteral("me.local"));
        window.showForm();
        window.ToAddress->setText(QStringLiteral("hr@example.com"));
        window.Subject->setText(QStringLiteral("Application"));
        dialogs.messages.clear();
        window.FlatButton1->click();
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
        EXPECT_TRUE(window.FlatButton1->isEnabled()) << what;
        EXPECT_FALSE(window.sendmail.connected()) << what;
        EXPECT_FALSE(window.sendmail.busy()) << what;
        ScriptedServer good("220 ready\r\n", willing);
        EXPECT_EQ(send(good.port()),
                  QStringList{QStringLiteral("Your Resume was sucessfull sent ")})
            << what;
        EXPECT_TRUE(good.commands.contains(QStringLiteral("RCPT TO:<hr@example.com>"))) << what;
    }

    platform::ScriptedDialogs dialogs;
    platform::ScopedServices services;
    ServerSettings settings;
    QString documentPath;
    TEmailServerConf conf;
    TSendResume window;

private:
    QTemporaryDir m_dir;
    QSqlDatabase m_db;
};

TEST_F(HostileSendResume, SilentServerEndsWithTheTimeLimit) {
    // The window never waits for a reply without limit.
    EXPECT_GT(window.sendmail.TimeOut, 0);
    window.sendmail.TimeOut = 300;
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
