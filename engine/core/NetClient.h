#pragma once

// A small TCP client that sends queued requests to one server and waits for one answer per
// request, polled once per frame without blocking. Nothing in the engine creates it; the frame
// manager updates it when it exists.

#include "engine/core/NetMessage.h"
#include "engine/core/Singleton.h"
#include "engine/platform/Socket.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

namespace Engine {

class INetClient : public cSingleton<INetClient> {
public:
    ~INetClient() override = default;
    // One non-blocking step of the active request; returns at once while disabled.
    virtual void update() = 0;
};

INetClient* getNetClient();

// One request and its answer. The completion callback gets status 1 and the answer, or
// status -1 and no answer when the request failed or timed out.
struct cNetRequest {
    using tCompletion = void (*)(int status, const cNetMessage* answer, void* user);

    cNetMessage message;
    cNetMessage tunnel;
    cNetMessage answer;
    tCompletion completion = nullptr;
    void* user = nullptr;
    double time = 0;
    bool sent = false;
    bool useTunnel = false;
    bool tunnelPending = false;
    bool connectionLost = false;
    std::string text;
};

class cNetClient : public INetClient {
public:
    using tConnectionLost = void (*)(const cNetRequest& request);
    using tRequestError = void (*)(int code, const cNetMessage& answer);
    using tDropped = void (*)();

    // Seconds without progress after which a request fails.
    static constexpr double TIME_OUT = 14.0;

    // Throws std::invalid_argument for an address that is not dotted IPv4 text.
    cNetClient(const std::string& address, uint16_t port);
    ~cNetClient() override;

    void update() override;

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }
    void queueRequest(const cNetRequest& request) { m_queue.push_back(request); }
    size_t getQueueSize() const { return m_queue.size(); }
    bool isConnected() const { return m_socket.isOpen(); }

    void setConnectionLostCallback(tConnectionLost callback) { m_onConnectionLost = callback; }
    void setRequestErrorCallback(tRequestError callback) { m_onRequestError = callback; }
    void setDroppedCallback(tDropped callback) { m_onDropped = callback; }

    // Seconds between two computations of the average waiting time.
    void setPingPeriod(float seconds);
    float getPingAverage() const { return m_pingAverage; }
    size_t getPingSampleCount() const { return m_pingSamples.size(); }

private:
    void connect(cNetRequest& request);
    // Ends the active request with status -1; dropped: the connection broke.
    void failRequest(bool dropped);
    void addPingSample(cNetRequest& request);
    void computePingAverage();
    bool isConnectionLost(int error) const;
    void closeSocket();
    double now() const;

    std::string m_addressText;
    uint32_t m_address;
    uint16_t m_port;
    Platform::cSocket m_socket;
    std::list<cNetRequest> m_queue;
    bool m_receiving = false;
    bool m_enabled = false;
    std::vector<double> m_pingSamples;
    float m_pingAverage = 0;
    float m_pingCountdown = 10;
    float m_pingPeriod = 10;
    tConnectionLost m_onConnectionLost = nullptr;
    tRequestError m_onRequestError = nullptr;
    tDropped m_onDropped = nullptr;
};

} // namespace Engine
