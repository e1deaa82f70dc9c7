#include "platform/x11/U_ClipboardWatch.h"

#include "platform/x11/U_SelectionTransfer.h"

#include <QSocketNotifier>

namespace {
constexpr qsizetype kRemembered = 32;
// An owner left in the middle of an incremental transfer may wait that long for us.
constexpr int kHangingQuietMs = 30000;
constexpr int kAbandonedQuietMs = 2000;
} // namespace

TClipboardWatch::TClipboardWatch(qint64 maxBytes, std::function<bool()> wanted,
                                 std::function<void(const TClipboardText&)> onText,
                                 int answerTimeoutMs)
    : maxBytes(maxBytes), wanted(std::move(wanted)), onText(std::move(onText))
{
    if (!x.IsValid())
        return;
    timeout.setSingleShot(true);
    timeout.setInterval(answerTimeoutMs);
    connect(&timeout, &QTimer::timeout, this, [this]() {
        Close(kHangingQuietMs);
        StartNext();
        Drain();
    });
    notifier = std::make_unique<QSocketNotifier>(x.FileDescriptor(), QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, &TClipboardWatch::Drain);
    // The set-up's requests are still to be sent.
    Drain();
}

TClipboardWatch::~TClipboardWatch() = default;

void TClipboardWatch::Drain()
{
    // Sending may read what the server sent meanwhile; the socket then stays quiet for it, so
    // nothing is left in the queue after the last request went out.
    TXSelectionEvent event;
    for (x.Flush(); x.Next(event); x.Flush())
        Handle(event);
}

void TClipboardWatch::Handle(const TXSelectionEvent& event)
{
    using TKind = TXSelectionEvent::TKind;
    if (event.kind == TKind::OwnerChanged) {
        OwnerChanged({event.owner, event.time});
    } else if (event.kind == TKind::Converted) {
        if (transfer && transfer->Converted(event))
            Progressed();
        else
            DropStale(event);
    } else if (event.kind == TKind::PropertyNew) {
        if (transfer && transfer->PropertyNew(event.property))
            Progressed();
    }
}

void TClipboardWatch::OwnerChanged(const TCopy& copy)
{
    if (copy.owner != 0 && (done.contains(copy) || (transfer && current == copy) || next == copy))
        return;
    // Another owner took the clipboard: the one asked no longer holds its copy. The same owner
    // may still answer for the copy asked, or, ignoring the copy's time, with the newer text:
    // that answer is kept, and the newer copy is compared with it.
    if (transfer && transfer->AwaitingText()) {
        if (copy.owner == current.owner)
            overtaken = true;
        else
            Close(kAbandonedQuietMs);
    }
    next.reset();
    if (copy.owner != 0)
        next = copy;
    StartNext();
}

void TClipboardWatch::StartNext()
{
    if (transfer || !next)
        return;
    current = *next;
    next.reset();
    if (wanted && !wanted()) {
        Remember(current);
        return;
    }
    const quint32 first = FreeProperty(0);
    transfer =
        std::make_unique<TSelectionTransfer>(x, first, FreeProperty(first), current.time, maxBytes);
    transfer->Start();
    timeout.start();
}

void TClipboardWatch::Progressed()
{
    if (transfer->Outcome() == TSelectionTransfer::TOutcome::Pending) {
        timeout.start();
        return;
    }
    const TClipboardText result = transfer->Result();
    const bool answered = transfer->Outcome() == TSelectionTransfer::TOutcome::Taken;
    const bool taken = !Repeats(answered, result) && answered;
    Close(kAbandonedQuietMs);
    StartNext();
    if (taken)
        onText(result);
}

bool TClipboardWatch::Repeats(bool answered, const TClipboardText& result)
{
    const bool same = answered && previous && previous->owner == current.owner &&
                      previous->text == result.text && previous->size == result.size;
    previous.reset();
    if (overtaken && answered)
        previous = TAnswer{current.owner, result.text, result.size};
    return same;
}

void TClipboardWatch::Close(int awaitedMs)
{
    using TLeft = TSelectionTransfer::TLeft;
    overtaken = false;
    transfer->GiveUp();
    for (quint32 property : transfer->Properties()) {
        const TLeft left = transfer->Left(property);
        Rest(property, left == TLeft::Hanging   ? kHangingQuietMs
                       : left == TLeft::Awaited ? awaitedMs
                                                : 0);
    }
    Remember(current);
    transfer.reset();
    timeout.stop();
}

void TClipboardWatch::DropStale(const TXSelectionEvent& event)
{
    // A late answer to a transfer given up: its value would sit on the server for good. An
    // incremental one is left alone, so that its owner waits instead of sending more, and its
    // property rests as long as such an owner may wait.
    if (event.property == 0 || (transfer && transfer->Uses(event.property)))
        return;
    if (x.Read(event.property, 0).type != x.Name(TXName::Incr)) {
        x.Delete(event.property);
        return;
    }
    Rest(event.property, kHangingQuietMs);
}

void TClipboardWatch::Rest(quint32 property, int quietMs)
{
    for (int i = 0; i < TXSelection::kPropertyCount; ++i) {
        if (x.Property(i) == property)
            propertyQuiet[i] = QDeadlineTimer(quietMs);
    }
}

quint32 TClipboardWatch::FreeProperty(quint32 besides)
{
    int chosen = -1;
    for (int step = 1; step <= TXSelection::kPropertyCount && chosen < 0; ++step) {
        const int i = (lastProperty + step) % TXSelection::kPropertyCount;
        if (x.Property(i) != besides && propertyQuiet[i].hasExpired())
            chosen = i;
    }
    // All are still quiet: the one free soonest.
    const bool anyFree = chosen >= 0;
    for (int i = 0; !anyFree && i < TXSelection::kPropertyCount; ++i) {
        if (x.Property(i) != besides && (chosen < 0 || propertyQuiet[i] < propertyQuiet[chosen]))
            chosen = i;
    }
    lastProperty = chosen;
    return x.Property(chosen);
}

void TClipboardWatch::Remember(const TCopy& copy)
{
    done.append(copy);
    if (done.size() > kRemembered)
        done.removeFirst();
}
