#pragma once

#include <QtGlobal>

// The about window's fade as its blend timer sees it: an 8-bit opacity moved by a signed
// 8-bit step at each tick, in from 95 up to 255, out from 254 down until it drops below 95.
class TFade
{
public:
    // What the window does after a tick.
    enum class TTick
    {
        Faded,   // the opacity changed; the timer goes on
        Stopped, // nothing more to fade: the timer stops, the window stays
        Close,   // below 95: the timer stops and the window closes
    };

    static constexpr quint8 InStart = 95;
    static constexpr qint8 InStep = 5;
    static constexpr quint8 OutStart = 254;
    static constexpr qint8 OutStep = -8;
    // Below this opacity the window is gone.
    static constexpr quint8 CloseBelow = 95;

    void FadeIn();
    void FadeOut();
    TTick Tick();

    quint8 Opacity() const { return opacity; }
    bool FadingOut() const { return step < 0; }

private:
    // Ticks stop at full opacity, or once the opacity has fallen this low.
    static constexpr quint8 kFull = 255;
    static constexpr quint8 kFloor = 80;

    quint8 opacity = kFull;
    qint8 step = 0;
};
