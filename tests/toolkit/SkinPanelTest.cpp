#include "WidgetProbe.h"
#include "toolkit/C_SkinPanel.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {
using enum TSkinPanel::TDirection;

// A grey panel whose red text can be found on its picture.
class SkinPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        panel.resize(60, 20);
        panel.SetColor(0x808080);
        panel.SetFontColor(0x0000FF);
        QFont font = panel.font();
        font.setPixelSize(14);
        font.setBold(true);
        panel.setFont(font);
    }
    void Scroll(TSkinPanel::TDirection direction, bool cycled, QStringList lines = {"WW"})
    {
        panel.SetScrollSettings({lines, direction, 40, cycled, TSkinPanel::TBevel::None});
    }
    void Steps(int count)
    {
        for (int i = 0; i < count; ++i)
            panel.Step();
    }
    QImage Shot() { return WidgetProbe::Shot(panel); }
    // Where the text starts: its first column, or its first row.
    auto Red(bool row = false) { return WidgetProbe::FirstWith(Shot(), Qt::red, row); }
    int TextWidth() { return panel.fontMetrics().horizontalAdvance("WW"); }

    TSkinPanel panel;
};
} // namespace

TEST_F(SkinPanelTest, OuterBevelSwitchesBetweenRaisedAndLoweredLook)
{
    const QColor face(0x80, 0x80, 0x80);
    EXPECT_EQ(Shot().pixelColor(30, 1), face);
    for (int sign : {1, -1}) { // raised by default, then lowered
        if (sign < 0)
            panel.SetBevelOuter(TSkinPanel::TBevel::Lowered);
        EXPECT_GT(sign * (Shot().pixelColor(0, 0).lightness() - face.lightness()), 0) << sign;
        EXPECT_LT(sign * (Shot().pixelColor(59, 19).lightness() - face.lightness()), 0) << sign;
    }
}

TEST_F(SkinPanelTest, EachStepMovesTheTextOnePixelFromRestAndACycledTextComesBack)
{
    Scroll(Horizontal, true);
    const int before = *Red();
    EXPECT_NEAR(before, (panel.width() - TextWidth()) / 2, 2) << "centred at rest";
    const int rest = panel.Offset();
    panel.SetActive(true);
    EXPECT_EQ(panel.Offset(), rest) << "a pass starts from the rest position";
    Steps(5);
    EXPECT_EQ(*Red(), before - 5);
    while (panel.Offset() != 0)
        panel.Step();
    EXPECT_FALSE(Red().has_value()) << "gone";
    Steps(6);
    EXPECT_GT(*Red(), 50) << "back from the right edge";

    panel.resize(60, 40);
    Scroll(Vertical, true, {"WW", "WW"});
    const int top = *Red(true);
    Steps(4);
    EXPECT_EQ(*Red(true), top - 4) << "stacked lines move up";
}

TEST_F(SkinPanelTest, TextTooLongForThePanelRestsOnItsBeginning)
{
    panel.resize(90, panel.fontMetrics().height());
    Scroll(Vertical, true, {"WW"});
    const QImage firstLineOnly = Shot();
    Scroll(Vertical, true, {"WW", "WW", "WW"});
    EXPECT_EQ(Shot(), firstLineOnly);
    panel.resize(20, 20);
    Scroll(Horizontal, true, {"WWWWWW"});
    const QImage beginning = Shot();
    Scroll(Horizontal, true, {"WWWWWWWWWW"});
    EXPECT_EQ(Shot(), beginning);
}

// An idle program must not wake for a panel nobody sees.
TEST_F(SkinPanelTest, TimerRunsOnlyWhileActiveAndShownAndStopsAfterOnePassUnlessCycled)
{
    const QTimer* timer = panel.findChild<QTimer*>("scrollTimer");
    Scroll(Horizontal, true);
    for (auto [active, shown] :
         {std::pair{true, false}, {true, true}, {true, false}, {true, true}, {false, true}}) {
        panel.SetActive(active);
        panel.setVisible(shown);
        EXPECT_EQ(timer->isActive(), active && shown) << active << shown;
    }
    EXPECT_EQ(timer->interval(), 40);

    Scroll(Horizontal, false);
    const int rest = panel.Offset();
    panel.SetActive(true);
    int steps = 0;
    for (; panel.IsActive() && steps < 1000; ++steps)
        panel.Step();
    EXPECT_EQ(steps, panel.width() + TextWidth() - rest + 1);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(SkinPanelTest, TabStopPanelReportsKeyboardEntryAndKeysButAClickLeavesTheFocus)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    new TSkinPanel(&window); // without a tab stop: passed over
    auto* tabStop = new TSkinPanel(&window);
    tabStop->SetTabStop(true);
    QSignalSpy entries(tabStop, &TSkinPanel::Enter);
    QSignalSpy keys(tabStop, &TSkinPanel::KeyPress);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(tabStop->hasFocus());
    QTest::keyClick(tabStop, Qt::Key_A);
    EXPECT_EQ(keys, QList<QVariantList>({{int(Qt::Key_A)}}));
    edit->setFocus();
    QTest::mouseClick(tabStop, Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(entries.size(), 1);
}
