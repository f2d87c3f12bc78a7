#include "mail/LineSocket.h"

#include "mail/MailErrors.h"
#include "rtfengine/Finally.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

namespace mail {

namespace {

constexpr int kWaitMilliseconds = 2;

// Failures that a connect on a loopback or local network may report at once,
// where others report them later: they mean the connect ended, not a misuse.
bool isConnectOutcome(int errnoValue) {
    return errnoValue == ECONNREFUSED || errnoValue == ENETUNREACH || errnoValue == EHOSTUNREACH ||
           errnoValue == ETIMEDOUT || errnoValue == ECONNRESET;
}

} // namespace

const char* const kPortRangeMessage = "The port must be a number from 1 to 65535.";

bool isValidPort(long long port) {
    return port >= 1 && port <= 65535;
}

// Shared with the lookup thread, which may outlive a wait that timed out.
struct TLineSocket::HostLookup {
    std::atomic<bool> done{false};
    bool resolved = false;
    std::uint32_t address = 0;
};

TLineSocket::TLineSocket() {
    report("Create", 8);
    report("Initializing Winsock", 8);
    try {
        // Closing the first socket resets the connection rather than lingering.
        openSocket(true);
    } catch (const ESockError&) {
        throw ESockError("Initializaton of windows sockets failed");
    }
}

TLineSocket::~TLineSocket() {
    m_destroying = true;
    report("Destroy", 8);
    Abort();
    Cancel();
    m_noReopen = true;
    try {
        RequestCloseSocket();
    } catch (...) {
        // Nothing can be reported from a destructor; the descriptor is gone anyway.
    }
}

void TLineSocket::openSocket(bool resetOnClose) {
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        checkError(errno);
    // Commands and replies are small and strictly alternate: waiting to coalesce
    // them only adds delay.
    const int noDelay = 1;
    ::setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    if (resetOnClose) {
        const linger noLinger{1, 0};
        ::setsockopt(m_socket, SOL_SOCKET, SO_LINGER, &noLinger, sizeof noLinger);
    }
}

TLineIo::IoResult TLineSocket::sendSome(const char* data, std::size_t size) {
    if (m_tls) {
        const TlsResult r = m_tls->write(data, size);
        m_tlsWant = r.want;
        return {r.bytes, r.error};
    }
    // MSG_NOSIGNAL: a peer that has gone away is an error to report, not a signal.
    const ssize_t n = ::send(m_socket, data, size, MSG_NOSIGNAL);
    if (n < 0)
        return {0, errno};
    return {static_cast<long>(n), 0};
}

TLineIo::IoResult TLineSocket::peekSome(char* buffer, std::size_t size) {
    if (m_tls) {
        const TlsResult r = m_tls->peek(buffer, size);
        m_tlsWant = r.want;
        return {r.bytes, r.error};
    }
    const ssize_t n = ::recv(m_socket, buffer, size, MSG_PEEK | MSG_DONTWAIT);
    if (n < 0)
        return {0, errno};
    return {static_cast<long>(n), 0};
}

TLineIo::IoResult TLineSocket::receiveSome(char* buffer, std::size_t size) {
    if (m_tls) {
        const TlsResult r = m_tls->read(buffer, size);
        m_tlsWant = r.want;
        return {r.bytes, r.error};
    }
    const ssize_t n = ::recv(m_socket, buffer, size, MSG_DONTWAIT);
    if (n < 0)
        return {0, errno};
    return {static_cast<long>(n), 0};
}

void TLineSocket::awaitIo(IoWait what) {
    short events = 0;
    if (m_connecting || what == IoWait::Writable)
        events = POLLOUT;
    else if (what == IoWait::Readable)
        events = POLLIN;
    // TLS may need to read while sending, or to write while reading.
    if (m_tls && m_tlsWant != TlsWant::Nothing)
        events = m_tlsWant == TlsWant::Read ? POLLIN : POLLOUT;
    if (m_socket < 0 || events == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMilliseconds));
        return;
    }
    pollfd p{m_socket, events, 0};
    if (::poll(&p, 1, kWaitMilliseconds) <= 0)
        return;
    if (m_connecting && (p.revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            error = errno;
        connectionCompleted(error);
    }
}

void TLineSocket::connectionCompleted(int errnoValue) {
    m_connecting = false;
    m_lastNotificationOk = errnoValue == 0;
    if (errnoValue != 0) {
        // Kept readable through lastError(); the connect reports "Connection Failed".
        rememberError(errnoValue);
        return;
    }
    m_connected = true;
    if (OnConnect && !m_destroying)
        OnConnect();
}

void TLineSocket::peerClosed() {
    RequestCloseSocket();
}

