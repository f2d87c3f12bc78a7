// The SMTP client that mails the résumé: greeting and HELO on Connect; RSET, MAIL
// FROM, RCPT TO, DATA, the message and its end on SendMail; QUIT on Disconnect.
//
// The message is built in memory first (header lines, a text part and every
// attachment encoded), so a missing file fails the send before the server hears
// anything. With Security None the conversation is plain and UserID is the
// argument of HELO; the secure modes greet with EHLO, put TLS on the connection
// and log in with AUTH PLAIN or AUTH LOGIN.
#pragma once

#include "mail/ExStrings.h"
#include "mail/LineSocket.h"
#include "mail/MessageBuilder.h"
#include "mail/PostMessage.h"
#include "mail/UUProcessor.h"

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace mail {

enum class ConnectionSecurity {
    None,     // plain text, HELO, never a login
    StartTls, // EHLO, STARTTLS, then EHLO again over TLS; never falls back to plain text
    Tls,      // TLS from the first byte, then EHLO
};

// What a server's EHLO reply offers that the client uses.
struct ServerCapabilities {
    bool startTls = false;
    bool authPlain = false;
    bool authLogin = false;
};

// The capabilities in the lines of an EHLO reply (first line first).
ServerCapabilities parseEhloReply(const std::vector<std::string>& lines);

class TSmtpClient : public TLineSocket {
public:
    TSmtpClient();
    ~TSmtpClient() override;

    using TLineSocket::OnConnectionRequired;
    using TLineSocket::OnPacketSent;
    // The SMTP conversation is open (greeting and HELO accepted); the transport's
    // own connection event stays reachable as TLineSocket::OnConnect.
    std::function<void()> OnConnect;
    std::string UserID;
    ConnectionSecurity Security = ConnectionSecurity::None;
    // With a login name the client logs in, over TLS only; the password is never
    // reported or put into a message.
    std::string LoginName;
    std::string Password;
    TPostMessage PostMessage;
    // The header lines of the message being sent, rebuilt by every SendMail.
    TExStringList FinalHeader;
    UUMethods EncodeType = UUMethods::uuMime;
    // After a successful send, empty the recipient lists and the attachments.
    bool ClearParams = true;
    TSubType SubType = TSubType::mtPlain;
    // The charset of ASCII text; other text is sent as UTF-8.
    std::string Charset = "us-ascii";
    // Where a message's Date comes from; the system clock when not set.
    std::function<MessageTime()> Now;
    // A whole number from 0 to range - 1, for the boundary and the Message-ID; the
    // client's own generator when not set.
    std::function<int(int range)> Random;

    std::function<void(const std::string& recipient)> OnRecipientNotFound;
    // hiType 1: the sender is missing; 2: the recipients are.
    std::function<void(bool& handled, int hiType)> OnHeaderIncomplete;
    std::function<void()> OnSendStart;
    std::function<void()> OnSuccess;
    std::function<void()> OnFailure;
    std::function<void(const std::string& fileName)> OnEncodeStart;
    std::function<void(const std::string& fileName)> OnEncodeEnd;
    std::function<void(const std::string& fileName)> OnAttachmentNotFound;
    std::function<void(bool& handled)> OnAuthenticationFailed;

    void Connect() override;
    // Does nothing while a Connect or another SendMail of this client runs.
    void SendMail();
    void Disconnect() override;

    bool busy() const { return m_busy; }
    // The boundary of the last message built; empty without attachments.
    const std::string& boundary() const { return m_boundary; }
    // The encoded body of the last message built.
    std::string bodyStreamText() const { return m_body.str(); }

    // Builds FinalHeader and the body without sending anything.
    void buildMessage();

private:
    std::string command(std::string_view text, std::vector<std::string>* lines = nullptr);
    void readContinuation(std::string& line, std::vector<std::string>* lines = nullptr);
    void greetPlainly();
    void greetSecurely();
    // EHLO, or HELO when the server refuses it; the capabilities offered.
    ServerCapabilities extendedHello();
    void logIn(const ServerCapabilities& offered);
    // The part of one attachment: its header lines and its encoded lines.
    std::string attachmentPart(const std::string& path);
    std::string newBoundary();
    int randomNumber(int range);

    bool m_busy = false;
    std::stringstream m_body;
    std::string m_boundary;
    std::mt19937 m_random{std::random_device{}()};
};

// One connect-send-disconnect cycle, as the program drives it. Once the server
// has accepted the message it has been delivered: a QUIT that then fails or is
// refused closes the connection all the same and fails nothing, because calling
// that a failure would invite sending the message twice.
void sendOnce(TSmtpClient& client);

} // namespace mail
