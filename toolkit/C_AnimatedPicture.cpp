#include "C_AnimatedPicture.h"

#include "C_HintSwitch.h"
#include "C_MouseRelay.h"

#include <QPainter>

TAnimatedPicture::TAnimatedPicture(QWidget* parent) : QWidget(parent)
{
    frameTimer.setObjectName("frameTimer");
    frameTimer.setParent(this);
    frameTimer.setInterval(100);
    connect(&frameTimer, &QTimer::timeout, this, &TAnimatedPicture::Step);
    auto* mouse = new TMouseRelay(this);
    connect(mouse, &TMouseRelay::Click, this, &TAnimatedPicture::Click);
}

void TAnimatedPicture::SetFrames(const QList<QPixmap>& newFrames)
{
    frames = newFrames;
    frame = 0;
    updateGeometry();
    UpdateTimer();
    update();
}

void TAnimatedPicture::SetStrip(const QPixmap& strip, int count)
{
    QList<QPixmap> cut;
    const int frameWidth = count > 0 ? strip.width() / count : 0;
    for (int i = 0; frameWidth > 0 && i < count; ++i)
        cut.append(strip.copy(i * frameWidth, 0, frameWidth, strip.height()));
    SetFrames(cut);
}

void TAnimatedPicture::SetInterval(int ms)
{
    frameTimer.setInterval(qMax(1, ms));
}

void TAnimatedPicture::Start()
{
    running = true;
    UpdateTimer();
}

void TAnimatedPicture::Stop()
{
    running = false;
    UpdateTimer();
}

void TAnimatedPicture::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}

void TAnimatedPicture::Step()
{
    if (frames.isEmpty())
        return;
    frame = (frame + 1) % static_cast<int>(frames.size());
    update();
}

// A timer only while there is something to animate on screen.
void TAnimatedPicture::UpdateTimer()
{
    if (running && isVisible() && frames.size() > 1)
        frameTimer.start();
    else
        frameTimer.stop();
}

void TAnimatedPicture::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    UpdateTimer();
}

void TAnimatedPicture::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    UpdateTimer();
}

QSize TAnimatedPicture::sizeHint() const
{
    return frames.isEmpty() ? QSize(16, 16) : frames.first().size();
}

void TAnimatedPicture::paintEvent(QPaintEvent*)
{
    if (frames.isEmpty())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, frames[frame]);
}
