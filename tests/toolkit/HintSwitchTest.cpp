#include "toolkit/C_HintSwitch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QWidget>

namespace {
// Counts the tool-tip requests that reach it.
class TTipTarget : public QWidget
{
public:
    using QWidget::QWidget;
    int tips = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip)
            ++tips;
        return QWidget::event(event);
    }
};

int TipsAfterHover(TTipTarget& target)
{
    const int before = target.tips;
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), target.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&target, &help);
    return target.tips - before;
}
} // namespace

TEST(HintSwitchTest, ControlsShowOrHideTheirOwnHints)
{
    TTipTarget control;
    control.setToolTip("Sujet");
    for (bool shown : {true, false, true}) {
        if (shown != THintSwitch::IsShown(&control))
            THintSwitch::Set(&control, shown);
        EXPECT_EQ(TipsAfterHover(control), shown ? 1 : 0) << shown;
    }
}

TEST(HintSwitchTest, ControlsWithoutOwnSettingFollowTheirParents)
{
    QWidget window;
    QWidget group(&window);
    TTipTarget follower(&group);
    TTipTarget own(&group);
    follower.setToolTip("a");
    own.setToolTip("b");
    THintSwitch::Set(&own, true);

    THintSwitch::Set(&window, false);
    EXPECT_EQ(TipsAfterHover(follower), 0);
    EXPECT_EQ(TipsAfterHover(own), 1) << "its own setting wins";

    THintSwitch::Set(&group, true);
    EXPECT_EQ(TipsAfterHover(follower), 1) << "the nearest setting decides";
    THintSwitch::Follow(&group);
    EXPECT_EQ(TipsAfterHover(follower), 0);
    THintSwitch::Set(&window, true);
    EXPECT_EQ(TipsAfterHover(follower), 1);
}

TEST(HintSwitchTest, SettingStopsAtTheWindowBoundary)
{
    QWidget owner;
    THintSwitch::Set(&owner, false);
    QWidget dialog(&owner, Qt::Window);
    TTipTarget control(&dialog);
    control.setToolTip("c");
    EXPECT_TRUE(THintSwitch::IsShown(&control));
    EXPECT_EQ(TipsAfterHover(control), 1);
}
