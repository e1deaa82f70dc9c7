#include "C_FlatButton.h"

#include "C_HintSwitch.h"
#include "U_BgrColor.h"

#include <QIcon>
#include <QPainter>

namespace {
// Where the glyph is painted, and the origin of the caption's base line.
struct TContentLayout
{
    QRect glyph;
    QPoint captionOrigin;
};

// Glyph and caption side by side and centred when both fit inside the frame, the caption on
// the base line of its neighbours'. Otherwise the caption keeps its whole size in the upper
// right corner and the glyph takes the lower left, scaled down to the room under the caption:
// neither is cut nor covers the other.
TContentLayout LayOutContent(const QRect& inner, const QSize& glyph, const QRect& ink,
                             const QFontMetrics& metrics)
{
    const int gap = glyph.isEmpty() || ink.isEmpty() ? 0 : 1;
    const int sideBySide = glyph.width() + gap + ink.width();
    if (sideBySide <= inner.width()) {
        const int left = inner.x() + (inner.width() - sideBySide) / 2;
        const int middle = inner.y() + inner.height() / 2;
        const QRect glyphRect(QPoint(left, middle - glyph.height() / 2), glyph);
        const int baseline = middle - metrics.height() / 2 + metrics.ascent();
        return {glyphRect, QPoint(left + glyph.width() + gap - ink.x(), baseline)};
    }
    const QPoint origin(inner.right() + 1 - ink.width() - ink.x(), inner.top() - ink.y());
    const QSize room(inner.width(), inner.height() - ink.height());
    const QSize scaled = glyph.scaled(room, Qt::KeepAspectRatio);
    return {QRect(QPoint(inner.x(), inner.bottom() + 1 - scaled.height()), scaled), origin};
}
} // namespace

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
    const QFontMetrics metrics = fontMetrics();
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    // A pixel to spare: the text is rasterised up to a pixel off its measured ink.
    const QRect ink =
        text().isEmpty() ? QRect() : metrics.tightBoundingRect(text()).adjusted(0, 0, 1, 0);
    const TContentLayout layout = LayOutContent(inner, glyph.size(), ink, metrics);
    // The pressed look moves the content down and right, as far as the frame leaves room.
    const QRect content = layout.glyph.united(ink.translated(layout.captionOrigin));
    const QPoint shift(isDown() && content.right() < inner.right() ? 1 : 0,
                       isDown() && content.bottom() < inner.bottom() ? 1 : 0);
    if (!glyph.isNull()) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(layout.glyph.translated(shift), QIcon(glyph).pixmap(glyph.size(), mode));
    }
    if (ink.isEmpty())
        return;
    painter.setPen(CaptionColor());
    painter.drawText(layout.captionOrigin + shift, text());
}

// Greyed as a disabled control's text, yet still readable: halfway to the face behind it.
QColor TFlatButton::CaptionColor() const
{
    if (isEnabled())
        return fontColor;
    const QColor behind = face.isValid() ? face : palette().color(QPalette::Window);
    return QColor((fontColor.red() + behind.red()) / 2, (fontColor.green() + behind.green()) / 2,
                  (fontColor.blue() + behind.blue()) / 2);
}
