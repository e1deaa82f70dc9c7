#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the window thread, so that a
// session ending closes the program through its ordinary closing.
class TTerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TTerminationWatcher(QObject* parent = nullptr);
    ~TTerminationWatcher() override;

Q_SIGNALS:
    void TerminationRequested(int signalNumber);

private:
    void ReadSignal();

    QSocketNotifier* notifier = nullptr;
};
