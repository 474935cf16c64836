#include "engine/platform/InstanceLock.h"

#include "engine/platform/System.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace Platform {

namespace {

int g_lockFd = -1;
int g_listenFd = -1;
// Refused come-forward connections by peer user: a peer in a loop must not fill the error log.
std::map<uid_t, unsigned long> g_refused;

bool isPowerOfTen(unsigned long count) {
    while (count % 10 == 0 && count >= 10)
        count /= 10;
    return count == 1;
}

// The first refusal of a peer is reported, then the count at 10, 100, 1000... and at the end.
void noteRefused(uid_t peer) {
    const unsigned long count = ++g_refused[peer];
    if (count == 1)
        report("Come-forward request from user " + std::to_string(peer) + " refused.");
    else if (isPowerOfTen(count))
        report("Come-forward requests from user " + std::to_string(peer) + " refused: " + std::to_string(count) +
               " so far.");
}

void reportRefusedCounts() {
    for (const auto& [peer, count] : g_refused)
        if (count > 1)
            report("Come-forward requests from user " + std::to_string(peer) + " refused: " + std::to_string(count) +
                   " in all.");
    g_refused.clear();
}

std::string socketNameFor(const std::string& lockPath) {
    char name[64];
    std::snprintf(name, sizeof(name), "meadow-instance-%016zx", std::hash<std::string>()(lockPath));
    return name;
}

// An abstract socket address: it disappears with its process, so a crash leaves nothing stale.
socklen_t makeAddress(const std::string& lockPath, sockaddr_un& address) {
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    const std::string name = socketNameFor(lockPath);
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

// An abstract name is open to every local user: only a peer running as this user counts.
bool isSameUser(int fd, uid_t& peer) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return false;
    peer = credentials.uid;
    return credentials.uid == geteuid();
}

void askFirstCopy(const std::string& lockPath) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    sockaddr_un address;
    socklen_t length = makeAddress(lockPath, address);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) {
        uid_t peer = 0;
        if (isSameUser(fd, peer)) {
            const char request = 'R';
            ssize_t sent = send(fd, &request, 1, MSG_NOSIGNAL);
            (void)sent;
        } else {
            report("The single-instance socket is held by user " + std::to_string(peer) +
                   ", not by the first copy: no come-forward request sent.");
        }
    }
    close(fd);
}

} // namespace

std::string getInstanceLockPath(const std::string& name) {
    std::string folder = getUserDataFolder();
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + name + ".lock";
}

std::string getInstanceSocketName(const std::string& name) {
    return socketNameFor(getInstanceLockPath(name));
}

bool claimSingleInstance(const std::string& name) {
    if (g_lockFd >= 0)
        return true;
    std::string path = getInstanceLockPath(name);
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // no place for a lock: better to run twice than not at all
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        askFirstCopy(path);
        return false;
    }
    g_lockFd = fd;

    int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener >= 0) {
        sockaddr_un address;
        socklen_t length = makeAddress(path, address);
        if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(listener, 8) == 0) {
            g_listenFd = listener;
        } else {
            report("Single-instance socket \"" + getInstanceSocketName(name) + "\" can't be bound: " + lastErrorText() +
                   ". A second copy can't ask this one to come forward.");
            close(listener);
        }
    }
    return true;
}

int takeComeForwardRequests() {
    if (g_listenFd < 0)
        return 0;
    int requests = 0;
    for (;;) {
        int fd = accept4(g_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            break;
        uid_t peer = 0;
        if (isSameUser(fd, peer))
            ++requests;
        else
            noteRefused(peer);
        close(fd);
    }
    return requests;
}

void releaseSingleInstance() {
    reportRefusedCounts();
    if (g_listenFd >= 0)
        close(g_listenFd);
    if (g_lockFd >= 0)
        close(g_lockFd);
    g_listenFd = -1;
    g_lockFd = -1;
}

} // namespace Platform
