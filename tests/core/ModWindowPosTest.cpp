#include "TestEnv.h"
#include "core/F_ModWindowPos.h"

#include <QApplication>
#include <QMouseEvent>

namespace {
// Grabs the window at (50, 40) of its surface and lets go with its top-left at `to`.
void DragTo(QWidget* window, const QPoint& to)
{
    const auto send = [window](QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, window->mapFromGlobal(QPointF(global)), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
        QApplication::sendEvent(window, &event);
    };
    const QPoint grab(50, 40);
    send(QEvent::MouseButtonPress, window->pos() + grab, Qt::LeftButton);
    send(QEvent::MouseMove, (window->pos() + to) / 2 + grab, Qt::LeftButton);
    send(QEvent::MouseMove, to + grab, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to + grab, Qt::NoButton);
}
} // namespace

using ModWindowPos = TarvelleTest;

TEST_F(ModWindowPos, DragsSnapToTheWorkAreaEdgeAndAfterAFirstSnapEveryWindowIsKeptInside)
{
    platform->workArea = QRect(48, 24, 976, 714);
    TfrmModWindowPos first, second;
    for (const auto& [window, at] :
         {std::pair{&first, QPoint(300, 300)}, {&second, QPoint(500, 200)}}) {
        window->resize(200, 100);
        window->move(at);
        window->show();
    }
    DragTo(&first, {500, 320});
    EXPECT_EQ(first.pos(), QPoint(500, 320));
    EXPECT_FALSE(Glb().WindowSnapped);
    DragTo(&first, {48 + 10, 320});
    EXPECT_EQ(first.pos(), QPoint(48, 320));
    ASSERT_TRUE(Glb().WindowSnapped);
    for (const auto& [to, at] : {std::pair{QPoint(900, 690), QPoint(1024 - 200, 738 - 100)},
                                 {QPoint(-120, -60), QPoint(48, 24)},
                                 {QPoint(400, 300), QPoint(400, 300)}}) {
        DragTo(&second, to);
        EXPECT_EQ(second.pos(), at);
    }
}
