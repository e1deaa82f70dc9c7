#include "tracer/F_Disptch0.h"

#include "core/U_Dialogs.h"
#include "platform/U_Platform.h"
#include "toolkit/C_SkinPanel.h"
#include "tracer/F_DlgImpr.h"
#include "tracer/F_TracePrinter.h"

#include <QTabWidget>

namespace {
// Holds a scrolling panel still for a scope, however it is left.
class TPanelPause
{
public:
    explicit TPanelPause(TSkinPanel* panel) : panel(panel) { panel->SetActive(false); }
    ~TPanelPause() { panel->SetActive(true); }
    TPanelPause(const TPanelPause&) = delete;
    TPanelPause& operator=(const TPanelPause&) = delete;

private:
    TSkinPanel* panel;
};
} // namespace

Tfrmdisptch0::Tfrmdisptch0(const TTraceGrid& source, QWidget* parent)
    : TfrmDispatch(parent), grid(source), print(PrintTrace)
{
    setObjectName(QStringLiteral("frmdisptch0"));
}

void Tfrmdisptch0::Impression()
{
    const TPanelPause pause(scrOutDsptch);
    try {
        TfrmDlgImpr dialog(this);
        dialog.ApplyColours(Glb().Colours.TextBackColour, Glb().Colours.TitleColour);
        const int result = dialog.ShowModal();
        dialog.StopTimer();
        if (result == 1)
            PrintChoice(dialog.AllPages());
    } catch (const std::exception& error) {
        ShowPlainMessage(QString::fromUtf8(error.what()));
    }
}

void Tfrmdisptch0::PrintChoice(bool allPages)
{
    const QString user = Platform().UserName();
    if (allPages) {
        print(grid, QStringLiteral("Tarvelle - Trace - ") + user, 0);
        return;
    }
    const int active = pgeCtrl->currentIndex();
    // Without a page there is no day to print alone.
    if (active < 0)
        return;
    print(grid,
          QStringLiteral("Tarvelle - Trace ") + pgeCtrl->tabText(active) + QStringLiteral(" - ") +
              user,
          active + 1);
}
