#include "tracer/F_TimingTrace.h"

#include "core/F_Controls.h"
#include "core/U_Dialogs.h"
#include "core/U_Fonts.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_StringGrid.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/F_Journal.h"
#include "tracer/U_TraceFile.h"
#include "tracer/U_TracerController.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");

TSkinPanel* PanelButton(QWidget* window, const char* name, const QRect& geometry,
                        const QString& hint)
{
    auto* panel = MakeControl<TSkinPanel>(window, name, geometry);
    panel->setToolTip(hint);
    panel->SetBevelOuter(TSkinPanel::TBevel::Raised);
    return panel;
}

// The pressed look of a panel used as a button.
void Press(TSkinPanel* panel, bool down)
{
    panel->SetBevelOuter(down ? TSkinPanel::TBevel::Lowered : TSkinPanel::TBevel::Raised);
    panel->repaint();
}
} // namespace

TfrmTimingTrace::TfrmTimingTrace(TTracerController& controller, QWidget* parent)
    : TfrmModWindowPos(parent), tracer(controller)
{
    setObjectName(QStringLiteral("frmTimingTrace"));
    setFixedSize(497, 117);
    setFont(Fonts::PixelFont(kSansSerif, 11));
    CreateLabels();
    CreateButtons();
    CreateGrid();
    connect(&tracer, &TTracerController::StateChanged, this, &TfrmTimingTrace::TracerStateChanged);
    tracer.sampler.onOriginChanged = [this](const QString& name, const QString& title) {
        rxActiveProcess->setText(name);
        rxActiveProcess->adjustSize();
        ScrollToOrigin(name, title);
    };
    ApplyColours();
}

void TfrmTimingTrace::CreateLabels()
{
    rxTRACE = MakeCaption(this, "rxTRACE", QPoint(6, -1), QStringLiteral("Traceur"),
                          Fonts::PixelFont(QStringLiteral("Papyrus"), 21));
    QFont italic = Fonts::PixelFont(QStringLiteral("Arial"), 11);
    italic.setItalic(true);
    rxActiveProcess = MakeCaption(this, "rxActiveProcess", QPoint(131, 15), QString(), italic);
    const QFont text = font();
    rxDate = MakeCaption(this, "rxDate", QPoint(235, 8), QStringLiteral("Date"), text);
    rxOrigine = MakeCaption(this, "rxOrigine", QPoint(284, 8), QStringLiteral("Origine"), text);
    rxHeureDEB = MakeCaption(this, "rxHeureDEB", QPoint(332, 1),
                             QStringLiteral("Dernière\nreprise"), text, Qt::AlignHCenter);
    rxHeureFIN = MakeCaption(this, "rxHeureFIN", QPoint(383, 1), QStringLiteral("Dernière\nsortie"),
                             text, Qt::AlignHCenter);
    rxDuree = MakeCaption(this, "rxDuree", QPoint(436, 8), QStringLiteral("Durée"), text,
                          Qt::AlignHCenter);
}

void TfrmTimingTrace::CreateButtons()
{
    scrGestTraceur = PanelButton(this, "scrGestTraceur", QRect(97, 12, 28, 9),
                                 QStringLiteral("Nouveau traceur"));
    connect(scrGestTraceur, &TSkinPanel::MouseDown, this,
            [this]() { Press(scrGestTraceur, true); });
    connect(scrGestTraceur, &TSkinPanel::MouseUp, this, [this]() {
        Press(scrGestTraceur, false);
        NewTracer();
    });
    scrDspDsptch =
        PanelButton(this, "scrDspDsptch", QRect(478, 7, 14, 14), QStringLiteral("Journal"));
    connect(scrDspDsptch, &TSkinPanel::MouseDown, this, [this]() { Press(scrDspDsptch, true); });
    connect(scrDspDsptch, &TSkinPanel::MouseUp, this, [this]() {
        Press(scrDspDsptch, false);
        OpenJournal();
    });
}

void TfrmTimingTrace::CreateGrid()
{
    grdTraceTime = MakeControl<TStringGrid>(this, "grdTraceTime", QRect(5, 28, 487, 87));
    grdTraceTime->setFont(Fonts::PixelFont(kSansSerif, 11));
    grdTraceTime->setModel(&tracer.trace.grid);
    grdTraceTime->SetDefaultColWidth(50);
    grdTraceTime->SetDefaultRowHeight(16);
    grdTraceTime->SetColWidth(0, 100);
    grdTraceTime->SetColWidth(1, 104);
    grdTraceTime->SetColWidth(2, 64);
    grdTraceTime->setShowGrid(false);
    grdTraceTime->SetColSizing(true);
    grdTraceTime->setTabKeyNavigation(true);
    grdTraceTime->setEditTriggers(QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
}

void TfrmTimingTrace::ApplyColours()
{
    const TColourSettings& colours = Glb().Colours;
    grdTraceTime->SetColor(colours.TextBackColour);
    grdTraceTime->SetFontColor(colours.TextColour);
    scrGestTraceur->SetColor(colours.TextBackColour);
    scrDspDsptch->SetColor(colours.TextBackColour);
    for (TTransparentLabel* label : {rxTRACE, rxDate, rxDuree, rxHeureDEB, rxHeureFIN, rxOrigine})
        label->SetFontColor(colours.TitleColour);
}

void TfrmTimingTrace::RepaintSkin()
{
    ApplyColours();
    update();
}

void TfrmTimingTrace::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
}

void TfrmTimingTrace::showEvent(QShowEvent* event)
{
    TfrmModWindowPos::showEvent(event);
    ApplyColours();
    if (Glb().Options.PageToDown)
        grdTraceTime->ScrollToEnd();
}

void TfrmTimingTrace::PlaceAtSavedPosition()
{
    if (!Glb().TracerWindowPending)
        return;
    move(Glb().TracerLeft, Glb().TracerTop);
    Glb().TracerWindowPending = false;
}

void TfrmTimingTrace::ShowOrHide()
{
    PlaceAtSavedPosition();
    setVisible(!isVisible());
    Glb().TracerVisible = isVisible();
}

void TfrmTimingTrace::ScrollToOrigin(const QString& name, const QString& title)
{
    if (tracer.trace.grid.rowCount() <= 5)
        return;
    const auto row = tracer.trace.FindTraceRow(
        name, Glb().Options.DistinctFiles ? title : TTraceData::kNoSearch, NowDateTime());
    if (row)
        grdTraceTime->SetTopRow(*row);
}

void TfrmTimingTrace::TracerStateChanged(bool tracing)
{
    scrGestTraceur->setEnabled(!tracing);
    scrGestTraceur->SetBevelOuter(tracing ? TSkinPanel::TBevel::None : TSkinPanel::TBevel::Raised);
    if (tracing)
        return;
    // A window never placed yet appears when the trace stops, to show what was traced.
    if (Glb().TracerWindowPending && isHidden()) {
        PlaceAtSavedPosition();
        show();
        Glb().TracerVisible = true;
    }
    rxActiveProcess->clear();
}

void TfrmTimingTrace::NewTracer()
{
    const TColor c = Glb().Colours.TextBackColour;
    if (AskQuestion(QStringLiteral("CREER  NOUVEAU  TRACEUR  &&  ENREGISTRER  L'ACTUEL  ?"), c,
                    (0xFFFFFF - c) ^ c, 0, 10, 450, 55, QStringLiteral("    O K    "),
                    QStringLiteral("Non...")) != 1)
        return;
    TraceurFile(tracer.trace);
    ResetTrace(tracer.trace);
}

void TfrmTimingTrace::OpenJournal()
{
    ShowJournal(tracer.trace.grid, this);
}
