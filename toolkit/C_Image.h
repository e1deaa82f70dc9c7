#pragma once

#include <QPixmap>
#include <QWidget>

// A plain picture that reports clicks.
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);
    QSize sizeHint() const override;

    // Reads a PNG file (or resource) with libpng, without Qt's image reader: that one looks
    // through every image plug-in installed first, which costs time and memory at start-up. A
    // null pixmap when the file is missing or is not a whole PNG.
    static QPixmap LoadPng(const QString& path);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture; }
    // Stretched, the picture fills the control; else it stands at the top-left corner.
    void SetStretch(bool stretch);
    void SetShowHint(bool show);

Q_SIGNALS:
    void Click();
    void DblClick();
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture;
    bool stretch = false;
};
