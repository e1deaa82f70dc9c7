#include "platform/x11/U_SelectionTransfer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// A target list or a hint is small; anything longer is not one.
constexpr qint64 kListBytes = 64 * 1024;
constexpr qint64 kFirstReadBytes = 64 * 1024;

QList<quint32> Items(const QByteArray& bytes)
{
    QList<quint32> items(bytes.size() / static_cast<qsizetype>(sizeof(quint32)));
    std::memcpy(items.data(), bytes.constData(), items.size() * sizeof(quint32));
    return items;
}
} // namespace

TSelectionTransfer::TSelectionTransfer(TSelectionLink& link, quint32 property, quint32 early,
                                       quint64 time, qint64 maxBytes)
    : link(link), property(property), early(early), time(time), maxBytes(maxBytes)
{
    result.timestamp = time;
}

void TSelectionTransfer::Start()
{
    // One round trip instead of two: an owner that takes the clipboard again soon after has
    // answered both. The text is read only once the targets show it may be.
    Ask(TAsk::Targets, link.Name(TXName::Targets));
    slots[1] = TSlot::Awaited;
    link.Convert(link.Name(TXName::Utf8String), early, time);
}

void TSelectionTransfer::Ask(TAsk ask, quint32 wanted)
{
    asked = ask;
    target = wanted;
    slots[0] = TSlot::Awaited;
    link.Convert(wanted, property, time);
}

bool TSelectionTransfer::Converted(const TXSelectionEvent& event)
{
    // An answer to an earlier transfer's request carries that copy's time.
    if (outcome != TOutcome::Pending || incrementing || (event.time != time && event.time != 0))
        return false;
    // Both requests in `property` and `early` never ask for the same target at once, so that
    // even a refusal, which names no property, tells which one it answers.
    if (slots[1] == TSlot::Awaited && event.target == link.Name(TXName::Utf8String) &&
        (event.property == early || event.property == 0))
        EarlyAnswered(event.property);
    else if (asked != TAsk::None && event.target == target &&
             (event.property == property || event.property == 0))
        Answered(event.property);
    else
        return false;
    if (outcome == TOutcome::Pending)
        Advance();
    return true;
}

void TSelectionTransfer::EarlyAnswered(quint32 given)
{
    slots[1] = given ? TSlot::Held : TSlot::Free;
    earlyRefused = !given;
}

void TSelectionTransfer::Answered(quint32 given)
{
    const TAsk answered = std::exchange(asked, TAsk::None);
    target = 0;
    slots[0] = TSlot::Free;
    if (!given)
        Finish(TOutcome::Skipped);
    else if (answered == TAsk::Targets)
        ReadTargets();
    else if (answered == TAsk::Hint)
        ReadHint();
    else
        ReadText(property);
}

bool TSelectionTransfer::PropertyNew(quint32 changed)
{
    if (outcome != TOutcome::Pending || !incrementing || changed != textProperty)
        return false;
    ReadIncrement();
    return true;
}

void TSelectionTransfer::GiveUp()
{
    if (outcome == TOutcome::Pending)
        Finish(TOutcome::Skipped);
}

TSelectionTransfer::TLeft TSelectionTransfer::Left(quint32 candidate) const
{
    const TSlot slot = candidate == early ? slots[1] : slots[0];
    if (slot == TSlot::Hanging)
        return TLeft::Hanging;
    return slot == TSlot::Free ? TLeft::Free : TLeft::Awaited;
}

void TSelectionTransfer::Advance()
{
    if (asked != TAsk::None || !targetsKnown)
        return;
    textTarget = TextTarget();
    const quint32 utf8 = link.Name(TXName::Utf8String);
    if (!textTarget) {
        Finish(TOutcome::Skipped);
        return;
    }
    // The text asked early is dropped unread when the copy may be a password, or when it is to
    // be read in another target.
    if (hinted || textTarget != utf8)
        DropEarly();
    if (hinted && !hintRead)
        Ask(TAsk::Hint, link.Name(TXName::PasswordHint));
    else if (slots[1] == TSlot::Held)
        ReadText(early);
    else if (slots[1] != TSlot::Awaited || textTarget != utf8)
        Ask(TAsk::Text, textTarget);
}

