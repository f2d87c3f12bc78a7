#include "mail/LineIo.h"

#include "mail/MailErrors.h"
#include "mail/SocketErrors.h"
#include "rtfengine/Finally.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace mail {

namespace {

bool onlyWouldBlock(int errnoValue) {
    return errnoValue == EAGAIN || errnoValue == EWOULDBLOCK || errnoValue == EINTR;
}

} // namespace

int parseReplyCode(std::string_view reply) {
    long long code = 0;
    std::size_t digits = 0;
    while (digits < reply.size() && digits < 10 && reply[digits] >= '0' && reply[digits] <= '9')
        code = code * 10 + (reply[digits++] - '0');
    return static_cast<int>(std::min<long long>(code, INT_MAX));
}

TLineIo::TLineIo() : m_buffer(new char[kBufferSize]) {
    m_timer.setEnabled(false);
    m_timer.setOnTimer([this] { timerTriggered(); });
}

TLineIo::~TLineIo() = default;

void TLineIo::report(std::string_view text, int level) {
    m_lastStatus = text;
    if (ReportLevel < level || !OnStatus || m_destroying)
        return;
    try {
        OnStatus(m_lastStatus);
    } catch (...) {
        // A status display must never break the transfer it reports on.
    }
}

void TLineIo::checkError(int errnoValue) {
    m_lastError = errnoValue;
    if (onlyWouldBlock(errnoValue))
        return;
    const int code = winsockErrorFromErrno(errnoValue);
    std::string message = code != 0 ? socketErrorMessage(code)
                                    : std::to_string(errnoValue) + ":" + std::strerror(errnoValue);
    report("Looking Up Error Message", 8);
    throw ESockError(message);
}

void TLineIo::TimerOn() {
    report("Timer On", 8);
    m_timedOut = false;
    m_timer.setInterval(TimeOut > 0 ? static_cast<std::uint32_t>(TimeOut) : 0);
    m_timer.setEnabled(true);
}

void TLineIo::TimerOff() {
    report("Timer Off", 8);
    m_timer.setEnabled(false);
}

void TLineIo::timerTriggered() {
    report("Timer Triggered", 8);
    TimerOff();
    m_timedOut = true;
    Abort();
}

void TLineIo::idle(IoWait what) {
    awaitIo(what);
    if (ProcessEvents)
        ProcessEvents();
    m_timer.poll();
}

void TLineIo::Cancel() {
    report("Canceling", 8);
    m_cancel = true;
}

void TLineIo::Abort() {
    report("Abort", 8);
    Cancel();
}

void TLineIo::SendBuffer(const char* bytes, std::size_t length) {
    report("Sending Buffer", 4);
    TimerOn();
    Finally off([this] { TimerOff(); });
    if (!m_cancel) {
        if (length == 0)
            length = strnlen(bytes, kBufferSize - 1);
        std::size_t sent = 0;
        while (sent < length && !m_cancel) {
            const IoResult r = sendSome(bytes + sent, length - sent);
            if (r.error != 0) {
                checkError(r.error);
                // The socket's buffer is full: wait until it drains. Only the time
                // limit may end this wait, so no events run here.
                awaitIo(IoWait::Writable);
                m_timer.poll();
                continue;
            }
            if (r.bytes == 0)
                break;
            sent += static_cast<std::size_t>(r.bytes);
        }
    }
    if (m_cancel) {
        m_cancel = false;
        throw EAbortError("Socket send aborted");
    }
}

void TLineIo::Write(std::string_view text) {
    report("Write", 8);
    // A text ends at its first zero byte. Longer texts than the buffer are sent
    // whole: cutting them would corrupt the message silently.
    text = text.substr(0, text.find('\0'));
    if (text.empty()) {
        SendBuffer("", 0);
        return;
    }
    SendBuffer(text.data(), text.size());
}

void TLineIo::Writeln(std::string_view text) {
    report("Writeln", 8);
    std::string line(text);
    line += "\r\n";
    Write(line);
}

