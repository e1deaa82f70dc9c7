#include "C_FlatButton.h"

#include "C_HintSwitch.h"
#include "U_BgrColor.h"

#include <QIcon>
#include <QPainter>

TFlatButton::TFlatButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, &TFlatButton::Click);
}

void TFlatButton::SetCaption(const QString& caption)
{
    setText(caption);
}

void TFlatButton::SetGlyph(const QPixmap& pixmap)
{
    glyph = pixmap;
    update();
}

void TFlatButton::SetColor(quint32 bgr)
{
    face = Bgr::ToColor(bgr);
    update();
}

void TFlatButton::ClearColor()
{
    face = QColor();
    update();
}

void TFlatButton::SetFontColor(quint32 bgr)
{
    fontColor = Bgr::ToColor(bgr);
    update();
}

void TFlatButton::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}

void TFlatButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    update();
}

void TFlatButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    update();
}

QSize TFlatButton::sizeHint() const
{
    const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
    return QSize(glyph.width() + textSize.width(), qMax(glyph.height(), textSize.height()))
               .expandedTo(QSize(8, 8)) +
           QSize(4, 4);
}

void TFlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (face.isValid())
        painter.fillRect(rect(), face);
    DrawContent(painter);
    DrawFrame(painter);
}

// The frame appears raised under the pointer and sunk while pressed or checked.
void TFlatButton::DrawFrame(QPainter& painter) const
{
    const bool sunk = isDown() || isChecked();
    if (!sunk && !(underMouse() && isEnabled()))
        return;
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.setPen(sunk ? QColor(Qt::darkGray) : QColor(Qt::white));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(sunk ? QColor(Qt::white) : QColor(Qt::darkGray));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

void TFlatButton::DrawContent(QPainter& painter) const
{
    const int textWidth = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text());
    const int shift = isDown() ? 1 : 0;
    int x = (width() - glyph.width() - textWidth) / 2 + shift;
    if (!glyph.isNull()) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QPixmap shown = QIcon(glyph).pixmap(glyph.size(), mode);
        painter.drawPixmap(x, (height() - glyph.height()) / 2 + shift, shown);
        x += glyph.width();
    }
    if (textWidth == 0)
        return;
    painter.setPen(isEnabled() ? fontColor : palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(QRect(x, shift, textWidth, height()), Qt::AlignLeft | Qt::AlignVCenter,
                     text());
}
