#include "engine/platform/InstanceLock.h"

#include "engine/platform/System.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Platform;

namespace {

std::vector<std::string> g_reports;

void collect(const std::string& text) {
    g_reports.push_back(text);
}

socklen_t addressOf(const std::string& socketName, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, socketName.data(), socketName.size());
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + socketName.size());
}

// Connects to the socket as the given user (-1: as this process's user) in a child process and
// sends a come-forward request. The child's exit code: 0 sent, 77 the user could not be taken.
int requestAs(const std::string& socketName, int uid) {
    pid_t child = fork();
    if (child == 0) {
        if (uid >= 0 && (setgid(gid_t(uid)) != 0 || setuid(uid_t(uid)) != 0))
            _exit(77);
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address;
        socklen_t length = addressOf(socketName, address);
        if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0)
            _exit(2);
        const char request = 'R';
        _exit(send(fd, &request, 1, MSG_NOSIGNAL) == 1 ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class InstanceLock : public ::testing::Test {
protected:
    void SetUp() override {
        g_reports.clear();
        setReportHandler(collect);
    }
    void TearDown() override {
        releaseSingleInstance();
        setReportHandler(nullptr);
    }
    // Connections are accepted by the next call; give the kernel a moment to queue them.
    int requests() {
        usleep(20000);
        return takeComeForwardRequests();
    }
};

} // namespace

TEST_F(InstanceLock, ConnectionsFromAnotherUserAreRefused) {
    const std::string name = "instance-peer-test";
    ASSERT_TRUE(claimSingleInstance(name));
    const std::string socketName = getInstanceSocketName(name);

    ASSERT_EQ(requestAs(socketName, -1), 0);
    EXPECT_EQ(requests(), 1);

    if (geteuid() != 0)
        GTEST_SKIP() << "another user's connection needs root to change user in a child process";
    const int nobody = 65534;
    int result = requestAs(socketName, nobody);
    if (result == 77)
        GTEST_SKIP() << "the child process could not change to user " << nobody;
    ASSERT_EQ(result, 0);
    EXPECT_EQ(requests(), 0);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0], "Come-forward request from user 65534 refused.");

    // A peer in a loop: the first refusal, the count at each power of ten and at the end.
    for (int i = 0; i < 24; ++i) {
        ASSERT_EQ(requestAs(socketName, nobody), 0);
        // Taken in small batches: the socket queues at most 8 connections.
        if (i % 4 == 3) {
            EXPECT_EQ(requests(), 0);
        }
    }
    ASSERT_EQ(requestAs(socketName, -1), 0);
    EXPECT_EQ(requests(), 1);
    releaseSingleInstance();
    EXPECT_EQ(g_reports, (std::vector<std::string>{"Come-forward request from user 65534 refused.",
                                                   "Come-forward requests from user 65534 refused: 10 so far.",
                                                   "Come-forward requests from user 65534 refused: 25 in all."}));
}

TEST_F(InstanceLock, NameTakenBySomebodyElseIsReported) {
    const std::string name = "instance-squat-test";
    int squatter = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(squatter, 0);
    sockaddr_un address;
    socklen_t length = addressOf(getInstanceSocketName(name), address);
    ASSERT_EQ(bind(squatter, reinterpret_cast<sockaddr*>(&address), length), 0);

    EXPECT_TRUE(claimSingleInstance(name));
    close(squatter);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].rfind("Single-instance socket \"" + getInstanceSocketName(name) + "\" can't be bound: ", 0),
              0u)
        << g_reports[0];
}
