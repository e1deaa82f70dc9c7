#include "platform/x11/U_SelectionTransfer.h"

#include <QList>

#include <algorithm>
#include <cstring>

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

TSelectionTransfer::TSelectionTransfer(TSelectionLink& link, quint32 property, quint64 time,
                                       qint64 maxBytes)
    : link(link), property(property), time(time), maxBytes(maxBytes)
{
    result.timestamp = time;
}

void TSelectionTransfer::Start()
{
    Request(TStep::Targets, link.Name(TXName::Targets));
}

void TSelectionTransfer::Request(TStep next, quint32 wanted)
{
    step = next;
    target = wanted;
    link.Convert(wanted, property, time);
}

bool TSelectionTransfer::Converted(const TXSelectionEvent& event)
{
    // An answer to an earlier transfer's request carries that copy's time.
    if (outcome != TOutcome::Pending || step == TStep::Increments || event.target != target ||
        (event.time != time && event.time != 0) ||
        (event.property != 0 && event.property != property))
        return false;
    if (event.property == 0)
        Finish(TOutcome::Skipped);
    else if (step == TStep::Targets)
        ReadTargets();
    else if (step == TStep::Hint)
        ReadHint();
    else
        ReadText();
    return true;
}

bool TSelectionTransfer::PropertyNew(quint32 changed)
{
    if (outcome != TOutcome::Pending || step != TStep::Increments || changed != property)
        return false;
    ReadIncrement();
    return true;
}

void TSelectionTransfer::ReadTargets()
{
    const TXPropertyValue list = link.Read(property, kListBytes);
    link.Delete(property);
    const QList<quint32> items = list.format == 32 ? Items(list.bytes) : QList<quint32>();
    // Plain text by preference: UTF-8, else Latin-1. A list of copied files alone offers none.
    for (TXName name : {TXName::String, TXName::TextPlainUtf8, TXName::Utf8String}) {
        if (items.contains(link.Name(name)))
            textTarget = link.Name(name);
    }
    if (!textTarget)
        Finish(TOutcome::Skipped);
    else if (items.contains(link.Name(TXName::PasswordHint)))
        Request(TStep::Hint, link.Name(TXName::PasswordHint));
    else
        Request(TStep::Text, textTarget);
}

void TSelectionTransfer::ReadHint()
{
    const TXPropertyValue hint = link.Read(property, kListBytes);
    link.Delete(property);
    // A password must never land in a plain text file.
    if (hint.type == link.Name(TXName::Incr) || hint.bytes == QByteArrayLiteral("secret"))
        Finish(TOutcome::Skipped);
    else
        Request(TStep::Text, textTarget);
}

void TSelectionTransfer::ReadText()
{
    // A short text comes whole with its size; a longer one is never fetched beyond that part
    // when it is over the limit.
    const TXPropertyValue head = link.Read(property, std::min(kFirstReadBytes, maxBytes));
    if (head.type == link.Name(TXName::Incr)) {
        const QList<quint32> announced = Items(head.bytes);
        declared = announced.isEmpty() ? 0 : announced.first();
        if (declared > maxBytes) {
            // Not deleting the property leaves the owner waiting: the transfer never starts.
            hanging = true;
            TooLarge(declared);
            return;
        }
        step = TStep::Increments;
        link.Delete(property);
        return;
    }
    const qint64 whole = head.bytes.size() + head.bytesAfter;
    if (whole > maxBytes) {
        link.Delete(property);
        TooLarge(whole);
        return;
    }
    bytes = head.bytesAfter == 0 ? head.bytes : link.Read(property, whole).bytes;
    link.Delete(property);
    TakeText();
}

void TSelectionTransfer::ReadIncrement()
{
    const qint64 size = link.Read(property, 0).bytesAfter;
    if (size == 0) {
        link.Delete(property);
        TakeText();
    } else if (bytes.size() + size > maxBytes) {
        hanging = true;
        TooLarge(std::max(declared, bytes.size() + size));
    } else {
        bytes += link.Read(property, size).bytes;
        // Deleting asks the owner for the next part.
        link.Delete(property);
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
}
