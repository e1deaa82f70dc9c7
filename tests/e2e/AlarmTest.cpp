#include "E2eSupport.h"

#include <QDateTime>
#include <QImage>
#include <QRegularExpression>

#include <csignal>

namespace {
class Alarm : public ProgramTest
{
protected:
    // The pixels of the screen under a rectangle of a window.
    QImage Grab(const QString& window, const QRect& area)
    {
        static const QRegularExpression corner(QStringLiteral(
            "Absolute upper-left X:\\s+(-?\\d+)\\s+Absolute upper-left Y:\\s+(-?\\d+)"));
        const auto at = corner.match(RunTool("xwininfo", {"-id", window}));
        if (!at.hasMatch())
            return {};
        const QString file = temp.filePath("shot.png");
        const QRect onScreen = area.translated(at.captured(1).toInt(), at.captured(2).toInt());
        RunTool(beside + "/tarvelle_xshot", {file, QStringLiteral("%1,%2,%3,%4")
                                                       .arg(onScreen.x())
                                                       .arg(onScreen.y())
                                                       .arg(onScreen.width())
                                                       .arg(onScreen.height())});
        return QImage(file);
    }
    // The alarm picture is red and yellow; the window's default background has no yellow.
    static int YellowPixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                count += pixel.red() > 200 && pixel.green() > 200 && pixel.blue() < 90;
            }
        return count;
    }
};
} // namespace

// Records hold seconds and the clock compares whole time texts, so a record a few seconds ahead
// is armed at the start: at its second the running program shows its banner and, once the
// banner is clicked away, the alarm picture on the main window.
TEST_F(Alarm, ARecordDueInAFewSecondsShowsTheBannerAndThePicture)
{
    const QDateTime now = QDateTime::currentDateTime();
    // Room for a slow start under the sanitizers, which must come before the alarm.
    const QDateTime due = now.addSecs(12).addMSecs(-now.time().msec());
    if (due.date() != now.date())
        GTEST_SKIP() << "seconds before midnight: the record would be tomorrow's";
    ASSERT_TRUE(WriteBytes(home.filePath("breakPoint.csv"),
                           due.toString("dd/MM/yyyy;hh:mm:ss;rendez-vous\r\n").toLatin1()));
    QProcess* program = nullptr;
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    const QRect picture(226, 64, 20, 20);
    const QImage before = Grab(main, picture);
    ASSERT_LT(QDateTime::currentDateTime(), due) << "the start took longer than the lead";
    EXPECT_EQ(YellowPixels(before), 0);

    QString banner;
    const int waitMs = static_cast<int>(QDateTime::currentDateTime().msecsTo(due)) + 10000;
    ASSERT_TRUE(WaitUntil(
        [&]() {
            const QStringList shown = ShownWindows(program->processId(), "A L A R M E - Tarvelle");
            banner = shown.value(0);
            return !banner.isEmpty();
        },
        waitMs))
        << "no banner";
    EXPECT_GE(QDateTime::currentDateTime(), due) << "the banner came early";
    RunTool("xdotool", {"mousemove", "--window", banner, "5", "5", "click", "1"});
    EXPECT_TRUE(WaitUntil(
        [&]() { return ShownWindows(program->processId(), "A L A R M E - Tarvelle").isEmpty(); }));
    EXPECT_TRUE(WaitUntil([&]() { return YellowPixels(Grab(main, picture)) > 20; }))
        << "no alarm picture";
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero(*program));
}
