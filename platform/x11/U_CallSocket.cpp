#include "platform/x11/U_CallSocket.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QByteArray kCallWord = "forward\n";

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
    if (listener >= 0) {
        ::close(listener);
        ::unlink(socketPath.constData());
    }
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
    if (!bound || ::listen(listener, 4) != 0) {
        ::close(listener);
        listener = -1;
        return false;
    }
    auto* notifier = new QSocketNotifier(listener, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TCallSocket::Accept);
    return true;
}

void TCallSocket::Accept()
{
    const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0)
        return;
    auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this,
            [this, client, notifier]() { Read(client, notifier); });
}

void TCallSocket::Read(int client, QSocketNotifier* notifier)
{
    char buffer[64];
    const ssize_t got = ::read(client, buffer, sizeof buffer);
    if (got < 0 && errno == EAGAIN)
        return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    ::close(client);
    if (got > 0 && QByteArray(buffer, static_cast<qsizetype>(got)).contains(kCallWord) && onCalled)
        onCalled();
}

bool TCallSocket::Call(const QString& path)
{
    sockaddr_un address{};
    if (!MakeAddress(QFile::encodeName(path), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool sent = ::connect(fd, AsSockaddr(address), sizeof address) == 0 &&
                      ::write(fd, kCallWord.constData(),
                              static_cast<std::size_t>(kCallWord.size())) == kCallWord.size();
    ::close(fd);
    return sent;
}
