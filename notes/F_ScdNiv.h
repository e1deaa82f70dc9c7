#pragma once

#include "core/F_ModWindowPos.h"

// The notes editor, "Scribelle": the pad where notes, copies and dropped paths gather.
class TfrmMnememo : public TfrmModWindowPos
{
    Q_OBJECT
public:
    explicit TfrmMnememo(QWidget* parent = nullptr);
};
