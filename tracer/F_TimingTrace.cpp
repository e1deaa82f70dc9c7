#include "tracer/F_TimingTrace.h"

TfrmTimingTrace::TfrmTimingTrace(QWidget* parent) : TfrmModWindowPos(parent)
{
    setObjectName(QStringLiteral("frmTimingTrace"));
    resize(497, 117);
}
