#include "engine/core/NetClient.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/NetAddrIn.h"
#include "engine/platform/Clock.h"

#include <cmath>

namespace Engine {

using namespace Platform;

INetClient* getNetClient() {
    return INetClient::getInstance();
}

cNetClient::cNetClient(const std::string& address, uint16_t port) : m_addressText(address), m_port(port) {
    m_address = cNetAddrIn(address, port).getAddress();
}

cNetClient::~cNetClient() {
    closeSocket();
    m_queue.clear();
}

double cNetClient::now() const {
    // The monotonic clock: a change of the wall clock must not time requests out.
    return getClock().getTickMs() * 0.001;
}

void cNetClient::setPingPeriod(float seconds) {
    m_pingPeriod = seconds;
    m_pingCountdown = seconds;
}

void cNetClient::closeSocket() {
    m_socket.close();
    m_receiving = false;
}

bool cNetClient::isConnectionLost(int error) const {
    return error == SOCKET_ENETDOWN || error == SOCKET_ENETRESET || error == SOCKET_ECONNABORTED ||
           error == SOCKET_ECONNRESET || error == SOCKET_ESHUTDOWN || error == SOCKET_ETIMEDOUT;
}

void cNetClient::connect(cNetRequest& request) {
    if (m_socket.openTcp())
        m_socket.connect(m_address, m_port);
    if (request.useTunnel) {
        request.tunnel.reset();
        std::string text = "CONNECT " + m_addressText + ":" + std::to_string(m_port) + " HTTP/1.0\r\n\r\n";
        request.tunnel.appendText(text.c_str());
        request.tunnelPending = true;
    }
    request.time = now();
}

void cNetClient::update() {
    if (!m_enabled)
        return;

    if (IFrameTimer* timer = getFrameTimer()) {
        m_pingCountdown -= timer->getDelta();
        if (m_pingCountdown <= 0) {
            m_pingCountdown += m_pingPeriod;
            computePingAverage();
        }
    }

    if (m_queue.empty())
        return;
    cNetRequest& request = m_queue.front();
    if (!m_socket.isOpen())
        connect(request);

    if (!request.sent) {
        if (m_socket.isWritable()) {
            cNetMessage& outgoing = request.tunnelPending ? request.tunnel : request.message;
            int error = outgoing.sendPart(m_socket);
            if (error == SOCKET_ENOTCONN || error == SOCKET_ECONNRESET || isConnectionLost(error)) {
                failRequest(true);
                return;
            }
            if (outgoing.isSent() && request.tunnelPending) {
                request.tunnelPending = false;
            } else if (outgoing.isSent()) {
                request.sent = true;
                request.answer.reset();
                request.time = now();
                m_receiving = true;
                return;
            }
        }
        if (now() - request.time > TIME_OUT)
            failRequest(false);
        return;
    }

    if (m_socket.isReadable()) {
        int error = request.answer.receivePart(m_socket);
        if (error == -1 || error == SOCKET_ECONNRESET || isConnectionLost(error)) {
            // The server closed or reset the connection before the whole answer came.
            failRequest(true);
            return;
        }
        if (request.answer.getState() == cNetMessage::STATE_READY) {
            if (request.answer.getLength() == 0) {
                // An empty answer: the server asks us to close; the request has no answer.
                failRequest(false);
                return;
            }
            uint8_t code = request.answer.getData()[0];
            if (code != 0) {
                if (m_onRequestError)
                    m_onRequestError(code, request.answer);
                cNetRequest done = request;
                m_queue.pop_front();
                m_receiving = false;
                if (done.completion)
                    addPingSample(done);
            } else {
                cNetRequest done = request;
                m_queue.pop_front();
                m_receiving = false;
                if (done.completion) {
                    addPingSample(done);
                    done.completion(1, &done.answer, done.user);
                }
            }
            return;
        }
    }
    if (now() - request.time > TIME_OUT)
        failRequest(false);
}

void cNetClient::failRequest(bool dropped) {
    // Copied before the queue changes: the callbacks get a request that is still whole.
    cNetRequest failed = m_queue.front();
    m_queue.pop_front();
    closeSocket();
    if (failed.completion) {
        addPingSample(failed);
        failed.completion(-1, nullptr, failed.user);
    }
    if (failed.connectionLost) {
        m_queue.clear();
        if (m_onConnectionLost)
            m_onConnectionLost(failed);
    }
    if (dropped && m_onDropped)
        m_onDropped();
}

void cNetClient::addPingSample(cNetRequest& request) {
    if (m_pingSamples.size() < 10)
        m_pingSamples.push_back(std::floor(now() - request.time));
    else
        computePingAverage();
}

void cNetClient::computePingAverage() {
    double sum = 0;
    size_t count = m_pingSamples.size();
    for (double sample : m_pingSamples)
        sum += sample;
    if (!m_queue.empty() && m_queue.front().sent) {
        sum += now() - m_queue.front().time;
        ++count;
    }
    if (count > 0)
        m_pingAverage = float(sum / double(count));
    m_pingCountdown = m_pingPeriod;
    m_pingSamples.clear();
}

} // namespace Engine
