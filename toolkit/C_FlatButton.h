#pragma once

#include <QAbstractButton>

// A small flat button: no frame until the pointer is over it, an optional glyph, caption and
// face colour, and a hint.
class TFlatButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TFlatButton(QWidget* parent = nullptr);
    QSize sizeHint() const override;

    void SetCaption(const QString& caption);
    QString Caption() const { return text(); }
    void SetGlyph(const QPixmap& glyph);
    // A face colour fills the button; without one the parent shows through.
    void SetColor(quint32 bgr);
    void ClearColor();
    void SetFontColor(quint32 bgr);
    void SetHint(const QString& hint) { setToolTip(hint); }
    QString Hint() const { return toolTip(); }
    void SetShowHint(bool show);

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void DrawFrame(QPainter& painter) const;
    void DrawContent(QPainter& painter) const;
    QColor CaptionColor() const;

    QPixmap glyph;
    QColor face;
    QColor fontColor{Qt::black};
};
