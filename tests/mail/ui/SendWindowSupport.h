// What the Send Resume window tests share: an SMTP server in the test's own event
// loop and a fixture with the window over a blank résumé and a written document.
#pragma once

#include "mail/ui/TEmailServerConf.h"
#include "mail/ui/TSendResume.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "support/DesktopDoubles.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <ostream>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace mailtest {

// A window's widget by its object name; a missing one fails the test.
template <class Widget> Widget* child(const QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}
inline QLineEdit* field(const QWidget& window, const char* name) {
    return child<QLineEdit>(window, name);
}
inline QPushButton* button(const QWidget& window, const char* name) {
    return child<QPushButton>(window, name);
}

// The replies of a willing server.
inline QByteArray willing(const QString& command) {
    if (command == QStringLiteral("DATA"))
        return "354 go ahead\r\n";
    if (command == QStringLiteral("QUIT"))
        return "221 bye\r\n";
    return "250 ok\r\n";
}

// A scripted SMTP server on 127.0.0.1 in the test's own event loop (the client's
// waits run it): an empty greeting is never sent, an empty reply closes the
// connection, and the message data is answered as the command ".".
class ScriptedServer {
public:
    using Reply = std::function<QByteArray(const QString& command)>;

    explicit ScriptedServer(QByteArray greeting = "220 ready\r\n", Reply reply = willing)
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
    // The sessions the client opened: one HELO each.
    qsizetype connections() const {
        return std::count_if(commands.begin(), commands.end(), [](const QString& command) {
            return command.startsWith(QStringLiteral("HELO"));
        });
    }

    QStringList commands;
    QByteArray data; // the last message, through its final line break

private:
    void serve(QTcpSocket* peer) {
        m_pending += peer->readAll();
        for (;;) {
            if (m_inData) {
                const auto end = m_pending.indexOf("\r\n.\r\n");
                if (end < 0)
                    return;
                data = m_pending.left(end + 2);
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
        if (command != QStringLiteral("."))
            commands << command;
        const QByteArray reply = m_reply(command);
        if (reply.isEmpty()) {
            peer->disconnectFromHost();
            return false;
        }
        peer->write(reply);
        if (command == QStringLiteral("QUIT"))
            peer->disconnectFromHost();
        return true;
    }

    QTcpServer m_server;
    QByteArray m_greeting;
    Reply m_reply;
    QByteArray m_pending;
    bool m_inData = false;
};

// The Send Resume window with its settings window, over a blank résumé whose
// document is a small RTF file, and with the server settings key cleared around
// each test.
class SendWindowTest : public testing::Test {
protected:
    SendWindowTest()
        : services(nullptr, &dialogs), conf(settings),
          window(settings, conf, [this] { return documentPath; }) {
        mail::openServerSettingsKey()->remove(QString());
        const QString resume = m_dir.filePath(QStringLiteral("test.vcw"));
        store::createBlankResume(resume);
        m_db = store::connection();
        store::openResume(m_db, resume);
        documentPath = m_dir.filePath(QStringLiteral("temp.doc"));
        std::ofstream(documentPath.toStdString(), std::ios::binary) << "{\\rtf1 resume}";
    }
    ~SendWindowTest() override {
        m_db.close();
        mail::openServerSettingsKey()->remove(QString());
    }

    void setContact(const QString& first, const QString& last, const QString& email) {
        QSqlQuery q(m_db);
        q.prepare(
            QStringLiteral("UPDATE ContactInfo SET FirstName = ?, LastName = ?, EmailAddress = ?"));
        q.addBindValue(first);
        q.addBindValue(last);
        q.addBindValue(email);
        ASSERT_TRUE(q.exec());
    }
    void storeServer(const QString& host, int port) {
        const auto key = mail::openServerSettingsKey();
        key->setValue(QStringLiteral("HostName"), host);
        key->setValue(QStringLiteral("HostPort"), QString::number(port));
        key->setValue(QStringLiteral("UserId"), QStringLiteral("me.local"));
    }
    std::vector<QString> messageTexts() const {
        std::vector<QString> texts;
        for (const auto& m : dialogs.messages)
            texts.push_back(m.text);
        return texts;
    }

    testsupport::ScriptedDialogs dialogs;
    platform::ScopedServices services;
    mail::ServerSettings settings;
    QString documentPath;
    mail::TEmailServerConf conf;
    mail::TSendResume window;

private:
    QTemporaryDir m_dir;
    QSqlDatabase m_db;
};

} // namespace mailtest
