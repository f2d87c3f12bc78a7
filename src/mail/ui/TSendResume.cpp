#include "mail/ui/TSendResume.h"

#include "mail/ui/TEmailServerConf.h"
#include "platform/Application.h"
#include "platform/ProgramInfo.h"
#include "platform/Services.h"
#include "store/StoreError.h"
#include "store/qt/Connection.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
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
      FromName(new QLineEdit), FromAddress(new QLineEdit), Attach(new QLineEdit),
      ToAddress(new QLineEdit), Subject(new QLineEdit), Body(new QPlainTextEdit),
      FlatButton1(new QPushButton(QStringLiteral("&Send"))),
      FlatButton2(new QPushButton(QStringLiteral("&Close"))),
      FlatButton3(new QPushButton(QStringLiteral("&Browse"))), m_settings(settings),
      m_serverConf(serverConf), m_documentPath(std::move(documentPath)) {
    FromName->setObjectName(QStringLiteral("FromName"));
    FromAddress->setObjectName(QStringLiteral("FromAddress"));
    Attach->setObjectName(QStringLiteral("Attach"));
    ToAddress->setObjectName(QStringLiteral("ToAddress"));
    Subject->setObjectName(QStringLiteral("Subject"));
    Body->setObjectName(QStringLiteral("Body"));
    FlatButton1->setObjectName(QStringLiteral("FlatButton1"));
    FlatButton2->setObjectName(QStringLiteral("FlatButton2"));
    FlatButton3->setObjectName(QStringLiteral("FlatButton3"));

    auto* attachRow = new QHBoxLayout;
    attachRow->addWidget(Attach, 1);
    attachRow->addWidget(FlatButton3);
    auto* fields = new QFormLayout;
    fields->addRow(fieldLabel(QStringLiteral("Your name: "), false), FromName);
    fields->addRow(fieldLabel(QStringLiteral("Your email addreess: "), true), FromAddress);
    fields->addRow(fieldLabel(QStringLiteral("Attached file(s): "), true), attachRow);
    fields->addRow(fieldLabel(QStringLiteral("To : "), true), ToAddress);
    fields->addRow(fieldLabel(QStringLiteral("Subject: "), true), Subject);
    fields->addRow(fieldLabel(QStringLiteral("Message: "), false), Body);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(FlatButton2);
    buttons->addWidget(FlatButton1);
    auto* layout = new QVBoxLayout(body());
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(520, 420);

    sendmail.Port = 25;
    sendmail.ReportLevel = 0;
    sendmail.EncodeType = UUMethods::uuMime;
    sendmail.ClearParams = true;
    sendmail.SubType = TSubType::mtPlain;
    sendmail.Charset = "us-ascii";
    // A server that accepts the connection and then says nothing would otherwise
    // keep Send disabled for the rest of the run. Five minutes per reply is what
    // RFC 5321 asks a client to wait for most replies.
    sendmail.TimeOut = 300000;
    // The GUI stays live while the mail goes out.
    sendmail.ProcessEvents = [] { QCoreApplication::processEvents(); };
    // The message's date and random parts come from the desktop's clock and random
    // source, like every other window's.
    sendmail.Now = [] {
        const QDateTime now = platform::clock().now();
        return MessageTime{now.toSecsSinceEpoch(), now.offsetFromUtc() / 60};
    };
    sendmail.Random = [](int range) { return platform::random().next(range); };

    connect(FlatButton1, &QPushButton::clicked, this, [this] { FlatButton1Click(); });
    connect(FlatButton2, &QPushButton::clicked, this, [this] { FlatButton2Click(); });
    connect(FlatButton3, &QPushButton::clicked, this, [this] { FlatButton3Click(); });
}

void TSendResume::FormShow() {
    platform::runCommand([this] {
        fillFromResume();
        Attach->setText(m_documentPath ? m_documentPath() : QString());
        m_settings = loadServerSettings();
    });
}

void TSendResume::fillFromResume() {
    QSqlQuery contact(store::connection());
    if (!contact.exec(QStringLiteral("SELECT FirstName, LastName, EmailAddress FROM ContactInfo")))
        throw store::EDatabaseError(contact.lastError().text().toStdString());
    const bool row = contact.next();
    auto field = [&](int i) { return row ? contact.value(i).toString() : QString(); };
    FromName->setText(field(0) + QLatin1Char(' ') + field(1));
    FromAddress->setText(field(2));
}

void TSendResume::FlatButton1Click() {
    const std::pair<const QLineEdit*, const char*> required[] = {
        {FromAddress, "Your e-mail address is a required field !"},
        {Attach, "Attached file field can't be empty !"},
        {ToAddress, "The destination email is a required field !"},
        {Subject, "The Subject field can't be empty !"},
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

    FlatButton1->setEnabled(false);
    try {
        send();
    } catch (const std::exception& error) {
        // Nothing is lost and the person may correct the server or the fields and
        // send again: the half-open connection goes, Send comes back.
        if (sendmail.connected())
            sendmail.TLineSocket::Disconnect();
        FlatButton1->setEnabled(true);
        platform::showException(error);
        return;
    }
    FlatButton1->setEnabled(true);
    plainMessage(QStringLiteral("Your Resume was sucessfull sent "));
    hide();
}

void TSendResume::send() {
    sendmail.Host = m_settings.hostName.toStdString();
    sendmail.Port = m_settings.port;
    sendmail.UserID = m_settings.userId.toStdString();
    TPostMessage& m = sendmail.PostMessage;
    m.FromName = FromName->text().toStdString();
    m.FromAddress = FromAddress->text().toStdString();
    // This window's fields are the whole message: an earlier failed send must not
    // leave a second copy of the recipient or the attachment behind.
    m.Attachments = {Attach->text().toStdString()};
    m.ToAddress = {ToAddress->text().toStdString()};
    m.Subject = Subject->text().toStdString();
    m.Body = utf8(memoLines(Body->toPlainText()));
    // A line break in a field is refused before the server hears anything.
    checkHeaderField(sendmail.UserID, "user ID");
    checkHeaderFields(m);

    sendOnce(sendmail);
}

void TSendResume::FlatButton2Click() {
    close();
}

void TSendResume::FlatButton3Click() {
    if (const auto path = platform::dialogs().openFile(platform::FileDialogOptions{}))
        Attach->setText(*path);
}

} // namespace mail
