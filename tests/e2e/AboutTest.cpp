#include "E2eSupport.h"

#include <QRegularExpression>
#include <QSize>

#include <csignal>

namespace {
class About : public ProgramTest
{
protected:
    static void Click(const QString& window, int x, int y)
    {
        RunTool("xdotool", {"mousemove", "--window", window, QString::number(x), QString::number(y),
                            "click", "1"});
    }
    // Whatever their title.
    QStringList Shown() const
    {
        const QString pid = QString::number(program->processId());
        return RunTool("xdotool", {"search", "--onlyvisible", "--pid", pid})
            .split('\n', Qt::SkipEmptyParts);
    }
    // The program's shown window of that size; "" when there is none.
    QString ShownOfSize(const QSize& size) const
    {
        const QString geometry =
            QStringLiteral("-geometry %1x%2").arg(size.width()).arg(size.height());
        for (const QString& window : Shown())
            if (RunTool("xwininfo", {"-id", window}).contains(geometry))
                return window;
        return {};
    }
    // Not managed by the window manager, and larger than the tray icon, which is not either.
    bool MenuShown() const
    {
        static const QRegularExpression width(QStringLiteral("Width: (\\d+)"));
        for (const QString& window : Shown()) {
            const QString info = RunTool("xwininfo", {"-id", window});
            if (info.contains("Override Redirect State: yes") &&
                width.match(info).captured(1).toInt() > 64)
                return true;
        }
        return false;
    }
    QString WaitForSize(const QSize& size) const
    {
        QString window;
        WaitUntil([&]() { return !(window = ShownOfSize(size)).isEmpty(); });
        return window;
    }

    QProcess* program = nullptr;
};
} // namespace

// The menu's last item opens the about window, its "A I D E" the help, and the help's
// "E  X  I  T" closes both.
TEST_F(About, TheMenusLastItemOpensTheAboutWindowWhoseHelpClosesBothOnExit)
{
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty()) << "no main window";
    // "Options & aide" is the 21 × 21 panel at (214, 22); its menu opens by its top-left corner.
    Click(main, 214 + 10, 22 + 10);
    ASSERT_TRUE(WaitUntil([&]() { return MenuShown(); })) << "no menu";
    // From no item, Up wraps round to the last one: "A propos & aide...".
    RunTool("xdotool", {"key", "Up", "Return"});
    const QString about = WaitForSize(QSize(274, 115));
    ASSERT_FALSE(about.isEmpty()) << "no about window";

    Click(about, 30 + 24, 62 + 16); // "A I D E"
    const QString help = WaitForSize(QSize(276, 115));
    ASSERT_FALSE(help.isEmpty()) << "no help window";
    EXPECT_FALSE(ShownOfSize(QSize(274, 115)).isEmpty()) << "the about window stays under the help";

    Click(help, 231 + 20, 4 + 8); // "E  X  I  T"
    EXPECT_TRUE(WaitUntil([&]() {
        return ShownOfSize(QSize(276, 115)).isEmpty() && ShownOfSize(QSize(274, 115)).isEmpty();
    })) << "the help or the about window stayed";
    EXPECT_FALSE(ShownMainWindow(program->processId()).isEmpty());

    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero(*program));
}
