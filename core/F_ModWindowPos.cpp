#include "core/F_ModWindowPos.h"

#include "core/F_WindowDrag.h"
#include "core/U_Glb.h"
#include "core/U_Positions.h"
#include "platform/U_Platform.h"

TfrmModWindowPos::TfrmModWindowPos(QWidget* parent, Qt::WindowFlags flags)
    : TfrmModal(parent, flags),
      drag(new TWindowDrag(
          this, [](const QPoint&) { return true; },
          [this](const QPoint& proposed) { return ProposedPosition(proposed); }))
{
}

QPoint TfrmModWindowPos::ProposedPosition(const QPoint& proposed) const
{
    return SnapPosition(proposed, frameGeometry().size(), Platform().WorkArea(),
                        Glb().WindowSnapped);
}
