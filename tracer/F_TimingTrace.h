#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_WindowSkin.h"

class TSkinPanel;
class TStringGrid;
class TTracerController;
class TTransparentLabel;

// The tracer window: the grid of the traced applications, one row per application and day,
// under its column labels, with the current application, a new tracer and the journal.
class TfrmTimingTrace : public TfrmModWindowPos
{
    Q_OBJECT
public:
    explicit TfrmTimingTrace(TTracerController& tracer, QWidget* parent = nullptr);

    // The main window's tracer button: placed at its saved position the first time, then
    // shown when hidden and hidden when shown.
    void ShowOrHide();
    // Brings the row of today's origin to the top of the grid, when the grid is long enough
    // to scroll.
    void ScrollToOrigin(const QString& name, const QString& title);
    // The colours changed: the window and its captions are painted again.
    void RepaintSkin();

    TTransparentLabel* rxTRACE;
    TSkinPanel* scrGestTraceur;
    TTransparentLabel* rxActiveProcess;
    TTransparentLabel* rxDate;
    TTransparentLabel* rxOrigine;
    TTransparentLabel* rxHeureDEB;
    TTransparentLabel* rxHeureFIN;
    TTransparentLabel* rxDuree;
    TSkinPanel* scrDspDsptch;
    TStringGrid* grdTraceTime;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateLabels();
    void CreateButtons();
    void CreateGrid();
    void ApplyColours();
    void TracerStateChanged(bool tracing);
    void NewTracer();
    void OpenJournal();
    void PlaceAtSavedPosition();

    TTracerController& tracer;
    TWindowSkin skin;
};
