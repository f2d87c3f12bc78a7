#include "SendWindowSupport.h"
#include "mail/ui/TEmailServerConf.h"
#include "platform/Services.h"
#include "support/DesktopDoubles.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace mail;

namespace {

class EmailServerConfTest : public testing::Test {
protected:
    EmailServerConfTest() : services(nullptr, &dialogs), window(settings) {
        openServerSettingsKey()->remove(QString());
    }
    ~EmailServerConfTest() override { openServerSettingsKey()->remove(QString()); }

    static void store(const QString& name, const QString& value) {
        openServerSettingsKey()->setValue(name, value);
    }
    static QVariant stored(const QString& name) { return openServerSettingsKey()->value(name); }

    testsupport::ScriptedDialogs dialogs;
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

} // namespace
