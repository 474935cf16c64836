#include "engine/core/NetClient.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/NetAddrIn.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LoopbackServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <thread>

using namespace Engine;
using namespace TestSupport;

namespace {

struct Outcome {
    int completions = 0;
    int status = 0;
    std::string answer;
    int errors = 0;
    int errorCode = 0;
    int lost = 0;
    std::string lostMessage;
    int dropped = 0;
};
Outcome g_outcome;

void onComplete(int status, const cNetMessage* answer, void*) {
    ++g_outcome.completions;
    g_outcome.status = status;
    g_outcome.answer = answer ? std::string(reinterpret_cast<const char*>(answer->getData()), answer->getLength()) : "";
}
void onError(int code, const cNetMessage&) {
    ++g_outcome.errors;
    g_outcome.errorCode = code;
}
void onLost(const cNetRequest& request) {
    ++g_outcome.lost;
    g_outcome.lostMessage =
        std::string(reinterpret_cast<const char*>(request.message.getData()), request.message.getLength());
}
void onDropped() {
    ++g_outcome.dropped;
}

// An answer on the wire: its length as 16-bit little-endian, then its bytes.
std::string frame(const std::string& body) {
    return std::string(1, char(body.size() & 0xFF)) + char(body.size() >> 8) + body;
}

cNetRequest request(const std::string& text, bool connectionLost = false) {
    cNetRequest r;
    r.message.append(text.data(), text.size());
    r.completion = onComplete;
    r.connectionLost = connectionLost;
    return r;
}

class NetClient : public ::testing::Test {
protected:
    NetClient() : client("127.0.0.1", server.port()) {
        g_outcome = Outcome();
        client.setRequestErrorCallback(onError);
        client.setConnectionLostCallback(onLost);
        client.setDroppedCallback(onDropped);
        client.setEnabled(true);
    }

