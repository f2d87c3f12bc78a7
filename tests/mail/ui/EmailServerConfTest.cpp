#include "SendWindowSupport.h"
#include "mail/ui/TEmailServerConf.h"
#include "platform/Services.h"
#include "support/DesktopDoubles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace mail;

namespace {

class EmailServerConfTest : public testing::Test {
protected:
    EmailServerConfTest()
        : services(nullptr, &dialogs, nullptr, nullptr, nullptr, &keyring), window(settings) {
        openServerSettingsKey()->remove(QString());
    }
    ~EmailServerConfTest() override { openServerSettingsKey()->remove(QString()); }

    static void store(const QString& name, const QString& value) {
        openServerSettingsKey()->setValue(name, value);
    }
    static QVariant stored(const QString& name) { return openServerSettingsKey()->value(name); }

    testsupport::ScriptedDialogs dialogs;
    testsupport::MemoryKeyring keyring;
    platform::ScopedServices services;
    ServerSettings settings;
    TEmailServerConf window;
};

TEST_F(EmailServerConfTest, ShowsStoredValuesWithPort25ForZero) {
    struct Case {
        const char* storedPort; // nullptr: nothing stored
        const char* shown;
    };
    const Case cases[] = {{nullptr, "25"}, {"0", "25"}, {"smtp", "25"}, {"2525", "2525"}};
    for (const Case& c : cases) {
        openServerSettingsKey()->remove(QString());
        if (c.storedPort)
            store(QStringLiteral("HostPort"), QString::fromLatin1(c.storedPort));
        window.showForm();
        EXPECT_EQ(mailtest::field(window, "hostportfield")->text(), QString::fromLatin1(c.shown))
            << c.storedPort;
        EXPECT_EQ(mailtest::field(window, "hostnamefield")->text(), QString());
        EXPECT_EQ(mailtest::field(window, "useridfield")->text(), QString());
        window.hide();
    }
    store(QStringLiteral("HostName"), QStringLiteral("mail.example.org"));
    store(QStringLiteral("UserId"), QStringLiteral("ann.local"));
    window.showForm();
    EXPECT_EQ(mailtest::field(window, "hostnamefield")->text(), QStringLiteral("mail.example.org"));
    EXPECT_EQ(mailtest::field(window, "useridfield")->text(), QStringLiteral("ann.local"));
}

TEST_F(EmailServerConfTest, DoneStoresStringsAndUpdatesTheRunsSettings) {
    window.showForm();
    mailtest::field(window, "hostnamefield")->setText(QStringLiteral("127.0.0.1"));
    mailtest::field(window, "hostportfield")->setText(QStringLiteral("2525"));
    mailtest::field(window, "useridfield")->setText(QStringLiteral("me.local"));
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(stored(QStringLiteral("HostName")), QVariant(QStringLiteral("127.0.0.1")));
    EXPECT_EQ(stored(QStringLiteral("HostPort")), QVariant(QStringLiteral("2525")));
    EXPECT_EQ(stored(QStringLiteral("UserId")), QVariant(QStringLiteral("me.local")));
    EXPECT_EQ(settings.hostName, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(settings.port, 2525);
    EXPECT_EQ(settings.userId, QStringLiteral("me.local"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EmailServerConfTest, PortThatIsNotANumberFailsAfterStoringTheHost) {
    for (const QString& port : {QStringLiteral("abc"), QString()}) {
        store(QStringLiteral("HostPort"), QStringLiteral("25"));
        settings = ServerSettings{QStringLiteral("old"), 25, QStringLiteral("olduser")};
        dialogs.messages.clear();
        window.showForm();
        mailtest::field(window, "hostnamefield")->setText(QStringLiteral("new.example.org"));
        mailtest::field(window, "hostportfield")->setText(port);
        mailtest::field(window, "useridfield")->setText(QStringLiteral("newuser"));
        mailtest::button(window, "FlatButton1")->click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "'" + port + "' is not a valid integer value");
        EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(stored(QStringLiteral("HostName")), QVariant(QStringLiteral("new.example.org")));
        EXPECT_EQ(stored(QStringLiteral("HostPort")), QVariant(QStringLiteral("25")));
        EXPECT_FALSE(stored(QStringLiteral("UserId")).isValid());
        EXPECT_EQ(settings.hostName, QStringLiteral("old"));
        window.hide();
    }
}

TEST_F(EmailServerConfTest, PortOutsideItsRangeIsRefusedAfterStoringTheHost) {
    for (const QString& port : {QStringLiteral("70000"), QStringLiteral("65536"),
                                QStringLiteral("0"), QStringLiteral("-25")}) {
        store(QStringLiteral("HostPort"), QStringLiteral("25"));
        settings = ServerSettings{QStringLiteral("old"), 25, QStringLiteral("olduser")};
        dialogs.messages.clear();
        window.showForm();
        mailtest::field(window, "hostnamefield")->setText(QStringLiteral("new.example.org"));
        mailtest::field(window, "hostportfield")->setText(port);
        mailtest::button(window, "FlatButton1")->click();
        ASSERT_EQ(dialogs.messages.size(), 1u) << port.toStdString();
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("The port must be a number from 1 to 65535."));
        EXPECT_EQ(dialogs.messages[0].icon, platform::Icon::Error);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(stored(QStringLiteral("HostPort")), QVariant(QStringLiteral("25")));
        EXPECT_EQ(settings.port, 25);
        window.hide();
    }
    window.showForm();
    mailtest::field(window, "hostportfield")->setText(QStringLiteral("65535"));
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_EQ(stored(QStringLiteral("HostPort")), QVariant(QStringLiteral("65535")));
    EXPECT_EQ(settings.port, 65535);
}

TEST_F(EmailServerConfTest, CancelStoresNothing) {
    window.showForm();
    mailtest::field(window, "hostnamefield")->setText(QStringLiteral("typed.example.org"));
    mailtest::button(window, "FlatButton2")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(stored(QStringLiteral("HostName")).isValid());
    EXPECT_EQ(settings.hostName, QString());
}

TEST_F(EmailServerConfTest, SecurityBringsItsUsualPortUnlessAnotherPortWasChosen) {
    window.showForm();
    auto* security = mailtest::child<QComboBox>(window, "securityfield");
    auto* port = mailtest::field(window, "hostportfield");
    auto* note = mailtest::child<QLabel>(window, "loginnote");
    EXPECT_EQ(security->currentText(), QStringLiteral("None"));
    EXPECT_EQ(port->text(), QStringLiteral("25"));
    EXPECT_FALSE(note->isHidden());
    const std::pair<const char*, const char*> steps[] = {
        {"STARTTLS", "587"}, {"SSL/TLS", "465"}, {"None", "25"}, {"SSL/TLS", "465"}};
    for (const auto& [choice, expected] : steps) {
        security->setCurrentText(QString::fromLatin1(choice));
        EXPECT_EQ(port->text(), QString::fromLatin1(expected)) << choice;
        EXPECT_EQ(note->isHidden(), security->currentText() != QStringLiteral("None")) << choice;
    }
    port->setText(QStringLiteral("2525"));
    security->setCurrentText(QStringLiteral("STARTTLS"));
    EXPECT_EQ(port->text(), QStringLiteral("2525"));
}

TEST_F(EmailServerConfTest, LoginIsStoredAndThePasswordGoesOnlyToTheKeyring) {
    window.showForm();
    mailtest::field(window, "hostnamefield")->setText(QStringLiteral("smtp.example.org"));
    mailtest::child<QComboBox>(window, "securityfield")->setCurrentText(QStringLiteral("STARTTLS"));
    mailtest::field(window, "loginfield")->setText(QStringLiteral("ann@example.org"));
    auto* password = mailtest::field(window, "passwordfield");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    password->setText(QStringLiteral("app-password-42"));
    mailtest::child<QCheckBox>(window, "rememberfield")->setChecked(true);
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_EQ(stored(QStringLiteral("HostPort")), QVariant(QStringLiteral("587")));
    EXPECT_EQ(stored(QStringLiteral("Security")), QVariant(QStringLiteral("STARTTLS")));
    EXPECT_EQ(stored(QStringLiteral("LoginName")), QVariant(QStringLiteral("ann@example.org")));
    EXPECT_EQ(stored(QStringLiteral("RememberPassword")), QVariant(QStringLiteral("True")));
    EXPECT_EQ(keyring.passwords,
              (std::map<QString, QString>{{QStringLiteral("ann@example.org@smtp.example.org"),
                                           QStringLiteral("app-password-42")}}));
    EXPECT_EQ(settings.security, ConnectionSecurity::StartTls);
    EXPECT_EQ(settings.password, QStringLiteral("app-password-42"));
    const auto key = openServerSettingsKey();
    key->sync();
    for (const QString& name : key->allKeys())
        EXPECT_FALSE(key->value(name).toString().contains(QStringLiteral("app-password")))
            << name.toStdString();
    QFile file(key->fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("app-password"));

    // Shown again in a later run, the remembered password comes from the keyring.
    settings = ServerSettings{};
    window.showForm();
    EXPECT_EQ(mailtest::child<QComboBox>(window, "securityfield")->currentText(),
              QStringLiteral("STARTTLS"));
    EXPECT_EQ(mailtest::field(window, "hostportfield")->text(), QStringLiteral("587"));
    EXPECT_EQ(password->text(), QStringLiteral("app-password-42"));

    mailtest::child<QCheckBox>(window, "rememberfield")->setChecked(false);
    mailtest::button(window, "FlatButton1")->click();
    EXPECT_TRUE(keyring.passwords.empty());
    EXPECT_EQ(settings.password, QStringLiteral("app-password-42"));
}

TEST_F(EmailServerConfTest, WithoutAKeyringThePasswordIsKeptForTheRun) {
    keyring.available = false;
    window.showForm();
    mailtest::field(window, "loginfield")->setText(QStringLiteral("ann"));
    mailtest::field(window, "passwordfield")->setText(QStringLiteral("s3cret"));
    mailtest::child<QCheckBox>(window, "rememberfield")->setChecked(true);
    mailtest::button(window, "FlatButton1")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("No keyring answered: the password is kept only until the program "
                             "ends."));
    EXPECT_FALSE(dialogs.messages[0].text.contains(QStringLiteral("s3cret")));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(settings.password, QStringLiteral("s3cret"));
}

} // namespace
