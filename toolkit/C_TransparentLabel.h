#pragma once

#include <QLabel>

// A label that can let its parent's painted background show through, with the mouse events
// of a control once something listens to them; until then its mouse events are its parent's,
// so that a caption is part of the surface a window is dragged by.
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

protected:
    void connectNotify(const QMetaMethod& signal) override;
};
