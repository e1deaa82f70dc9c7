#include "help/F_Marquee.h"

#include "core/F_Controls.h"
#include "core/F_Glb.h"
#include "core/U_Dialogs.h"
#include "core/U_Fonts.h"
#include "help/F_HlpMain.h"
#include "help/U_JpegPicture.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_Image.h"

#include <QEvent>
#include <QFile>
#include <QTimer>

namespace {
const QString kPicture = QStringLiteral(":/pictures/about.jpg");
constexpr int kBlendIntervalMs = 25;
// A window the screen does not paint (covered, unmapped) fades on all the same after this.
constexpr int kMostTicksWaited = 8;
constexpr int kOkResult = 1;
} // namespace

void TfrmMarquee::mnuMarqueeClick(QWidget* mainWindow)
{
    try {
        TfrmMarquee about(mainWindow);
        about.ShowModal();
    } catch (const std::exception& error) {
        ShowPlainMessage(QString::fromUtf8(error.what()));
    }
}

TfrmMarquee::TfrmMarquee(QWidget* owner) : TfrmModWindowPos(owner), mainWindow(owner)
{
    setObjectName(QStringLiteral("frmMarquee"));
    setFixedSize(WindowWidth, WindowHeight);
    CreateControls();
    LoadPicture();
    CentreOnMainWindow(this);
    translucent = Glb().SupportsTranslucency;
    if (!translucent)
        return;
    fade.FadeIn();
    ShowOpacity();
    timerBlend->start();
}

void TfrmMarquee::CreateControls()
{
    imgMarquee = MakeControl<TImage>(this, "imgMarquee", rect());
    imgMarquee->SetStretch(true);
    imgMarquee->setToolTip(QStringLiteral("Retour : cliquer sur l'image "));
    imgMarquee->SetShowHint(true);
    imgMarquee->installEventFilter(this);
    connect(imgMarquee, &TImage::Click, this, &TfrmMarquee::FormClick);
    spdAIDE = MakeControl<TFlatButton>(this, "spdAIDE", QRect(30, 62, 49, 33));
    spdAIDE->SetCaption(QStringLiteral("A I D E"));
    spdAIDE->setFont(Fonts::PixelFont(QStringLiteral("Papyrus"), 11));
    spdAIDE->SetFontColor(0xFFFFFF);
    connect(spdAIDE, &TFlatButton::Click, this, &TfrmMarquee::spdAIDEClick);
    timerBlend = new QTimer(this);
    timerBlend->setObjectName(QStringLiteral("timerBlend"));
    timerBlend->setInterval(kBlendIntervalMs);
    connect(timerBlend, &QTimer::timeout, this, &TfrmMarquee::timerBlendTimer);
}

// Decoded anew at every opening and gone with the window. Without its picture the window still
// opens, so that the help stays within reach; the reason is told first.
void TfrmMarquee::LoadPicture()
{
    QFile file(kPicture);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowPlainMessage(file.errorString() + QStringLiteral(" : about.jpg"));
        return;
    }
    QString error;
    const QImage picture = TJpegPicture::Decode(file.readAll(), &error);
    if (picture.isNull()) {
        ShowPlainMessage(error + QStringLiteral(" : about.jpg"));
        return;
    }
    imgMarquee->SetPicture(QPixmap::fromImage(picture));
}

// Each step is painted before the next one is taken: ticks that come faster than the window
// is painted (at its first showing above all) would otherwise leave only a few steps seen.
void TfrmMarquee::ShowOpacity()
{
    setWindowOpacity(fade.Opacity() / 255.0);
    stepPainted = false;
    ticksWaited = 0;
    imgMarquee->update();
}

bool TfrmMarquee::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgMarquee && event->type() == QEvent::Paint)
        stepPainted = true;
    return TfrmModWindowPos::eventFilter(watched, event);
}

void TfrmMarquee::FormClick()
{
    if (!translucent) {
        SetModalResult(kOkResult);
        return;
    }
    fade.FadeOut();
    ShowOpacity();
    timerBlend->start();
}

void TfrmMarquee::timerBlendTimer()
{
    if (!stepPainted && ++ticksWaited < kMostTicksWaited)
        return;
    const TFade::TTick tick = fade.Tick();
    ShowOpacity();
    if (tick == TFade::TTick::Faded)
        return;
    timerBlend->stop();
    if (tick == TFade::TTick::Close)
        SetModalResult(kOkResult);
}

void TfrmMarquee::spdAIDEClick()
{
    // The window is already leaving: the help would open over a window closing under it.
    if (translucent && fade.FadingOut())
        return;
    try {
        OpenHelp();
    } catch (const std::exception& error) {
        ShowPlainMessage(QString::fromUtf8(error.what()) + QStringLiteral("\r") +
                         QStringLiteral("on fHlp"));
    }
    FormClick();
}

void TfrmMarquee::OpenHelp()
{
    TfrmHlpMain help(mainWindow);
    help.ShowModal();
}
