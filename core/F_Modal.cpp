#include "core/F_Modal.h"

#include <QCloseEvent>
#include <QEventLoop>

TfrmModal::TfrmModal(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

int TfrmModal::ShowModal()
{
    modalResult = 0;
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    QEventLoop loop;
    connect(this, &TfrmModal::ModalClosed, &loop, &QEventLoop::quit);
    inModalLoop = true;
    loop.exec();
    inModalLoop = false;
    return modalResult;
}

void TfrmModal::SetModalResult(int result)
{
    modalResult = result;
    close();
}

void TfrmModal::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && inModalLoop)
        Q_EMIT ModalClosed();
}
