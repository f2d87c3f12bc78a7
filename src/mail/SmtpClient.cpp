#include "mail/SmtpClient.h"

#include "mail/MailErrors.h"
#include "rtfengine/Finally.h"

#include <exception>
#include <filesystem>
#include <fstream>

namespace mail {

namespace {

const char* const kServerClosed = "The mail server closed the connection";

// The random part of a Message-ID: 36^16 choices keep two messages of one second
// apart.
constexpr std::string_view kMessageIdAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr int kMessageIdLetters = 16;

// Far more lines than any real server's reply has.
constexpr int kMaxReplyLines = 1000;

// A reply line that continues: it begins with a space or reads "250-...".
bool continues(const std::string& line) {
    return !line.empty() && (line[0] == ' ' || (line.size() > 3 && line[3] == '-'));
}

const char* const kNoStartTls = "The mail server does not offer STARTTLS, so nothing more was "
                                "sent over the unencrypted connection.";

std::string withoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// Base64 on one line, as AUTH wants it.
std::string base64Text(std::string_view bytes) {
    std::string text;
    for (char c : base64Lines(bytes))
        if (c != '\r' && c != '\n')
            text += c;
    return text;
}

std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

ServerCapabilities parseEhloReply(const std::vector<std::string>& lines) {
    ServerCapabilities offered;
    // The first line names the server; each later one starts with a keyword.
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::istringstream words(
            upperAscii(withoutLineEnd(lines[i].substr(std::min<std::size_t>(4, lines[i].size())))));
        std::string keyword;
        words >> keyword;
        if (keyword == "STARTTLS")
            offered.startTls = true;
        // Older servers write "AUTH=LOGIN PLAIN".
        if (keyword != "AUTH" && keyword.rfind("AUTH=", 0) != 0)
            continue;
        std::string method = keyword == "AUTH" ? std::string() : keyword.substr(5);
        do {
            offered.authPlain = offered.authPlain || method == "PLAIN";
            offered.authLogin = offered.authLogin || method == "LOGIN";
        } while (words >> method);
    }
    return offered;
}

TSmtpClient::TSmtpClient() {
    Port = 25;
}

TSmtpClient::~TSmtpClient() {
    m_destroying = true;
}

std::string TSmtpClient::command(std::string_view text, std::vector<std::string>* lines) {
    std::string reply = Transaction(text);
    // A server that closes the connection instead of answering has not accepted
    // anything; going on would report a failure as success.
    if (reply.empty())
        throw ESockError(kServerClosed);
    // Any reply may run over several lines; a line left unread would be taken as
    // the reply to the next command, and a refusal could pass for acceptance.
    readContinuation(reply, lines);
    return reply;
}

void TSmtpClient::readContinuation(std::string& line, std::vector<std::string>* lines) {
    if (lines)
        lines->assign(1, line);
    // Each line arrives within the time limit, so only a count can stop a server
    // that keeps a reply going for ever.
    for (int count = 1; continues(line); ++count) {
        if (count >= kMaxReplyLines)
            throw ESockError("Reply longer than " + std::to_string(kMaxReplyLines) + " lines");
        line = ReadLn();
        if (line.empty())
            throw ESockError(kServerClosed);
        if (lines)
            lines->push_back(line);
    }
}

void TSmtpClient::Connect() {
    {
        // A Connect made by a handler inside SendMail leaves the flag to SendMail.
        const bool nested = m_busy;
        m_busy = true;
        const Finally idle([this, nested] {
            if (!nested)
                m_busy = false;
        });
        checkHeaderField(UserID, "user ID");
        TLineSocket::Connect();
        try {
            if (Security == ConnectionSecurity::Tls)
                StartTls();
            std::string greeting = ReadLn();
            if (greeting.empty())
                throw ESockError(kServerClosed);
            readContinuation(greeting);
            if (parseReplyCode(greeting) >= 400)
                throw EMailError(greeting);
            if (Security == ConnectionSecurity::None)
                greetPlainly();
            else
                greetSecurely();
        } catch (...) {
            try {
                // A session that should be secure and is not says nothing more in
                // plain text, not even QUIT.
                if (Security == ConnectionSecurity::None || secure())
                    Disconnect();
                else
                    TLineSocket::Disconnect();
            } catch (...) {
                // The first failure is the one to report.
            }
            throw;
        }
    }
    if (OnConnect)
        OnConnect();
}

void TSmtpClient::greetPlainly() {
    command("HELO " + UserID);
    for (int attempts = 0; lastReplyCode() >= 300; ++attempts) {
        bool handled = false;
        if (attempts == 0 && OnAuthenticationFailed)
            OnAuthenticationFailed(handled);
        if (!handled)
            throw EMailError("Authentication failed");
        checkHeaderField(UserID, "user ID");
        command("HELO " + UserID);
    }
}

void TSmtpClient::greetSecurely() {
    ServerCapabilities offered = extendedHello();
    if (Security == ConnectionSecurity::StartTls) {
        if (!offered.startTls)
            throw EMailError(kNoStartTls);
        const std::string reply = command("STARTTLS");
        if (lastReplyCode() != 220)
            throw EMailError("The mail server refused STARTTLS, so nothing more was sent over "
                             "the unencrypted connection: " +
                             withoutLineEnd(reply));
        StartTls();
        // What the server offered in plain text may have been changed on the way.
        offered = extendedHello();
    }
    if (!LoginName.empty())
        logIn(offered);
}

ServerCapabilities TSmtpClient::extendedHello() {
    // EHLO wants a domain or an address literal, never nothing.
    const std::string name = UserID.empty() ? localAddressLiteral() : UserID;
    std::vector<std::string> lines;
    command("EHLO " + name, &lines);
    if (lastReplyCode() < 300)
        return parseEhloReply(lines);
    command("HELO " + name);
    if (lastReplyCode() >= 300)
        throw EMailError("Authentication failed");
    return {};
}

void TSmtpClient::logIn(const ServerCapabilities& offered) {
    const std::string plain = base64Text(std::string(1, '\0') + LoginName + '\0' + Password);
    if (offered.authPlain) {
        command("AUTH PLAIN " + plain);
        // A server that takes no initial response asks for it with an empty challenge.
        if (lastReplyCode() == 334)
            command(plain);
    } else if (offered.authLogin) {
        command("AUTH LOGIN");
        if (lastReplyCode() == 334)
            command(base64Text(LoginName));
        if (lastReplyCode() == 334)
            command(base64Text(Password));
    } else {
        throw EMailError("The mail server offers no login this program can use (PLAIN or LOGIN).");
    }
    if (lastReplyCode() != 235)
        throw EMailError("The mail server did not accept the user name or password: " +
                         withoutLineEnd(lastReply()));
}

int TSmtpClient::randomNumber(int range) {
    if (Random)
        return Random(range);
    return std::uniform_int_distribution<int>(0, range - 1)(m_random);
}

std::string TSmtpClient::newBoundary() {
    std::string b = "====================54535";
    for (int i = 0; i < 6; ++i)
        b += static_cast<char>('a' + randomNumber(25));
    return b + "====";
}

std::string TSmtpClient::attachmentPart(const std::string& path) {
    std::string part = attachmentPartHeader(attachmentFileName(path), m_boundary);
    std::ifstream file;
    std::error_code ec;
    // A directory opens like a file but reads as nothing: treat it as missing.
    if (!std::filesystem::is_directory(path, ec))
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        if (OnAttachmentNotFound)
            OnAttachmentNotFound(path);
        throw EMailError("Cannot open file " + path);
    }
    TUUProcessor encoder;
    encoder.Method = EncodeType;
    std::stringstream encoded;
    if (OnEncodeStart)
        OnEncodeStart(path);
    encoder.Encode(file, encoded);
    if (OnEncodeEnd)
        OnEncodeEnd(path);
    // Taken as text, not streamed: inserting an empty file's empty buffer into a
    // stream fails that stream, and every later write to it would be lost.
    part += encoded.str();
    return part;
}

