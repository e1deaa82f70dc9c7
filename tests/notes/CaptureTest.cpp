#include "TestEnv.h"
#include "notes/U_ClipboardCapture.h"
#include "notes/U_CopiedText.h"
#include "notes/U_DroppedFiles.h"
#include "notes/U_NotesPad.h"

#include <QCoreApplication>
#include <QMimeData>

namespace {
// Moves on one second at every reading, so that each reading of the time shows.
struct TTickingClock : TClock
{
    QDateTime Now() const override { return now = now.addSecs(1); }
    mutable QDateTime now{QDate(2026, 12, 6), QTime(14, 5, 32)};
};
} // namespace

class Capture : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        Glb().EditorFirstShowPending = false;
        SetClock(ticking);
        capture = std::make_unique<TClipboardCapture>(pad);
    }
    void TearDown() override
    {
        capture.reset();
        TarvelleTest::TearDown();
    }
    void Copy(const QString& text) { platform->Copy(text); }

    std::shared_ptr<TTickingClock> ticking = std::make_shared<TTickingClock>();
    TNotesPad pad;
    std::unique_ptr<TClipboardCapture> capture;
};

TEST_F(Capture, CopiesBecomeLinesOnlyAfterTheFirstShowAndOnlyTheLastCountsAsARepeat)
{
    struct Case
    {
        bool noRepeat, hour;
        QStringList copies, lines;
    };
    const Case cases[] = {
        {false, false, {"A", "A"}, {"A", "A"}},
        {true, false, {"A", "B", "A"}, {"A", "B", "A"}},
        // The stored text has no time: a later abc is still a repeat.
        {true, true, {"abc", "abc"}, {"abc - 14:05:33"}},
        {false, false, {"un\r\ndeux\ntrois"}, {"un", "deux", "trois"}},
    };
    capture.reset();
    for (const Case& c : cases) {
        TNotesPad casePad;
        TClipboardCapture caseCapture(casePad);
        Glb().Options.NoRepeatOnCopy = c.noRepeat;
        Glb().Options.AddHourOnEntry = c.hour;
        ticking->now = QDateTime(QDate(2026, 12, 6), QTime(14, 5, 32));
        for (const QString& copy : c.copies)
            Copy(copy);
        EXPECT_EQ(casePad.Lines(), c.lines) << c.copies.join('|').toStdString();
    }
    EXPECT_FALSE(platform->clipboardWatched) << "the capture stops watching when it ends";
    capture = std::make_unique<TClipboardCapture>(pad);
    EXPECT_EQ(platform->clipboardLimit, 1 << 20);
    // The flags are asked before a copy is fetched.
    Glb().EditorFirstShowPending = true;
    EXPECT_FALSE(platform->clipboardWanted());
    Copy("avant");
    Glb().EditorFirstShowPending = false;
    Glb().Options.ClipboardCapture = false;
    EXPECT_FALSE(platform->clipboardWanted());
    Copy("sans capture");
    capture->Capture(TClipboardText{"sans capture", 12, false, 7});
    EXPECT_EQ(pad.LineCount(), 0);
}

// Where copies cannot be followed, the user hears it once, after the start-up's work, and only
// while copies are to be captured.
TEST_F(Capture, AClipboardThatCannotBeWatchedIsToldOnce)
{
    const QStringList told{QStringLiteral("Le presse-papier ne peut pas être suivi sur cet écran : "
                                          "les copies ne seront pas ajoutées aux notes.")};
    capture.reset();
    platform->clipboardWatchable = false;
    {
        TClipboardCapture unwatched(pad);
        EXPECT_FALSE(unwatched.Watching());
        EXPECT_TRUE(dialogs->plainMessages.isEmpty()) << "not in the middle of the start-up";
        QCoreApplication::processEvents();
        EXPECT_EQ(dialogs->plainMessages, told);
        unwatched.TellIfUnwatched();
        EXPECT_EQ(dialogs->plainMessages, told);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs->plainMessages, told) << "a capture gone says nothing";

    // Capture unticked: nothing to tell, until it is ticked.
    Glb().Options.ClipboardCapture = false;
    TClipboardCapture unticked(pad);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
    Glb().Options.ClipboardCapture = true;
    unticked.TellIfUnwatched();
    unticked.TellIfUnwatched();
    EXPECT_EQ(dialogs->plainMessages, told + told);

    platform->clipboardWatchable = true;
    TClipboardCapture watched(pad);
    QCoreApplication::processEvents();
    watched.TellIfUnwatched();
    EXPECT_TRUE(watched.Watching());
    EXPECT_EQ(dialogs->plainMessages.size(), 2);
}

