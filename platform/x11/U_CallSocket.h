#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;

// A listening Unix socket, readable by its user only, that runs `onCalled` each time a
// client sends the call word. Plain POSIX: the program needs no network library for it.
class TCallSocket : public QObject
{
    Q_OBJECT
public:
    TCallSocket(std::function<void()> onCalled, QObject* parent = nullptr);
    ~TCallSocket() override;

    // Listens at `path`, replacing a socket file left by a copy that crashed.
    bool Listen(const QString& path);
    // Connects to `path` and sends the call word; false when nobody listens there.
    static bool Call(const QString& path);

private:
    void Accept();
    void Read(int client, QSocketNotifier* notifier);

    std::function<void()> onCalled;
    int listener = -1;
    QByteArray socketPath;
};
