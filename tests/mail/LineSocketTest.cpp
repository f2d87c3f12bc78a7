#include "support/FakePeer.h"

#include "mail/LineSocket.h"
#include "mail/MailErrors.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

using namespace mail;
using testsupport::FakePeer;
using testsupport::PeerConnection;

namespace {

// The client side of every test closes first; the peer waits for that.
void waitForClose(PeerConnection& peer) {
    while (peer.readLine()) {
    }
}

TEST(LineSocket, DottedAddressConnectsWithoutLookup) {
    FakePeer peer(waitForClose);
    TLineSocket socket;
    socket.Host = "127.0.0.1";
    socket.Port = peer.port();
    int connects = 0, resolved = 0;
    socket.OnConnect = [&] { ++connects; };
    socket.OnHostResolved = [&] { ++resolved; };
    socket.Connect();
    EXPECT_TRUE(socket.connected());
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(resolved, 0);
    EXPECT_EQ(socket.remoteAddress(), htonl(INADDR_LOOPBACK));
    try {
        socket.Connect();
        ADD_FAILURE() << "second connect accepted";
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Already connected");
    }
    socket.Disconnect();
    EXPECT_FALSE(socket.connected());
}

TEST(LineSocket, PortOutsideItsRangeIsRefusedBeforeConnecting) {
    FakePeer peer(waitForClose);
    // Cut to 16 bits, the first of these would name the peer's own port.
    for (const std::int32_t port : {peer.port() + 65536, 0, -25, 65536}) {
        TLineSocket socket;
        socket.Host = "127.0.0.1";
        socket.Port = port;
        try {
            socket.Connect();
            ADD_FAILURE() << port << " accepted";
        } catch (const EMailError& e) {
            EXPECT_STREQ(e.what(), "The port must be a number from 1 to 65535.") << port;
        }
        EXPECT_FALSE(socket.connected()) << port;
    }
    TLineSocket good;
    good.Host = "127.0.0.1";
    good.Port = peer.port();
    good.Connect();
    good.Disconnect();
}

TEST(LineSocket, HostNameIsLookedUpInTheBackground) {
    FakePeer peer(waitForClose);
    TLineSocket socket;
    socket.Host = "localhost";
    socket.Port = peer.port();
    int resolved = 0, events = 0;
    socket.OnHostResolved = [&] { ++resolved; };
    socket.ProcessEvents = [&] { ++events; };
    socket.Connect();
    EXPECT_TRUE(socket.connected());
    EXPECT_EQ(resolved, 1);
    EXPECT_EQ(socket.remoteAddress(), htonl(INADDR_LOOPBACK));
    socket.Disconnect();
}

TEST(LineSocket, UnresolvedNameWithoutHandlerIsNullRemoteAddress) {
    TLineSocket socket;
    socket.Host = "no-such-host.invalid";
    socket.Port = 25;
    try {
        socket.Connect();
        FAIL() << "connected";
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Null Remote Address");
    }
}

TEST(LineSocket, InvalidHostHandlerMayFixTheHostOnce) {
    FakePeer peer(waitForClose);
    TLineSocket socket;
    socket.Host = "no-such-host.invalid";
    socket.Port = peer.port();
    int calls = 0;
    socket.OnInvalidHost = [&](bool& handled) {
        ++calls;
        socket.Host = "127.0.0.1";
        handled = true;
    };
    socket.Connect();
    EXPECT_TRUE(socket.connected());
    EXPECT_EQ(calls, 1);
    socket.Disconnect();
}

TEST(LineSocket, RefusedConnectionFailsAndLeavesTheSocketUsable) {
    TLineSocket socket;
    socket.Host = "127.0.0.1";
    socket.Port = testsupport::closedPort();
    int failures = 0;
    socket.OnConnectionFailed = [&] { ++failures; };
    try {
        socket.Connect();
        FAIL() << "connected";
    } catch (const ESockError& e) {
        EXPECT_STREQ(e.what(), "Connection Failed");
    }
    EXPECT_EQ(failures, 1);

    FakePeer peer(waitForClose);
    socket.Port = peer.port();
    socket.Connect();
    EXPECT_TRUE(socket.connected());
    socket.Disconnect();
}

TEST(LineSocket, TwoLinesTogetherStayInTheSocketUntilRead) {
    FakePeer peer([](PeerConnection& p) {
        p.send("220 first\r\n250 second\r\n");
        waitForClose(p);
    });
    TLineSocket socket;
    socket.Host = "127.0.0.1";
    socket.Port = peer.port();
    socket.Connect();
    EXPECT_EQ(socket.ReadLn(), "220 first\r\n");
    EXPECT_TRUE(socket.DataAvailable());
    EXPECT_EQ(socket.ReadLn(), "250 second\r\n");
    socket.Disconnect();
}

TEST(LineSocket, LineInTwoPiecesOverTheNetwork) {
    FakePeer peer([](PeerConnection& p) {
        p.send("250 par");
        // The rest goes out only once the client asks for more.
        if (p.readLine())
            p.send("t two\r\n");
        waitForClose(p);
    });
    TLineSocket socket;
    socket.Host = "127.0.0.1";
    socket.Port = peer.port();
    socket.Connect();
    socket.Writeln("MORE");
    EXPECT_EQ(socket.ReadLn(), "250 part two\r\n");
    socket.Disconnect();
}

TEST(LineSocket, PeerCloseGivesEmptyLineAndAFreshSocket) {
    FakePeer closing([](PeerConnection& p) { p.close(); });
    TLineSocket socket;
    socket.Host = "127.0.0.1";
    socket.Port = closing.port();
    int disconnects = 0;
    socket.OnDisconnect = [&] { ++disconnects; };
    socket.Connect();
    EXPECT_EQ(socket.ReadLn(), "");
    EXPECT_EQ(disconnects, 1);
    EXPECT_FALSE(socket.connected());

    FakePeer next(waitForClose);
    socket.Port = next.port();
    socket.Connect();
    EXPECT_TRUE(socket.connected());
    socket.Disconnect();
}

TEST(LineSocket, SilentPeerEndsReadAtTheTimeLimit) {
    FakePeer peer(waitForClose);
    TLineSocket socket;
    socket.Host = "127.0.0.1";
    socket.Port = peer.port();
    socket.TimeOut = 50;
    socket.Connect();
    try {
        socket.ReadLn();
        FAIL() << "read returned";
    } catch (const EAbortError& e) {
        EXPECT_STREQ(e.what(), "Socket readln aborted");
    }
    EXPECT_TRUE(socket.connected()); // the caller decides what to close
    socket.Disconnect();
}

TEST(LineSocket, ReadWithoutConnectionFails) {
    TLineSocket socket;
    EXPECT_THROW(socket.ReadLn(), ESockError);
}

TEST(LineSocket, CheckConnectionAsksForAConnectionOnce) {
    FakePeer peer(waitForClose);
    struct Client : TLineSocket {
        using TLineSocket::OnConnectionRequired;
    } socket;
    socket.Host = "127.0.0.1";
    socket.Port = peer.port();
    EXPECT_THROW(socket.CheckConnection(), EMailError);
    int asked = 0;
    socket.OnConnectionRequired = [&](bool& handled) {
        ++asked;
        handled = true;
    };
    try {
        socket.CheckConnection();
        FAIL() << "no error without a connection";
    } catch (const EMailError& e) {
        EXPECT_STREQ(e.what(), "Not Connected");
    }
    EXPECT_EQ(asked, 1);
    socket.OnConnectionRequired = [&](bool& handled) {
        socket.Connect();
        handled = true;
    };
    EXPECT_NO_THROW(socket.CheckConnection());
    socket.Disconnect();
}

} // namespace
