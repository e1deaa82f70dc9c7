#include "TestEnv.h"
#include "notes/U_ClipboardCapture.h"
#include "notes/U_DroppedFiles.h"
#include "notes/U_NotesPad.h"

#include <QImage>
#include <QMimeData>

namespace {
std::unique_ptr<QMimeData> TextData(const QString& text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

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
    }
    void Copy(const QString& text) { capture.Capture(TextData(text).get()); }

    std::shared_ptr<TTickingClock> ticking = std::make_shared<TTickingClock>();
    TNotesPad pad;
    TClipboardCapture capture{pad, nullptr};
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
    for (const Case& c : cases) {
        TNotesPad casePad;
        TClipboardCapture caseCapture(casePad, nullptr);
        Glb().Options.NoRepeatOnCopy = c.noRepeat;
        Glb().Options.AddHourOnEntry = c.hour;
        ticking->now = QDateTime(QDate(2026, 12, 6), QTime(14, 5, 32));
        for (const QString& copy : c.copies)
            caseCapture.Capture(TextData(copy).get());
        EXPECT_EQ(casePad.Lines(), c.lines) << c.copies.join('|').toStdString();
    }
    Glb().EditorFirstShowPending = true;
    Copy("avant");
    Glb().EditorFirstShowPending = false;
    Glb().Options.ClipboardCapture = false;
    Copy("sans capture");
    EXPECT_EQ(pad.LineCount(), 0);
}

TEST_F(Capture, OnlyPlainTextThatIsNoSecretIsTaken)
{
    Glb().Options.NoRepeatOnCopy = true;
    Copy("A");
    QMimeData image, files, secret, html;
    image.setImageData(QImage(4, 4, QImage::Format_RGB32));
    files.setUrls({QUrl::fromLocalFile("/tmp/copié.txt")});
    secret.setText("motdepasse");
    secret.setData("x-kde-passwordManagerHint", "secret");
    html.setHtml("<b>gras</b>");
    for (const QMimeData* data : {&image, &files, &secret, &html, static_cast<QMimeData*>(nullptr)})
        capture.Capture(data);
    Copy("A"); // none of them replaced the last text: still a repeat
    html.setText("gras");
    capture.Capture(&html);
    EXPECT_EQ(pad.Lines(), QStringList({"A", "gras"}));
    Copy(RepeatText(QString(99, u'x') + "\n", 100000)); // 10 MB
    EXPECT_EQ(pad.LineCount(), 100002);
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
