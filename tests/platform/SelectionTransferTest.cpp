#include "platform/x11/U_SelectionTransfer.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QList>

#include <algorithm>

namespace {
constexpr quint32 kProperty = 7;
constexpr quint64 kTime = 5000;
constexpr quint32 kUriList = 900;
constexpr qint64 kLimit = 100;

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
    quint32 Name(TXName name) const override { return 100 + static_cast<quint32>(name); }
    void Convert(quint32 target, quint32, quint64 time) override
    {
        asked.append(target);
        askedTimes.append(time);
    }
    TXPropertyValue Read(quint32 property, qint64 maxBytes) override
    {
        largestRead = std::max(largestRead, maxBytes);
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

    QList<quint32> asked;
    QList<quint64> askedTimes;
    QHash<quint32, TXPropertyValue> values;
    qint64 largestRead = 0;
    int deletes = 0;
};
} // namespace

class SelectionTransfer : public ::testing::Test
{
protected:
    quint32 N(TXName name) const { return link.Name(name); }
    // The owner puts `bytes` of `type` into our property and says so.
    bool Answer(quint32 type, const QByteArray& bytes, int format = 8)
    {
        link.values[kProperty] = TXPropertyValue{type, format, bytes, 0};
        return transfer.Converted(
            {TXSelectionEvent::TKind::Converted, 0, kTime, link.asked.last(), kProperty});
    }
    bool AnswerTargets(std::initializer_list<quint32> targets)
    {
        return Answer(4, Atoms(targets), 32);
    }
    // One part of an incremental transfer.
    void Part(const QByteArray& bytes)
    {
        link.values[kProperty] = TXPropertyValue{N(TXName::Utf8String), 8, bytes, 0};
        EXPECT_TRUE(transfer.PropertyNew(kProperty));
    }
    void Start() { transfer.Start(); }

    TFakeLink link;
    TSelectionTransfer transfer{link, kProperty, kTime, kLimit};
};

TEST_F(SelectionTransfer, TakesUtf8FirstThenPlainTextThenLatin1AndNothingButText)
{
    struct Case
    {
        std::initializer_list<quint32> offered;
        quint32 asked;
        QByteArray bytes;
        QString text;
    };
    const quint32 utf8 = 100 + static_cast<quint32>(TXName::Utf8String);
    const quint32 plain = 100 + static_cast<quint32>(TXName::TextPlainUtf8);
    const quint32 latin1 = 100 + static_cast<quint32>(TXName::String);
    const Case cases[] = {
        {{latin1, kUriList, utf8, plain}, utf8, "caf\xC3\xA9", QStringLiteral("caf\u00E9")},
        {{latin1, plain}, plain, "caf\xC3\xA9", QStringLiteral("caf\u00E9")},
        {{latin1}, latin1, "caf\xE9", QStringLiteral("caf\u00E9")},
    };
    for (const Case& c : cases) {
        TFakeLink caseLink;
        TSelectionTransfer caseTransfer(caseLink, kProperty, kTime, kLimit);
        caseTransfer.Start();
        caseLink.values[kProperty] = TXPropertyValue{4, 32, Atoms(c.offered), 0};
        EXPECT_TRUE(caseTransfer.Converted({TXSelectionEvent::TKind::Converted, 0, kTime,
                                            caseLink.Name(TXName::Targets), kProperty}));
        ASSERT_EQ(caseLink.asked.last(), c.asked);
        caseLink.values[kProperty] = TXPropertyValue{c.asked, 8, c.bytes, 0};
        EXPECT_TRUE(caseTransfer.Converted(
            {TXSelectionEvent::TKind::Converted, 0, kTime, c.asked, kProperty}));
        EXPECT_EQ(caseTransfer.Outcome(), TSelectionTransfer::TOutcome::Taken);
        EXPECT_EQ(caseTransfer.Result().text, c.text);
        EXPECT_EQ(caseTransfer.Result().size, c.bytes.size());
        EXPECT_TRUE(caseLink.values.isEmpty()) << "every answer is deleted once read";
        EXPECT_EQ(caseLink.askedTimes, QList<quint64>({kTime, kTime})) << "the copy's own time";
    }
    // Copied files alone offer no text.
    Start();
    AnswerTargets({N(TXName::Targets), kUriList});
    EXPECT_EQ(transfer.Outcome(), TSelectionTransfer::TOutcome::Skipped);
    EXPECT_EQ(link.asked.size(), 1);
}

