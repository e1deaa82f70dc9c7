#include "TestEnv.h"
#include "core/F_Glb.h"
#include "help/F_HlpMain.h"
#include "help/F_Marquee.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_HintSwitch.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {
class Marquee : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        mainWindow.setGeometry(300, 200, 277, 116);
        SetMainWindow(&mainWindow);
    }
    void TearDown() override
    {
        SetMainWindow(nullptr);
        TarvelleTest::TearDown();
    }
    static void ClickPicture(TfrmMarquee& about)
    {
        QTest::mouseClick(about.imgMarquee, Qt::LeftButton, {}, QPoint(200, 30));
    }
    template <typename T> static T* OpenWindow()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<T*>(window); found && found->isVisible())
                return found;
        return nullptr;
    }
    template <typename T> static bool AnyLeft()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<T*>(window))
                return true;
        return false;
    }
    // Once the help shows, its "E  X  I  T" is pressed and released, as a user would.
    void ExitHelpWhenShown()
    {
        QTimer::singleShot(0, [this]() {
            TfrmHlpMain* help = OpenWindow<TfrmHlpMain>();
            helpSize = help ? help->size() : QSize();
            if (!help)
                return;
            QTest::mousePress(help->scrOutHlp, Qt::LeftButton, {}, QPoint(20, 8));
            QTest::mouseRelease(help->scrOutHlp, Qt::LeftButton, {}, QPoint(20, 8));
        });
    }
    // A click on "A I D E" once the window is shown modally, the help closed as it opens.
    void UseHelpWhenShown(TfrmMarquee& about)
    {
        QTimer::singleShot(0, [this, &about]() {
            ExitHelpWhenShown();
            QTest::mouseClick(about.spdAIDE, Qt::LeftButton);
        });
    }

    QWidget mainWindow;
    QSize helpSize;
};

// The help opener that fails, or counts its openings.
class TMarqueeWithHelp : public TfrmMarquee
{
public:
    using TfrmMarquee::TfrmMarquee;
    bool fails = false;
    int opened = 0;

protected:
    void OpenHelp() override
    {
        ++opened;
        if (fails)
            throw std::runtime_error("pas d'aide");
    }
};
} // namespace

TEST_F(Marquee, ThePictureFillsTheBorderlessWindowCentredOnTheMainWindowUnderTheHelpButton)
{
    TfrmMarquee about(&mainWindow);
    EXPECT_EQ(about.size(), QSize(274, 115));
    EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(about.pos(), mainWindow.geometry().center() - QPoint(137, 57));
    EXPECT_EQ(about.imgMarquee->geometry(), QRect(0, 0, 274, 115));
    EXPECT_EQ(about.imgMarquee->Picture().size(), QSize(274, 115));
    EXPECT_EQ(about.imgMarquee->toolTip(), QStringLiteral("Retour : cliquer sur l'image "));
    EXPECT_TRUE(THintSwitch::IsShown(about.imgMarquee));
    EXPECT_EQ(about.spdAIDE->geometry(), QRect(30, 62, 49, 33));
    EXPECT_EQ(about.spdAIDE->Caption(), QStringLiteral("A I D E"));
    EXPECT_EQ(about.spdAIDE->font().pixelSize(), 11);
    about.show();
    EXPECT_EQ(about.childAt(40, 70), about.spdAIDE) << "the button lies over the picture";
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

TEST_F(Marquee, WithoutTranslucencyTheWindowIsOpaqueAndAClickClosesItAtOnce)
{
    TfrmMarquee about(&mainWindow);
    EXPECT_EQ(about.windowOpacity(), 1.0);
    EXPECT_FALSE(about.timerBlend->isActive());
    QTimer::singleShot(0, [&about]() { ClickPicture(about); });
    EXPECT_EQ(about.ShowModal(), 1);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(about.timerBlend->isActive());
}

namespace {
// The window's opacity at every paint of its picture, the same value painted again once.
class TPaintedOpacities : public QObject
{
public:
    explicit TPaintedOpacities(TfrmMarquee& window) : about(window)
    {
        about.imgMarquee->installEventFilter(this);
    }
    // Waits for the step just taken to be painted, then ticks twice: the second tick comes
    // before the new step is painted and must not take another step. False when no paint came.
    bool PaintThenTick()
    {
        if (!QTest::qWaitFor([this]() { return paints > paintsBefore; }, 2000))
            return false;
        paintsBefore = paints;
        about.timerBlendTimer();
        about.timerBlendTimer();
        return true;
    }
    QList<int> values;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        ++paints;
        const int opacity = qRound(about.windowOpacity() * 255);
        if (values.isEmpty() || values.last() != opacity)
            values.append(opacity);
        return false;
    }

private:
    TfrmMarquee& about;
    int paints = 0;
    int paintsBefore = 0;
};

QList<int> Steps(int from, int to, int step)
{
    QList<int> steps;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step)
        steps.append(v);
    return steps;
}
} // namespace

