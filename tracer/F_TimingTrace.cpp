#include "tracer/F_TimingTrace.h"

#include "tracer/U_TracerController.h"

TfrmTimingTrace::TfrmTimingTrace(TTracerController& controller, QWidget* parent)
    : TfrmModWindowPos(parent), tracer(controller)
{
    setObjectName(QStringLiteral("frmTimingTrace"));
    resize(497, 117);
}
