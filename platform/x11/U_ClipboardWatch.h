#pragma once

#include "platform/U_Platform.h"
#include "platform/x11/U_XSelection.h"

#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

class QSocketNotifier;
class TSelectionTransfer;

// Watches the CLIPBOARD on an X connection of its own and reads each new copy from its owner
// one step per answer, so that an owner slow to answer, or one that never does, holds up
// nothing but its own copy.
class TClipboardWatch : public QObject
{
public:
    // How long an owner may take over one step of a transfer.
    static constexpr int kAnswerTimeoutMs = 2000;

    TClipboardWatch(qint64 maxBytes, std::function<bool()> wanted,
                    std::function<void(const TClipboardText&)> onText,
                    int answerTimeoutMs = kAnswerTimeoutMs);
    ~TClipboardWatch() override;
    bool IsValid() const { return notifier != nullptr; }

private:
    // A copy is one taking of the clipboard: a new owner or a new time.
    struct TCopy
    {
        quint64 owner = 0;
        quint64 time = 0;
        bool operator==(const TCopy&) const = default;
    };
    struct TAnswer
    {
        quint64 owner = 0;
        QString text;
        qint64 size = 0;
    };

    void Drain();
    void Handle(const TXSelectionEvent& event);
    void OwnerChanged(const TCopy& copy);
    void StartNext();
    void Progressed();
    // Whether the answer is the one already taken for a copy overtaken by this one.
    bool Repeats(bool answered, const TClipboardText& result);
    // Ends the transfer; a property still awaiting an answer rests `awaitedMs` before it serves
    // again.
    void Close(int awaitedMs);
    void DropStale(const TXSelectionEvent& event);
    // The property serves no transfer for `quietMs`.
    void Rest(quint32 property, int quietMs);
    // A property free to serve a transfer, other than `besides`.
    quint32 FreeProperty(quint32 besides);
    void Remember(const TCopy& copy);

    TXSelection x;
    std::unique_ptr<QSocketNotifier> notifier;
    QTimer timeout;
    qint64 maxBytes;
    std::function<bool()> wanted;
    std::function<void(const TClipboardText&)> onText;
    std::unique_ptr<TSelectionTransfer> transfer;
    TCopy current;
    std::optional<TCopy> next; // the newest copy not read yet; an older one can no longer be
    QList<TCopy> done;         // the last copies read or given up, newest last
    // The current copy's owner took the clipboard again before it answered.
    bool overtaken = false;
    // What such an owner answered: the next copy's text may be the same answer again.
    std::optional<TAnswer> previous;
    // When each property may serve again: an owner given up on may still write into it.
    std::array<QDeadlineTimer, TXSelection::kPropertyCount> propertyQuiet{};
    int lastProperty = 0;
};
