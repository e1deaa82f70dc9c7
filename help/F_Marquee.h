#pragma once

#include "core/F_ModWindowPos.h"
#include "help/U_Fade.h"

#include <QPointer>

class QTimer;
class TFlatButton;
class TImage;

// The about window: the program's picture over its whole surface and the way to the help. It
// fades in and out where the desktop can show translucent windows. Shown modally as the
// movable windows are; the picture covers all of it, so nothing drags it.
class TfrmMarquee : public TfrmModWindowPos
{
    Q_OBJECT
public:
    static constexpr int WindowWidth = 274;
    static constexpr int WindowHeight = 115;

    // The menu command: a new window, shown modally and destroyed once left; an error on the
    // way is told.
    static void mnuMarqueeClick(QWidget* mainWindow);

    // Decodes the picture, centres on `mainWindow` and starts fading in when it may.
    explicit TfrmMarquee(QWidget* mainWindow);

    // A click on the picture: the window fades out, or closes at once without translucency.
    void FormClick();
    void timerBlendTimer();
    void spdAIDEClick();

    TImage* imgMarquee = nullptr;
    TFlatButton* spdAIDE = nullptr;
    QTimer* timerBlend = nullptr;

protected:
    // Opens the help modally; tests put a failing one in its place.
    virtual void OpenHelp();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void LoadPicture();
    void ShowOpacity();

    QPointer<QWidget> mainWindow;
    TFade fade;
    bool translucent = false;
    // Whether the last opacity step has been painted, and the ticks spent waiting for it.
    bool stepPainted = true;
    int ticksWaited = 0;
};
