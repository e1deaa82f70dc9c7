#include "tracer/F_DlgImpr.h"

#include "core/F_Controls.h"
#include "core/F_WindowDrag.h"
#include "core/U_Fonts.h"
#include "platform/U_Platform.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/F_BusyMouse.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRadioButton>
#include <QTimer>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
// Left unanswered, the dialog cancels itself: a while after it was created, and once it has
// appeared, this long after that.
constexpr int kLimitAtCreationMs = 15000;
constexpr int kLimitShownMs = 20000;
constexpr int kPrint = 1;
constexpr int kCancel = 2;

TSkinPanel* Panel(QWidget* window, const char* name, const QRect& geometry,
                  const TSkinPanel::TScrollSettings& scroll)
{
    auto* panel = MakeControl<TSkinPanel>(window, name, geometry);
    panel->SetFontColor(0xFFFFFF);
    panel->SetScrollSettings(scroll);
    panel->SetActive(true);
    return panel;
}

void SetSurface(QWidget* control, TColor colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}
} // namespace

TfrmDlgImpr::TfrmDlgImpr(QWidget* owner) : TfrmModWindowPos(owner)
{
    setObjectName(QStringLiteral("frmDlgImpr"));
    setFont(Fonts::PixelFont(kSansSerif, 11));
    resize(339, 104);
    move(Platform().ScreenGeometry().center() - rect().center());
    rxImpTitre = MakeCaption(this, "rxImpTitre", QPoint(5, -2), QStringLiteral("Impression"),
                             Fonts::PixelFont(QStringLiteral("Papyrus"), 19));
    Drag()->Watch(rxImpTitre);
    CreateChoice();
    CreateButtons();
    timerLimit = new QTimer(this);
    timerLimit->setObjectName(QStringLiteral("timerLimit"));
    connect(timerLimit, &QTimer::timeout, this, &TfrmDlgImpr::timerLimitTimer);
    timerLimit->start(kLimitAtCreationMs);
    new TBusyMouse(this);
}

void TfrmDlgImpr::CreateChoice()
{
    rdbAllPages = MakeControl<QRadioButton>(this, "rdbAllPages", QRect(39, 40, 26, 17));
    rdbAllPages->setChecked(true);
    rdbJustActPage = MakeControl<QRadioButton>(this, "rdbJustActPage", QRect(39, 64, 26, 17));
    const QFont labels = Fonts::PixelFont(kSansSerif, 13);
    rxAllPages =
        MakeCaption(this, "rxAllPages", QPoint(68, 41), QStringLiteral("Toutes les pages"), labels);
    rxJustActivePage = MakeCaption(this, "rxJustActivePage", QPoint(68, 65),
                                   QStringLiteral("Uniquement la page active"), labels);
    connect(rxAllPages, &TTransparentLabel::Click, this, &TfrmDlgImpr::SwitchChoice);
    connect(rxJustActivePage, &TTransparentLabel::Click, this, &TfrmDlgImpr::SwitchChoice);
}

void TfrmDlgImpr::CreateButtons()
{
    scrEnvImp = Panel(this, "scrEnvImp", QRect(264, 12, 65, 19),
                      {{QStringLiteral(" E N V O I"), QStringLiteral("impression")},
                       TSkinPanel::TDirection::Vertical,
                       40,
                       true,
                       TSkinPanel::TBevel::Raised});
    scrAnnulImp = Panel(this, "scrAnnulImp", QRect(264, 44, 65, 19),
                        {{QStringLiteral("A n n u l e r")},
                         TSkinPanel::TDirection::Horizontal,
                         45,
                         true,
                         TSkinPanel::TBevel::Raised});
    connect(scrEnvImp, &TSkinPanel::Click, this, [this]() { SetModalResult(kPrint); });
    connect(scrAnnulImp, &TSkinPanel::Click, this, [this]() { SetModalResult(kCancel); });
}

void TfrmDlgImpr::ApplyColours(TColor back, TColor title)
{
    scrEnvImp->SetColor(back);
    scrAnnulImp->SetColor(back);
    SetSurface(rdbAllPages, back);
    SetSurface(rdbJustActPage, back);
    scrEnvImp->SetFontColor(title);
    scrAnnulImp->SetFontColor(title);
    rxImpTitre->SetFontColor(title);
}

bool TfrmDlgImpr::AllPages() const
{
    return rdbAllPages->isChecked();
}

void TfrmDlgImpr::timerLimitTimer()
{
    timerLimit->stop();
    SetModalResult(kCancel);
}

void TfrmDlgImpr::StopTimer()
{
    timerLimit->stop();
}

void TfrmDlgImpr::SwitchChoice()
{
    // The two buttons exclude each other: checking one clears the other.
    if (rdbAllPages->isChecked())
        rdbJustActPage->setChecked(true);
    else
        rdbAllPages->setChecked(true);
}

void TfrmDlgImpr::paintEvent(QPaintEvent* event)
{
    if (!painted) {
        painted = true;
        if (timerLimit->isActive())
            timerLimit->start(kLimitShownMs);
    }
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
}
