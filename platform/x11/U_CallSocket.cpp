#include "platform/x11/U_CallSocket.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QByteArray kCallWord = "forward\n";
// Connections taken from the queue in one turn of the event loop, so that a flood of them
// never holds it.
constexpr int kAcceptBurst = 32;
// How long a calling copy waits for a queue that stays full.
constexpr int kCallTimeoutMs = 2000;

// False when the path does not fit a socket address.
bool MakeAddress(const QByteArray& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

sockaddr* AsSockaddr(sockaddr_un& address)
{
    return static_cast<sockaddr*>(static_cast<void*>(&address));
}
} // namespace

TCallSocket::TCallSocket(std::function<void()> called, QObject* parent)
    : QObject(parent), onCalled(std::move(called))
{
}

TCallSocket::~TCallSocket()
{
    while (!clients.empty())
        Drop(clients.front().fd);
    if (listener >= 0) {
        ::close(listener);
        ::unlink(socketPath.constData());
    }
}

void TCallSocket::SetIdleTimeout(int ms)
{
    idleTimeoutMs = ms;
}

bool TCallSocket::Listen(const QString& path)
{
    sockaddr_un address{};
    socketPath = QFile::encodeName(path);
    if (!MakeAddress(socketPath, address))
        return false;
    listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0)
        return false;
    ::unlink(socketPath.constData()); // only the lock holder gets here
    // Created with the user's rights alone, before anyone can connect.
    const mode_t previous = ::umask(0077);
    const bool bound = ::bind(listener, AsSockaddr(address), sizeof address) == 0;
    ::umask(previous);
    if (!bound || ::listen(listener, kMaxPending) != 0) {
        ::close(listener);
        listener = -1;
        return false;
    }
    listening = new QSocketNotifier(listener, QSocketNotifier::Read, this);
    connect(listening, &QSocketNotifier::activated, this, &TCallSocket::Accept);
    retry = new QTimer(this);
    retry->setSingleShot(true);
    connect(retry, &QTimer::timeout, this, &TCallSocket::Resume);
    return true;
}

void TCallSocket::Accept()
{
    for (int i = 0; i < kAcceptBurst; ++i) {
        const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0 &&
            (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)) {
            // The queue stays readable: without a pause the loop would only spin on it.
            Pause();
            return;
        }
        if (client < 0 && errno != ECONNABORTED && errno != EINTR)
            return;
        if (client < 0)
            continue;
        // A calling copy writes as soon as it is connected: most calls are read here at once.
        const TRead read = ReadCall(client);
        if (read == TRead::Nothing) {
            Wait(client);
            continue;
        }
        ::close(client);
        if (read == TRead::Called && onCalled)
            onCalled();
    }
}

TCallSocket::TRead TCallSocket::ReadCall(int client)
{
    char buffer[64];
    const ssize_t got = ::read(client, buffer, sizeof buffer);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return TRead::Nothing;
    const bool called =
        got > 0 && QByteArray(buffer, static_cast<qsizetype>(got)).contains(kCallWord);
    return called ? TRead::Called : TRead::Done;
}

void TCallSocket::Wait(int client)
{
    if (static_cast<int>(clients.size()) >= kMaxPending)
        Drop(clients.front().fd);
    auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, client]() { Drop(client); });
    connect(notifier, &QSocketNotifier::activated, this, [this, client]() {
        const TRead read = ReadCall(client);
        if (read == TRead::Nothing)
            return;
        Drop(client);
        if (read == TRead::Called && onCalled)
            onCalled();
    });
    timer->start(idleTimeoutMs);
    clients.push_back({client, notifier, timer});
}

void TCallSocket::Drop(int client)
{
    const auto found = std::find_if(clients.begin(), clients.end(),
                                    [client](const TClient& c) { return c.fd == client; });
    if (found == clients.end())
        return;
    // Deleted later: this may run inside the notifier's or the timer's own signal.
    found->notifier->setEnabled(false);
    found->notifier->deleteLater();
    found->timer->stop();
    found->timer->deleteLater();
    ::close(client);
    clients.erase(found);
    Resume(); // a descriptor came free
}

void TCallSocket::Pause()
{
    paused = true;
    listening->setEnabled(false);
    // Descriptors held elsewhere in the program come free without a word to this socket.
    retry->start(idleTimeoutMs);
}

void TCallSocket::Resume()
{
    if (!paused)
        return;
    paused = false;
    retry->stop();
    listening->setEnabled(true);
}

bool TCallSocket::Call(const QString& path)
{
    sockaddr_un address{};
    if (!MakeAddress(QFile::encodeName(path), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A full queue makes connect wait: not for ever.
    const timeval limit{kCallTimeoutMs / 1000, (kCallTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    // MSG_NOSIGNAL: a first copy that drops the connection must not kill this one.
    const bool sent = ::connect(fd, AsSockaddr(address), sizeof address) == 0 &&
                      ::send(fd, kCallWord.constData(), static_cast<std::size_t>(kCallWord.size()),
                             MSG_NOSIGNAL) == kCallWord.size();
    ::close(fd);
    return sent;
}
