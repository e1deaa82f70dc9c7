#include "notes/U_NotesWatch.h"

#include "notes/U_NotesPad.h"

#include <QFileInfo>

namespace {
constexpr int kSettleMs = 200;
} // namespace

TNotesWatch::TNotesWatch(TNotesPad& notes, QObject* parent) : QObject(parent), pad(notes)
{
    settle.setSingleShot(true);
    settle.setInterval(kSettleMs);
    connect(&settle, &QTimer::timeout, this, &TNotesWatch::Settled);
    connect(&pad, &TNotesPad::FileNameChanged, this, &TNotesWatch::Follow);
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &TNotesWatch::Changed);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &TNotesWatch::Changed);
}

// The folder is watched as well: a file replaced by a rename, or removed and written anew, is
// no longer the one the system watched, and only the folder tells when it is back.
void TNotesWatch::Follow()
{
    const QString now = QFileInfo(pad.NotesFilePath()).absoluteFilePath();
    if (now == path) {
        WatchFile();
        return;
    }
    if (!watcher.files().isEmpty())
        watcher.removePaths(watcher.files());
    if (!watcher.directories().isEmpty())
        watcher.removePaths(watcher.directories());
    path = now;
    watcher.addPath(QFileInfo(path).absolutePath());
    WatchFile();
}

void TNotesWatch::WatchFile()
{
    if (!watcher.files().contains(path) && QFileInfo::exists(path))
        watcher.addPath(path);
}

void TNotesWatch::Changed()
{
    WatchFile();
    settle.start();
}

void TNotesWatch::Settled()
{
    // A file shown meanwhile is watched from its load on; this change was the old one's.
    if (QFileInfo(pad.NotesFilePath()).absoluteFilePath() == path && !pad.DiskFileChanged())
        settle.start();
}
