#include "WidgetProbe.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/U_BgrColor.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr quint32 grey = 0x808080;
using enum TSkinPanel::TDirection;

class SkinPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        panel.resize(60, 20);
        panel.SetColor(grey);
        panel.SetFontColor(0x0000FF);
        QFont font = panel.font();
        font.setPixelSize(14);
        font.setBold(true);
        panel.setFont(font);
    }
    void Scroll(TSkinPanel::TDirection direction, bool cycled, QStringList lines = {"WW"})
    {
        panel.SetScrollSettings({.lines = lines,
                                 .direction = direction,
                                 .intervalMs = 40,
                                 .cycled = cycled,
                                 .textStyle = TSkinPanel::TBevel::None});
    }
    void Steps(int count)
    {
        for (int i = 0; i < count; ++i)
            panel.Step();
    }
    std::optional<int> RedColumn() { return WidgetProbe::FirstWith(Shot(), Qt::red); }
    QImage Shot() { return WidgetProbe::Shot(panel); }
    QTimer* Timer() { return panel.findChild<QTimer*>("scrollTimer"); }
    int Period() { return panel.width() + panel.fontMetrics().horizontalAdvance("WW"); }

    TSkinPanel panel;
};
} // namespace

TEST_F(SkinPanelTest, OuterBevelSwitchesBetweenRaisedAndLoweredLook)
{
    const QColor face = Bgr::ToColor(grey);
    QImage shot = Shot();
    EXPECT_GT(shot.pixelColor(0, 0).lightness(), face.lightness());
    EXPECT_LT(shot.pixelColor(59, 19).lightness(), face.lightness());
    EXPECT_EQ(shot.pixelColor(30, 1), face);

    panel.SetBevelOuter(TSkinPanel::TBevel::Lowered);
    shot = Shot();
    EXPECT_LT(shot.pixelColor(0, 0).lightness(), face.lightness());
    EXPECT_GT(shot.pixelColor(59, 19).lightness(), face.lightness());
}

TEST_F(SkinPanelTest, HorizontalStepMovesTheTextOnePixelLeftAndCyclesEndlessly)
{
    Scroll(Horizontal, true);
    const int textWidth = panel.fontMetrics().horizontalAdvance("WW");
    const int before = *RedColumn();
    EXPECT_NEAR(before, (panel.width() - textWidth) / 2, 2) << "centred at rest";
    const int rest = panel.Offset();
    panel.SetActive(true);
    EXPECT_EQ(panel.Offset(), rest) << "a pass starts from the rest position";
    Steps(5);
    EXPECT_EQ(panel.Offset(), rest + 5);
    EXPECT_EQ(*RedColumn(), before - 5);

    // Once the text has left, it comes in again from the right edge.
    while (panel.Offset() != 0)
        panel.Step();
    EXPECT_FALSE(RedColumn().has_value());
    Steps(6);
    EXPECT_GT(*RedColumn(), 50);
    Steps(3 * Period());
    EXPECT_TRUE(panel.IsActive());
}

TEST_F(SkinPanelTest, VerticalStepMovesTheStackedLinesUp)
{
    panel.resize(60, 40);
    Scroll(Vertical, true, {"WW", "WW"});
    panel.SetActive(true);
    const int before = *WidgetProbe::FirstWith(Shot(), Qt::red, true);
    Steps(4);
    EXPECT_EQ(*WidgetProbe::FirstWith(Shot(), Qt::red, true), before - 4);
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

TEST_F(SkinPanelTest, TimerRunsOnlyWhileActiveAndShown)
{
    Scroll(Horizontal, true);
    panel.SetActive(true);
    EXPECT_FALSE(Timer()->isActive()) << "not shown yet";
    panel.show();
    EXPECT_TRUE(Timer()->isActive() && Timer()->interval() == 40);
    panel.hide();
    EXPECT_FALSE(Timer()->isActive());
    panel.show();
    EXPECT_TRUE(Timer()->isActive());
    panel.SetActive(false);
    EXPECT_FALSE(Timer()->isActive());
    int rest = panel.Offset();
    panel.Step();
    EXPECT_EQ(panel.Offset(), rest) << "an inactive panel does not move";

    // Without cycling, one pass ends the scrolling at rest.
    Scroll(Horizontal, false);
    rest = panel.Offset();
    panel.SetActive(true);
    int steps = 0;
    for (; panel.IsActive() && steps < 1000; ++steps)
        panel.Step();
    EXPECT_EQ(steps, Period() - rest + 1);
    EXPECT_FALSE(Timer()->isActive());
    EXPECT_EQ(panel.Offset(), rest);
}

TEST_F(SkinPanelTest, TabStopPanelReportsKeyboardEntryAndKeys)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit;
    auto* tabStop = new TSkinPanel;
    tabStop->SetTabStop(true);
    layout->addWidget(edit);
    layout->addWidget(new TSkinPanel); // without a tab stop: passed over
    layout->addWidget(tabStop);
    QSignalSpy entries(tabStop, &TSkinPanel::Enter);
    QSignalSpy keys(tabStop, &TSkinPanel::KeyPress);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();

    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(tabStop->hasFocus());
    EXPECT_EQ(entries.size(), 1);
    QTest::keyClick(tabStop, Qt::Key_A);
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(keys[0][0].toInt(), Qt::Key_A);

    // A click does not take the focus away from the edit.
    edit->setFocus();
    QTest::mouseClick(tabStop, Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(entries.size(), 1);
}
