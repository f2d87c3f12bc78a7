#include "mail/TlsSession.h"

#include "mail/MailErrors.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>

#include <cerrno>

namespace mail {

namespace {

// The oldest queued OpenSSL error as text, for failures no certificate explains.
std::string openSslError() {
    const unsigned long code = ERR_get_error();
    if (code == 0)
        return "no details";
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return text;
}

bool isAddress(const std::string& host) {
    in_addr v4{};
    in6_addr v6{};
    return ::inet_pton(AF_INET, host.c_str(), &v4) == 1 ||
           ::inet_pton(AF_INET6, host.c_str(), &v6) == 1;
}

} // namespace

std::string certificateProblem(long verifyResult, const std::string& host) {
    const std::string prefix = "The mail server's certificate was refused: ";
    switch (verifyResult) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return prefix + "it has expired.";
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return prefix + "it is not valid yet.";
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        return prefix + "it is self-signed and not trusted.";
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return prefix + "its issuer is unknown.";
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return prefix + "it is for another host name than " + host + ".";
    default:
        return prefix + X509_verify_cert_error_string(verifyResult) + ".";
    }
}

TlsSession::TlsSession(int socket, const std::string& host, const std::string& caFile)
    : m_host(host) {
    m_context = SSL_CTX_new(TLS_client_method());
    if (m_context == nullptr)
        throw ESockError("The secure connection could not be prepared: " + openSslError());
    SSL_CTX_set_min_proto_version(m_context, TLS1_2_VERSION);
    SSL_CTX_set_verify(m_context, SSL_VERIFY_PEER, nullptr);
    SSL_CTX_set_default_verify_paths(m_context);
    if (!caFile.empty() && SSL_CTX_load_verify_locations(m_context, caFile.c_str(), nullptr) != 1) {
        SSL_CTX_free(m_context);
        m_context = nullptr;
        throw ESockError("Cannot read the certificate authority file " + caFile);
    }
    m_ssl = SSL_new(m_context);
    // Writes may end part-way, and a retry may come from another address: the
    // transport's loops resend from the first byte not yet sent.
    SSL_set_mode(m_ssl, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    SSL_set_fd(m_ssl, socket);
    if (isAddress(host)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(m_ssl), host.c_str());
    } else {
        SSL_set_tlsext_host_name(m_ssl, host.c_str());
        SSL_set1_host(m_ssl, host.c_str());
    }
}

TlsSession::~TlsSession() {
    SSL_free(m_ssl);
    SSL_CTX_free(m_context);
}

TlsWant TlsSession::handshake() {
    ERR_clear_error();
    const int returned = SSL_connect(m_ssl);
    if (returned == 1)
        return TlsWant::Nothing;
    switch (SSL_get_error(m_ssl, returned)) {
    case SSL_ERROR_WANT_READ:
        return TlsWant::Read;
    case SSL_ERROR_WANT_WRITE:
        return TlsWant::Write;
    default:
        break;
    }
    const long verified = SSL_get_verify_result(m_ssl);
    if (verified != X509_V_OK)
        throw ESockError(certificateProblem(verified, m_host));
    throw ESockError("The secure connection to the mail server failed: " + openSslError());
}

TlsResult TlsSession::outcome(int returned, const char* what) {
    if (returned > 0)
        return {returned, TlsWant::Nothing, 0, false};
    const int saved = errno;
    switch (SSL_get_error(m_ssl, returned)) {
    case SSL_ERROR_WANT_READ:
        return {0, TlsWant::Read, EAGAIN, false};
    case SSL_ERROR_WANT_WRITE:
        return {0, TlsWant::Write, EAGAIN, false};
    case SSL_ERROR_ZERO_RETURN:
        return {0, TlsWant::Nothing, 0, true};
    case SSL_ERROR_SYSCALL:
        // Without an errno value the peer simply closed the socket.
        if (saved == 0)
            return {0, TlsWant::Nothing, 0, true};
        return {0, TlsWant::Nothing, saved, false};
    default:
        throw ESockError(std::string("The secure connection failed while ") + what + ": " +
                         openSslError());
    }
}

TlsResult TlsSession::write(const char* data, std::size_t size) {
    ERR_clear_error();
    errno = 0;
    return outcome(SSL_write(m_ssl, data, static_cast<int>(size)), "sending");
}

TlsResult TlsSession::read(char* buffer, std::size_t size) {
    ERR_clear_error();
    errno = 0;
    return outcome(SSL_read(m_ssl, buffer, static_cast<int>(size)), "reading");
}

TlsResult TlsSession::peek(char* buffer, std::size_t size) {
    ERR_clear_error();
    errno = 0;
    return outcome(SSL_peek(m_ssl, buffer, static_cast<int>(size)), "reading");
}

void TlsSession::close() {
    ERR_clear_error();
    SSL_shutdown(m_ssl);
}

} // namespace mail
