#include "core/F_SlideOff.h"

#include "core/U_Glb.h"
#include "platform/U_Platform.h"

#include <QWidget>

#include <algorithm>

namespace {
int& StepIntervalMs()
{
    static int ms = 2;
    return ms;
}
} // namespace

TSlideOff::TSlideOff(QWidget* slid, int leftStep)
    : QObject(slid), window(slid), screen(Platform().ScreenGeometry()), toRight(RandomBelow(2) == 0)
{
    step = toRight ? 9 : -std::max(leftStep, 1);
    timer.setInterval(StepIntervalMs());
    connect(&timer, &QTimer::timeout, this, &TSlideOff::Step);
    timer.start();
}

void TSlideOff::SetStepIntervalMs(int ms)
{
    StepIntervalMs() = ms;
}

bool TSlideOff::Gone() const
{
    return !window || (toRight ? window->x() >= screen.x() + screen.width()
                               : window->x() + window->width() <= screen.x());
}

void TSlideOff::Step()
{
    if (!Gone())
        window->move(window->x() + step, window->y());
    if (Gone())
        End();
}

void TSlideOff::Finish()
{
    while (!Gone())
        window->move(window->x() + step, window->y());
    End();
}

void TSlideOff::End()
{
    if (ended)
        return;
    ended = true;
    timer.stop();
    deleteLater();
    Q_EMIT Finished();
}

TSlideOff* SlideOffScreen(QWidget* window, int leftStep)
{
    return new TSlideOff(window, leftStep);
}
