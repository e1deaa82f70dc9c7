#include "core/F_MsgALL.h"

#include "core/F_Glb.h"
#include "core/F_SlideOff.h"
#include "core/U_Fonts.h"
#include "core/U_MsgLayout.h"
#include "platform/U_Platform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QThread>
#include <QTimer>

namespace {
const QSize kDesignSize(571, 49);
const QRect kDesignLabel(0, 8, 569, 29);
constexpr int kCornerRadius = 12;
} // namespace

TfrmMsgALL::TfrmMsgALL(QWidget* parent) : TfrmMsgALL(parent, kDesignSize) {}

TfrmMsgALL::TfrmMsgALL(QWidget* parent, const QSize& designSize)
    : TfrmModWindowPos(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      rxLblMSG(new QLabel(this)), TimerExpose(new QTimer(this))
{
    setObjectName(QStringLiteral("frmMsgALL"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    rxLblMSG->setObjectName(QStringLiteral("rxLblMSG"));
    rxLblMSG->setAlignment(Qt::AlignCenter);
    rxLblMSG->setFont(Fonts::PixelFont(QStringLiteral("MS Sans Serif"), 24));
    // The label must not hide the window from the mouse: the whole surface drags.
    rxLblMSG->setAttribute(Qt::WA_TransparentForMouseEvents);
    rxLblMSG->setGeometry(MsgLayout::Anchored(kDesignLabel, kDesignSize, designSize));
    SetLabelColour(rxLblMSG, 0x000000);
    resize(designSize);
    UpdateShape();
    TimerExpose->setObjectName(QStringLiteral("TimerExpose"));
    TimerExpose->setInterval(MsgLayout::DesignExposeMs);
    connect(TimerExpose, &QTimer::timeout, this, &TfrmMsgALL::TimerExposeTimer);
    TimerExpose->start();
}

TfrmMsgALL* TfrmMsgALL::ShowMessage(const TMessageRequest& request)
{
    auto* window = new TfrmMsgALL;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->ApplyLook(request.textColour, request.backColour, request.fontSize, request.text);
    window->ApplySize(request.width, request.height);
    window->rxLblMSG->move(MsgLayout::CentredLabel(window->size(), window->rxLblMSG->size()));
    window->TimerExpose->setInterval(MsgLayout::ExposeInterval(request.durationMs));
    CentreOnMainWindow(window);
    window->show();
    return window;
}

void TfrmMsgALL::SetColour(TColor c)
{
    colour = c;
    update();
}

void TfrmMsgALL::ApplyLook(TColor textColour, TColor backColour, int fontSize, const QString& text)
{
    if (textColour > 0)
        SetLabelColour(rxLblMSG, textColour);
    if (backColour > 0)
        SetColour(backColour);
    if (fontSize > 0) {
        QFont font = rxLblMSG->font();
        font.setPointSize(fontSize);
        rxLblMSG->setFont(font);
    }
    rxLblMSG->setText(text);
    // Never shown (no frame), but it names the window for the window manager and tools.
    setWindowTitle(text);
}

// Each side is taken on its own: the fired alarms ask for a height only.
void TfrmMsgALL::ApplySize(int width, int height)
{
    if (width <= 0 && height <= 0)
        return;
    // The label is anchored to all four sides: it keeps its distances to the edges.
    const QSize before = size();
    resize(width > 0 ? width : before.width(), height > 0 ? height : before.height());
    rxLblMSG->setGeometry(MsgLayout::Anchored(rxLblMSG->geometry(), before, size()));
    UpdateShape();
}

void TfrmMsgALL::UpdateShape()
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void TfrmMsgALL::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(colour));
    painter.drawRoundedRect(rect(), kCornerRadius, kCornerRadius);
}

void TfrmMsgALL::closeEvent(QCloseEvent* event)
{
    TimerExpose->stop();
    if (slid || !isVisible() || Glb().ApplicationTerminating) {
        event->accept();
        return;
    }
    // The window closes once it has slid off; a second close meanwhile changes nothing.
    event->ignore();
    if (!slide) {
        slide = SlideOffScreen(this, 3);
        connect(slide, &TSlideOff::Finished, this, [this]() {
            slid = true;
            close();
        });
    }
}

void TfrmMsgALL::TimerExposeTimer()
{
    TimerExpose->stop();
    close();
}
