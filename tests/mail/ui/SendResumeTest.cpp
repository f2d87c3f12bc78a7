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
#include <ostream>

// Readable QStrings in failure messages.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace mail;

namespace {

// A willing SMTP server on 127.0.0.1 that runs in the test's own event loop: the
// client's waits process events, and with them this server's replies.
class LoopSmtpServer {
public:
    LoopSmtpServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            QTcpSocket* peer = m_server.nextPendingConnection();
            peer->write("220 loop ready\r\n");
            QObject::connect(peer, &QTcpSocket::readyRead, [this, peer] { serve(peer); });
        });
    }
    int port() const { return m_server.serverPort(); }

    QStringList commands;
    QByteArray data;
    int connections() const { return m_connections; }

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
                peer->write("250 queued\r\n");
                continue;
            }
            const auto lf = m_pending.indexOf("\r\n");
            if (lf < 0)
                return;
            const QString command = QString::fromUtf8(m_pending.left(lf));
            m_pending.remove(0, lf + 2);
            commands << command;
            if (command.startsWith(QStringLiteral("HELO")))
                ++m_connections;
            if (command == QStringLiteral("DATA")) {
                m_inData = true;
                peer->write("354 go ahead\r\n");
            } else if (command == QStringLiteral("QUIT")) {
                peer->write("221 bye\r\n");
                peer->disconnectFromHost();
            } else {
                peer->write("250 ok\r\n");
            }
        }
    }

    QTcpServer m_server;
    QByteArray m_pending;
    bool m_inData = false;
    int m_connections = 0;
};

