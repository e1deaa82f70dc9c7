#pragma once

#include "core/F_ModWindowPos.h"

class TTracerController;

// The tracer window: the grid of the traced applications, per day.
class TfrmTimingTrace : public TfrmModWindowPos
{
    Q_OBJECT
public:
    explicit TfrmTimingTrace(TTracerController& tracer, QWidget* parent = nullptr);

private:
    TTracerController& tracer;
};
