#include "mail/ui/TEmailServerConf.h"

#include "mail/LineSocket.h"
#include "platform/Application.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <stdexcept>

namespace mail {

TEmailServerConf::TEmailServerConf(ServerSettings& settings, QWidget* parent)
    : Form(QStringLiteral("EmailServerConf"), QStringLiteral("Email Server Configuration"), parent),
      m_hostName(new QLineEdit), m_hostPort(new QLineEdit), m_userId(new QLineEdit),
      m_doneButton(new QPushButton(QStringLiteral("&Done"))),
      m_cancelButton(new QPushButton(QStringLiteral("&Cancel"))), m_settings(settings) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_hostName->setObjectName(QStringLiteral("hostnamefield"));
    m_hostPort->setObjectName(QStringLiteral("hostportfield"));
    m_userId->setObjectName(QStringLiteral("useridfield"));
    m_doneButton->setObjectName(QStringLiteral("FlatButton1"));
    m_cancelButton->setObjectName(QStringLiteral("FlatButton2"));
    m_hostPort->setMaximumWidth(80);
    m_hostName->setMinimumWidth(240);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Email Server Address: "), m_hostName);
    fields->addRow(QStringLiteral("Email Server Port: "), m_hostPort);
    fields->addRow(QStringLiteral("Email Server User ID: "), m_userId);
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
}

void TEmailServerConf::FormShow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    const auto key = openServerSettingsKey();
    m_hostName->setText(key->value(QStringLiteral("HostName")).toString());
    m_hostPort->setText(QString::number(storedPort(*key)));
    m_userId->setText(key->value(QStringLiteral("UserId")).toString());
    // The port nearly every server listens on is the better suggestion than 0.
    if (m_hostPort->text() == QStringLiteral("0"))
        m_hostPort->setText(QStringLiteral("25"));
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
    m_settings = ServerSettings{m_hostName->text(), port, m_userId->text()};
    close();
}

void TEmailServerConf::FlatButton2Click() {
    close();
}

} // namespace mail
