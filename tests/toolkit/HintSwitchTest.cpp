#include "toolkit/C_HintSwitch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QWidget>

namespace {
// Tells whether a tool-tip request sent to it gets through to it.
struct TTipTarget : QWidget
{
    using QWidget::QWidget;
    bool TipShown()
    {
        QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), mapToGlobal(QPoint(1, 1)));
        reached = false;
        QApplication::sendEvent(this, &help);
        return reached;
    }
    bool event(QEvent* event) override
    {
        reached = reached || event->type() == QEvent::ToolTip;
        return QWidget::event(event);
    }
    bool reached = false;
};
} // namespace

TEST(HintSwitchTest, NearestOwnSettingDecidesUpToTheWindow)
{
    QWidget window;
    QWidget group(&window);
    TTipTarget follower(&group);
    TTipTarget own(&group);
    THintSwitch::Set(&own, false);
    EXPECT_FALSE(own.TipShown());
    EXPECT_TRUE(follower.TipShown()) << "shown unless told otherwise";
    THintSwitch::Set(&own, true);
    THintSwitch::Set(&window, false);
    EXPECT_FALSE(follower.TipShown());
    EXPECT_TRUE(own.TipShown()) << "its own setting wins";
    THintSwitch::Set(&group, true);
    EXPECT_TRUE(follower.TipShown()) << "the nearest setting decides";
    THintSwitch::Follow(&group);
    EXPECT_FALSE(follower.TipShown());

    // The setting stops at the window boundary: a dialog owned by the window has its own.
    QWidget dialog(&window, Qt::Window);
    TTipTarget control(&dialog);
    EXPECT_TRUE(control.TipShown());
}