void TLineSocket::ResolveHost() {
    report("Resolve Host", 8);
    const in_addr_t dotted = ::inet_addr(Host.c_str());
    if (dotted != INADDR_NONE) {
        m_remoteAddress = dotted;
        return;
    }
    m_remoteAddress = 0;
    TimerOn();
    auto lookup = std::make_shared<HostLookup>();
    std::thread([lookup, host = Host] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found != nullptr) {
            lookup->address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
            lookup->resolved = true;
        }
        if (found != nullptr)
            ::freeaddrinfo(found);
        lookup->done.store(true, std::memory_order_release);
    }).detach();
    while (!lookup->done.load(std::memory_order_acquire) && !timedOut() && !cancelled())
        idle(IoWait::None);
    TimerOff();
    if (timedOut())
        throw ESockError("Host Lookup Timed Out");
    if (cancelled())
        throw ESockError("Host Lookup Canceled");
    if (!lookup->resolved)
        throw ESockError("Host Lookup Failed");
    m_remoteAddress = lookup->address;
    if (OnHostResolved)
        OnHostResolved();
}

void TLineSocket::Connect() {
    report("Connecting", 8);
    clearCancel();
    if (m_connected)
        throw ESockError("Already connected");
    // A port beyond 16 bits would be cut to another one and reach the wrong server.
    if (!isValidPort(Port))
        throw EMailError(kPortRangeMessage);
    for (int attempts = 0;; ++attempts) {
        try {
            ResolveHost();
        } catch (const ESockError& e) {
            const std::string message = e.what();
            if (message == "Host Lookup Timed Out" || message == "Host Lookup Canceled")
                throw;
        }
        if (m_remoteAddress != 0)
            break;
        bool handled = false;
        if (attempts == 0 && OnInvalidHost)
            OnInvalidHost(handled);
        if (!handled)
            throw ESockError("Null Remote Address");
    }

    if (m_socket < 0)
        openSocket(false);
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<std::uint16_t>(Port));
    remote.sin_addr.s_addr = m_remoteAddress;
    m_lastNotificationOk = true;
    m_connecting = true;
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) != 0) {
        const int error = errno;
        if (isConnectOutcome(error)) {
            connectionCompleted(error);
        } else if (error != EINPROGRESS) {
            m_connecting = false;
            checkError(error);
        }
    } else {
        connectionCompleted(0);
    }

    TimerOn();
    while (!m_connected && !timedOut() && !cancelled() && m_lastNotificationOk)
        idle(IoWait::Writable);
    TimerOff();
    if (m_connected && !timedOut() && !cancelled())
        return;

    // A socket whose connect failed or is still pending cannot connect again:
    // replace it so that the component stays usable for the next attempt.
    m_connecting = false;
    m_connected = false;
    ::close(m_socket);
    m_socket = -1;
    openSocket(false);
    if (OnConnectionFailed)
        OnConnectionFailed();
    if (timedOut())
        throw ESockError("Connection Timed out");
    if (cancelled())
        throw ESockError("Connection Canceled");
    throw ESockError("Connection Failed");
}

void TLineSocket::StartTls() {
    report("Starting TLS", 8);
    CheckConnection();
    if (m_tls)
        throw ESockError("Already secure");
    clearCancel();
    auto session = std::make_unique<TlsSession>(m_socket, Host, CaFile);
    TimerOn();
    Finally off([this] { TimerOff(); });
    for (;;) {
        m_tlsWant = session->handshake();
        if (m_tlsWant == TlsWant::Nothing)
            break;
        if (timedOut())
            throw ESockError("Secure connection timed out");
        if (cancelled())
            throw ESockError("Secure connection canceled");
        idle(m_tlsWant == TlsWant::Read ? IoWait::Readable : IoWait::Writable);
    }
    m_tls = std::move(session);
}

std::string TLineSocket::localAddressLiteral() const {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    char text[INET_ADDRSTRLEN] = "127.0.0.1";
    if (::getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &length) == 0)
        ::inet_ntop(AF_INET, &local.sin_addr, text, sizeof text);
    return std::string("[") + text + "]";
}

void TLineSocket::Disconnect() {
    report("Disconnecting", 8);
    RequestCloseSocket();
}

void TLineSocket::CheckConnection() {
    report("Checking Connection", 8);
    for (int attempts = 0; !m_connected; ++attempts) {
        bool handled = false;
        if (attempts == 0 && OnConnectionRequired)
            OnConnectionRequired(handled);
        if (!handled)
            throw EMailError("Not Connected");
    }
}

void TLineSocket::RequestCloseSocket() {
    report("Request Close Socket", 4);
    m_connected = false;
    m_connecting = false;
    if (m_socket < 0)
        return;
    if (m_tls) {
        m_tls->close();
        m_tls.reset();
        m_tlsWant = TlsWant::Nothing;
    }
    const int closed = ::close(m_socket);
    m_socket = -1;
    if (closed != 0)
        checkError(errno);
    if (!m_destroying && OnDisconnect)
        OnDisconnect();
    if (!m_noReopen)
        openSocket(false);
}

} // namespace mail
