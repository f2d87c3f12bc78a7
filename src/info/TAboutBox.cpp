#include "info/TAboutBox.h"

#include "info/InfoPage.h"
#include "info/ShellCommands.h"
#include "platform/Application.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace info {

TAboutBox::TAboutBox(QWidget* parent)
    : platform::Form(QStringLiteral("AboutBox"), QStringLiteral("About Vitacraft"), parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    auto* panel = new QFrame(body());
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    QLabel* text = pageLabel(
        QStringLiteral(
            "Vitacraft Pro 3.0 is a fully functional professional resume writing software\n"
            "program that is compatible with Windows 95,98,2000,NT and XP.\n"
            "It is designed to work with all Microsoft word processing applications as\n"
            "well as all Microsoft email clients."),
        panel);
    text->setObjectName(QStringLiteral("Label1"));
    text->setWordWrap(false);
    text->setAlignment(Qt::AlignHCenter);
    m_link = new LinkLabel(QString::fromLatin1(kSupportAddress), panel);
    m_link->setObjectName(QStringLiteral("LinkLabel1"));
    connect(m_link, &LinkLabel::clicked, this,
            [this] { platform::runCommand([this] { LinkLabel1Click(); }); });
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(14, 14, 14, 8);
    panelLayout->setSpacing(12);
    panelLayout->addWidget(text);
    panelLayout->addWidget(m_link, 0, Qt::AlignRight);

    m_close = makeCloseButton(body(), false);
    connect(m_close, &QPushButton::clicked, this, [this] { FlatButton1Click(); });

    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    layout->addWidget(panel);
    layout->addWidget(m_close, 0, Qt::AlignHCenter);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAboutBox::LinkLabel1Click() {
    openThroughShell(supportLink());
}

void TAboutBox::FlatButton1Click() {
    hide();
}

} // namespace info
