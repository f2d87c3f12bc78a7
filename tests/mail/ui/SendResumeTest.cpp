#include "SendWindowSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeZone>

using namespace mail;
using testsupport::ScriptedServer;

namespace {

class SendResumeTest : public mailtest::SendWindowTest {
protected:
    // A shown window with every required field filled.
    void readyToSend(int port) {
        setContact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@example.org"));
        storeServer(QStringLiteral("127.0.0.1"), port);
        window.showForm();
        mailtest::field(window, "ToAddress")->setText(QStringLiteral("hr@example.com"));
        mailtest::field(window, "Subject")->setText(QStringLiteral("Application"));
        mailtest::child<QPlainTextEdit>(window, "Body")
            ->setPlainText(QStringLiteral("Dear team,\n.\nAnn\n"));
    }
};

TEST_F(SendResumeTest, ShowFillsSenderAttachmentAndSettings) {
    setContact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@example.org"));
    storeServer(QStringLiteral("mail.example.org"), 2525);
    mailtest::field(window, "ToAddress")->setText(QStringLiteral("kept@example.com"));
    window.showForm();
    EXPECT_EQ(mailtest::field(window, "FromName")->text(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(mailtest::field(window, "FromAddress")->text(), QStringLiteral("ann@example.org"));
    EXPECT_EQ(mailtest::field(window, "Attach")->text(), documentPath);
    EXPECT_EQ(mailtest::field(window, "ToAddress")->text(), QStringLiteral("kept@example.com"));
    EXPECT_EQ(settings.hostName, QStringLiteral("mail.example.org"));
    EXPECT_EQ(settings.port, 2525);
    EXPECT_EQ(settings.userId, QStringLiteral("me.local"));
}

TEST_F(SendResumeTest, ContactWithoutNamesShowsASingleSpace) {
    window.showForm();
    EXPECT_EQ(mailtest::field(window, "FromName")->text(), QStringLiteral(" "));
    EXPECT_EQ(mailtest::field(window, "FromAddress")->text(), QString());
}

TEST_F(SendResumeTest, ChecksRunInOrderAndStopTheSend) {
    ScriptedServer server;
    struct Case {
        const char* field;
        const char* message;
    };
    const Case cases[] = {
        {"FromAddress", "Your e-mail address is a required field !"},
        {"Attach", "Attached file field can't be empty !"},
        {"ToAddress", "The destination email is a required field !"},
        {"Subject", "The Subject field can't be empty !"},
    };
    for (const Case& c : cases) {
        window.hide();
        readyToSend(server.port());
        mailtest::field(window, c.field)->clear();
        dialogs.messages.clear();
        mailtest::button(window, "FlatButton1")->click();
        EXPECT_EQ(messageTexts(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::None);
        EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Vitacraft Pro 3.0"));
        EXPECT_TRUE(mailtest::button(window, "FlatButton1")->isEnabled());
    }
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(SendResumeTest, MissingServerConfigurationOpensTheSettingsWindow) {
    readyToSend(0);
    mailtest::field(window, "Subject")->setText(QStringLiteral("   ")); // spaces are not empty
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Missing Email Server Configuration !")});
    EXPECT_TRUE(conf.isVisible());
    EXPECT_EQ(mailtest::field(conf, "hostportfield")->text(), QStringLiteral("25"));
    EXPECT_EQ(mailtest::field(conf, "hostnamefield")->text(), QStringLiteral("127.0.0.1"));
}

TEST_F(SendResumeTest, SuccessfulSendReportsAndHides) {
    ScriptedServer server;
    readyToSend(server.port());
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(mailtest::button(window, "FlatButton1")->isEnabled());
    EXPECT_EQ(server.commands, (QStringList{"HELO me.local", "RSET", "MAIL FROM:<ann@example.org>",
                                            "RCPT TO:<hr@example.com>", "DATA", "QUIT"}));
    EXPECT_TRUE(server.data.startsWith("From: Ann Lee<ann@example.org>\r\nTo: hr@example.com\r\n"
                                       "Subject: Application\r\n"));
    EXPECT_TRUE(server.data.contains("\r\n\r\nDear team,\r\n..\r\nAnn\r\n--"));
    EXPECT_TRUE(server.data.contains("filename=\"temp.doc\"\r\n\r\ne1xydGYxIHJlc3VtZX0=\r\n"));
    EXPECT_EQ(mailtest::field(window, "Subject")->text(), QStringLiteral("Application"));
    EXPECT_TRUE(window.smtpClient().PostMessage.ToAddress.empty());
}

TEST_F(SendResumeTest, MessageIsDatedByTheDesktopClock) {
    testsupport::FixedClock clock;
    clock.time = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), QTimeZone(3600));
    testsupport::ScriptedRandom random;
    platform::ScopedServices seams(nullptr, nullptr, nullptr, &clock, &random);
    ScriptedServer server;
    readyToSend(server.port());
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_TRUE(server.data.contains("\r\nDate: Tue, 02 Jan 2024 03:04:05 +0100\r\n"
                                     "Message-ID: <1704161045.0000000000000000@example.org>\r\n"))
        << server.data.toStdString();
    EXPECT_TRUE(server.data.contains("boundary=\"====================54535aaaaaa====\""));
}

TEST_F(SendResumeTest, NameAndSubjectThatAreNotAsciiAreEncoded) {
    ScriptedServer server;
    readyToSend(server.port());
    setContact(QStringLiteral("Micha\u0142"), QStringLiteral("Nowak"),
               QStringLiteral("ann@example.org"));
    window.hide();
    window.showForm();
    mailtest::field(window, "Subject")->setText(QStringLiteral("R\u00e9sum\u00e9"));
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_TRUE(server.data.startsWith("From: =?utf-8?q?Micha=C5=82_Nowak?= <ann@example.org>\r\n"
                                       "To: hr@example.com\r\n"
                                       "Subject: =?utf-8?q?R=C3=A9sum=C3=A9?=\r\n"))
        << server.data.toStdString();
}

TEST_F(SendResumeTest, RefusedQuitAfterTheMessageStillReportsItSent) {
    ScriptedServer server("220 ready\r\n", [](const QString& command) {
        return command == QStringLiteral("QUIT") ? QByteArray("421 closing\r\n")
                                                 : testsupport::willing(command);
    });
    readyToSend(server.port());
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.smtpClient().connected());
    EXPECT_EQ(server.commands.back(), QStringLiteral("QUIT"));
}

TEST_F(SendResumeTest, EmptyDocumentIsSentWithTheWholeMessage) {
    std::ofstream(documentPath.toStdString(), std::ios::binary | std::ios::trunc).flush();
    ScriptedServer server;
    readyToSend(server.port());
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    const QByteArray boundary = QByteArray::fromStdString(window.smtpClient().boundary());
    EXPECT_TRUE(server.data.endsWith("filename=\"temp.doc\"\r\n\r\n--" + boundary + "--\r\n"))
        << server.data.toStdString();
}

TEST_F(SendResumeTest, FailedSendShowsTheErrorAndAllowsAnotherTry) {
    ScriptedServer server;
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const int closedPort = closed.serverPort();
    closed.close();
    readyToSend(closedPort);
    mailtest::button(window, "FlatButton1")->click();
    ASSERT_EQ(messageTexts(), std::vector<QString>{QStringLiteral("Connection Failed")});
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(mailtest::button(window, "FlatButton1")->isEnabled());

    // The settings window fixes the port; the open dialog uses it at once.
    conf.showForm();
    mailtest::field(conf, "hostportfield")->setText(QString::number(server.port()));
    mailtest::button(conf, "FlatButton1")->click();
    dialogs.messages.clear();
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_EQ(server.commands.count(QStringLiteral("RCPT TO:<hr@example.com>")), 1);
    EXPECT_EQ(server.data.count("Content-Disposition: attachment"), 1);
}

TEST_F(SendResumeTest, FailureAfterConnectingLeavesNoConnectionBehind) {
    ScriptedServer server;
    readyToSend(server.port());
    mailtest::field(window, "Attach")->setText(documentPath + QStringLiteral(".missing"));
    mailtest::button(window, "FlatButton1")->click();
    ASSERT_EQ(messageTexts(), std::vector<QString>{QStringLiteral("Cannot open file ") +
                                                   documentPath + QStringLiteral(".missing")});
    EXPECT_FALSE(window.smtpClient().connected());
    EXPECT_TRUE(mailtest::button(window, "FlatButton1")->isEnabled());
    EXPECT_FALSE(server.commands.contains(QStringLiteral("DATA")));

    dialogs.messages.clear();
    mailtest::field(window, "Attach")->setText(documentPath);
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{QStringLiteral("Your Resume was sucessfull sent ")});
    EXPECT_EQ(server.connections(), 2);
}

TEST_F(SendResumeTest, LineBreakInAFieldIsRefusedBeforeConnecting) {
    ScriptedServer server;
    readyToSend(server.port());
    mailtest::field(window, "FromName")->setText(QStringLiteral("Ann\r\nBcc: all@example.com"));
    mailtest::button(window, "FlatButton1")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("line break")));
    EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_TRUE(server.commands.isEmpty());
}

