#pragma once

#include <QList>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

// A picture that cycles through its frames while it runs.
class TAnimatedPicture : public QWidget
{
    Q_OBJECT
public:
    explicit TAnimatedPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override;

    void SetFrames(const QList<QPixmap>& frames);
    // Cuts a horizontal strip into `count` frames of equal width.
    void SetStrip(const QPixmap& strip, int count);
    qsizetype FrameCount() const { return frames.size(); }
    int Frame() const { return frame; }
    void SetInterval(int ms);
    int Interval() const { return frameTimer.interval(); }
    void Start();
    // The current frame stays on show.
    void Stop();
    bool IsRunning() const { return running; }
    void SetShowHint(bool show);

public Q_SLOTS:
    // Shows the next frame, after the last the first; the timer calls it while running.
    void Step();

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void UpdateTimer();

    QList<QPixmap> frames;
    QTimer frameTimer;
    int frame = 0;
    bool running = false;
};
