#pragma once

#include "platform/U_Platform.h"
#include "platform/x11/U_XSelection.h"

// One reading of the text of one copy from the CLIPBOARD's owner: its targets first, the
// password managers' hint when offered, then the text, whole or in increments (INCR), never
// more than the limit. Each step waits for the owner's answer without blocking.
class TSelectionTransfer
{
public:
    enum class TOutcome
    {
        Pending,
        Taken,  // Result() holds the text, or its size when it was too large
        Skipped // refused, no text, marked secret, or not understood
    };

    // `time` is the copy's own time: an owner that took the clipboard again since refuses it.
    TSelectionTransfer(TSelectionLink& link, quint32 property, quint64 time, qint64 maxBytes);

    void Start();
    // The owner answered a conversion; false when the answer was not meant for this transfer.
    bool Converted(const TXSelectionEvent& event);
    // A new value of one of our properties; false when it is not this transfer's.
    bool PropertyNew(quint32 changed);

    TOutcome Outcome() const { return outcome; }
    const TClipboardText& Result() const { return result; }
    // Until the text's own answer: what an owner answers after it took the clipboard again
    // could be the newer copy's text, so a newer copy makes this one unreadable.
    bool AwaitingText() const { return step != TStep::Increments && outcome == TOutcome::Pending; }
    // The owner was left waiting in the middle of an incremental transfer: it may still write
    // into the property for a while.
    bool LeftHanging() const { return hanging; }
    quint32 Property() const { return property; }

private:
    enum class TStep
    {
        Targets,
        Hint,
        Text,
        Increments
    };

    void ReadTargets();
    void ReadHint();
    void ReadText();
    void ReadIncrement();
    void Request(TStep next, quint32 target);
    void Finish(TOutcome done);
    void TooLarge(qint64 size);
    void TakeText();

    TSelectionLink& link;
    quint32 property;
    quint64 time;
    qint64 maxBytes;
    TStep step = TStep::Targets;
    quint32 target = 0;     // the target asked for at this step
    quint32 textTarget = 0; // the text's target chosen from the owner's list
    QByteArray bytes;
    qint64 declared = 0; // an incremental transfer's announced size
    bool hanging = false;
    TOutcome outcome = TOutcome::Pending;
    TClipboardText result;
};
