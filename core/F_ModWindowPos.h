#pragma once

#include "core/F_Modal.h"

class TWindowDrag;

// A frameless window that can be dragged by any point of its surface not taken by a control.
class TfrmModWindowPos : public TfrmModal
{
    Q_OBJECT
public:
    explicit TfrmModWindowPos(QWidget* parent = nullptr,
                              Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint);

protected:
    // Where the window goes when dragged to `proposed`: snapped to the work-area edges, and
    // kept inside the work area once any such window has been snapped.
    virtual QPoint ProposedPosition(const QPoint& proposed) const;
    TWindowDrag* Drag() const { return drag; }

private:
    TWindowDrag* drag;
};
