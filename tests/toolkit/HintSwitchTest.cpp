#include "toolkit/C_HintSwitch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QWidget>

namespace {
class TTipTarget : public QWidget
{
public:
    using QWidget::QWidget;
    // Whether a tool-tip request sent to it gets through to it.
    bool TipShown()
    {
        const int before = tips;
        QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(this, &help);
        return tips > before;
    }

protected:
    bool event(QEvent* event) override
    {
        tips += event->type() == QEvent::ToolTip ? 1 : 0;
        return QWidget::event(event);
    }

private:
    int tips = 0;
};
} // namespace

TEST(HintSwitchTest, NearestOwnSettingDecidesUpToTheWindow)
{
    QWidget window;
    QWidget group(&window);
    TTipTarget follower(&group);
    TTipTarget own(&group);
    for (bool shown : {false, true}) {
        THintSwitch::Set(&own, shown);
        EXPECT_EQ(own.TipShown(), shown);
    }

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
    THintSwitch::Set(&window, true);
    EXPECT_TRUE(follower.TipShown());
}