quint32 TSelectionTransfer::TextTarget() const
{
    // Plain text by preference: UTF-8, else Latin-1. A list of copied files alone offers none.
    quint32 best = 0;
    for (TXName name : {TXName::String, TXName::TextPlainUtf8, TXName::Utf8String}) {
        const quint32 atom = link.Name(name);
        if (offered.contains(atom) && !(name == TXName::Utf8String && earlyRefused))
            best = atom;
    }
    return best;
}

void TSelectionTransfer::DropEarly()
{
    if (slots[1] != TSlot::Held)
        return;
    // An incremental answer is left alone, so that its owner waits instead of sending more.
    if (link.Read(early, 0).type == link.Name(TXName::Incr)) {
        slots[1] = TSlot::Hanging;
        return;
    }
    link.Delete(early);
    slots[1] = TSlot::Free;
}

void TSelectionTransfer::ReadTargets()
{
    const TXPropertyValue list = link.Read(property, kListBytes);
    link.Delete(property);
    offered = list.format == 32 ? Items(list.bytes) : QList<quint32>();
    hinted = offered.contains(link.Name(TXName::PasswordHint));
    targetsKnown = true;
}

void TSelectionTransfer::ReadHint()
{
    const TXPropertyValue hint = link.Read(property, kListBytes);
    link.Delete(property);
    // A password must never land in a plain text file.
    if (hint.type == link.Name(TXName::Incr) || hint.bytes == QByteArrayLiteral("secret"))
        Finish(TOutcome::Skipped);
    else
        hintRead = true;
}

void TSelectionTransfer::ReadText(quint32 from)
{
    textProperty = from;
    // A short text comes whole with its size; a longer one is never fetched beyond that part
    // when it is over the limit.
    const TXPropertyValue head = link.Read(from, std::min(kFirstReadBytes, maxBytes));
    if (head.type == link.Name(TXName::Incr)) {
        const QList<quint32> announced = Items(head.bytes);
        declared = announced.isEmpty() ? 0 : announced.first();
        if (declared > maxBytes) {
            // Not deleting the property leaves the owner waiting: the transfer never starts.
            Slot(from) = TSlot::Hanging;
            TooLarge(declared);
            return;
        }
        incrementing = true;
        Slot(from) = TSlot::Awaited;
        link.Delete(from);
        return;
    }
    Slot(from) = TSlot::Free;
    const qint64 whole = head.bytes.size() + head.bytesAfter;
    if (whole > maxBytes) {
        link.Delete(from);
        TooLarge(whole);
        return;
    }
    bytes = head.bytesAfter == 0 ? head.bytes : link.Read(from, whole).bytes;
    link.Delete(from);
    TakeText();
}

void TSelectionTransfer::ReadIncrement()
{
    const qint64 size = link.Read(textProperty, 0).bytesAfter;
    if (size == 0) {
        link.Delete(textProperty);
        Slot(textProperty) = TSlot::Free;
        TakeText();
    } else if (bytes.size() + size > maxBytes) {
        Slot(textProperty) = TSlot::Hanging;
        TooLarge(std::max(declared, bytes.size() + size));
    } else {
        bytes += link.Read(textProperty, size).bytes;
        // Deleting asks the owner for the next part.
        link.Delete(textProperty);
    }
}

void TSelectionTransfer::TakeText()
{
    result.size = bytes.size();
    result.text = textTarget == link.Name(TXName::String) ? QString::fromLatin1(bytes)
                                                          : QString::fromUtf8(bytes);
    bytes.clear();
    Finish(TOutcome::Taken);
}

void TSelectionTransfer::TooLarge(qint64 size)
{
    result.tooLarge = true;
    result.size = size;
    bytes.clear();
    Finish(TOutcome::Taken);
}

void TSelectionTransfer::Finish(TOutcome done)
{
    outcome = done;
    DropEarly();
}
