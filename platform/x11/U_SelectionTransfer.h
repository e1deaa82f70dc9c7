#pragma once

#include "platform/U_Platform.h"
#include "platform/x11/U_XSelection.h"

#include <QList>

#include <array>

// One reading of the text of one copy from the CLIPBOARD's owner: its targets and its UTF-8
// text asked at once, the password managers' hint when offered, then the text, whole or in
// increments (INCR), never more than the limit. Each step waits for the owner's answer without
// blocking.
class TSelectionTransfer
{
public:
    enum class TOutcome
    {
        Pending,
        Taken,  // Result() holds the text, or its size when it was too large
        Skipped // refused, no text, marked secret, or not understood
    };
    // What the owner may still do with one of our properties.
    enum class TLeft
    {
        Free,
        Awaited, // an answer or a part is still to come
        Hanging  // the owner waits in an incremental transfer and writes again once it is deleted
    };

    // `time` is the copy's own time: an owner that took the clipboard again since refuses it.
    // The targets, the hint and a text asked late go into `property`, the text asked with the
    // targets into `early`.
    TSelectionTransfer(TSelectionLink& link, quint32 property, quint32 early, quint64 time,
                       qint64 maxBytes);

    void Start();
    // The owner answered a conversion; false when the answer was not meant for this transfer.
    bool Converted(const TXSelectionEvent& event);
    // A new value of one of our properties; false when it is not this transfer's.
    bool PropertyNew(quint32 changed);
    // Ends a pending transfer as skipped; an answer held unread is dropped unread.
    void GiveUp();

    TOutcome Outcome() const { return outcome; }
    const TClipboardText& Result() const { return result; }
    // Until the text is read: what an owner answers after it took the clipboard again could be
    // the newer copy's text, so a newer copy makes this one unreadable.
    bool AwaitingText() const { return !incrementing && outcome == TOutcome::Pending; }
    std::array<quint32, 2> Properties() const { return {property, early}; }
    bool Uses(quint32 candidate) const { return candidate == property || candidate == early; }
    TLeft Left(quint32 candidate) const;

private:
    enum class TAsk
    {
        None,
        Targets,
        Hint,
        Text
    };
    enum class TSlot
    {
        Free,
        Awaited,
        Held, // answered, not read yet
        Hanging
    };

    void Ask(TAsk ask, quint32 wanted);
    void Answered(quint32 given);
    void EarlyAnswered(quint32 given);
    void Advance();
    quint32 TextTarget() const;
    void DropEarly();
    void ReadTargets();
    void ReadHint();
    void ReadText(quint32 from);
    void ReadIncrement();
    void Finish(TOutcome done);
    void TooLarge(qint64 size);
    void TakeText();
    TSlot& Slot(quint32 of) { return of == early ? slots[1] : slots[0]; }

    TSelectionLink& link;
    quint32 property;
    quint32 early;
    quint64 time;
    qint64 maxBytes;
    TAsk asked = TAsk::None;
    quint32 target = 0; // what the request pending in `property` asked for
    std::array<TSlot, 2> slots{TSlot::Free, TSlot::Free};
    bool targetsKnown = false;
    QList<quint32> offered;
    bool hinted = false; // the owner offers the password managers' hint
    bool hintRead = false;
    bool earlyRefused = false;
    quint32 textTarget = 0; // the target the text is read as
    quint32 textProperty = 0;
    bool incrementing = false;
    QByteArray bytes;
    qint64 declared = 0; // an incremental transfer's announced size
    TOutcome outcome = TOutcome::Pending;
    TClipboardText result;
};
