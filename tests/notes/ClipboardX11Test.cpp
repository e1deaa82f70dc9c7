#include "TestEnv.h"
#include "ToolRun.h"
#include "notes/U_ClipboardCapture.h"
#include "notes/U_NotesPad.h"
#include "platform/x11/U_PlatformX11.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <memory>
#include <vector>

// Copies made by other programs on the display reach the pad through the real clipboard watch.
class ClipboardX11 : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        SetPlatform(std::make_unique<TPlatformX11>());
        Glb().EditorFirstShowPending = false;
    }
    void TearDown() override
    {
        capture.reset();
        for (const auto& process : owners) {
            process->kill();
            process->waitForFinished();
        }
        TarvelleTest::TearDown();
    }
    void StartCapture() { capture = std::make_unique<TClipboardCapture>(pad); }
    QProcess& Start(const QString& program, const QStringList& args, const QByteArray& input = {})
    {
        QProcess& process = *owners.emplace_back(std::make_unique<QProcess>());
        process.start(program, args);
        process.write(input);
        process.closeWriteChannel();
        return process;
    }
    QProcess& Owner(const QStringList& args, const QByteArray& input = {})
    {
        return Start(TARVELLE_CLIPOWNER, args, input);
    }
    // Runs the event loop until `condition` holds. A beat every 10 ms shows how long the loop
    // was ever held.
    bool Until(const std::function<bool()>& condition)
    {
        QTimer beat;
        QElapsedTimer sinceBeat;
        sinceBeat.start();
        QObject::connect(&beat, &QTimer::timeout,
                         [&]() { longestBeatMs = std::max(longestBeatMs, sinceBeat.restart()); });
        beat.start(10);
        const QDeadlineTimer deadline(kDeadlineMs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
    bool Asked(QProcess& owner, const QByteArray& target)
    {
        return Until([&]() {
            asked[&owner] += owner.readAllStandardOutput();
            return asked[&owner].split('\n').contains(target);
        });
    }
    bool PadHolds(const QStringList& lines)
    {
        return Until([&]() { return pad.LineCount() == lines.size() && pad.Lines() == lines; });
    }

    TNotesPad pad;
    std::unique_ptr<TClipboardCapture> capture;
    std::vector<std::unique_ptr<QProcess>> owners;
    QHash<QProcess*, QByteArray> asked;
    qint64 longestBeatMs = 0;
};

// Neither what the clipboard held at start, nor the mouse selection, nor a copy marked secret,
// nor copied files; texts of every kind, cleaned.
TEST_F(ClipboardX11, AnotherProgramsTextsReachThePadAndNothingElse)
{
    const auto xclip = [this](const QString& selection, const QByteArray& text) {
        Start("xclip", {"-quiet", "-selection", selection}, text);
    };
    xclip("clipboard", "déjà là");
    ASSERT_TRUE(
        Until([]() { return QGuiApplication::clipboard()->text() == QStringLiteral("déjà là"); }));
    StartCapture();
    xclip("primary", "sélection à la souris");
    QProcess& secret = Owner({"--text", "motdepasse", "--secret"});
    ASSERT_TRUE(Asked(secret, "x-kde-passwordManagerHint"));
    QProcess& files = Owner({"--text", "file:///tmp/a.txt", "--target", "text/uri-list"});
    ASSERT_TRUE(Asked(files, "TARGETS"));
    xclip("clipboard", "copié ailleurs\nsur deux lignes");
    ASSERT_TRUE(PadHolds({"copié ailleurs", "sur deux lignes"}));
    Owner({"--stdin", "--target", "STRING"}, "caf\xE9");
    ASSERT_TRUE(PadHolds({"copié ailleurs", "sur deux lignes", "café"}));
    Owner({"--stdin"}, QByteArray("a\0b\x01\x1B\tc\r\nd", 10));
    ASSERT_TRUE(PadHolds({"copié ailleurs", "sur deux lignes", "café", "ab\tc", "d"}));
}

// An owner that never answers: the event loop goes on, and the next copy is taken at once.
TEST_F(ClipboardX11, AnOwnerThatNeverAnswersHoldsNothingUp)
{
    StartCapture();
    ASSERT_TRUE(Asked(Owner({"--mute", "--text", "muet"}), "TARGETS"));
    Owner({"--text", "après le muet"});
    ASSERT_TRUE(PadHolds({"après le muet"}));
    EXPECT_LT(longestBeatMs, 300);
}

TEST_F(ClipboardX11, LargeTextsArriveWholeAndTooLargeOnesLeaveALine)
{
    StartCapture();
    // 300 KB in parts of 64 KB.
    QProcess& parts = Owner({"--size", "300000", "--incr", "65536"});
    QByteArray text;
    for (int line = 1; text.size() < 300000; ++line)
        text += "ligne " + QByteArray::number(line) + ' ' + QByteArray(60, 'x') + '\n';
    text.truncate(300000);
    ASSERT_TRUE(PadHolds(QString::fromLatin1(text).split('\n')))
        << pad.LineCount() << " lines; asked " << parts.readAllStandardOutput().toStdString();
    // Over 1 MiB, whole or in parts, announced or not: never fetched.
    Owner({"--size", "2000000"});
    QStringList lines = pad.Lines() << QStringLiteral("[Copie de 2 Mo non capturée]");
    ASSERT_TRUE(PadHolds(lines));
    Owner({"--size", "3000000", "--incr", "65536"});
    ASSERT_TRUE(PadHolds(lines << QStringLiteral("[Copie de 3 Mo non capturée]")));
    EXPECT_LT(longestBeatMs, 300);
}

// One program taking the clipboard again as soon as each copy was read, or as soon as it
// answered the targets' request and what came with it, or at a pace this machine keeps up with.
TEST_F(ClipboardX11, EveryCopyOfABurstArrivesExactlyOnce)
{
    struct Case
    {
        QStringList args;
        int copies;
    };
    const Case cases[] = {{{}, 200}, {{"--after-targets"}, 50}, {{"--rate", "20"}, 40}};
    for (const Case& c : cases) {
        TNotesPad casePad;
        TClipboardCapture caseCapture(casePad);
        QProcess& owner = Owner(QStringList({"--burst", QString::number(c.copies)}) + c.args);
        QStringList copies;
        for (int i = 1; i <= c.copies; ++i)
            copies << QStringLiteral("copie %1").arg(i);
        EXPECT_TRUE(Until([&]() { return casePad.Lines() == copies; }))
            << c.args.join(u' ').toStdString() << ": " << casePad.LineCount() << " lines, the last "
            << casePad.Lines().mid(casePad.LineCount() - 3).join(u',').toStdString();
        owner.kill();
        owner.waitForFinished();
    }
}

// An owner that answers with what it holds whatever copy was asked for, taking the clipboard
// again faster than the copies can be read: a copy may be missed, but none comes twice.
TEST_F(ClipboardX11, AnOwnerIgnoringTheCopysTimeNeverGivesATextTwice)
{
    StartCapture();
    Owner({"--burst", "300", "--rate", "1000", "--any-time"});
    ASSERT_TRUE(Until([this]() { return pad.Line(pad.LineCount() - 1) == "copie 300"; }));
    int last = 0;
    for (const QString& line : pad.Lines()) {
        const int number = line.mid(6).toInt();
        EXPECT_GT(number, last) << line.toStdString();
        last = number;
    }
}
