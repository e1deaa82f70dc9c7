#include "platform/x11/U_CallSocket.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {
// Connections made by hand, kept open and silent, as a hostile local program would.
class CallSocket : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.filePath("call.sock");
        ASSERT_TRUE(socket.Listen(path));
    }
    void TearDown() override
    {
        for (const int fd : idle)
            ::close(fd);
    }
    // Connects without sending anything; -1 while the queue is full.
    int ConnectIdle()
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const auto* where = static_cast<const sockaddr*>(static_cast<const void*>(&address));
        if (::connect(fd, where, sizeof address) == 0) {
            idle.push_back(fd);
            return fd;
        }
        ::close(fd);
        return -1;
    }
    // How many of the idle connections the program has closed.
    int ClosedByTheProgram() const
    {
        int closed = 0;
        for (const int fd : idle) {
            char byte = 0;
            closed += ::recv(fd, &byte, 1, MSG_DONTWAIT) == 0 ? 1 : 0;
        }
        return closed;
    }
    static void Turn() { QCoreApplication::processEvents(); }

    QTemporaryDir dir;
    QString path;
    int calls = 0;
    TCallSocket socket{[this]() {
        ++calls;
    }};
    std::vector<int> idle;
};
} // namespace

// Hundreds of silent connections: only a few are ever held, and a real call is still served.
TEST_F(CallSocket, AFloodOfIdleClientsHoldsFewDescriptorsAndCallsAreStillServed)
{
    int peak = 0;
    while (idle.size() < 400) {
        if (ConnectIdle() < 0)
            Turn();
        peak = std::max(peak, socket.PendingClients());
    }
    for (int i = 0; i < 50; ++i)
        Turn();
    EXPECT_LE(peak, TCallSocket::kMaxPending);
    EXPECT_GE(ClosedByTheProgram(), 400 - TCallSocket::kMaxPending);
    EXPECT_TRUE(TCallSocket::Call(path));
    EXPECT_TRUE(QTest::qWaitFor([this]() { return calls == 1; }, 5000));
    EXPECT_FALSE(socket.AcceptPaused());
}

// A client that says nothing is dropped after the idle time; one that is slow to speak but
// speaks in time is heard.
TEST_F(CallSocket, SilentClientsAreDroppedAfterTheIdleTime)
{
    socket.SetIdleTimeout(30);
    for (int i = 0; i < 3; ++i)
        ASSERT_GE(ConnectIdle(), 0);
    ASSERT_TRUE(QTest::qWaitFor([this]() { return socket.PendingClients() == 3; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this]() { return socket.PendingClients() == 0; }, 5000));
    EXPECT_EQ(ClosedByTheProgram(), 3);

    socket.SetIdleTimeout(60000);
    const int slow = ConnectIdle();
    ASSERT_TRUE(QTest::qWaitFor([this]() { return socket.PendingClients() == 1; }, 5000));
    ASSERT_EQ(::send(slow, "forward\n", 8, MSG_NOSIGNAL), 8);
    EXPECT_TRUE(QTest::qWaitFor([this]() { return calls == 1; }, 5000));
    EXPECT_EQ(socket.PendingClients(), 0);
}

// Out of descriptors, accepting pauses instead of spinning on the queue, and resumes when some
// come free.
TEST_F(CallSocket, OutOfDescriptorsAcceptingPausesAndResumes)
{
    socket.SetIdleTimeout(50);
    for (int i = 0; i < 3; ++i)
        ASSERT_GE(ConnectIdle(), 0);
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    const rlimit none{static_cast<rlim_t>(lowestFree), before.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    for (int i = 0; i < 20 && !socket.AcceptPaused(); ++i)
        Turn();
    const bool paused = socket.AcceptPaused();
    const int pending = socket.PendingClients();
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &before), 0);
    EXPECT_TRUE(paused);
    EXPECT_EQ(pending, 0);

    EXPECT_TRUE(TCallSocket::Call(path));
    EXPECT_TRUE(QTest::qWaitFor([this]() { return calls == 1; }, 5000));
    EXPECT_FALSE(socket.AcceptPaused());
}
