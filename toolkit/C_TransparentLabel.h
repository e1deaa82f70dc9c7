#pragma once

#include <QLabel>

// A label that can let its parent's painted background show through, with the mouse events
// of a control.
class TTransparentLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TTransparentLabel(QWidget* parent = nullptr);
    explicit TTransparentLabel(const QString& text, QWidget* parent = nullptr);

    void SetTransparent(bool transparent);
    bool IsTransparent() const { return !autoFillBackground(); }
    // The background while not transparent.
    void SetColor(quint32 bgr);
    void SetFontColor(quint32 bgr);
    void SetShowHint(bool show);

Q_SIGNALS:
    void Click();
    void DblClick();
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseUp(Qt::MouseButton button, QPoint pos);
};
