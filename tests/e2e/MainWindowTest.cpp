#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QRegularExpression>

#include <csignal>

namespace {
// The tray icon is a small window embedded in the tray host; it carries no process id.
QString TrayIcon()
{
    static const QRegularExpression line(
        QStringLiteral(R"((0x[0-9a-f]+) "Tarvelle": \("tarvelle" "Tarvelle"\)\s+(\d+)x(\d+))"));
    const QString tree = RunTool(QStringLiteral("xwininfo"), {"-root", "-tree"});
    for (const QString& row : tree.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(row);
        if (match.hasMatch() && match.captured(2).toInt() < 64 && match.captured(3).toInt() < 64)
            return match.captured(1);
    }
    return {};
}

void Click(const QString& window, const QPoint& at, int button = 1)
{
    RunTool(QStringLiteral("xdotool"),
            {"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y())});
    RunTool(QStringLiteral("xdotool"), {"click", QString::number(button)});
}

// A second press within the double-click time is a double click, not a new click.
void PastDoubleClickTime(const QElapsedTimer& sinceLastClick)
{
    WaitUntil([&]() { return sinceLastClick.elapsed() > 800; });
}

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        ASSERT_TRUE(sandbox.IsValid());
        ASSERT_TRUE(sandbox.InstallDistributedFiles());
    }
    // Starts the program and waits for its main window and its tray icon.
    void Start()
    {
        program = &sandbox.Start();
        ASSERT_TRUE(WaitUntil([&]() {
            main = ShownMainWindow(program->processId());
            tray = TrayIcon();
            return !main.isEmpty() && !tray.isEmpty();
        })) << "no main window and tray icon";
    }
    bool MainShown() { return !ShownMainWindow(program->processId()).isEmpty(); }
    QString Question(const QString& text) { return TProgramSandbox::WaitForWindow(*program, text); }
    bool EndsWithZero()
    {
        return program->waitForFinished(kDeadlineMs) &&
               program->exitStatus() == QProcess::NormalExit && program->exitCode() == 0;
    }

    TProgramSandbox sandbox;
    QProcess* program = nullptr;
    QString main;
    QString tray;
};
} // namespace

TEST_F(MainWindow, TrayLeftClickHidesAndShowsTheWindows)
{
    Start();
    QElapsedTimer sinceClick;
    sinceClick.start();
    Click(tray, QPoint(5, 5));
    EXPECT_TRUE(WaitUntil([&]() { return !MainShown(); }));
    PastDoubleClickTime(sinceClick);
    Click(tray, QPoint(5, 5));
    EXPECT_TRUE(WaitUntil([&]() { return MainShown(); }));
}

TEST_F(MainWindow, TrayRightClickAsksAndCancelKeepsEverything)
{
    Start();
    Click(tray, QPoint(5, 5), 3);
    const QString question = Question(QStringLiteral("Fermer Tarvelle ?"));
    ASSERT_FALSE(question.isEmpty());
    // 150 × 60 with the 25 px bar at the bottom: "Annuler" is the right-hand button.
    Click(question, QPoint(150 - 30, 60 - 12));
    EXPECT_TRUE(WaitUntil(
        [&]() { return ShownWindow(program->processId(), "Fermer Tarvelle ?").isEmpty(); }));
    EXPECT_TRUE(MainShown());
    EXPECT_TRUE(StillRuns(*program));

    QElapsedTimer sinceAnswer;
    sinceAnswer.start();
    PastDoubleClickTime(sinceAnswer);
    Click(tray, QPoint(5, 5), 3);
    const QString again = Question(QStringLiteral("Fermer Tarvelle ?"));
    ASSERT_FALSE(again.isEmpty());
    Click(again, QPoint(30, 60 - 12)); // "OK"
    EXPECT_TRUE(EndsWithZero());
}

TEST_F(MainWindow, SessionEndClosesCleanly)
{
    Start();
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    EXPECT_TRUE(EndsWithZero());
    // The settings are written on the way out, as at any closing.
    EXPECT_TRUE(QFile::exists(sandbox.Home() + "/ConfigMnemo.ini"));
}

TEST_F(MainWindow, SavedPositionAndAThemeKeptAtClosing)
{
    QFile settings(sandbox.Home() + "/ConfigMnemo.ini");
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write("[Composants]\r\nCouleur g\xE9n\xE9rale A=255255255\r\n"
                   "Couleur g\xE9n\xE9rale B=000000000\r\nDirection LH=l\r\n"
                   "Couleur fond texte=146132224\r\nCouleur du texte=000000000\r\n"
                   "Couleur du titre=000000000\r\nCouleur Marque=000000000\r\n"
                   "Couleur fonte marque=255255255\r\n"
                   "[Options]\r\nOption ClipBoard=1\r\nRepeat on Ctrl+C=0\r\n"
                   "Sauvegarde ou non=1\r\nAjout heure=0\r\nHorodatage=1\r\nPage to down=0\r\n"
                   "Ancrage=0\r\nLeft Fragm=123\r\nTop Fragm=77\r\nLeft Traceur=0\r\n"
                   "Top Traceur=0\r\nLeft Mnemo=0\r\nTop Mnemo=0\r\nMnemo visible=0\r\n"
                   "Position par dft=1\r\nSauvegarde automatique=0\r\nTraceur visible=0\r\n"
                   "posDefault=0\r\nD\xE9marrage sur Traceur=0\r\nD\xE9tails traces=0\r\n"
                   "StartJustIcon=0\r\n");
    settings.close();
    Start();
    EXPECT_EQ(WindowPosition(main), QPoint(123, 77));
    const qsizetype windows = ShownWindows(program->processId(), "Tarvelle").size();

    // A right-button release on the free surface opens the themes; the first is "BlueMetal".
    Click(main, QPoint(240, 75), 3);
    ASSERT_TRUE(WaitUntil([&]() {
        return RunTool("xdotool", {"search", "--onlyvisible", "--class", "tarvelle"})
                   .split('\n', Qt::SkipEmptyParts)
                   .size() > windows;
    })) << "the theme menu did not open";
    RunTool("xdotool", {"key", "Down", "Return"});
    Click(main, QPoint(260, 55)); // the "X"
    const QString question = Question(QStringLiteral("Conserver ces couleurs ?"));
    ASSERT_FALSE(question.isEmpty());
    Click(question, QPoint(30, 55 - 12)); // "    O K    "
    ASSERT_TRUE(EndsWithZero());

    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    EXPECT_TRUE(written.contains("Couleur g\xE9n\xE9rale A=186246202\r\n")) << written.constData();
    EXPECT_TRUE(written.contains("Couleur fond texte=105120129\r\n"));
    EXPECT_TRUE(written.contains("Couleur du texte=223223223\r\n"));
    EXPECT_TRUE(written.contains("Left Fragm=123\r\n")) << written.constData();
}
