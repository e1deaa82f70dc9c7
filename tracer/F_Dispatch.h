#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_Glb.h"
#include "core/U_WindowSkin.h"
#include "tracer/U_Journal.h"

#include <vector>

class QTabWidget;
class TFlatButton;
class TSkinPanel;
class TTraceGrid;
class TTransparentLabel;

// The journal window: the trace's rows on one tab per day, the newest day first, and the way
// to printing, which a derived window supplies.
class TfrmDispatch : public TfrmModWindowPos
{
    Q_OBJECT
public:
    explicit TfrmDispatch(QWidget* parent = nullptr);

    // One page per block, from the last block of the grid to the first.
    void AddDayPages(const TTraceGrid& grid, const std::vector<TDayBlock>& blocks);
    // The window's width; the tab control keeps a margin of 16 pixels.
    void SetWidth(int width);
    // Shows the window modally, the pointer on its exit panel; the modal result.
    int Execute();

protected:
    virtual void Impression() = 0;
    void paintEvent(QPaintEvent* event) override;

    TTransparentLabel* rxJournal = nullptr;
    TTransparentLabel* rxTimeDsp = nullptr;
    QTabWidget* pgeCtrl = nullptr;
    TFlatButton* spdImpression = nullptr;
    TSkinPanel* scrOutDsptch = nullptr;

private:
    void CreateTitles();
    void CreateButtons();
    void ApplyColours(const TColourSettings& colours);
    void PageShown(int index);

    TWindowSkin skin;
};
