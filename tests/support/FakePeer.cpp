#include "support/FakePeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <openssl/ssl.h>

#include <stdexcept>

namespace testsupport {

namespace {

int listenOnLoopback(std::uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(fd, 4) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    port = ntohs(a.sin_port);
    return fd;
}

// A broken test must fail, not hang: the peer gives up on a silent client.
constexpr int kGuardSeconds = 20;

} // namespace

PeerConnection::~PeerConnection() {
    close();
}

bool PeerConnection::startTls(const PeerCertificate& certificate) {
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (context == nullptr ||
        SSL_CTX_use_certificate_chain_file(context, certificate.certFile.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context, certificate.keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
        SSL_CTX_free(context);
        return false;
    }
    m_ssl = SSL_new(context);
    SSL_CTX_free(context); // the session keeps its own reference
    SSL_set_fd(m_ssl, m_socket);
    return SSL_accept(m_ssl) == 1;
}

void PeerConnection::send(std::string_view bytes) {
    if (m_ssl != nullptr)
        (void)SSL_write(m_ssl, bytes.data(), static_cast<int>(bytes.size()));
    else if (m_socket >= 0)
        (void)::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

bool PeerConnection::fill() {
    if (m_socket < 0)
        return false;
    char buffer[4096];
    const ssize_t n = m_ssl != nullptr ? SSL_read(m_ssl, buffer, sizeof buffer)
                                       : ::recv(m_socket, buffer, sizeof buffer, 0);
    if (n <= 0)
        return false;
    m_pending.append(buffer, static_cast<std::size_t>(n));
    return true;
}

std::optional<std::string> PeerConnection::readLine() {
    for (;;) {
        const auto lf = m_pending.find('\n');
        if (lf != std::string::npos) {
            std::string line = m_pending.substr(0, lf);
            m_pending.erase(0, lf + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        if (!fill())
            return std::nullopt;
    }
}

std::optional<std::string> PeerConnection::readData() {
    for (;;) {
        const auto end = m_pending.find("\r\n.\r\n");
        if (end != std::string::npos) {
            std::string data = m_pending.substr(0, end + 2);
            m_pending.erase(0, end + 5);
            return data;
        }
        if (!fill())
            return std::nullopt;
    }
}

void PeerConnection::close() {
    if (m_ssl != nullptr) {
        SSL_shutdown(m_ssl);
        SSL_free(m_ssl);
        m_ssl = nullptr;
    }
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

FakePeer::FakePeer(std::function<void(PeerConnection&)> script) {
    m_listener = listenOnLoopback(m_port);
    m_thread = std::thread([this, script = std::move(script)] {
        pollfd p{m_listener, POLLIN, 0};
        if (::poll(&p, 1, kGuardSeconds * 1000) <= 0)
            return;
        const int fd = ::accept(m_listener, nullptr, nullptr);
        if (fd < 0)
            return;
        timeval guard{kGuardSeconds, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
        PeerConnection connection(fd);
        script(connection);
        connection.close();
    });
}

FakePeer::~FakePeer() {
    join();
    ::close(m_listener);
}

void FakePeer::join() {
    if (m_thread.joinable())
        m_thread.join();
}

std::uint16_t closedPort() {
    std::uint16_t port = 0;
    const int fd = listenOnLoopback(port);
    ::close(fd);
    return port;
}

void serveSmtp(PeerConnection& peer, SmtpTranscript& transcript, std::string greeting,
               const std::function<std::string(const std::string& command)>& reply,
               const PeerCertificate& certificate) {
    peer.send(greeting);
    while (auto command = peer.readLine()) {
        transcript.commands.push_back(*command);
        if (!peer.secure())
            transcript.plainCommands = transcript.commands.size();
        std::string answer = reply(*command);
        if (answer.empty())
            return;
        peer.send(answer);
        if (*command == "STARTTLS" && answer.rfind("220", 0) == 0 &&
            !certificate.certFile.empty() && !peer.startTls(certificate))
            return;
        if (*command == "DATA" && answer.rfind("354", 0) == 0) {
            auto data = peer.readData();
            if (!data)
                return;
            transcript.data = *data;
            transcript.commands.push_back(".");
            answer = reply(".");
            if (answer.empty())
                return;
            peer.send(answer);
        }
        if (*command == "QUIT")
            return;
    }
}

std::string willingReply(const std::string& command) {
    if (command.rfind("HELO", 0) == 0)
        return "250 fake.local\r\n";
    if (command == "DATA")
        return "354 go ahead\r\n";
    if (command == "QUIT")
        return "221 bye\r\n";
    return "250 ok\r\n";
}

} // namespace testsupport
