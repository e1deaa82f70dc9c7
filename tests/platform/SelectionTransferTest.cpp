#include "platform/x11/U_SelectionTransfer.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QList>
#include <QPair>

#include <algorithm>

namespace {
constexpr quint32 kProperty = 7;
constexpr quint32 kEarly = 8;
constexpr quint64 kTime = 5000;
constexpr quint32 kUriList = 900;
constexpr qint64 kLimit = 100;
using TKind = TXSelectionEvent::TKind;
using TOutcome = TSelectionTransfer::TOutcome;
using TLeft = TSelectionTransfer::TLeft;

quint32 N(TXName name)
{
    return 100 + static_cast<quint32>(name);
}

QByteArray Atoms(std::initializer_list<quint32> atoms)
{
    QByteArray bytes;
    for (quint32 atom : atoms)
        bytes.append(reinterpret_cast<const char*>(&atom), sizeof atom);
    return bytes;
}

// The X server as a transfer sees it: the owner's answers are set by the test.
class TFakeLink : public TSelectionLink
{
public:
    quint32 Name(TXName name) const override { return N(name); }
    void Convert(quint32 target, quint32 property, quint64 time) override
    {
        asked.append({target, property});
        askedTimes.append(time);
    }
    TXPropertyValue Read(quint32 property, qint64 maxBytes) override
    {
        largestRead[property] = std::max(largestRead.value(property), maxBytes);
        TXPropertyValue value = values.value(property);
        const qint64 whole = value.bytes.size();
        value.bytes = value.bytes.left((maxBytes + 3) / 4 * 4);
        value.bytesAfter = whole - value.bytes.size();
        return value;
    }
    void Delete(quint32 property) override
    {
        values.remove(property);
        ++deletes;
    }
    QList<quint32> AskedTargets() const
    {
        QList<quint32> targets;
        for (const auto& ask : asked)
            targets.append(ask.first);
        return targets;
    }

    QList<QPair<quint32, quint32>> asked; // target, property
    QList<quint64> askedTimes;
    QHash<quint32, TXPropertyValue> values;
    QHash<quint32, qint64> largestRead;
    int deletes = 0;
};

// One transfer against the fake server; the owner's answers go into the property it was asked
// to use, or are refusals.
struct TRun
{
    TRun() { transfer.Start(); }
    bool Answer(quint32 target, quint32 property, quint32 type, const QByteArray& bytes,
                int format = 8)
    {
        if (property)
            link.values[property] = TXPropertyValue{type, format, bytes, 0};
        return transfer.Converted({TKind::Converted, 0, kTime, target, property});
    }
    bool Targets(std::initializer_list<quint32> targets)
    {
        return Answer(N(TXName::Targets), kProperty, 4, Atoms(targets), 32);
    }
    bool Text(quint32 property, const QByteArray& bytes, quint32 target = N(TXName::Utf8String))
    {
        return Answer(target, property, target, bytes);
    }
    bool Refuse(quint32 target) { return Answer(target, 0, 0, {}); }
    bool Incr(quint32 property, quint32 announced)
    {
        return Answer(N(TXName::Utf8String), property, N(TXName::Incr), Atoms({announced}), 32);
    }
    // One part of an incremental transfer.
    void Part(quint32 property, const QByteArray& bytes)
    {
        link.values[property] = TXPropertyValue{N(TXName::Utf8String), 8, bytes, 0};
        EXPECT_TRUE(transfer.PropertyNew(property));
    }
    bool ReadAny(quint32 property) const { return link.largestRead.value(property) > 0; }

    TFakeLink link;
    TSelectionTransfer transfer{link, kProperty, kEarly, kTime, kLimit};
};
} // namespace

// The text is asked with the targets, before the owner answered anything: one round trip.
TEST(SelectionTransfer, TheTextIsAskedWithTheTargetsAndTakenInOneAnswerWhateverItsOrder)
{
    for (const bool textFirst : {false, true}) {
        TRun run;
        const QList<QPair<quint32, quint32>> both{{N(TXName::Targets), kProperty},
                                                  {N(TXName::Utf8String), kEarly}};
        ASSERT_EQ(run.link.asked, both);
        if (textFirst) {
            ASSERT_TRUE(run.Text(kEarly, "caf\xC3\xA9"));
            EXPECT_FALSE(run.ReadAny(kEarly)) << "held unread until the targets allow it";
            EXPECT_TRUE(run.transfer.AwaitingText());
        }
        ASSERT_TRUE(run.Targets({N(TXName::Targets), N(TXName::String), N(TXName::Utf8String)}));
        if (!textFirst) {
            ASSERT_TRUE(run.Text(kEarly, "caf\xC3\xA9"));
        }
        EXPECT_EQ(run.transfer.Outcome(), TOutcome::Taken);
        EXPECT_EQ(run.transfer.Result().text, QStringLiteral("caf\u00E9"));
        EXPECT_EQ(run.transfer.Result().size, 5);
        EXPECT_EQ(run.transfer.Result().timestamp, kTime);
        EXPECT_EQ(run.link.asked, both) << "nothing more asked";
        EXPECT_EQ(run.link.askedTimes, QList<quint64>({kTime, kTime})) << "the copy's own time";
        EXPECT_TRUE(run.link.values.isEmpty()) << "every answer is deleted once read";
        EXPECT_EQ(run.transfer.Left(kProperty), TLeft::Free);
        EXPECT_EQ(run.transfer.Left(kEarly), TLeft::Free);
    }
}

