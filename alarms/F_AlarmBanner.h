#pragma once

#include <QString>
#include <QWidget>

class QTimer;

// The alarm's announcement over every other window: one line of red on blue at the centre of
// the screen, gone at a click or after a few seconds.
class TAlarmBanner : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ShownMs = 5000;

    explicit TAlarmBanner(const QString& text);

    // The banner on screen, or null.
    static TAlarmBanner* Current();
    QString Text() const { return text; }

public Q_SLOTS:
    // The banner's time is up: it closes and goes.
    void Expire();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString text;
    QTimer* timerBanner;
};

// Shows `text` in a new banner, in place of one still shown.
void DrawAlarmBanner(const QString& text);
