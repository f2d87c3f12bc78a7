// What the Send Resume window tests share: widgets found by name and a fixture
// with the window over a blank résumé and a written document.
#pragma once

#include "mail/ui/TEmailServerConf.h"
#include "mail/ui/TSendResume.h"
#include "platform/Services.h"
#include "store/qt/Connection.h"
#include "support/DesktopDoubles.h"
#include "support/ScriptedSmtpServer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
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

// The Send Resume window with its settings window, over a blank résumé whose
// document is a small RTF file, and with the server settings key cleared around
// each test.
class SendWindowTest : public testing::Test {
protected:
    SendWindowTest()
        : services(nullptr, &dialogs, nullptr, nullptr, nullptr, &keyring), conf(settings),
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
    testsupport::MemoryKeyring keyring;
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