TEST(SelectionTransfer, ARefusedOrMissingUtf8FallsBackToPlainTextThenLatin1AndNothingButText)
{
    struct Case
    {
        std::initializer_list<quint32> offered;
        bool earlyAnswered; // the owner answers UTF-8 although it does not list it
        quint32 asked;
        QByteArray bytes;
        QString text;
    };
    const quint32 plain = N(TXName::TextPlainUtf8);
    const quint32 latin1 = N(TXName::String);
    const Case cases[] = {
        {{latin1, kUriList, N(TXName::Utf8String), plain},
         false,
         plain,
         "\xC3\xA9t\xC3\xA9",
         QStringLiteral("\u00E9t\u00E9")},
        {{latin1, plain}, true, plain, "caf\xC3\xA9", QStringLiteral("caf\u00E9")},
        {{latin1}, false, latin1, "caf\xE9", QStringLiteral("caf\u00E9")},
    };
    for (const Case& c : cases) {
        TRun run;
        if (c.earlyAnswered) {
            run.Text(kEarly, "autre chose");
        } else {
            ASSERT_TRUE(run.Refuse(N(TXName::Utf8String)));
        }
        run.Answer(N(TXName::Targets), kProperty, 4, Atoms(c.offered), 32);
        ASSERT_EQ(run.link.asked.last(), qMakePair(c.asked, kProperty));
        ASSERT_TRUE(run.Text(kProperty, c.bytes, c.asked));
        EXPECT_EQ(run.transfer.Outcome(), TOutcome::Taken);
        EXPECT_EQ(run.transfer.Result().text, c.text);
        EXPECT_FALSE(run.ReadAny(kEarly)) << "an answer in a target not offered stays unread";
        EXPECT_TRUE(run.link.values.isEmpty());
    }
    // Copied files alone offer no text; the text asked early is dropped unread when it comes.
    TRun files;
    ASSERT_TRUE(files.Targets({N(TXName::Targets), kUriList}));
    EXPECT_EQ(files.transfer.Outcome(), TOutcome::Skipped);
    EXPECT_EQ(files.link.asked.size(), 2);
    EXPECT_EQ(files.transfer.Left(kEarly), TLeft::Awaited);
    EXPECT_FALSE(files.Text(kEarly, "file:///tmp/a")) << "a late answer is the watch's to drop";
    // Text refused in every target offered.
    TRun refused;
    refused.Refuse(N(TXName::Utf8String));
    refused.Targets({N(TXName::Utf8String)});
    EXPECT_EQ(refused.transfer.Outcome(), TOutcome::Skipped);
}

