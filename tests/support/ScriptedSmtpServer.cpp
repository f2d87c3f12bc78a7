#include "support/ScriptedSmtpServer.h"

#include <QTcpSocket>

#include <algorithm>

namespace testsupport {

QByteArray willing(const QString& command) {
    if (command == QStringLiteral("DATA"))
        return "354 go ahead\r\n";
    if (command == QStringLiteral("QUIT"))
        return "221 bye\r\n";
    return "250 ok\r\n";
}

ScriptedServer::ScriptedServer(QByteArray greeting, Reply reply)
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

qsizetype ScriptedServer::connections() const {
    return std::count_if(commands.begin(), commands.end(), [](const QString& command) {
        return command.startsWith(QStringLiteral("HELO"));
    });
}

void ScriptedServer::serve(QTcpSocket* peer) {
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

bool ScriptedServer::answer(QTcpSocket* peer, const QString& command) {
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

} // namespace testsupport
