#include "core/F_ModWindowPos.h"

#include "core/F_WindowDrag.h"
#include "core/U_Glb.h"
#include "core/U_Positions.h"
#include "platform/U_Platform.h"

#include <QCloseEvent>
#include <QEventLoop>

TfrmModWindowPos::TfrmModWindowPos(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags),
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

int TfrmModWindowPos::ShowModal()
{
    modalResult = 0;
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    QEventLoop loop;
    connect(this, &TfrmModWindowPos::ModalClosed, &loop, &QEventLoop::quit);
    inModalLoop = true;
    loop.exec();
    inModalLoop = false;
    return modalResult;
}

void TfrmModWindowPos::SetModalResult(int result)
{
    modalResult = result;
    close();
}

void TfrmModWindowPos::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && inModalLoop)
        Q_EMIT ModalClosed();
}
