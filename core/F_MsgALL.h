#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_Dialogs.h"

#include <QPointer>

class QLabel;
class TSlideOff;
class QTimer;

// A transient one-line announcement that closes by itself and slides off the screen.
class TfrmMsgALL : public TfrmModWindowPos
{
    Q_OBJECT
public:
    static constexpr TColor MoneyGreen = 0xC0DCC0;

    explicit TfrmMsgALL(QWidget* parent = nullptr);

    // Creates a message window for `request`, shows it without waiting and returns it;
    // it deletes itself once closed.
    static TfrmMsgALL* ShowMessage(const TMessageRequest& request);

    TColor Colour() const { return colour; }
    void SetColour(TColor c);
    QLabel* Label() const { return rxLblMSG; }
    QTimer* ExposeTimer() const { return TimerExpose; }

protected:
    TfrmMsgALL(QWidget* parent, const QSize& designSize);
    // The common settings of both windows: colours, font size and text.
    void ApplyLook(TColor textColour, TColor backColour, int fontSize, const QString& text);
    virtual void ApplySize(int width, int height);

    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    QLabel* rxLblMSG;
    QTimer* TimerExpose;

private:
    void TimerExposeTimer();
    void UpdateShape();

    TColor colour = MoneyGreen;
    QPointer<TSlideOff> slide;
    bool slid = false;
};
