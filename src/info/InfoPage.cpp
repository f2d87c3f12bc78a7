#include "info/InfoPage.h"

#include "info/ShellCommands.h"
#include "platform/Application.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace info {

QLabel* pageLabel(const QString& text, QWidget* parent, bool navy) {
    auto* label = new QLabel(text, parent);
    QFont bold(QStringLiteral("Arial"), 9);
    bold.setBold(true);
    label->setFont(bold);
    label->setWordWrap(true);
    if (navy) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, kNavyColor);
        label->setPalette(p);
    }
    return label;
}

QPushButton* makeCloseButton(QWidget* parent, bool onStrip) {
    auto* button = new QPushButton(QStringLiteral("&Close"), parent);
    button->setObjectName(QStringLiteral("FlatButton1"));
    button->setCursor(Qt::PointingHandCursor);
    if (onStrip) {
        button->setFlat(true);
        button->setFixedHeight(18);
        button->setStyleSheet(QStringLiteral("QPushButton { color: white; border: none; "
                                             "padding: 0px 6px; font-weight: bold; }"
                                             "QPushButton:hover { background: #444; }"));
    }
    return button;
}

InfoPage::InfoPage(const Content& content, QWidget* parent)
    : platform::Form(content.name, content.caption, parent), m_address(content.address) {
    setWindowFlag(Qt::WindowStaysOnTopHint, content.stayOnTop);

    m_close = makeCloseButton(titleStrip(), true);
    titleStripLayout()->addWidget(m_close);
    connect(m_close, &QPushButton::clicked, this, [this] { FlatButton1Click(); });

    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(8);
    m_text = new QVBoxLayout;
    m_text->setSpacing(6);
    for (const Line& line : content.lines)
        m_text->addWidget(pageLabel(line.text, body(), line.navy));
    layout->addLayout(m_text);
    layout->addStretch();

    // The shadow is a white copy under the link, shifted by one pixel.
    auto* linkArea = new QWidget(body());
    m_link = new LinkLabel(content.linkCaption, linkArea, content.hover);
    m_link->setObjectName(QStringLiteral("LinkLabel1"));
    m_link->adjustSize();
    if (content.shadowedLink) {
        auto* shadow = new QLabel(content.linkCaption, linkArea);
        shadow->setObjectName(QStringLiteral("LinkShadow"));
        shadow->setFont(m_link->font());
        QPalette white = shadow->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        shadow->setPalette(white);
        shadow->adjustSize();
        shadow->move(1, 1);
        m_link->raise();
    }
    linkArea->setFixedSize(m_link->size() + QSize(1, 1));
    layout->addWidget(linkArea, 0, Qt::AlignRight);
    connect(m_link, &LinkLabel::clicked, this,
            [this] { platform::runCommand([this] { linkClick(); }); });

    setFixedWidth(420);
    placeCentred();
}

void InfoPage::addBelowText(QWidget* widget) {
    m_text->addWidget(widget);
    placeCentred();
}

void InfoPage::placeCentred() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void InfoPage::linkClick() {
    openThroughShell(m_address);
}

void InfoPage::FlatButton1Click() {
    hide();
}

} // namespace info