// The fade is driven here by calling the tick; the timer only has to run while fading. Every
// step is painted, in order, however fast the ticks come.
TEST_F(Marquee, WithTranslucencyItFadesInAndAClickFadesItOutEachStepPainted)
{
    Glb().SupportsTranslucency = true;
    TfrmMarquee about(&mainWindow);
    TPaintedOpacities painted(about);
    about.show();
    EXPECT_NEAR(about.windowOpacity(), 95 / 255.0, 1e-3);
    EXPECT_TRUE(about.timerBlend->isActive());
    EXPECT_EQ(about.timerBlend->interval(), 25);
    about.timerBlend->setInterval(3600000);
    for (int tick = 0; tick < 32; ++tick)
        ASSERT_TRUE(painted.PaintThenTick()) << tick;
    EXPECT_EQ(about.windowOpacity(), 1.0);
    EXPECT_TRUE(about.timerBlend->isActive());
    ASSERT_TRUE(painted.PaintThenTick());
    EXPECT_FALSE(about.timerBlend->isActive()) << "faded in, the timer stops";
    EXPECT_EQ(painted.values, Steps(95, 255, 5));

    ClickPicture(about);
    EXPECT_NEAR(about.windowOpacity(), 254 / 255.0, 1e-3);
    EXPECT_TRUE(about.timerBlend->isActive());
    painted.values.clear();
    for (int tick = 0; tick < 19; ++tick)
        ASSERT_TRUE(painted.PaintThenTick()) << tick;
    EXPECT_NEAR(about.windowOpacity(), 102 / 255.0, 1e-3);
    EXPECT_TRUE(about.isVisible());
    ASSERT_TRUE(painted.PaintThenTick());
    EXPECT_FALSE(about.isVisible()) << "closed at the tick from 102 to 94";
    EXPECT_EQ(about.ModalResult(), 1);
    EXPECT_FALSE(about.timerBlend->isActive());
    EXPECT_EQ(painted.values, Steps(254, 102, -8));
}

// A window the screen does not paint still fades, a few ticks late, rather than stay.
TEST_F(Marquee, AFadeNeverPaintedGoesOnAllTheSame)
{
    Glb().SupportsTranslucency = true;
    TfrmMarquee about(&mainWindow);
    about.timerBlend->stop();
    int ticks = 0;
    while (about.windowOpacity() < 1.0 && ticks < 1000) {
        about.timerBlendTimer();
        ++ticks;
    }
    EXPECT_EQ(about.windowOpacity(), 1.0);
    EXPECT_LE(ticks, 32 * 8);
}

TEST_F(Marquee, TheHelpOpensModallyAndItsExitClosesTheAboutWindowAsWell)
{
    TfrmMarquee about(&mainWindow);
    UseHelpWhenShown(about);
    EXPECT_EQ(about.ShowModal(), 1);
    EXPECT_EQ(helpSize, QSize(276, 115)) << "the help did not show";
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(AnyLeft<TfrmHlpMain>()) << "the help window is destroyed";
}

TEST_F(Marquee, AHelpThatFailsIsToldAndTheWindowIsLeftAllTheSame)
{
    TMarqueeWithHelp about(&mainWindow);
    about.fails = true;
    about.show();
    about.spdAIDEClick();
    EXPECT_EQ(dialogs->plainMessages, QStringList{"pas d'aide\ron fHlp"});
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.ModalResult(), 1);
}

// Back from the help the window fades out. Opened then, the help would sit over a window
// closing under it: the button does nothing any more.
TEST_F(Marquee, BackFromTheHelpTheWindowFadesOutAndTheButtonDoesNothingMore)
{
    Glb().SupportsTranslucency = true;
    TMarqueeWithHelp about(&mainWindow);
    TPaintedOpacities painted(about);
    about.show();
    about.spdAIDEClick();
    EXPECT_EQ(about.opened, 1);
    EXPECT_NEAR(about.windowOpacity(), 254 / 255.0, 1e-3);
    EXPECT_TRUE(about.timerBlend->isActive());
    about.timerBlend->setInterval(3600000);
    ASSERT_TRUE(painted.PaintThenTick());
    about.spdAIDEClick();
    EXPECT_EQ(about.opened, 1);
    EXPECT_NEAR(about.windowOpacity(), 246 / 255.0, 1e-3) << "the fade-out goes on";
}

TEST_F(Marquee, TheMenuCommandLeavesNoWindowBehind)
{
    QTimer::singleShot(0, [this]() {
        TfrmMarquee* about = OpenWindow<TfrmMarquee>();
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->parentWidget(), &mainWindow);
        UseHelpWhenShown(*about);
    });
    TfrmMarquee::mnuMarqueeClick(&mainWindow);
    EXPECT_EQ(helpSize, QSize(276, 115));
    EXPECT_FALSE(AnyLeft<TfrmMarquee>());
    EXPECT_FALSE(AnyLeft<TfrmHlpMain>());
    EXPECT_TRUE(mainWindow.findChildren<QTimer*>().isEmpty());
}

// Without its picture the window still opens, and so leads to the help; the reason is told.
TEST_F(Marquee, AMissingPictureIsToldAndTheWindowOpensWithoutIt)
{
    Q_CLEANUP_RESOURCE(resources);
    {
        TfrmMarquee about(&mainWindow);
        EXPECT_TRUE(about.imgMarquee->Picture().isNull());
        ASSERT_EQ(dialogs->plainMessages.size(), 1);
        EXPECT_TRUE(dialogs->plainMessages.first().endsWith(" : about.jpg"));
        QTimer::singleShot(0, [&about]() { ClickPicture(about); });
        EXPECT_EQ(about.ShowModal(), 1);
    }
    Q_INIT_RESOURCE(resources);
}
