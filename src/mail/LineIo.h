// Line-oriented I/O over one byte stream: writing commands, data and streams and
// reading reply lines, with a time limit, cancelling and status reports.
//
// Subclasses supply the bytes (send, peek, receive, a short wait for readiness), so
// the same line handling runs over a real socket and over a fake peer in tests.
// Every wait lets the caller's event hook run, which keeps a GUI responsive while
// the mail goes out; a click handler may cancel the operation through Abort.
#pragma once

#include "mail/ThreadTimer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace mail {

// The number formed by the leading decimal digits of a reply (at most 10), or 0
// when it does not begin with a digit.
int parseReplyCode(std::string_view reply);

class TLineIo {
public:
    // The one I/O buffer's size; a reply line must fit in it.
    static constexpr std::size_t kBufferSize = 65536;

    TLineIo();
    virtual ~TLineIo();
    TLineIo(const TLineIo&) = delete;
    TLineIo& operator=(const TLineIo&) = delete;
    TLineIo(TLineIo&&) = delete;
    TLineIo& operator=(TLineIo&&) = delete;

    // Time limit in milliseconds of a connect, name lookup, line read, buffer send
    // or stall of a stream send; 0 (or less) waits without limit.
    std::int32_t TimeOut = 0;
    // Highest status level passed to OnStatus.
    std::int32_t ReportLevel = 0;
    std::function<void(const std::string& status)> OnStatus;
    // Runs in every wait; the GUI passes QCoreApplication::processEvents.
    std::function<void()> ProcessEvents;

    // Sends length bytes; a length of 0 means the bytes before the first zero
    // byte, at most 65535 of them.
    void SendBuffer(const char* bytes, std::size_t length);
    // Sends the text up to its first zero byte.
    void Write(std::string_view text);
    void Writeln(std::string_view text);
    // Reads exactly one line, line end included, and leaves later bytes waiting.
    // Returns the empty text when the peer has closed the connection.
    std::string ReadLn();
    // Writes the command, reads one reply line and takes its reply code.
    std::string Transaction(std::string_view command);
    // Sends the whole stream from its start. The time limit applies to stalls:
    // it fails the send only when no byte could be sent for that long.
    void SendStream(std::istream& stream);
    bool DataAvailable();
    void ClearInput();
    void Cancel();
    virtual void Abort();

    int lastReplyCode() const { return m_lastReplyCode; }
    const std::string& lastReply() const { return m_lastReply; }
    bool cancelled() const { return m_cancel; }
    const std::string& lastStatus() const { return m_lastStatus; }
    // The errno value of the last failed socket call.
    int lastError() const { return m_lastError; }
    std::uint64_t bytesSent() const { return m_bytesSent; }
    std::uint64_t bytesToSend() const { return m_bytesToSend; }

protected:
    // A socket call's outcome: bytes moved, or an errno value.
    struct IoResult {
        long bytes = 0;
        int error = 0;
    };
    enum class IoWait { None, Readable, Writable };

    virtual IoResult sendSome(const char* data, std::size_t size) = 0;
    virtual IoResult peekSome(char* buffer, std::size_t size) = 0;
    virtual IoResult receiveSome(char* buffer, std::size_t size) = 0;
    // Waits at most a few milliseconds for the stream to become ready, and
    // delivers the stream's own notifications.
    virtual void awaitIo(IoWait what) = 0;
    // The peer closed the connection and no byte is left to read.
    virtual void peerClosed() {}

    void report(std::string_view text, int level);
    // Raises ESockError for a failed socket call unless it would only block.
    void checkError(int errnoValue);
    void TimerOn();
    void TimerOff();
    // One pass of a wait: let the stream get ready, run the event hook, let the
    // time limit expire.
    void idle(IoWait what);
    bool timedOut() const { return m_timedOut; }
    void clearCancel() { m_cancel = false; }
    void rememberError(int errnoValue) { m_lastError = errnoValue; }

    // After every successful send of a stream block.
    std::function<void()> OnPacketSent;
    // Set first thing in a destructor: no more status reports or events.
    bool m_destroying = false;

private:
    void timerTriggered();
    void receiveExactly(std::size_t count, std::string& into);

    std::unique_ptr<char[]> m_buffer;
    bool m_cancel = false;
    bool m_timedOut = false;
    int m_lastError = 0;
    int m_lastReplyCode = 0;
    std::string m_lastReply;
    std::string m_lastStatus;
    std::uint64_t m_bytesSent = 0;
    std::uint64_t m_bytesToSend = 0;
    TThreadTimer m_timer;
};

} // namespace mail
