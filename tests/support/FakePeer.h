// A scripted TCP peer on 127.0.0.1 for the transport and SMTP tests: it accepts one
// connection on its own thread and runs the test's script against it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

struct ssl_st;

namespace testsupport {

// A certificate and its key, PEM files, for a peer that speaks TLS.
struct PeerCertificate {
    std::string certFile;
    std::string keyFile;
};

class PeerConnection {
public:
    explicit PeerConnection(int socket) : m_socket(socket) {}
    ~PeerConnection();
    PeerConnection(const PeerConnection&) = delete;
    PeerConnection& operator=(const PeerConnection&) = delete;

    // The server side of a TLS handshake; later sends and reads go through TLS.
    bool startTls(const PeerCertificate& certificate);
    bool secure() const { return m_ssl != nullptr; }
    void send(std::string_view bytes);
    // The next line without its line end; nothing when the client closed.
    std::optional<std::string> readLine();
    // Raw bytes through the end-of-data line "\r\n.\r\n", that line excluded.
    std::optional<std::string> readData();
    void close();
    bool closed() const { return m_socket < 0; }

private:
    bool fill();
    int m_socket;
    ssl_st* m_ssl = nullptr;
    std::string m_pending;
};

class FakePeer {
public:
    explicit FakePeer(std::function<void(PeerConnection&)> script);
    ~FakePeer();
    FakePeer(const FakePeer&) = delete;
    FakePeer& operator=(const FakePeer&) = delete;

    std::uint16_t port() const { return m_port; }
    // Waits for the script to end.
    void join();

private:
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::thread m_thread;
};

// A port on 127.0.0.1 where nobody listens.
std::uint16_t closedPort();

// What a scripted SMTP server saw: every command line and the message data.
struct SmtpTranscript {
    std::vector<std::string> commands;
    std::string data;
    // How many of the commands came before TLS.
    std::size_t plainCommands = 0;
};

// Runs an SMTP server: the greeting, then for every command line the reply that
// reply() gives (an empty reply closes the connection); after a 354 reply to DATA
// it reads the data and asks for the reply to ".". With a certificate, a 220
// reply to STARTTLS starts TLS.
void serveSmtp(PeerConnection& peer, SmtpTranscript& transcript, std::string greeting,
               const std::function<std::string(const std::string& command)>& reply,
               const PeerCertificate& certificate = {});

// The usual replies of a willing server.
std::string willingReply(const std::string& command);

} // namespace testsupport
