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

namespace testsupport {

class PeerConnection {
public:
    explicit PeerConnection(int socket) : m_socket(socket) {}
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
};

// Runs an SMTP server: the greeting, then for every command line the reply that
// reply() gives (an empty reply closes the connection); after a 354 reply to DATA
// it reads the data and asks for the reply to ".".
void serveSmtp(PeerConnection& peer, SmtpTranscript& transcript, std::string greeting,
               const std::function<std::string(const std::string& command)>& reply);

// The usual replies of a willing server.
std::string willingReply(const std::string& command);

} // namespace testsupport