void TLineIo::receiveExactly(std::size_t count, std::string& into) {
    while (count > 0) {
        const IoResult r = receiveSome(m_buffer.get(), count);
        if (r.error != 0) {
            checkError(r.error);
            awaitIo(IoWait::Readable);
            continue;
        }
        if (r.bytes == 0)
            throw ESockError("Connection closed while reading a line");
        into.append(m_buffer.get(), static_cast<std::size_t>(r.bytes));
        count -= static_cast<std::size_t>(r.bytes);
    }
}

std::string TLineIo::ReadLn() {
    report("ReadLn", 8);
    TimerOn();
    Finally off([this] { TimerOff(); });
    std::string line;
    std::size_t lineEnd = 0; // bytes of the waiting data through the line feed
    do {
        if (line.size() >= kBufferSize)
            throw ESockError("Reply line longer than " + std::to_string(kBufferSize) + " bytes");
        const IoResult r = peekSome(m_buffer.get(), kBufferSize - line.size());
        if (r.error == 0 && r.bytes == 0) {
            peerClosed();
            return {};
        }
        if (r.error != 0) {
            checkError(r.error);
        } else {
            const auto n = static_cast<std::size_t>(r.bytes);
            const void* lf = std::memchr(m_buffer.get(), '\n', n);
            if (lf != nullptr) {
                lineEnd =
                    static_cast<std::size_t>(static_cast<const char*>(lf) - m_buffer.get()) + 1;
                break;
            }
            receiveExactly(n, line);
        }
        idle(IoWait::Readable);
    } while (!m_cancel);
    if (m_cancel) {
        m_cancel = false;
        throw EAbortError("Socket readln aborted");
    }
    receiveExactly(lineEnd, line);
    return line;
}

std::string TLineIo::Transaction(std::string_view command) {
    report("Transaction", 8);
    m_lastReplyCode = 0;
    Writeln(command);
    m_lastReply = ReadLn();
    if (!m_lastReply.empty()) {
        report(m_lastReply, 1);
        m_lastReplyCode = parseReplyCode(m_lastReply);
    }
    return m_lastReply;
}

void TLineIo::SendStream(std::istream& stream) {
    report("SendStream", 8);
    // A large message may take as long as it needs, but a peer that stops taking
    // bytes altogether must not hold the send for ever: the time limit runs while
    // no byte moves and starts again with every block that goes out.
    TimerOn();
    Finally off([this] { TimerOff(); });
    stream.clear();
    stream.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(std::max<std::streamoff>(stream.tellg(), 0));
    stream.seekg(0);
    if (!m_cancel) {
        m_bytesSent = 0;
        m_bytesToSend = size;
        while (!m_cancel) {
            stream.read(m_buffer.get(), kBufferSize);
            const auto n = static_cast<std::size_t>(stream.gcount());
            if (n == 0)
                break;
            std::size_t done = 0;
            while (done < n && !m_cancel) {
                const IoResult r = sendSome(m_buffer.get() + done, n - done);
                if (r.error != 0) {
                    checkError(r.error);
                    idle(IoWait::Writable);
                    continue;
                }
                if (r.bytes == 0)
                    return;
                done += static_cast<std::size_t>(r.bytes);
                m_bytesSent += static_cast<std::uint64_t>(r.bytes);
                m_timer.setInterval(m_timer.interval());
                if (OnPacketSent)
                    OnPacketSent();
                if (ProcessEvents)
                    ProcessEvents();
            }
        }
    }
    if (m_cancel) {
        m_cancel = false;
        throw EAbortError("Socket send aborted");
    }
}

bool TLineIo::DataAvailable() {
    report("Data Available", 8);
    char byte = 0;
    const IoResult r = peekSome(&byte, 1);
    return r.error == 0 && r.bytes == 1;
}

void TLineIo::ClearInput() {
    report("Clearing Input", 8);
    receiveSome(m_buffer.get(), kBufferSize);
}

} // namespace mail