TEST(SelectionTransfer, ASecretIsNeverReadAndAnswersForOthersAreLeftAlone)
{
    TRun run;
    run.link.values[kProperty] = TXPropertyValue{4, 32, Atoms({N(TXName::Utf8String)}), 0};
    // Another copy's time, another target, another property: not this transfer's answers.
    EXPECT_FALSE(
        run.transfer.Converted({TKind::Converted, 0, kTime - 1, N(TXName::Targets), kProperty}));
    EXPECT_FALSE(
        run.transfer.Converted({TKind::Converted, 0, kTime, N(TXName::String), kProperty}));
    EXPECT_FALSE(run.transfer.Converted({TKind::Converted, 0, kTime, N(TXName::Targets), 9}));
    EXPECT_FALSE(run.transfer.Converted({TKind::Converted, 0, kTime, N(TXName::Targets), kEarly}));
    EXPECT_FALSE(run.transfer.PropertyNew(kProperty));
    // The password itself came with the targets: it is deleted without being read.
    ASSERT_TRUE(run.Text(kEarly, "motdepasse"));
    ASSERT_TRUE(run.Targets({N(TXName::Utf8String), N(TXName::PasswordHint)}));
    EXPECT_FALSE(run.link.values.contains(kEarly));
    EXPECT_EQ(run.link.asked.last(), qMakePair(N(TXName::PasswordHint), kProperty));
    EXPECT_TRUE(run.transfer.AwaitingText());
    run.Answer(N(TXName::PasswordHint), kProperty, N(TXName::String), "secret");
    EXPECT_EQ(run.transfer.Outcome(), TOutcome::Skipped);
    EXPECT_EQ(run.link.asked.size(), 3);
    EXPECT_FALSE(run.ReadAny(kEarly));

    // A hint that says something else lets the text through, asked again once the early answer,
    // come after the hint's request, was dropped; a refusal then skips the copy.
    TRun other;
    other.Targets({N(TXName::Utf8String), N(TXName::PasswordHint)});
    other.Answer(N(TXName::PasswordHint), kProperty, N(TXName::String), "public");
    EXPECT_EQ(other.link.asked.size(), 3) << "the same target is never asked twice at once";
    other.Text(kEarly, "public");
    EXPECT_FALSE(other.ReadAny(kEarly));
    EXPECT_EQ(other.link.asked.last(), qMakePair(N(TXName::Utf8String), kProperty));
    EXPECT_TRUE(other.Text(kProperty, "public"));
    EXPECT_EQ(other.transfer.Result().text, "public");
    TRun refused;
    refused.Refuse(N(TXName::Utf8String));
    refused.Targets({N(TXName::Utf8String), N(TXName::PasswordHint)});
    refused.Answer(N(TXName::PasswordHint), kProperty, N(TXName::String), "public");
    EXPECT_EQ(refused.transfer.Outcome(), TOutcome::Skipped);

    // A secret sent in increments is left waiting, its announcement not even deleted.
    TRun incremental;
    incremental.Incr(kEarly, 50);
    incremental.Targets({N(TXName::Utf8String), N(TXName::PasswordHint)});
    incremental.transfer.GiveUp();
    EXPECT_TRUE(incremental.link.values.contains(kEarly));
    EXPECT_EQ(incremental.transfer.Left(kEarly), TLeft::Hanging);
    EXPECT_EQ(incremental.transfer.Left(kProperty), TLeft::Awaited);
}

TEST(SelectionTransfer, IncrementsArriveWholeAndNothingOverTheLimitIsFetched)
{
    for (const quint32 into : {kEarly, kProperty}) {
        TRun run;
        if (into == kProperty)
            run.Refuse(N(TXName::Utf8String));
        run.Targets({N(TXName::Utf8String), N(TXName::TextPlainUtf8)});
        ASSERT_TRUE(run.Answer(into == kEarly ? N(TXName::Utf8String) : N(TXName::TextPlainUtf8),
                               into, N(TXName::Incr), Atoms({kLimit}), 32));
        EXPECT_FALSE(run.transfer.AwaitingText()) << "the text's answer came";
        EXPECT_TRUE(run.link.values.isEmpty()) << "deleting the announcement starts the transfer";
        EXPECT_FALSE(run.transfer.PropertyNew(into == kEarly ? kProperty : kEarly));
        EXPECT_EQ(run.transfer.Left(into), TLeft::Awaited);
        run.Part(into, QByteArray(60, 'a'));
        run.Part(into, QByteArray(40, 'b'));
        run.Part(into, {});
        EXPECT_EQ(run.transfer.Outcome(), TOutcome::Taken);
        EXPECT_EQ(run.transfer.Result().text, QString(60, u'a') + QString(40, u'b'));
        EXPECT_EQ(run.transfer.Left(into), TLeft::Free);
    }

    struct Case
    {
        quint32 announced;       // 0: no incremental transfer
        QList<QByteArray> parts; // the whole value without one
        qint64 size;
    };
    const Case cases[] = {
        {0, {QByteArray(kLimit + 1, 'x')}, kLimit + 1},
        {5'000'000, {}, 5'000'000},
        // An owner that announced less than it sends is cut off at the limit.
        {10, {QByteArray(60, 'a'), QByteArray(50, 'b')}, 110},
    };
    for (const Case& c : cases) {
        TRun run;
        if (c.announced)
            run.Incr(kEarly, c.announced);
        else
            run.Text(kEarly, c.parts.first());
        run.Targets({N(TXName::Utf8String)});
        for (const QByteArray& part : c.announced ? c.parts : QList<QByteArray>())
            run.Part(kEarly, part);
        EXPECT_EQ(run.transfer.Outcome(), TOutcome::Taken);
        EXPECT_TRUE(run.transfer.Result().tooLarge);
        EXPECT_TRUE(run.transfer.Result().text.isEmpty());
        EXPECT_EQ(run.transfer.Result().size, c.size);
        EXPECT_LE(run.link.largestRead.value(kEarly), kLimit) << c.size;
        // An owner left waiting in an incremental transfer sends nothing more.
        EXPECT_EQ(run.transfer.Left(kEarly), c.announced ? TLeft::Hanging : TLeft::Free);
        EXPECT_EQ(run.link.values.contains(kEarly), c.announced != 0) << c.size;
    }
}
