#include "help/U_Fade.h"

void TFade::FadeIn()
{
    opacity = InStart;
    step = InStep;
}

void TFade::FadeOut()
{
    opacity = OutStart;
    step = OutStep;
}

TFade::TTick TFade::Tick()
{
    const quint8 v = opacity;
    const bool stop = v == kFull || v < kFloor;
    // The sum wraps as a byte would, the step counting as a signed byte.
    if (!stop)
        opacity = static_cast<quint8>(v + step);
    if (opacity < CloseBelow)
        return TTick::Close;
    return stop ? TTick::Stopped : TTick::Faded;
}
