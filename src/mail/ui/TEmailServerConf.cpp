#include "mail/ui/TEmailServerConf.h"

#include "mail/LineSocket.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <stdexcept>

namespace mail {

namespace {

constexpr ConnectionSecurity kSecurities[] = {
    ConnectionSecurity::None, ConnectionSecurity::StartTls, ConnectionSecurity::Tls};

template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TEmailServerConf::TEmailServerConf(ServerSettings& settings, QWidget* parent)
    : Form(QStringLiteral("EmailServerConf"), QStringLiteral("Email Server Configuration"), parent),
      m_hostName(named(new QLineEdit, "hostnamefield")),
      m_hostPort(named(new QLineEdit, "hostportfield")),
      m_userId(named(new QLineEdit, "useridfield")),
      m_security(named(new QComboBox, "securityfield")),
      m_loginName(named(new QLineEdit, "loginfield")),
      m_password(named(new QLineEdit, "passwordfield")),
      m_remember(named(new QCheckBox(QStringLiteral("Remember password")), "rememberfield")),
      m_plainNote(named(new QLabel(QStringLiteral("Without a secure connection no login is sent.")),
                        "loginnote")),
      m_doneButton(named(new QPushButton(QStringLiteral("&Done")), "FlatButton1")),
      m_cancelButton(named(new QPushButton(QStringLiteral("&Cancel")), "FlatButton2")),
      m_settings(settings) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_hostPort->setMaximumWidth(80);
    m_hostName->setMinimumWidth(240);
    for (const ConnectionSecurity security : kSecurities)
        m_security->addItem(securityName(security));
    m_password->setEchoMode(QLineEdit::Password);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Email Server Address: "), m_hostName);
    fields->addRow(QStringLiteral("Email Server Port: "), m_hostPort);
    fields->addRow(QStringLiteral("Email Server User ID: "), m_userId);
    fields->addRow(QStringLiteral("Connection security: "), m_security);
    fields->addRow(QStringLiteral("Login name: "), m_loginName);
    fields->addRow(QStringLiteral("Password: "), m_password);
    fields->addRow(QString(), m_remember);
    fields->addRow(QString(), m_plainNote);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto* layout = new QVBoxLayout(body());
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_doneButton, &QPushButton::clicked, this,
            [this] { platform::runCommand([this] { FlatButton1Click(); }); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { FlatButton2Click(); });
    connect(m_security, &QComboBox::currentIndexChanged, this, [this] { securityChanged(); });
}

void TEmailServerConf::FormShow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    const auto key = openServerSettingsKey();
    const ServerSettings stored = loadServerSettings();
    m_hostName->setText(stored.hostName);
    m_hostPort->setText(QString::number(storedPort(*key)));
    m_userId->setText(stored.userId);
    // The port nearly every server listens on is the better suggestion than 0.
    if (m_hostPort->text() == QStringLiteral("0"))
        m_hostPort->setText(QStringLiteral("25"));
    {
        // Showing the stored security is no choice of a new one: the port stays.
        const QSignalBlocker quiet(m_security);
        m_security->setCurrentText(securityName(stored.security));
    }
    m_plainNote->setVisible(stored.security == ConnectionSecurity::None);
    m_loginName->setText(stored.loginName);
    m_remember->setChecked(stored.rememberPassword);
    std::optional<QString> password = m_settings.password;
    if (!password && stored.rememberPassword && !stored.loginName.isEmpty())
        password = platform::keyring().readPassword(passwordAccount(stored));
    m_password->setText(password.value_or(QString()));
}

void TEmailServerConf::securityChanged() {
    const auto security = static_cast<ConnectionSecurity>(m_security->currentIndex());
    m_plainNote->setVisible(security == ConnectionSecurity::None);
    for (const ConnectionSecurity other : kSecurities) {
        if (m_hostPort->text() == QString::number(usualPort(other))) {
            m_hostPort->setText(QString::number(usualPort(security)));
            return;
        }
    }
}

void TEmailServerConf::FlatButton1Click() {
    const auto key = openServerSettingsKey();
    key->setValue(QStringLiteral("HostName"), m_hostName->text());
    bool ok = false;
    const int port = m_hostPort->text().toInt(&ok);
    if (!ok)
        throw std::runtime_error("'" + m_hostPort->text().toStdString() +
                                 "' is not a valid integer value");
    // Stored, a port no server can listen on would only fail every later send.
    if (!isValidPort(port))
        throw std::runtime_error(kPortRangeMessage);
    key->setValue(QStringLiteral("HostPort"), QString::number(port));
    key->setValue(QStringLiteral("UserId"), m_userId->text());
    storeLogin(*key);
    close();
}

void TEmailServerConf::storeLogin(QSettings& key) {
    ServerSettings s{m_hostName->text(), m_hostPort->text().toInt(), m_userId->text()};
    s.security = static_cast<ConnectionSecurity>(m_security->currentIndex());
    s.loginName = m_loginName->text();
    s.rememberPassword = m_remember->isChecked();
    if (!m_password->text().isEmpty())
        s.password = m_password->text();
    // Only a password remembered before may have to leave the keyring: a desktop
    // without one is not asked at all.
    const bool wasRemembered =
        key.value(QStringLiteral("RememberPassword")).toString() == QStringLiteral("True");
    key.setValue(QStringLiteral("Security"), securityName(s.security));
    key.setValue(QStringLiteral("LoginName"), s.loginName);
    key.setValue(QStringLiteral("RememberPassword"),
                 s.rememberPassword ? QStringLiteral("True") : QStringLiteral("False"));
    platform::Keyring& keyring = platform::keyring();
    if (!s.rememberPassword) {
        if (wasRemembered)
            keyring.removePassword(passwordAccount(s));
    } else if (s.password && !keyring.writePassword(passwordAccount(s), *s.password)) {
        platform::dialogs().message(
            QStringLiteral(
                "No keyring answered: the password is kept only until the program ends."),
            platform::applicationTitle(), platform::Buttons::Ok, platform::Icon::None);
    }
    m_settings = s;
}

void TEmailServerConf::FlatButton2Click() {
    close();
}

} // namespace mail
