#include "tracer/F_Dispatch.h"

#include "core/F_Controls.h"
#include "core/F_Glb.h"
#include "core/F_WindowDrag.h"
#include "core/U_Fonts.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/C_PageControl.h"
#include "tracer/F_BusyMouse.h"
#include "tracer/F_DayPage.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTabWidget>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kPapyrus = QStringLiteral("Papyrus");
constexpr int kPagesMargin = 16;

} // namespace

TfrmDispatch::TfrmDispatch(QWidget* parent) : TfrmModWindowPos(parent)
{
    setObjectName(QStringLiteral("frmDispatch"));
    setWindowTitle(QStringLiteral("Dialogue classeur à onglets"));
    setFont(Fonts::PixelFont(kSansSerif, 11));
    resize(497, 257);
    CreateTitles();
    pgeCtrl = MakeControl<TPageControl>(this, "pgeCtrl", QRect(8, 24, 481, 209));
    connect(pgeCtrl, &QTabWidget::currentChanged, this, &TfrmDispatch::PageShown);
    CreateButtons();
    new TBusyMouse(this);
    ApplyColours(Glb().Colours);
}

void TfrmDispatch::CreateTitles()
{
    rxJournal = MakeCaption(this, "rxJournal", QPoint(8, -2), QStringLiteral("Journal"),
                            Fonts::PixelFont(kPapyrus, 21));
    rxTimeDsp =
        MakeCaption(this, "rxTimeDsp", QPoint(385, -2), QStringLiteral("à  ") + CurrentTimeText(),
                    Fonts::PixelFont(kPapyrus, 21));
    // The titles are free surface: the window is dragged by them too.
    Drag()->Watch(rxJournal);
    Drag()->Watch(rxTimeDsp);
}

void TfrmDispatch::CreateButtons()
{
    spdImpression = MakeControl<TFlatButton>(this, "spdImpression", QRect(304, 236, 89, 17));
    spdImpression->SetCaption(QStringLiteral("Impression"));
    spdImpression->setFont(Fonts::PixelFont(kSansSerif, 11));
    spdImpression->SetFontColor(0xFFFFFF);
    connect(spdImpression, &TFlatButton::Click, this, &TfrmDispatch::Impression);
    scrOutDsptch = MakeControl<TSkinPanel>(this, "scrOutDsptch", QRect(406, 236, 83, 17));
    scrOutDsptch->setFont(Fonts::PixelFont(kSansSerif, 11));
    scrOutDsptch->SetFontColor(0xFFFFFF);
    scrOutDsptch->SetScrollSettings(
        {{QStringLiteral("S  O  R  T  I  R"), QStringLiteral("  "), QStringLiteral(" I  C  I")},
         TSkinPanel::TDirection::Vertical,
         40,
         true,
         TSkinPanel::TBevel::Raised});
    scrOutDsptch->SetActive(true);
    connect(scrOutDsptch, &TSkinPanel::Click, this, [this]() { SetModalResult(1); });
}

void TfrmDispatch::ApplyColours(const TColourSettings& colours)
{
    rxJournal->SetFontColor(colours.TitleColour);
    rxTimeDsp->SetFontColor(colours.TitleColour);
    scrOutDsptch->SetColor(colours.TextBackColour);
    scrOutDsptch->SetFontColor(colours.TitleColour);
    // The complement of the gradient's end colour xor that colour: white, whatever it is.
    const TColor b = colours.GradientColourB;
    spdImpression->SetFontColor((0xFFFFFF - b) ^ b);
}

void TfrmDispatch::AddDayPages(const TTraceGrid& grid, const std::vector<TDayBlock>& blocks)
{
    // Pages are cheap until shown: only the first one makes its grid now.
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
        pgeCtrl->addTab(new TDayPage(grid, block->firstRow, block->day.rows), block->Caption());
    PageShown(pgeCtrl->currentIndex());
}

int TfrmDispatch::Execute()
{
    PlaceCursorOnControl(this, scrOutDsptch);
    return ShowModal();
}

void TfrmDispatch::PageShown(int index)
{
    if (auto* page = qobject_cast<TDayPage*>(pgeCtrl->widget(index)))
        page->EnsureGrid();
}

void TfrmDispatch::SetWidth(int width)
{
    resize(width, height());
    pgeCtrl->resize(width - kPagesMargin, pgeCtrl->height());
}

void TfrmDispatch::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
}