// NUL bytes and control characters never reach the notes file; line breaks of every kind make
// lines, tabs stay.
TEST_F(Capture, ControlCharactersAreDroppedAndEveryLineBreakMakesALine)
{
    Glb().Options.NoRepeatOnCopy = true;
    Copy(QStringLiteral("a\0b\x01"
                        "c\td\x1B[0m\x7F\u0085\u200Be"));
    Copy(QStringLiteral("un\u2028deux\u2029trois\rquatre"));
    // Once cleaned, it is the last text again.
    Copy(QStringLiteral("un\u2028deux\u2029trois\rquatre\x07"));
    Copy(QString(3, QChar(0)));
    EXPECT_EQ(pad.Lines(), QStringList({QStringLiteral("abc\td[0m\u200Be"), "un", "deux", "trois",
                                        "quatre", ""}));
    EXPECT_EQ(capture->LastClipboardText(), "");
}

TEST_F(Capture, ACopyOverOneMebibyteLeavesALineSayingSo)
{
    Glb().Options.NoRepeatOnCopy = true;
    Glb().Options.AddHourOnEntry = true;
    const QString whole(1 << 20, u'x');
    Copy(whole);
    platform->Copy(TClipboardText{{}, 50'000'000, false, 90});
    platform->Copy(TClipboardText{{}, 50'000'000, false, 91}); // the same line: a repeat
    Copy(whole + u'x');
    EXPECT_EQ(pad.Lines(),
              QStringList({whole + " - 14:05:33",
                           QStringLiteral("[Copie de 50 Mo non captur\u00E9e] - 14:05:34"),
                           QStringLiteral("[Copie de 1 Mo non captur\u00E9e] - 14:05:35")}));
    struct Case
    {
        qint64 bytes;
        int megabytes;
    };
    for (const Case& c : {Case{1'048'577, 1}, Case{2'499'999, 2}, Case{2'500'000, 3},
                          Case{52'428'800, 52}, Case{5'000'000'000, 5000}})
        EXPECT_EQ(CopiedText::TooLargeLine(c.bytes),
                  QStringLiteral("[Copie de %1 Mo non captur\u00E9e]").arg(c.megabytes));
}

TEST_F(Capture, DroppedLocalFilesInOrderWithOneTimeAndWhole)
{
    Glb().Options.AddHourOnEntry = true;
    Glb().Options.ClipboardCapture = false;
    const QString longPath = "/tmp/" + QString(395, u'l');
    AddDroppedFiles(pad, {QUrl::fromLocalFile("/tmp/b.txt"), QUrl("https://exemple.fr/a.txt"),
                          QUrl::fromLocalFile("/tmp/a b.csv"), QUrl::fromLocalFile(longPath),
                          QUrl::fromLocalFile("/tmp/deux\nlignes"), QUrl("file:")});
    const QString suffix = " - 14:05:33";
    EXPECT_EQ(pad.Lines(), QStringList({"/tmp/b.txt" + suffix, "/tmp/a b.csv" + suffix,
                                        longPath + suffix, "file:///tmp/deux%0Alignes" + suffix}));
    QMimeData text, web, local;
    text.setText("/tmp/a.txt");
    web.setUrls({QUrl("https://exemple.fr/")});
    local.setUrls({QUrl("https://exemple.fr/"), QUrl::fromLocalFile("/tmp/a.txt")});
    EXPECT_FALSE(AcceptsDrop(nullptr) || AcceptsDrop(&text) || AcceptsDrop(&web));
    EXPECT_TRUE(AcceptsDrop(&local));
}
