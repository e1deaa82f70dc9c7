#include "alarms/F_GestAlarm.h"

#include "alarms/F_ListAlrms0.h"
#include "alarms/F_TimeClick.h"
#include "core/F_Controls.h"
#include "core/F_WindowDrag.h"
#include "core/U_Dialogs.h"
#include "core/U_Fonts.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_NumericEdit.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>

#include <array>
#include <memory>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
constexpr int kOk = 1;
constexpr int kCancel = 2;

TTransparentLabel* Label(QWidget* window, const char* name, const QPoint& at, const QString& text,
                         bool transparent)
{
    auto* label = MakeCaption(window, name, at, text, Fonts::PixelFont(kSansSerif, 16));
    label->SetTransparent(transparent);
    return label;
}

TSkinPanel* ActionPanel(QWidget* window, const char* name, const QRect& geometry,
                        const TSkinPanel::TScrollSettings& scroll)
{
    auto* panel = MakeControl<TSkinPanel>(window, name, geometry);
    panel->SetScrollSettings(scroll);
    panel->SetTabStop(true);
    panel->SetActive(true);
    return panel;
}

// One part of hhmm, on two digits.
QString TwoDigits(int number)
{
    return QString::number(number).rightJustified(2, QLatin1Char('0'));
}
} // namespace

TfrmGestAlarm::TfrmGestAlarm(TAlarms& alarmComponent, QWidget* owner)
    : TfrmModWindowPos(owner), alarms(alarmComponent)
{
    setObjectName(QStringLiteral("frmGestAlarm"));
    setFixedSize(236, 236);
    setFont(Fonts::PixelFont(kSansSerif, 11));
    setMask(QRegion(rect(), QRegion::Ellipse));
    CreateCaptions();
    CreateFields();
    CreatePanels();
    setTabOrder(rxDateur, curEdtHour);
    setTabOrder(curEdtHour, memObjet);
    setTabOrder(memObjet, scrEnregAlarm);
    setTabOrder(scrEnregAlarm, scrAnnulAlarm);
    SetEntryColours(backColour, textColour, titleColour);
}

void TfrmGestAlarm::CreateCaptions()
{
    rxAlarmDate = Label(this, "rxAlarmDate", QPoint(81, 6), QStringLiteral("Alarme le"), true);
    rxAlarmHour = Label(this, "rxAlarmHour", QPoint(76, 49), QStringLiteral("à"), false);
    RxObjet = Label(this, "RxObjet", QPoint(15, 73), QStringLiteral("Objet"), false);
    rxAlarmTitre = MakeCaption(this, "rxAlarmTitre", QPoint(25, 159), QStringLiteral("Alarme"),
                               Fonts::PixelFont(QStringLiteral("Papyrus"), 21));
    // The captions are part of the surface the window is dragged by.
    for (QWidget* caption : {rxAlarmDate, rxAlarmHour, RxObjet, rxAlarmTitre})
        Drag()->Watch(caption);
}

void TfrmGestAlarm::CreateFields()
{
    rxDateur = MakeControl<TDateEdit>(this, "rxDateur", QRect(73, 25, 89, 18));
    curEdtHour = MakeControl<TNumericEdit>(this, "curEdtHour", QRect(90, 50, 57, 18));
    curEdtHour->SetDisplayFormat(QStringLiteral("00 h 00"));
    // Any four digits are taken as typed: an hour that no clock reaches is refused at saving,
    // with its reason, rather than its last digit silently dropped while typing.
    curEdtHour->SetMaxValue(9999);
    curEdtHour->setAlignment(Qt::AlignCenter);
    curEdtHour->setToolTip(QStringLiteral("Saisir hhmm\r\nou dbl-clicker"));
    curEdtHour->SetShowHint(true);
    connect(curEdtHour, &TNumericEdit::DblClick, this, &TfrmGestAlarm::curEdtHourDblClick);
    memObjet = MakeControl<QPlainTextEdit>(this, "memObjet", QRect(14, 93, 208, 61));
    memObjet->setFont(Fonts::PixelFont(kSansSerif, 13));
    // Tab leaves the subject, for the save panel that follows it.
    memObjet->setTabChangesFocus(true);
}

void TfrmGestAlarm::CreatePanels()
{
    scrShowerAlrm = MakeControl<TSkinPanel>(this, "scrShowerAlrm", QRect(193, 64, 14, 15));
    scrShowerAlrm->SetLines({QStringLiteral("!")});
    scrShowerAlrm->setToolTip(QStringLiteral("Aperçu alarmes"));
    scrShowerAlrm->SetShowHint(true);
    connect(scrShowerAlrm, &TSkinPanel::MouseMove, this, &TfrmGestAlarm::scrShowerAlrmMouseMove);
    connect(scrShowerAlrm, &TSkinPanel::Click, this, &TfrmGestAlarm::scrShowerAlrmClick);
    using enum TSkinPanel::TDirection;
    scrAnnulAlarm = ActionPanel(
        this, "scrAnnulAlarm", QRect(82, 182, 72, 19),
        {{QStringLiteral("A N N U L E R")}, Horizontal, 30, true, TSkinPanel::TBevel::Raised});
    scrEnregAlarm = ActionPanel(this, "scrEnregAlarm", QRect(73, 206, 90, 17),
                                {{QStringLiteral("ENREGISTRER"), QStringLiteral("ALARME")},
                                 Vertical,
                                 40,
                                 true,
                                 TSkinPanel::TBevel::Raised});
    // Both act on a click and on keyboard entry alike.
    for (auto signal : {&TSkinPanel::Click, &TSkinPanel::Enter}) {
        connect(scrAnnulAlarm, signal, this, &TfrmGestAlarm::scrAnnulAlarmClick);
        connect(scrEnregAlarm, signal, this, &TfrmGestAlarm::scrEnregAlarmClick);
    }
}