TEST_F(SendResumeTest, BrowsePutsTheChosenPathInAttach) {
    dialogs.openAnswers = {QStringLiteral("/home/ann/cv.doc"), std::nullopt};
    mailtest::button(window, "FlatButton3")->click();
    EXPECT_EQ(mailtest::field(window, "Attach")->text(), QStringLiteral("/home/ann/cv.doc"));
    mailtest::button(window, "FlatButton3")->click(); // cancelled: unchanged
    EXPECT_EQ(mailtest::field(window, "Attach")->text(), QStringLiteral("/home/ann/cv.doc"));
}

TEST_F(SendResumeTest, SecureLoginAsksThePasswordOnceForTheRunWithoutAKeyring) {
    // The server offers no STARTTLS, so every send ends before a login.
    ScriptedServer server("220 ready\r\n", [](const QString& command) {
        return command.startsWith(QStringLiteral("EHLO")) ? QByteArray("250 fake.local\r\n")
                                                          : testsupport::willing(command);
    });
    readyToSend(server.port());
    keyring.available = false;
    settings.security = ConnectionSecurity::StartTls;
    settings.loginName = QStringLiteral("ann");
    settings.rememberPassword = true;

    dialogs.passwordAnswers = {std::nullopt};
    mailtest::button(window, "FlatButton1")->click(); // declined: nothing is sent
    EXPECT_EQ(dialogs.passwordRequests,
              std::vector<QString>{QStringLiteral("Password of ann at 127.0.0.1:")});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(server.commands.isEmpty());
    EXPECT_TRUE(mailtest::button(window, "FlatButton1")->isEnabled());

    dialogs.passwordAnswers = {QStringLiteral("s3cret")};
    for (int send = 0; send < 2; ++send) {
        dialogs.messages.clear();
        mailtest::button(window, "FlatButton1")->click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("The mail server does not offer STARTTLS, so nothing more was "
                                 "sent over the unencrypted connection."));
        EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
    }
    EXPECT_EQ(dialogs.passwordRequests.size(), 2u);
    EXPECT_EQ(window.smtpClient().Password, "s3cret");
    EXPECT_EQ(server.commands,
              (QStringList{QStringLiteral("EHLO me.local"), QStringLiteral("EHLO me.local")}));
}

TEST(MemoLines, LinesOfAMultiLineField) {
    EXPECT_EQ(memoLines(QString()), QStringList());
    EXPECT_EQ(memoLines(QStringLiteral("a")), QStringList{"a"});
    EXPECT_EQ(memoLines(QStringLiteral("a\n")), QStringList{"a"});
    EXPECT_EQ(memoLines(QStringLiteral("a\n\nb")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(memoLines(QStringLiteral("\n")), QStringList{""});
}

} // namespace
