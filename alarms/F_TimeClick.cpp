#include "alarms/F_TimeClick.h"

#include "core/F_Controls.h"
#include "core/U_Fonts.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_TransparentLabel.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kLifeMs = 30000;
// The labels of the afternoon hours stand this much further left.
constexpr int kAfternoonShift = 3;
constexpr std::array<QPoint, 12> kHourPlaces = {{{45, 8},
                                                 {63, 14},
                                                 {75, 26},
                                                 {79, 44},
                                                 {75, 60},
                                                 {63, 74},
                                                 {45, 80},
                                                 {28, 74},
                                                 {14, 61},
                                                 {9, 44},
                                                 {13, 26},
                                                 {27, 13}}};
constexpr std::array<int, 12> kMinuteLefts = {45, 63, 72, 76, 72, 61, 42, 25, 14, 9, 13, 24};
const QRect kDial(5, 8, 88, 84);
// The dial is the circle of the shape's smaller side, centred in it.
const QRect kDialCircle(2, 0, 84, 84);

TColourSettings Colours()
{
    return Glb().UseDefaultColours ? TColourSettings{} : Glb().Colours;
}
} // namespace

TfrmTimeClick::TfrmTimeClick(QWidget* owner) : TfrmModal(owner)
{
    setObjectName(QStringLiteral("frmTimeClick"));
    setFixedSize(116, 100);
    setFont(Fonts::PixelFont(QStringLiteral("MS Sans Serif"), 11));
    setMask(QRegion(0, 0, height(), height(), QRegion::Ellipse));
    // Painted by the window; the shape only takes the clicks that fall on the dial.
    shpHour = MakeControl<QWidget>(this, "shpHour", kDial);
    shpHour->setMask(QRegion(kDialCircle, QRegion::Ellipse));
    CreateLabels();
    CreateButtons();
    timeCloser = new QTimer(this);
    timeCloser->setObjectName(QStringLiteral("timeCloser"));
    connect(timeCloser, &QTimer::timeout, this, &TfrmTimeClick::timeCloserTimer);
    timeCloser->start(kLifeMs);
    ApplyColours();
}

void TfrmTimeClick::CreateLabels()
{
    for (int i = 0; i < 12; ++i) {
        const QByteArray name =
            QStringLiteral("RxLabel%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1();
        RxLabel[i] =
            MakeCaption(this, name.constData(), kHourPlaces[i], QString::number(i), font());
        connect(RxLabel[i], &TTransparentLabel::Click, this, [this, i] { RxLabelClick(i); });
    }
}

void TfrmTimeClick::CreateButtons()
{
    spdChgMatAM = MakeControl<TFlatButton>(this, "spdChgMatAM", QRect(42, 42, 16, 16));
    spdChgMatAM->setFont(Fonts::PixelFont(QStringLiteral("MS Serif"), 8));
    spdChgMatAM->SetCaption(QStringLiteral("24"));
    connect(spdChgMatAM, &TFlatButton::Click, this, &TfrmTimeClick::spdChgMatAMClick);
    spdCanceler = MakeControl<TFlatButton>(this, "spdCanceler", QRect(43, 24, 13, 13));
    connect(spdCanceler, &TFlatButton::Click, this, &TfrmTimeClick::spdCancelerClick);
}

void TfrmTimeClick::ApplyColours()
{
    const TColourSettings colours = Colours();
    spdChgMatAM->SetFontColor(colours.TextColour);
    for (TTransparentLabel* label : RxLabel)
        label->SetFontColor(colours.TitleColour);
}

// However it closes, the 30 s close has nothing left to do.
void TfrmTimeClick::closeEvent(QCloseEvent* event)
{
    timeCloser->stop();
    TfrmModal::closeEvent(event);
}

void TfrmTimeClick::RxLabelClick(int position)
{
    if (ChosenHour < 0) {
        ChosenHour = HourOffset + position;
        ShowMinuteLabels();
        return;
    }
    ChosenMinute = position * 5;
    SetModalResult(kOk);
}

void TfrmTimeClick::ShowMinuteLabels()
{
    for (int i = 0; i < 12; ++i) {
        RxLabel[i]->setText(QString::number(i * 5));
        RxLabel[i]->adjustSize();
        RxLabel[i]->move(kMinuteLefts[i], kHourPlaces[i].y());
    }
    spdChgMatAM->setEnabled(false);
    spdChgMatAM->SetCaption(QStringLiteral("mn"));
}

// The button names the hours a click brings: "12" while the afternoon is shown, else "24".
void TfrmTimeClick::spdChgMatAMClick()
{
    if (ChosenHour >= 0)
        return;
    const bool toAfternoon = HourOffset == 0;
    spdChgMatAM->SetCaption(toAfternoon ? QStringLiteral("12") : QStringLiteral("24"));
    ShowHours(toAfternoon ? 12 : 0, toAfternoon ? -kAfternoonShift : kAfternoonShift);
}

void TfrmTimeClick::ShowHours(int offset, int shift)
{
    HourOffset = offset;
    for (int i = 0; i < 12; ++i) {
        RxLabel[i]->setText(QString::number(offset + i));
        RxLabel[i]->adjustSize();
        RxLabel[i]->move(RxLabel[i]->pos() + QPoint(shift, 0));
    }
}

void TfrmTimeClick::spdCancelerClick()
{
    SetModalResult(kCancel);
}

void TfrmTimeClick::timeCloserTimer()
{
    timeCloser->stop();
    SetModalResult(kCancel);
}

// Done once an hour is chosen, with the minutes chosen so far; with no hour there is no time
// to give, so the picker is cancelled.
void TfrmTimeClick::FormClick()
{
    SetModalResult(ChosenHour < 0 ? kCancel : kOk);
}

// The background is the ring round the dial: neither a control nor outside the disc.
bool TfrmTimeClick::OnBackground(const QPoint& pos) const
{
    return mask().contains(pos) && !childAt(pos);
}

void TfrmTimeClick::mousePressEvent(QMouseEvent* event)
{
    pressedOnBackground =
        event->button() == Qt::LeftButton && OnBackground(event->position().toPoint());
}

void TfrmTimeClick::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressedOnBackground && event->button() == Qt::LeftButton &&
                       OnBackground(event->position().toPoint());
    pressedOnBackground = false;
    if (click)
        FormClick();
}

void TfrmTimeClick::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ApplyColours();
}

void TfrmTimeClick::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(Colours().TextBackColour));
    painter.drawEllipse(kDialCircle.translated(kDial.topLeft()).adjusted(0, 0, -1, -1));
}