void TfrmGestAlarm::SetEntryColours(TColor back, TColor text, TColor title)
{
    backColour = back;
    textColour = text;
    titleColour = title;
    for (TSkinPanel* panel : {scrAnnulAlarm, scrEnregAlarm}) {
        panel->SetColor(back);
        panel->SetFontColor(title);
    }
    for (TTransparentLabel* label : {rxAlarmTitre, RxObjet, rxAlarmDate, rxAlarmHour})
        label->SetFontColor(title);
    rxDateur->SetColor(back);
    rxDateur->SetFontColor(text);
    rxDateur->SetWeekendColor(text);
    rxDateur->SetDropDownColor(back);
    curEdtHour->SetColor(back);
    curEdtHour->SetFontColor(text);
    QPalette memo = memObjet->palette();
    memo.setColor(QPalette::Base, ToQColor(back));
    memo.setColor(QPalette::Text, ToQColor(text));
    memObjet->setPalette(memo);
    scrShowerAlrm->SetColor(back);
    scrShowerAlrm->SetFontColor(text);
}

// A memo's lines: a last line break opens no line of its own.
QStringList TfrmGestAlarm::SubjectLines() const
{
    const QString text = memObjet->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// An empty subject is saved as "?" once the user says so.
bool TfrmGestAlarm::SubjectGiven()
{
    if (!SubjectLines().isEmpty())
        return true;
    if (AskQuestion(QStringLiteral("Objet non renseigné ?"), 0xFF0000, 0xFFFFFF, 0, 12, 200, 60,
                    QStringLiteral("Oui"), QStringLiteral("mais non...")) != kOk)
        return false;
    memObjet->setPlainText(QStringLiteral("?"));
    return true;
}

// The hour field holds hhmm: hours beyond 23 or minutes beyond 59, which no clock reaches,
// are refused, like a date that is no day, before anything is asked or stored.
void TfrmGestAlarm::scrEnregAlarmClick()
{
    const int value = curEdtHour->Value();
    const QString hh = TwoDigits(value / 100);
    const QString mm = TwoDigits(value % 100);
    if (value / 100 > 23) {
        ShowPlainMessage(
            QStringLiteral("Heures de 00 à 23 : %1 h %2 n'est pas une heure.").arg(hh, mm));
        return;
    }
    if (value % 100 > 59) {
        ShowPlainMessage(
            QStringLiteral("Minutes de 00 à 59 : %1 h %2 n'est pas une heure.").arg(hh, mm));
        return;
    }
    // A record without a real date would never ring, nor ever leave the file.
    if (!rxDateur->Date().isValid()) {
        ShowPlainMessage(QStringLiteral("Date de l'alarme invalide : ") + rxDateur->Text());
        return;
    }
    if (!SubjectGiven())
        return;
    AlarmTimeText = hh + QLatin1Char(':') + mm + QStringLiteral(":00");
    const QString question = QStringLiteral("Alarme le ") + rxDateur->Text() +
                             QStringLiteral(" à ") + hh + QStringLiteral(" h ") + mm +
                             QStringLiteral(" ?");
    SetModalResult(AskQuestion(question, 0, 0xFFFFFF, 0, 16, 0, 0, QStringLiteral("OK"),
                               QStringLiteral("Annuler")));
}

void TfrmGestAlarm::scrAnnulAlarmClick()
{
    SetModalResult(kCancel);
}

void TfrmGestAlarm::curEdtHourDblClick()
{
    TfrmTimeClick picker(this);
    picker.move(pos());
    if (picker.ShowModal() != kOk || picker.ChosenHour < 0)
        return;
    curEdtHour->SetValue(picker.ChosenHour * 100 + picker.ChosenMinute);
    memObjet->setFocus();
}

void TfrmGestAlarm::scrShowerAlrmMouseMove()
{
    scrShowerAlrm->SetActive(true);
}

void TfrmGestAlarm::SetActionsScrolling(bool scrolling)
{
    scrAnnulAlarm->SetActive(scrolling);
    scrEnregAlarm->SetActive(scrolling);
}

// The stored alarms over the subject box, where one can be removed.
void TfrmGestAlarm::scrShowerAlrmClick()
{
    SetActionsScrolling(false);
    auto list = std::make_unique<TfrmListAlrms0>(alarms, this);
    list->LoadAlarmList();
    list->move(pos() + memObjet->pos());
    list->SetListColours(backColour, textColour, titleColour);
    list->SetDeletionAllowed(true);
    list->ShowModal();
    list.reset();
    SetActionsScrolling(true);
}

void TfrmGestAlarm::showEvent(QShowEvent* event)
{
    TfrmModWindowPos::showEvent(event);
    rxDateur->setFocus();
}

void TfrmGestAlarm::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
    PaintEntryRim(painter);
}

// The outer four outlines of the main window's rim.
void TfrmGestAlarm::PaintEntryRim(QPainter& painter) const
{
    constexpr std::array<QRgb, 4> kPens = {0x000000, 0x7E7E7E, 0x747474, 0x646464};
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        painter.setPen(QPen(QColor(kPens[i]), i == 0 ? 2 : 1));
        painter.drawEllipse(QRect(QPoint(i, i), QPoint(width() - 1, height() - 2)));
    }
}
