// The TCP client under the SMTP client: resolves the server's name, connects, and
// carries the line I/O of TLineIo over a non-blocking POSIX socket.
//
// Name lookups run on a background thread and are polled, so every wait of a
// connect keeps running the event hook. After a close the component holds a fresh
// socket, ready for the next Connect. StartTls puts TLS on the same socket; the
// line I/O above it stays as it is.
#pragma once

#include "mail/LineIo.h"
#include "mail/TlsSession.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace mail {

// Whether a server may listen on the port: 1 to 65535.
bool isValidPort(long long port);
// The refusal of any other port.
extern const char* const kPortRangeMessage;

class TLineSocket : public TLineIo {
public:
    TLineSocket();
    ~TLineSocket() override;

    // Server name or dotted IPv4 address.
    std::string Host;
    // Connect refuses a port outside 1 to 65535.
    std::int32_t Port = 0;
    // Certificate authorities trusted besides the system's, for StartTls; a PEM file.
    std::string CaFile;

    std::function<void()> OnDisconnect;
    // The TCP connection is established.
    std::function<void()> OnConnect;
    // The host name did not resolve; may change Host and set handled to try once more.
    std::function<void(bool& handled)> OnInvalidHost;
    std::function<void()> OnHostResolved;
    std::function<void()> OnConnectionFailed;

    virtual void Connect();
    virtual void Disconnect();
    // Raises "Not Connected" unless connected, or OnConnectionRequired connects.
    void CheckConnection();
    // Sets the remote address from Host: a dotted address directly, a name through
    // a lookup.
    void ResolveHost();
    // Closes the socket and, unless the component is going away, opens a fresh one.
    void RequestCloseSocket();
    // The TLS handshake on the open connection, within the time limit; the
    // server's certificate must be valid for Host. Raises ESockError saying why
    // it failed.
    void StartTls();

    bool secure() const { return m_tls != nullptr; }
    // This end's address as an address literal ("[192.0.2.1]").
    std::string localAddressLiteral() const;

    bool connected() const { return m_connected; }
    // The server's IPv4 address in network byte order; 0 until resolved.
    std::uint32_t remoteAddress() const { return m_remoteAddress; }

protected:
    // Asked for by CheckConnection when there is no connection; may connect and
    // set handled.
    std::function<void(bool& handled)> OnConnectionRequired;

    IoResult sendSome(const char* data, std::size_t size) override;
    IoResult peekSome(char* buffer, std::size_t size) override;
    IoResult receiveSome(char* buffer, std::size_t size) override;
    void awaitIo(IoWait what) override;
    void peerClosed() override;

private:
    struct HostLookup;

    void openSocket(bool resetOnClose);
    void connectionCompleted(int errnoValue);

    int m_socket = -1;
    bool m_connected = false;
    bool m_connecting = false;
    bool m_lastNotificationOk = true;
    bool m_noReopen = false;
    std::uint32_t m_remoteAddress = 0;
    std::unique_ptr<TlsSession> m_tls;
    // What the last TLS call waits for, which may be the other direction.
    TlsWant m_tlsWant = TlsWant::Nothing;
};

} // namespace mail
