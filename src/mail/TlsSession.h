// The TLS layer of the mail transport: one OpenSSL client session over the
// transport's own non-blocking socket. Every call returns at once, saying what it
// waits for, so the transport keeps its one waiting loop with its time limit and
// its event hook.
#pragma once

#include <cstddef>
#include <string>

struct ssl_st;
struct ssl_ctx_st;

namespace mail {

// What a TLS call needs before it can go on.
enum class TlsWant {
    Nothing, // the call is done
    Read,    // the socket must become readable
    Write,   // the socket must become writable
};

struct TlsResult {
    long bytes = 0;
    TlsWant want = TlsWant::Nothing;
    // An errno value when the socket itself failed.
    int error = 0;
    // The peer ended the session (bytes is 0).
    bool closed = false;
};

// Why a certificate was refused, from OpenSSL's verify result.
std::string certificateProblem(long verifyResult, const std::string& host);

class TlsSession {
public:
    // A client session for host on the connected socket, trusting the system's
    // certificate authorities and, when caFile is not empty, those in that file.
    // TLS 1.2 is the oldest version it accepts.
    TlsSession(int socket, const std::string& host, const std::string& caFile);
    ~TlsSession();
    TlsSession(const TlsSession&) = delete;
    TlsSession& operator=(const TlsSession&) = delete;

    // One step of the handshake; Nothing once the session is open. A refused
    // certificate or a failed handshake raises ESockError saying why.
    TlsWant handshake();
    TlsResult write(const char* data, std::size_t size);
    TlsResult read(char* buffer, std::size_t size);
    TlsResult peek(char* buffer, std::size_t size);
    // Tells the peer the session ends, without waiting for its answer.
    void close();

private:
    TlsResult outcome(int returned, const char* what);

    ssl_ctx_st* m_context = nullptr;
    ssl_st* m_ssl = nullptr;
    std::string m_host;
};

} // namespace mail
