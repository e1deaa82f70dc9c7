#include "app/F_ModWindowPos.h"

#include "app/F_WindowDrag.h"

TfrmModWindowPos::TfrmModWindowPos(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags),
      drag(new TWindowDrag(
          this, [](const QPoint&) { return true; },
          [this](const QPoint& proposed) { return ProposedPosition(proposed); }))
{
}
