#pragma once

#include <QHash>
#include <QString>

// The executable file name of a process id, read from /proc with one readlink and remembered
// with the executable's device and inode, so that an exec or a reused id is noticed.
class TProcessNames
{
public:
    // The file name (no folder) of the process's executable, else its command name from
    // /proc/PID/comm (kernel threads, zombies, other users' processes); empty without a process.
    QString ExeName(qint64 pid);

private:
    struct TEntry
    {
        quint64 device = 0;
        quint64 inode = 0;
        QString name;
    };
    QHash<qint64, TEntry> names;
};
