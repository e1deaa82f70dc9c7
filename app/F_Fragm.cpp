#include "app/F_Fragm.h"

#include "app/F_Glb.h"
#include "app/U_Constantes.h"
#include "app/U_Glb.h"
#include "app/U_Instance.h"
#include "platform/U_Platform.h"

#include <QCloseEvent>

TfrmFragm::TfrmFragm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmFragm"));
    setWindowTitle(Constantes::AppTitle);
    setFixedSize(277, 116);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(0xB56A6A));
    setPalette(palette);
    setAutoFillBackground(true);
}

bool TfrmFragm::FormCreate(const QStringList&)
{
    if (!EnsureSingleInstance([this]() { ComeForward(); }))
        return false;
    SetMainWindow(this);
    Glb().OwnExeName = OwnExeName();
    Glb().EditorFirstShowPending = true;
    Glb().NotesVisible = true;
    Glb().TracerVisible = true;
    Glb().SettingsDirty = true;
    Glb().TracerWindowPending = true;
    Glb().ClosingFromTray = false;
    Glb().SupportsTranslucency = Platform().HasCompositor();
    Glb().FirstPaintPending = true;
    return true;
}

void TfrmFragm::ComeForward()
{
    if (isMinimized()) {
        showNormal();
    } else if (isVisible()) {
        raise();
        activateWindow();
    }
}

void TfrmFragm::closeEvent(QCloseEvent* event)
{
    if (Glb().TracerBusy) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT Closed();
}
