#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QSocketNotifier;
class QTimer;

// A listening Unix socket, readable by its user only, that runs `onCalled` each time a
// client sends the call word. Plain POSIX: the program needs no network library for it. A
// client that stays silent is dropped after a while and only a few may wait at once, so that
// no number of idle connections can take the program's descriptors.
class TCallSocket : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxPending = 16;

    TCallSocket(std::function<void()> onCalled, QObject* parent = nullptr);
    ~TCallSocket() override;

    // Listens at `path`, replacing a socket file left by a copy that crashed.
    bool Listen(const QString& path);
    // Connects to `path` and sends the call word; false when nobody listens there.
    static bool Call(const QString& path);

    // How long a connected client may stay silent (1 s unless changed).
    void SetIdleTimeout(int ms);
    int PendingClients() const { return static_cast<int>(clients.size()); }
    // Whether accepting waits for descriptors to come free.
    bool AcceptPaused() const { return paused; }

private:
    enum class TRead
    {
        Nothing, // not yet
        Done,
        Called
    };
    struct TClient
    {
        int fd;
        QSocketNotifier* notifier;
        QTimer* timer;
    };

    void Accept();
    TRead ReadCall(int client);
    void Wait(int client);
    void Drop(int client);
    void Pause();
    void Resume();

    std::function<void()> onCalled;
    int listener = -1;
    QByteArray socketPath;
    QSocketNotifier* listening = nullptr;
    QTimer* retry = nullptr;
    bool paused = false;
    int idleTimeoutMs = 1000;
    std::vector<TClient> clients; // the oldest first
};