class SendResumeTest : public testing::Test {
protected:
    SendResumeTest()
        : services(nullptr, &dialogs), conf(settings),
          window(settings, conf, [this] { return documentPath; }) {
        openServerSettingsKey()->remove(QString());
        const QString resume = m_dir.filePath(QStringLiteral("test.vcw"));
        store::createBlankResume(resume);
        m_db = store::connection();
        store::openResume(m_db, resume);
        documentPath = m_dir.filePath(QStringLiteral("temp.doc"));
        std::ofstream(documentPath.toStdString(), std::ios::binary) << "{\\rtf1 resume}";
    }
    ~SendResumeTest() override {
        m_db.close();
        openServerSettingsKey()->remove(QString());
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
        const auto key = openServerSettingsKey();
        key->setValue(QStringLiteral("HostName"), host);
        key->setValue(QStringLiteral("HostPort"), QString::number(port));
        key->setValue(QStringLiteral("UserId"), QStringLiteral("me.local"));
    }
    // A shown window with every required field filled.
    void readyToSend(int port) {
        setContact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@example.org"));
        storeServer(QStringLiteral("127.0.0.1"), port);
        window.showForm();
        window.ToAddress->setText(QStringLiteral("hr@example.com"));
        window.Subject->setText(QStringLiteral("Application"));
        window.Body->setPlainText(QStringLiteral("Dear team,\n.\nAnn\n"));
    }
    std::vector<QString> messageTexts() const {
        std::vector<QString> texts;
        for (const auto& m : dialogs.messages)
            texts.push_back(m.text);
        return texts;
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

TEST_F(SendResumeTest, ShowFillsSenderAttachmentAndSettings) {
    setContact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@example.org"));
    storeServer(QStringLiteral("mail.example.org"), 2525);
    window.ToAddress->setText(QStringLiteral("kept@example.com"));
    window.showForm();
    EXPECT_EQ(window.FromName->text(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(window.FromAddress->text(), QStringLiteral("ann@example.org"));
    EXPECT_EQ(window.Attach->text(), documentPath);
    EXPECT_EQ(window.ToAddress->text(), QStringLiteral("kept@example.com"));
    EXPECT_EQ(settings.hostName, QStringLiteral("mail.example.org"));
    EXPECT_EQ(settings.port, 2525);
    EXPECT_EQ(settings.userId, QStringLiteral("me.local"));
}

TEST_F(SendResumeTest, ContactWithoutNamesShowsASingleSpace) {
    window.showForm();
    EXPECT_EQ(window.FromName->text(), QStringLiteral(" "));
    EXPECT_EQ(window.FromAddress->text(), QString());
}

TEST_F(SendResumeTest, ChecksRunInOrderAndStopTheSend) {
    LoopSmtpServer server;
    struct Case {
        QLineEdit* TSendResume::*field;
        const char* message;
    };
    const Case cases[] = {
        {&TSendResume::FromAddress, "Your e-mail address is a required field !"},
        {&TSendResume::Attach, "Attached file field can't be empty !"},
        {&TSendResume::ToAddress, "The destination email is a required field !"},
        {&TSendResume::Subject, "The Subject field can't be empty !"},
    };
    for (const Case& c : cases) {
        window.hide();
        readyToSend(server.port());
        (window.*c.field)->clear();
        dialogs.messages.clear();
        window.FlatButton1->click();
        EXPECT_EQ(messageTexts(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::None);
        EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Vitacraft Pro 3.0"));
        EXPECT_TRUE(window.FlatButton1->isEnabled());
    }
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(SendResumeTest, MissingServerConfigurationOpensTheSettingsWindow) {
    readyToSend(0);
    window.Subject->setText(QStringLiteral("   ")); // spaces are not empty
    window.FlatButton1->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Missing Email Server Configuration !")});
    EXPECT_TRUE(conf.isVisible());
    EXPECT_EQ(conf.hostportfield->text(), QStringLiteral("25"));
    EXPECT_EQ(conf.hostnamefield->text(), QStringLiteral("127.0.0.1"));
}

TEST_F(SendResumeTest, SuccessfulSendReportsAndHides) {
    LoopSmtpServer server;
    readyToSend(server.port());
    window.FlatButton1->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.FlatButton1->isEnabled());
    EXPECT_EQ(server.commands, (QStringList{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                                            "RCPT TO:<hr@example.com>", "DATA", "QUIT"}));
    EXPECT_TRUE(server.data.startsWith("From: Ann Lee<ann@example.org>\r\nTo: hr@example.com\r\n"
                                       "Subject: Application\r\n"));
    EXPECT_TRUE(server.data.contains("\r\n\r\nDear team,\r\n..\r\nAnn\r\n--"));
    EXPECT_TRUE(server.data.contains("filename=\"temp.doc\"\r\n\r\ne1xydGYxIHJlc3VtZX0=\r\n"));
    EXPECT_EQ(window.Subject->text(), QStringLiteral("Application"));
    EXPECT_TRUE(window.sendmail.PostMessage.ToAddress.empty());
}

TEST_F(SendResumeTest, FailedSendShowsTheErrorAndAllowsAnotherTry) {
    LoopSmtpServer server;
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const int closedPort = closed.serverPort();
    closed.close();
    readyToSend(closedPort);
    window.FlatButton1->click();
    ASSERT_EQ(messageTexts(), std::vector<QString>{QStringLiteral("Connection Failed")});
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.FlatButton1->isEnabled());

    // The settings window fixes the port; the open dialog uses it at once.
    conf.showForm();
    conf.hostportfield->setText(QString::number(server.port()));
    conf.FlatButton1->click();
    dialogs.messages.clear();
    window.FlatButton1->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_EQ(server.commands.count(QStringLiteral("RCPT TO:<hr@example.com>")), 1);
    EXPECT_EQ(server.data.count("Content-Disposition: attachment"), 1);
}

TEST_F(SendResumeTest, FailureAfterConnectingLeavesNoConnectionBehind) {
    LoopSmtpServer server;
    readyToSend(server.port());
    window.Attach->setText(documentPath + QStringLiteral(".missing"));
    window.FlatButton1->click();
    ASSERT_EQ(messageTexts(), std::vector<QString>{QStringLiteral("Cannot open file ") +
                                                   documentPath + QStringLiteral(".missing")});
    EXPECT_FALSE(window.sendmail.connected());
    EXPECT_TRUE(window.FlatButton1->isEnabled());
    EXPECT_FALSE(server.commands.contains(QStringLiteral("DATA")));

    dialogs.messages.clear();
    window.Attach->setText(documentPath);
    window.FlatButton1->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_EQ(server.connections(), 2);
}

TEST_F(SendResumeTest, LineBreakInAFieldIsRefusedBeforeConnecting) {
    LoopSmtpServer server;
    readyToSend(server.port());
    window.FromName->setText(QStringLiteral("Ann\r\nBcc: all@example.com"));
    window.FlatButton1->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("line break")));
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_TRUE(server.commands.isEmpty());
}

TEST_F(SendResumeTest, BrowsePutsTheChosenPathInAttach) {
    dialogs.openAnswers = {QStringLiteral("/home/ann/cv.doc"), std::nullopt};
    window.FlatButton3->click();
    EXPECT_EQ(window.Attach->text(), QStringLiteral("/home/ann/cv.doc"));
    window.FlatButton3->click(); // cancelled: unchanged
    EXPECT_EQ(window.Attach->text(), QStringLiteral("/home/ann/cv.doc"));
}

TEST(MemoLines, LinesOfAMultiLineField) {
    EXPECT_EQ(memoLines(QString()), QStringList());
    EXPECT_EQ(memoLines(QStringLiteral("a")), QStringList{"a"});
    EXPECT_EQ(memoLines(QStringLiteral("a\n")), QStringList{"a"});
    EXPECT_EQ(memoLines(QStringLiteral("a\n\nb")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(memoLines(QStringLiteral("\n")), QStringList{""});
}

} // namespace
