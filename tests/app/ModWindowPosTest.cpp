#include "TestEnv.h"
#include "app/F_ModWindowPos.h"

#include <QApplication>
#include <QMouseEvent>

#include <memory>

namespace {
void SendMouse(QWidget* window, QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons)
{
    const QPointF local = window->mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, QPointF(global),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
    QApplication::sendEvent(window, &event);
}

// Grabs the window at (50, 40) of its surface and lets go with its top-left at `to`.
void DragTo(QWidget* window, const QPoint& to)
{
    const QPoint grab(50, 40);
    SendMouse(window, QEvent::MouseButtonPress, window->pos() + grab, Qt::LeftButton);
    SendMouse(window, QEvent::MouseMove, (window->pos() + to) / 2 + grab, Qt::LeftButton);
    SendMouse(window, QEvent::MouseMove, to + grab, Qt::LeftButton);
    SendMouse(window, QEvent::MouseButtonRelease, to + grab, Qt::NoButton);
}
} // namespace

class ModWindowPos : public TarvelleTest
{
protected:
    std::unique_ptr<TfrmModWindowPos> NewWindow(const QPoint& at)
    {
        auto window = std::make_unique<TfrmModWindowPos>();
        window->resize(200, 100);
        window->move(at);
        window->show();
        return window;
    }
};

TEST_F(ModWindowPos, DragsSnapToTheWorkAreaEdgeAndAfterAFirstSnapEveryWindowIsKeptInside)
{
    platform->workArea = QRect(48, 24, 976, 714);
    const auto first = NewWindow({300, 300});
    const auto second = NewWindow({500, 200});
    DragTo(first.get(), {500, 320});
    EXPECT_EQ(first->pos(), QPoint(500, 320));
    EXPECT_FALSE(Glb().WindowSnapped);
    DragTo(first.get(), {48 + 10, 320});
    EXPECT_EQ(first->pos(), QPoint(48, 320));
    ASSERT_TRUE(Glb().WindowSnapped);
    for (const auto& [to, at] : {std::pair{QPoint(900, 690), QPoint(1024 - 200, 738 - 100)},
                                 {QPoint(-120, -60), QPoint(48, 24)},
                                 {QPoint(400, 300), QPoint(400, 300)}}) {
        DragTo(second.get(), to);
        EXPECT_EQ(second->pos(), at);
    }
}
