// A scripted SMTP server on 127.0.0.1 that runs in the test's own Qt event loop,
// for the windows that send mail: the client's waits run the loop, so the server
// needs no thread of its own.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

namespace testsupport {

// The replies of a willing server.
QByteArray willing(const QString& command);

// An empty greeting is never sent, an empty reply closes the connection, and the
// message data is answered as the command ".".
class ScriptedServer {
public:
    using Reply = std::function<QByteArray(const QString& command)>;

    explicit ScriptedServer(QByteArray greeting = "220 ready\r\n", Reply reply = willing);
    int port() const { return m_server.serverPort(); }
    // The sessions the client opened: one HELO each.
    qsizetype connections() const;

    QStringList commands;
    QByteArray data; // the last message, through its final line break

private:
    void serve(QTcpSocket* peer);
    bool answer(QTcpSocket* peer, const QString& command);

    QTcpServer m_server;
    QByteArray m_greeting;
    Reply m_reply;
    QByteArray m_pending;
    bool m_inData = false;
};

} // namespace testsupport