void TSmtpClient::buildMessage() {
    // A message that fails to build must not leave the last one ready to send.
    m_body.str({});
    m_body.clear();
    checkHeaderFields(PostMessage);
    m_boundary = PostMessage.Attachments.empty() ? std::string() : newBoundary();
    const MessageTime now = Now ? Now() : systemMessageTime();
    std::string unique;
    for (int i = 0; i < kMessageIdLetters; ++i)
        unique += kMessageIdAlphabet[static_cast<std::size_t>(
            randomNumber(static_cast<int>(kMessageIdAlphabet.size())))];
    FinalHeader = buildHeader(PostMessage, m_boundary, SubType, Charset,
                              {messageDate(now), messageId(now, unique, PostMessage.FromAddress)});
    // The body is assembled as one text, where every append either succeeds or
    // throws, and only then becomes the stream that is sent.
    std::string body;
    if (m_boundary.empty()) {
        body = textBody(PostMessage.Body);
    } else {
        body = textPartHeader(PostMessage.Body, Charset, m_boundary) + textBody(PostMessage.Body);
        for (const std::string& path : PostMessage.Attachments)
            body += attachmentPart(path);
        body += "--" + m_boundary + "--" + "\r\n";
    }
    m_body.str(std::move(body));
}

void TSmtpClient::SendMail() {
    if (m_busy)
        return;
    {
        m_busy = true;
        const Finally idle([this] { m_busy = false; });
        buildMessage();
        CheckConnection();
        const TPostMessage& m = PostMessage;
        for (int attempts = 0;
             m.FromAddress.empty() ||
             (m.ToAddress.empty() && m.ToCarbonCopy.empty() && m.ToBlindCarbonCopy.empty());
             ++attempts) {
            bool handled = false;
            if (attempts == 0 && OnHeaderIncomplete)
                OnHeaderIncomplete(handled, m.FromAddress.empty() ? 1 : 2);
            if (!handled)
                throw EMailError("Incomplete Header");
        }
        if (OnSendStart)
            OnSendStart();

        auto accepted = [this](std::string_view text) {
            const std::string reply = command(text);
            if (lastReplyCode() >= 400)
                throw EMailError(reply);
        };
        accepted("RSET");
        accepted("MAIL FROM:<" + m.FromAddress + ">");
        for (const auto* list : {&m.ToAddress, &m.ToCarbonCopy, &m.ToBlindCarbonCopy}) {
            for (const std::string& entry : *list) {
                const std::string address = extractAddress(entry);
                if (address.empty())
                    continue;
                command("RCPT TO:<" + address + ">");
                if (lastReplyCode() > 300 && OnRecipientNotFound)
                    OnRecipientNotFound(entry);
            }
        }
        accepted("DATA");
        Write(FinalHeader.text() + "\r\n" + "\r\n");
        SendStream(m_body);
        const std::string reply = command(".");
        if (lastReplyCode() >= 400) {
            if (OnFailure)
                OnFailure();
            throw EMailError(reply);
        }
        if (ClearParams) {
            PostMessage.ToAddress.clear();
            PostMessage.ToCarbonCopy.clear();
            PostMessage.ToBlindCarbonCopy.clear();
            PostMessage.Attachments.clear();
        }
    }
    if (OnSuccess)
        OnSuccess();
}

void TSmtpClient::Disconnect() {
    clearCancel();
    std::exception_ptr failure;
    try {
        Transaction("QUIT");
    } catch (...) {
        failure = std::current_exception();
    }
    TLineSocket::Disconnect();
    if (failure)
        std::rethrow_exception(failure);
    if (lastReplyCode() > 339)
        throw EMailError(lastReply());
}

void sendOnce(TSmtpClient& client) {
    client.Connect();
    client.SendMail();
    try {
        client.Disconnect();
    } catch (const std::exception&) {
        // Delivered already; Disconnect has closed the socket whatever QUIT met.
    }
}

} // namespace mail
