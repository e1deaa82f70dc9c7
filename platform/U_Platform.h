#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

// One text put on the clipboard by a program, as the clipboard watch hands it on.
struct TClipboardText
{
    QString text;          // empty when the copy was too large to be taken
    qint64 size = 0;       // its size in bytes as its owner offered it
    bool tooLarge = false; // over the watch's limit: not fetched
    quint64 timestamp = 0; // the time its owner took the clipboard
};

// The one interface for every facility the program takes from the desktop it runs on.
class TPlatform
{
public:
    enum class TInstanceClaim
    {
        First,
        AlreadyRunning,
        Unavailable
    };

    virtual ~TPlatform() = default;

    // Single instance: the first copy holds a lock named `name` for its whole life, in the
    // user's runtime folder or else in `fallbackFolder`. Needs no application object, so that a
    // later copy ends before any other start-up work.
    virtual TInstanceClaim ClaimFirstInstance(const QString& name,
                                              const QString& fallbackFolder) = 0;
    // The lock holder listens for later copies; `onCalled` runs when one asks. Needs the
    // application object.
    virtual void ListenForCalls(const QString& name, std::function<void()> onCalled) = 0;
    // Asks the copy holding `name` to come forward; false when none answered.
    virtual bool CallFirstInstance(const QString& name) = 0;

    virtual QRect ScreenGeometry() const = 0;
    virtual QRect WorkArea() const = 0;
    virtual bool HasCompositor() const = 0;
    // Whether a notification area (tray host) runs on the screen.
    virtual bool HasTrayHost() const = 0;
    virtual void Beep() = 0;
    virtual QString UserName() const = 0;
    virtual void SetCursorPos(const QPoint& pos) = 0;

    // The tracer's window and process queries. Window ids are the system's, 0 meaning none;
    // windows vanish between two queries, so every failure is an empty answer.
    virtual bool CursorPos(QPoint& pos) = 0;
    // The application window (not its frame) that holds the point on the screen.
    virtual quint64 WindowFromPoint(const QPoint& pos) = 0;
    virtual quint64 ForegroundWindow() = 0;
    virtual quint64 OwnerWindow(quint64 window) = 0;
    // At most 255 characters.
    virtual QString WindowTitle(quint64 window) = 0;
    // 0 when unknown.
    virtual qint64 WindowProcessId(quint64 window) = 0;
    // The file name of the process's executable, without folder; empty when there is none.
    virtual QString ProcessExeName(qint64 pid) = 0;

    // The clipboard watch: from this call on, `onText` runs on the event loop once for every
    // later copy of a text (never for what the clipboard holds now), in the order of the copies.
    // `wanted` is asked before a copy is fetched. A copy holding no plain text, marked secret by
    // a password manager, or whose owner does not answer in time is left out; one over
    // `maxBytes` comes with `tooLarge` and its size only. `onText` must not stop the watch.
    // False when the clipboard cannot be watched.
    virtual bool WatchClipboard(qint64 maxBytes, std::function<bool()> wanted,
                                std::function<void(const TClipboardText&)> onText) = 0;
    virtual void StopClipboardWatch() = 0;
};

// The platform in use; the program installs the real one, tests a fake.
TPlatform& Platform();
void SetPlatform(std::unique_ptr<TPlatform> platform);
