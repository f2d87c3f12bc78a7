#include "mail/LineIo.h"
#include "mail/MailErrors.h"
#include "mail/SocketErrors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <sstream>

using namespace mail;

namespace {

// A peer in memory: every wait of the line I/O lets the next chunk arrive, so the
// order of arrivals and reads is exact.
class ScriptedIo : public TLineIo {
public:
    using TLineIo::OnPacketSent;
    std::deque<std::string> arrivals; // chunks still on their way
    bool closeAfterArrivals = false;
    std::string waiting; // bytes in the socket's receive buffer
    std::string sent;
    std::size_t sendLimit = SIZE_MAX; // bytes taken per send call
    int waits = 0;

protected:
    IoResult sendSome(const char* data, std::size_t size) override {
        const std::size_t n = std::min(size, sendLimit);
        sent.append(data, n);
        return {static_cast<long>(n), 0};
    }
    IoResult peekSome(char* buffer, std::size_t size) override {
        if (waiting.empty())
            return arrivals.empty() && closeAfterArrivals ? IoResult{0, 0} : IoResult{0, EAGAIN};
        const std::size_t n = std::min(size, waiting.size());
        waiting.copy(buffer, n);
        return {static_cast<long>(n), 0};
    }
    IoResult receiveSome(char* buffer, std::size_t size) override {
        const IoResult r = peekSome(buffer, size);
        if (r.bytes > 0)
            waiting.erase(0, static_cast<std::size_t>(r.bytes));
        return r;
    }
    void awaitIo(IoWait) override {
        ++waits;
        if (!arrivals.empty()) {
            waiting += arrivals.front();
            arrivals.pop_front();
        }
    }
    void peerClosed() override { ++closes; }

public:
    int closes = 0;
};

TEST(ReadLn, LineInTwoPiecesIsOneLine) {
    ScriptedIo io;
    io.arrivals = {"250 first ha", "lf\r\n"};
    EXPECT_EQ(io.ReadLn(), "250 first half\r\n");
}

TEST(ReadLn, TwoLinesTogetherAreReadOneByOne) {
    ScriptedIo io;
    io.waiting = "220 hello\r\n250 next\r\n";
    EXPECT_EQ(io.ReadLn(), "220 hello\r\n");
    EXPECT_EQ(io.waiting, "250 next\r\n"); // still in the socket
    EXPECT_TRUE(io.DataAvailable());
    EXPECT_EQ(io.ReadLn(), "250 next\r\n");
    EXPECT_FALSE(io.DataAvailable());
}

TEST(ReadLn, PeerCloseGivesEmptyTextAndDropsUnfinishedLine) {
    ScriptedIo io;
    io.arrivals = {"221 by"};
    io.closeAfterArrivals = true;
    EXPECT_EQ(io.ReadLn(), "");
    EXPECT_EQ(io.closes, 1);
}

TEST(ReadLn, LineThatFillsTheBufferExactlyIsRead) {
    ScriptedIo io;
    const std::string line = std::string(TLineIo::kBufferSize - 2, 'x') + "\r\n";
    io.arrivals = {line.substr(0, 1000), line.substr(1000)};
    EXPECT_EQ(io.ReadLn(), line);
}

TEST(ReadLn, LineLongerThanTheBufferFailsInsteadOfOverrunning) {
    ScriptedIo io;
    io.arrivals = {std::string(40000, 'x'), std::string(40000, 'y'), "\r\n"};
    EXPECT_THROW(io.ReadLn(), ESockError);
}

TEST(ReadLn, CancelFromTheEventHookAborts) {
    ScriptedIo io;
    io.arrivals = {"250 never", "", "", ""};
    io.ProcessEvents = [&] { io.Abort(); };
    try {
        io.ReadLn();
        FAIL() << "no abort";
    } catch (const EAbortError& e) {
        EXPECT_STREQ(e.what(), "Socket readln aborted");
    }
    EXPECT_FALSE(io.cancelled()); // cleared for the next operation
}

TEST(ReadLn, TimeLimitEndsASilentRead) {
    ScriptedIo io;
    io.TimeOut = 1;
    EXPECT_THROW(io.ReadLn(), EAbortError);
}

TEST(ReadLn, FailedPeekRaisesSocketErrorWithNumberAndText) {
    class Failing : public ScriptedIo {
        IoResult peekSome(char*, std::size_t) override { return {0, ENOTCONN}; }
    } io;
    try {
        io.ReadLn();
        FAIL() << "no error";
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "10057:Socket is not connected");
    }
}

