#pragma once

#include "platform/U_Platform.h"

#include <QHash>
#include <QList>
#include <QStringList>

// A scripted platform for tests: answers what the test set and records what was asked.
class TPlatformFake : public TPlatform
{
public:
    TInstanceClaim ClaimFirstInstance(const QString& name, const QString& fallbackFolder) override;
    void ListenForCalls(const QString& name, std::function<void()> onCalled) override;
    bool CallFirstInstance(const QString& name) override;
    QRect ScreenGeometry() const override { return screen; }
    QRect WorkArea() const override { return workArea; }
    bool HasCompositor() const override { return compositor; }
    bool HasTrayHost() const override { return trayHost; }
    void Beep() override { ++beeps; }
    QString UserName() const override { return userName; }
    void SetCursorPos(const QPoint& pos) override { cursorMoves.append(pos); }
    bool CursorPos(QPoint& pos) override;
    quint64 WindowFromPoint(const QPoint& pos) override;
    quint64 ForegroundWindow() override { return foreground; }
    quint64 OwnerWindow(quint64 window) override { return windows.value(window).owner; }
    QString WindowTitle(quint64 window) override { return windows.value(window).title.left(255); }
    qint64 WindowProcessId(quint64 window) override { return windows.value(window).pid; }
    QString ProcessExeName(qint64 pid) override { return exeNames.value(pid); }
    bool WatchClipboard(qint64 maxBytes, std::function<bool()> wanted,
                        std::function<void(const TClipboardText&)> onText) override;
    void StopClipboardWatch() override;

    // A copy by another program, handed on as the real watch would: only while watching, only
    // when wanted, and as too large (text dropped) beyond the watch's limit.
    void Copy(const TClipboardText& copy);
    void Copy(const QString& text);

    // A scripted window; an id missing from `windows` answers like a window that vanished.
    struct TFakeWindow
    {
        QString title;
        qint64 pid = 0;
        quint64 owner = 0;
    };
    void AddWindow(quint64 id, const QString& title, qint64 pid, quint64 owner = 0);

    TInstanceClaim nextClaim = TInstanceClaim::First;
    bool firstAnswers = true;
    QStringList claimedNames;
    QStringList calledNames;
    QStringList listenedNames;
    QStringList fallbackFolders;
    std::function<void()> onCalled;
    QRect screen{0, 0, 1024, 768};
    QRect workArea{0, 0, 1024, 738};
    bool compositor = false;
    bool trayHost = true;
    int beeps = 0;
    QString userName = QStringLiteral("testeur");
    QList<QPoint> cursorMoves;
    QHash<quint64, TFakeWindow> windows;
    QHash<qint64, QString> exeNames;
    QPoint cursor{100, 100};
    bool cursorFails = false;
    // The window under the pointer, wherever it is; pointedAt records the points asked about.
    quint64 pointed = 0;
    QList<QPoint> pointedAt;
    quint64 foreground = 0;
    bool clipboardWatchable = true;
    bool clipboardWatched = false;
    qint64 clipboardLimit = 0;
    std::function<bool()> clipboardWanted;
    std::function<void(const TClipboardText&)> onClipboardText;
    quint64 clipboardTime = 0;
};
