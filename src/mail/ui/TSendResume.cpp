#include "mail/ui/TSendResume.h"

#include "mail/ui/TEmailServerConf.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/StoreError.h"
#include "store/qt/Connection.h"
#include "store/qt/Sender.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mail {

namespace {

std::vector<std::string> utf8(const QStringList& lines) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        out.push_back(line.toStdString());
    return out;
}

QLabel* fieldLabel(const QString& text, bool required) {
    auto* label = new QLabel(text);
    if (required)
        label->setStyleSheet(QStringLiteral("color: maroon;"));
    return label;
}

void plainMessage(const QString& text) {
    platform::dialogs().message(text, platform::applicationTitle(), platform::Buttons::Ok,
                                platform::Icon::None);
}

} // namespace

QStringList memoLines(const QString& text) {
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

TSendResume::TSendResume(ServerSettings& settings, TEmailServerConf& serverConf,
                         std::function<QString()> documentPath, QWidget* parent)
    : Form(QStringLiteral("SendResume"), QStringLiteral("Send Resume By E-mail"), parent),
      m_fromName(new QLineEdit), m_fromAddress(new QLineEdit), m_attachment(new QLineEdit),
      m_toAddress(new QLineEdit), m_subject(new QLineEdit), m_body(new QPlainTextEdit),
      m_sendButton(new QPushButton(QStringLiteral("&Send"))),
      m_closeButton(new QPushButton(QStringLiteral("&Close"))),
      m_browseButton(new QPushButton(QStringLiteral("&Browse"))), m_settings(settings),
      m_serverConf(serverConf), m_documentPath(std::move(documentPath)) {
    m_fromName->setObjectName(QStringLiteral("FromName"));
    m_fromAddress->setObjectName(QStringLiteral("FromAddress"));
    m_attachment->setObjectName(QStringLiteral("Attach"));
    m_toAddress->setObjectName(QStringLiteral("ToAddress"));
    m_subject->setObjectName(QStringLiteral("Subject"));
    m_body->setObjectName(QStringLiteral("Body"));
    m_sendButton->setObjectName(QStringLiteral("FlatButton1"));
    m_closeButton->setObjectName(QStringLiteral("FlatButton2"));
    m_browseButton->setObjectName(QStringLiteral("FlatButton3"));

    auto* attachRow = new QHBoxLayout;
    attachRow->addWidget(m_attachment, 1);
    attachRow->addWidget(m_browseButton);
    auto* fields = new QFormLayout;
    fields->addRow(fieldLabel(QStringLiteral("Your name: "), false), m_fromName);
    fields->addRow(fieldLabel(QStringLiteral("Your email addreess: "), true), m_fromAddress);
    fields->addRow(fieldLabel(QStringLiteral("Attached file(s): "), true), attachRow);
    fields->addRow(fieldLabel(QStringLiteral("To : "), true), m_toAddress);
    fields->addRow(fieldLabel(QStringLiteral("Subject: "), true), m_subject);
    fields->addRow(fieldLabel(QStringLiteral("Message: "), false), m_body);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    buttons->addWidget(m_sendButton);
    auto* layout = new QVBoxLayout(body());
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(520, 420);

    m_smtpClient.Port = 25;
    m_smtpClient.ReportLevel = 0;
    m_smtpClient.EncodeType = UUMethods::uuMime;
    m_smtpClient.ClearParams = true;
    m_smtpClient.SubType = TSubType::mtPlain;
    m_smtpClient.Charset = "us-ascii";
    // A server that accepts the connection and then says nothing would otherwise
    // keep Send disabled for the rest of the run. A server gets five minutes to
    // answer each command.
    m_smtpClient.TimeOut = 300000;
    // The GUI stays live while the mail goes out.
    m_smtpClient.ProcessEvents = [] { QCoreApplication::processEvents(); };
    // The message's date and random parts come from the desktop's clock and random
    // source, like every other window's.
    m_smtpClient.Now = [] {
        const QDateTime now = platform::clock().now();
        return MessageTime{now.toSecsSinceEpoch(), now.offsetFromUtc() / 60};
    };
    m_smtpClient.Random = [](int range) { return platform::random().next(range); };

    connect(m_sendButton, &QPushButton::clicked, this, [this] { FlatButton1Click(); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { FlatButton2Click(); });
    connect(m_browseButton, &QPushButton::clicked, this, [this] { FlatButton3Click(); });
}

void TSendResume::FormShow() {
    platform::runCommand([this] {
        fillFromResume();
        m_attachment->setText(m_documentPath ? m_documentPath() : QString());
        // A password given earlier in the run still holds for the same login.
        const std::optional<QString> known = m_settings.password;
        const QString account = passwordAccount(m_settings);
        m_settings = loadServerSettings();
        if (passwordAccount(m_settings) == account)
            m_settings.password = known;
    });
}

void TSendResume::fillFromResume() {
    const store::Sender sender = store::senderOfResume();
    m_fromName->setText(sender.name);
    m_fromAddress->setText(sender.address);
}

void TSendResume::FlatButton1Click() {
    const std::pair<const QLineEdit*, const char*> required[] = {
        {m_fromAddress, "Your e-mail address is a required field !"},
        {m_attachment, "Attached file field can't be empty !"},
        {m_toAddress, "The destination email is a required field !"},
        {m_subject, "The Subject field can't be empty !"},
    };
    for (const auto& [field, message] : required) {
        if (field->text().isEmpty()) {
            plainMessage(QString::fromLatin1(message));
            return;
        }
    }
    if (m_settings.hostName.isEmpty() || m_settings.port == 0) {
        plainMessage(QStringLiteral("Missing Email Server Configuration !"));
        m_serverConf.showForm();
        return;
    }

    if (!knowPassword())
        return;
    m_sendButton->setEnabled(false);
    try {
        send();
    } catch (const std::exception& error) {
        // Nothing is lost and the person may correct the server or the fields and
        // send again: the half-open connection goes, Send comes back.
        if (m_smtpClient.connected())
            m_smtpClient.TLineSocket::Disconnect();
        m_sendButton->setEnabled(true);
        platform::showException(error);
        return;
    }
    m_sendButton->setEnabled(true);
    plainMessage(QStringLiteral("Your Resume was sucessfull sent "));
    hide();
}

void TSendResume::send() {
    m_smtpClient.Host = m_settings.hostName.toStdString();
    m_smtpClient.Port = m_settings.port;
    m_smtpClient.UserID = m_settings.userId.toStdString();
    m_smtpClient.Security = m_settings.security;
    m_smtpClient.LoginName = m_settings.loginName.toStdString();
    m_smtpClient.Password = m_settings.password.value_or(QString()).toStdString();
    TPostMessage& m = m_smtpClient.PostMessage;
    m.FromName = m_fromName->text().toStdString();
    m.FromAddress = m_fromAddress->text().toStdString();
    // This window's fields are the whole message: an earlier failed send must not
    // leave a second copy of the recipient or the attachment behind.
    m.Attachments = {m_attachment->text().toStdString()};
    m.ToAddress = {m_toAddress->text().toStdString()};
    m.Subject = m_subject->text().toStdString();
    m.Body = utf8(memoLines(m_body->toPlainText()));
    // A line break in a field is refused before the server hears anything.
    checkHeaderField(m_smtpClient.UserID, "user ID");
    checkHeaderFields(m);

    sendOnce(m_smtpClient);
}

bool TSendResume::knowPassword() {
    if (m_settings.security == ConnectionSecurity::None || m_settings.loginName.isEmpty() ||
        m_settings.password)
        return true;
    if (m_settings.rememberPassword)
        m_settings.password = platform::keyring().readPassword(passwordAccount(m_settings));
    // Where no keyring holds it, the person types it once for the run.
    if (!m_settings.password)
        m_settings.password = platform::dialogs().askPassword(
            QStringLiteral("Password of %1 at %2:").arg(m_settings.loginName, m_settings.hostName));
    return m_settings.password.has_value();
}

void TSendResume::FlatButton2Click() {
    close();
}

void TSendResume::FlatButton3Click() {
    if (const auto path = platform::dialogs().openFile(platform::FileDialogOptions{}))
        m_attachment->setText(*path);
}

} // namespace mail
