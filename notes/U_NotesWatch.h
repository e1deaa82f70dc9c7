#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class TNotesPad;

// Watches the file the notes pad belongs to, so that a change another program makes to it
// reaches the pad while the program runs. The system tells of every change (inotify): nothing
// wakes the program while the file stays as it is.
class TNotesWatch : public QObject
{
    Q_OBJECT
public:
    explicit TNotesWatch(TNotesPad& pad, QObject* parent = nullptr);

    // The file watched: the pad's file since its last load; empty before.
    QString WatchedPath() const { return path; }

private:
    void Follow();
    void WatchFile();
    void Changed();
    void Settled();

    TNotesPad& pad;
    QFileSystemWatcher watcher;
    // A writer's burst of changes is taken as one, once it is over.
    QTimer settle;
    QString path;
};
