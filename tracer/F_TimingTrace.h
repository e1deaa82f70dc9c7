#pragma once

#include "app/F_ModWindowPos.h"

// The tracer window: the grid of the traced applications, per day.
class TfrmTimingTrace : public TfrmModWindowPos
{
    Q_OBJECT
public:
    explicit TfrmTimingTrace(QWidget* parent = nullptr);
};
