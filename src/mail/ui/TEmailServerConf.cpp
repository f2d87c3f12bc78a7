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
      hostnamefield(new QLineEdit), hostportfield(new QLineEdit), useridfield(new QLineEdit),
      FlatButton1(new QPushButton(QStringLiteral("&Done"))),
      FlatButton2(new QPushButton(QStringLiteral("&Cancel"))), m_settings(settings) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    hostnamefield->setObjectName(QStringLiteral("hostnamefield"));
    hostportfield->setObjectName(QStringLiteral("hostportfield"));
    useridfield->setObjectName(QStringLiteral("useridfield"));
    FlatButton1->setObjectName(QStringLiteral("FlatButton1"));
    FlatButton2->setObjectName(QStringLiteral("FlatButton2"));
    hostportfield->setMaximumWidth(80);
    hostnamefield->setMinimumWidth(240);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Email Server Address: "), hostnamefield);
    fields->addRow(QStringLiteral("Email Server Port: "), hostportfield);
    fields->addRow(QStringLiteral("Email Server User ID: "), useridfield);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(FlatButton2);
    buttons->addWidget(FlatButton1);
    auto* layout = new QVBoxLayout(body());
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(FlatButton1, &QPushButton::clicked, this,
            [this] { platform::runCommand([this] { FlatButton1Click(); }); });
    connect(FlatButton2, &QPushButton::clicked, this, [this] { FlatButton2Click(); });
}

void TEmailServerConf::FormShow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    const auto key = openServerSettingsKey();
    hostnamefield->setText(key->value(QStringLiteral("HostName")).toString());
    hostportfield->setText(QString::number(storedPort(*key)));
    useridfield->setText(key->value(QStringLiteral("UserId")).toString());
    // The port nearly every server listens on is the better suggestion than 0.
    if (hostportfield->text() == QStringLiteral("0"))
        hostportfield->setText(QStringLiteral("25"));
}

void TEmailServerConf::FlatButton1Click() {
    const auto key = openServerSettingsKey();
    key->setValue(QStringLiteral("HostName"), hostnamefield->text());
    bool ok = false;
    const int port = hostportfield->text().toInt(&ok);
    if (!ok)
        throw std::runtime_error("'" + hostportfield->text().toStdString() +
                                 "' is not a valid integer value");
    // Stored, a port no server can listen on would only fail every later send.
    if (!isValidPort(port))
        throw std::runtime_error(kPortRangeMessage);
    key->setValue(QStringLiteral("HostPort"), QString::number(port));
    key->setValue(QStringLiteral("UserId"), useridfield->text());
    m_settings = ServerSettings{hostnamefield->text(), port, useridfield->text()};
    close();
}

void TEmailServerConf::FlatButton2Click() {
    close();
}

} // namespace mail
