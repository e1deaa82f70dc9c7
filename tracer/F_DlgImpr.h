#pragma once

#include "core/F_ModWindowPos.h"
#include "core/U_Glb.h"
#include "core/U_WindowSkin.h"

class QRadioButton;
class QTimer;
class TSkinPanel;
class TTransparentLabel;

// The print dialog: every day or only the active tab's day. Its modal result is 1 to print,
// 2 when cancelled or left unanswered.
class TfrmDlgImpr : public TfrmModWindowPos
{
    Q_OBJECT
public:
    explicit TfrmDlgImpr(QWidget* owner = nullptr);

    // The surfaces take `back`, the texts `title`.
    void ApplyColours(TColor back, TColor title);
    bool AllPages() const;
    void StopTimer();
    // The time limit is over: the dialog closes as cancelled.
    void timerLimitTimer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateChoice();
    void CreateButtons();
    void SwitchChoice();

    TTransparentLabel* rxImpTitre = nullptr;
    QRadioButton* rdbAllPages = nullptr;
    TTransparentLabel* rxAllPages = nullptr;
    QRadioButton* rdbJustActPage = nullptr;
    TTransparentLabel* rxJustActivePage = nullptr;
    TSkinPanel* scrEnvImp = nullptr;
    TSkinPanel* scrAnnulImp = nullptr;
    QTimer* timerLimit = nullptr;
    bool painted = false;
    TWindowSkin skin;
};
