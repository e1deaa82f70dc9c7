#include "platform/fake/U_PlatformFake.h"

TPlatform::TInstanceClaim TPlatformFake::ClaimFirstInstance(const QString& name,
                                                            const QString& fallbackFolder)
{
    claimedNames.append(name);
    fallbackFolders.append(fallbackFolder);
    return nextClaim;
}

void TPlatformFake::ListenForCalls(const QString& name, std::function<void()> called)
{
    listenedNames.append(name);
    onCalled = std::move(called);
}

bool TPlatformFake::CallFirstInstance(const QString& name)
{
    calledNames.append(name);
    return firstAnswers;
}

bool TPlatformFake::CursorPos(QPoint& pos)
{
    if (cursorFails)
        return false;
    pos = cursor;
    return true;
}

quint64 TPlatformFake::WindowFromPoint(const QPoint& pos)
{
    pointedAt.append(pos);
    return pointed;
}

void TPlatformFake::AddWindow(quint64 id, const QString& title, qint64 pid, quint64 owner)
{
    windows.insert(id, TFakeWindow{title, pid, owner});
}

bool TPlatformFake::WatchClipboard(qint64 maxBytes, std::function<bool()> wanted,
                                   std::function<void(const TClipboardText&)> onText)
{
    if (!clipboardWatchable)
        return false;
    clipboardWatched = true;
    clipboardLimit = maxBytes;
    clipboardWanted = std::move(wanted);
    onClipboardText = std::move(onText);
    return true;
}

void TPlatformFake::StopClipboardWatch()
{
    clipboardWatched = false;
    clipboardWanted = nullptr;
    onClipboardText = nullptr;
}

void TPlatformFake::Copy(const TClipboardText& copy)
{
    if (!clipboardWatched || (clipboardWanted && !clipboardWanted()))
        return;
    TClipboardText handed = copy;
    if (handed.size > clipboardLimit) {
        handed.tooLarge = true;
        handed.text.clear();
    }
    onClipboardText(handed);
}

void TPlatformFake::Copy(const QString& text)
{
    Copy(TClipboardText{text, text.toUtf8().size(), false, ++clipboardTime});
}
