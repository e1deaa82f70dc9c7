#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

class QWidget;

// Moves a window off the screen step by step on the event loop's timer: 9 pixels to the right
// or a given step to the left, either with an even chance. Nothing waits in a loop meanwhile;
// whoever needs the window gone listens for `Finished`.
class TSlideOff : public QObject
{
    Q_OBJECT
public:
    TSlideOff(QWidget* window, int leftStep);

    // Jumps to the end at once: a session that ends does not wait for the slide.
    void Finish();
    // The pause between two steps; tests make it 0.
    static void SetStepIntervalMs(int ms);

Q_SIGNALS:
    // The window is past the edge; the slide deletes itself afterwards.
    void Finished();

private:
    void Step();
    bool Gone() const;
    void End();

    QPointer<QWidget> window;
    QRect screen;
    int step;
    bool toRight;
    bool ended = false;
    QTimer timer;
};

// Starts sliding `window` off the screen; the slide belongs to the window.
TSlideOff* SlideOffScreen(QWidget* window, int leftStep);