    // Updates the client, one frame per real millisecond, until the condition holds.
    bool pumpUntil(const std::function<bool()>& condition, int frames = 3000) {
        for (int i = 0; i < frames; ++i) {
            client.update();
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    FakeClock clock; // the client's time-outs run on it
    LoopbackServer server;
    cNetClient client;
};

} // namespace

TEST_F(NetClient, SendsTheRequestAndHandsOverTheAnswer) {
    server.serve(5, frame(std::string("\0ok", 3)), LoopbackServer::KEEP_OPEN);
    client.queueRequest(request("hello"));

    ASSERT_TRUE(pumpUntil([] { return g_outcome.completions > 0; }));
    EXPECT_EQ(server.received(), "hello");
    EXPECT_EQ(g_outcome.status, 1);
    EXPECT_EQ(g_outcome.answer, std::string("\0ok", 3));
    EXPECT_EQ(client.getQueueSize(), 0u);
    EXPECT_TRUE(client.isConnected());
    EXPECT_EQ(client.getPingSampleCount(), 1u);
}

TEST_F(NetClient, NonZeroFirstByteIsARequestError) {
    server.serve(3, frame("\x05x"), LoopbackServer::KEEP_OPEN);
    client.queueRequest(request("abc"));

    ASSERT_TRUE(pumpUntil([] { return g_outcome.errors > 0; }));
    EXPECT_EQ(g_outcome.errorCode, 5);
    EXPECT_EQ(g_outcome.completions, 0);
    EXPECT_EQ(client.getQueueSize(), 0u);
}

TEST_F(NetClient, ServerThatNeverAnswersTimesOutAfterFourteenSeconds) {
    server.serve(4, "", LoopbackServer::KEEP_OPEN);
    client.queueRequest(request("ping"));
    ASSERT_TRUE(pumpUntil([this] { return server.done(); }));
    pumpUntil([] { return false; }, 20);

    clock.advance(14000);
    pumpUntil([] { return false; }, 20);
    EXPECT_EQ(g_outcome.completions, 0);

    clock.advance(1001);
    client.update();
    EXPECT_EQ(g_outcome.completions, 1);
    EXPECT_EQ(g_outcome.status, -1);
    EXPECT_FALSE(client.isConnected());
    EXPECT_EQ(client.getQueueSize(), 0u);
}

TEST_F(NetClient, TimeOutOfAConnectionLostRequestClearsTheQueueAndHandsOverAWholeCopy) {
    server.serve(4, "", LoopbackServer::KEEP_OPEN);
    client.queueRequest(request("sync", true));
    client.queueRequest(request("next"));
    ASSERT_TRUE(pumpUntil([this] { return server.done(); }));

    clock.advance(15000);
    client.update();
    EXPECT_EQ(g_outcome.status, -1);
    EXPECT_EQ(g_outcome.lost, 1);
    EXPECT_EQ(g_outcome.lostMessage, "sync");
    EXPECT_EQ(client.getQueueSize(), 0u);
}

TEST_F(NetClient, ConnectionClosedBeforeTheAnswerFailsAtOnce) {
    server.serve(4, "", LoopbackServer::CLOSE);
    client.queueRequest(request("data"));
    ASSERT_TRUE(pumpUntil([] { return g_outcome.completions > 0; }));
    EXPECT_EQ(g_outcome.status, -1);
    EXPECT_EQ(g_outcome.dropped, 1);
    EXPECT_FALSE(client.isConnected());
}

TEST_F(NetClient, SendingToAResetConnectionRaisesNoSignal) {
    server.serve(0, "", LoopbackServer::RESET);
    std::string big(1 << 20, 'x');
    client.queueRequest(request(big));
    ASSERT_TRUE(pumpUntil([] { return g_outcome.completions > 0; }));
    EXPECT_EQ(g_outcome.status, -1);
}

TEST_F(NetClient, EmptyAnswerClosesTheConnection) {
    server.serve(2, frame(""), LoopbackServer::KEEP_OPEN);
    client.queueRequest(request("hi"));
    ASSERT_TRUE(pumpUntil([] { return g_outcome.completions > 0; }));
    EXPECT_EQ(g_outcome.status, -1);
    EXPECT_FALSE(client.isConnected());
}

TEST_F(NetClient, DisabledClientDoesNothing) {
    client.setEnabled(false);
    client.queueRequest(request("idle"));
    pumpUntil([] { return false; }, 20);
    EXPECT_FALSE(client.isConnected());
    EXPECT_EQ(client.getQueueSize(), 1u);
}

TEST_F(NetClient, PingAverageWithoutSamplesStaysZero) {
    cFrameTimer timer(4, 8);
    client.setPingPeriod(0.1f);
    for (int i = 0; i < 3; ++i) {
        timer.tickFrameTimer();
        client.update();
    }
    EXPECT_EQ(client.getPingAverage(), 0.0f);
    EXPECT_FALSE(std::isnan(client.getPingAverage()));
}

TEST(NetAddrIn, AcceptsDottedAddressesOnly) {
    EXPECT_NO_THROW(cNetAddrIn("127.0.0.1", 80));
    for (const char* text : {"", "localhost", "1.2.3.a", "255.255.255.255", "1.2.3.4:80", " 1.2.3.4"}) {
        try {
            cNetAddrIn address(text, 80);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), "0 == EDefaultAddress for cNetAddrIn");
        }
    }
}

TEST_F(NetClient, TunnelRequestIsPrecededByAConnectLine) {
    std::string connectLine = "CONNECT 127.0.0.1:" + std::to_string(server.port()) + " HTTP/1.0\r\n\r\n";
    server.serve(connectLine.size() + 5, frame(std::string("\0", 1)), LoopbackServer::KEEP_OPEN);
    cNetRequest tunnelled = request("hello");
    tunnelled.useTunnel = true;
    client.queueRequest(tunnelled);

    ASSERT_TRUE(pumpUntil([] { return g_outcome.completions > 0; }));
    EXPECT_EQ(server.received(), connectLine + "hello");
    EXPECT_EQ(g_outcome.status, 1);
}

TEST(NetClientRefused, ConnectionRefusedFailsWithoutWaitingForTheTimeOut) {
    FakeClock clock;
    uint16_t closedPort = LoopbackServer().port();
    g_outcome = Outcome();
    cNetClient client("127.0.0.1", closedPort);
    client.setEnabled(true);
    client.queueRequest(request("anyone"));
    for (int i = 0; i < 1000 && g_outcome.completions == 0; ++i) {
        client.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(g_outcome.completions, 1);
    EXPECT_EQ(g_outcome.status, -1);
    EXPECT_EQ(client.getQueueSize(), 0u);
}