TEST(Write, ZeroByteEndsTheText) {
    ScriptedIo io;
    io.Writeln(std::string("MAIL\0 FROM", 10));
    EXPECT_EQ(io.sent, "MAIL");
}

TEST(Write, LongTextIsSentWholeInPartialSends) {
    ScriptedIo io;
    io.sendLimit = 1000;
    const std::string text(200000, 'h');
    io.Write(text);
    EXPECT_EQ(io.sent, text);
}

TEST(Transaction, ReplyCodeFromLeadingDigits) {
    const std::pair<const char*, int> cases[] = {
        {"354 End data with <CR><LF>.<CR><LF>\r\n", 354},
        {"250-first\r\n", 250},
        {"hello 250\r\n", 0},
        {"42\r\n", 42},
    };
    for (const auto& [reply, code] : cases) {
        ScriptedIo io;
        io.waiting = reply;
        EXPECT_EQ(io.Transaction("DATA"), reply);
        EXPECT_EQ(io.lastReplyCode(), code) << reply;
        EXPECT_EQ(io.lastReply(), reply);
        EXPECT_EQ(io.sent, "DATA\r\n");
    }
}

TEST(Transaction, ReplyIsReportedAtLevelOne) {
    ScriptedIo io;
    io.waiting = "250 ok\r\n";
    std::vector<std::string> seen;
    io.OnStatus = [&](const std::string& s) { seen.push_back(s); };
    io.ReportLevel = 1;
    io.Transaction("NOOP");
    EXPECT_EQ(seen, (std::vector<std::string>{"250 ok\r\n"}));
}

TEST(Transaction, StatusHandlerFailureIsSwallowed) {
    ScriptedIo io;
    io.waiting = "250 ok\r\n";
    io.ReportLevel = 8;
    io.OnStatus = [](const std::string&) { throw std::runtime_error("display broke"); };
    EXPECT_EQ(io.Transaction("NOOP"), "250 ok\r\n");
}

TEST(SendStream, SendsEverythingInBlocks) {
    ScriptedIo io;
    io.sendLimit = 30000;
    std::string body;
    for (int i = 0; i < 150000; ++i)
        body += static_cast<char>('a' + i % 26);
    std::stringstream stream(body);
    stream.seekg(1234);
    int packets = 0;
    io.OnPacketSent = [&] { ++packets; };
    io.SendStream(stream);
    EXPECT_EQ(io.sent, body);
    EXPECT_EQ(io.bytesSent(), body.size());
    EXPECT_EQ(io.bytesToSend(), body.size());
    EXPECT_GE(packets, 5);
}

TEST(SocketErrors, MessagesAndErrnoMapping) {
    EXPECT_EQ(socketErrorMessage(10061), "10061:Connection refused");
    EXPECT_EQ(socketErrorMessage(11001), "11001:Host not found");
    EXPECT_EQ(socketErrorMessage(10999), "Unknown Error No. 10999");
    const std::pair<int, int> cases[] = {
        {ECONNREFUSED, 10061}, {ECONNRESET, 10054}, {EPIPE, 10058},        {ENOTCONN, 10057},
        {ETIMEDOUT, 10060},    {EAGAIN, 10035},     {EHOSTUNREACH, 10065}, {ENOENT, 0},
    };
    for (const auto& [errnoValue, code] : cases)
        EXPECT_EQ(winsockErrorFromErrno(errnoValue), code) << errnoValue;
}

} // namespace