TEST_F(SelectionTransfer, ASecretIsNeverFetchedAndAnswersForOthersAreLeftAlone)
{
    Start();
    using TKind = TXSelectionEvent::TKind;
    link.values[kProperty] = TXPropertyValue{4, 32, Atoms({N(TXName::Utf8String)}), 0};
    // Another copy's time, another target, another property: not this transfer's answers.
    EXPECT_FALSE(
        transfer.Converted({TKind::Converted, 0, kTime - 1, N(TXName::Targets), kProperty}));
    EXPECT_FALSE(
        transfer.Converted({TKind::Converted, 0, kTime, N(TXName::Utf8String), kProperty}));
    EXPECT_FALSE(transfer.Converted({TKind::Converted, 0, kTime, N(TXName::Targets), 8}));
    EXPECT_FALSE(transfer.PropertyNew(kProperty));
    ASSERT_TRUE(AnswerTargets({N(TXName::Utf8String), N(TXName::PasswordHint)}));
    EXPECT_EQ(link.asked.last(), N(TXName::PasswordHint)) << "the hint is asked before the text";
    EXPECT_TRUE(transfer.AwaitingText());
    Answer(N(TXName::String), "secret");
    EXPECT_EQ(transfer.Outcome(), TSelectionTransfer::TOutcome::Skipped);
    EXPECT_EQ(link.asked.size(), 2);

    // A hint that says something else lets the text through; a refusal skips the copy.
    TSelectionTransfer other(link, kProperty, kTime, kLimit);
    other.Start();
    link.values[kProperty] =
        TXPropertyValue{4, 32, Atoms({N(TXName::Utf8String), N(TXName::PasswordHint)}), 0};
    other.Converted({TKind::Converted, 0, kTime, N(TXName::Targets), kProperty});
    link.values[kProperty] = TXPropertyValue{N(TXName::String), 8, "public", 0};
    other.Converted({TKind::Converted, 0, kTime, N(TXName::PasswordHint), kProperty});
    EXPECT_EQ(link.asked.last(), N(TXName::Utf8String));
    EXPECT_TRUE(other.Converted({TKind::Converted, 0, kTime, N(TXName::Utf8String), 0}));
    EXPECT_EQ(other.Outcome(), TSelectionTransfer::TOutcome::Skipped);
}

TEST_F(SelectionTransfer, IncrementsArriveWholeAndNothingOverTheLimitIsFetched)
{
    Start();
    AnswerTargets({N(TXName::Utf8String)});
    QByteArray announced(reinterpret_cast<const char*>(&kLimit), 4);
    Answer(N(TXName::Incr), announced, 32);
    EXPECT_FALSE(transfer.AwaitingText()) << "the text's answer came";
    EXPECT_TRUE(link.values.isEmpty()) << "deleting the announcement starts the transfer";
    Part(QByteArray(60, 'a'));
    Part(QByteArray(40, 'b'));
    Part({});
    EXPECT_EQ(transfer.Outcome(), TSelectionTransfer::TOutcome::Taken);
    EXPECT_EQ(transfer.Result().text, QString(60, u'a') + QString(40, u'b'));
    EXPECT_FALSE(transfer.LeftHanging());

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
        TFakeLink caseLink;
        TSelectionTransfer caseTransfer(caseLink, kProperty, kTime, kLimit);
        caseTransfer.Start();
        caseLink.values[kProperty] =
            TXPropertyValue{4, 32, Atoms({caseLink.Name(TXName::Utf8String)}), 0};
        caseTransfer.Converted({TXSelectionEvent::TKind::Converted, 0, kTime,
                                caseLink.Name(TXName::Targets), kProperty});
        caseLink.largestRead = 0;
        caseLink.values[kProperty] =
            c.announced ? TXPropertyValue{caseLink.Name(TXName::Incr), 32, Atoms({c.announced}), 0}
                        : TXPropertyValue{caseLink.Name(TXName::Utf8String), 8, c.parts.first(), 0};
        caseTransfer.Converted({TXSelectionEvent::TKind::Converted, 0, kTime,
                                caseLink.Name(TXName::Utf8String), kProperty});
        for (const QByteArray& part : c.announced ? c.parts : QList<QByteArray>()) {
            caseLink.values[kProperty] =
                TXPropertyValue{caseLink.Name(TXName::Utf8String), 8, part, 0};
            caseTransfer.PropertyNew(kProperty);
        }
        EXPECT_EQ(caseTransfer.Outcome(), TSelectionTransfer::TOutcome::Taken);
        EXPECT_TRUE(caseTransfer.Result().tooLarge);
        EXPECT_TRUE(caseTransfer.Result().text.isEmpty());
        EXPECT_EQ(caseTransfer.Result().size, c.size);
        EXPECT_LE(caseLink.largestRead, kLimit) << c.size;
        // An owner left waiting in an incremental transfer sends nothing more.
        EXPECT_EQ(caseTransfer.LeftHanging(), c.announced != 0) << c.size;
        EXPECT_EQ(caseLink.values.contains(kProperty), c.announced != 0) << c.size;
    }
}
