#include "C_SkinPanel.h"

#include "C_HintSwitch.h"
#include "C_MouseRelay.h"
#include "U_BgrColor.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

TSkinPanel::TSkinPanel(QWidget* parent) : QWidget(parent), mouse(new TMouseRelay(this))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    scrollTimer.setObjectName("scrollTimer");
    scrollTimer.setParent(this);
    connect(&scrollTimer, &QTimer::timeout, this, &TSkinPanel::Step);
    connect(mouse, &TMouseRelay::Click, this, &TSkinPanel::Click);
    connect(mouse, &TMouseRelay::MouseDown, this, &TSkinPanel::MouseDown);
    connect(mouse, &TMouseRelay::MouseUp, this, &TSkinPanel::MouseUp);
    connect(mouse, &TMouseRelay::MouseMove, this, &TSkinPanel::MouseMove);
}

void TSkinPanel::SetColor(quint32 bgr)
{
    color = Bgr::ToColor(bgr);
    update();
}

void TSkinPanel::SetFontColor(quint32 bgr)
{
    fontColor = Bgr::ToColor(bgr);
    update();
}

void TSkinPanel::SetBevelOuter(TBevel bevel)
{
    bevelOuter = bevel;
    update();
}

void TSkinPanel::SetLines(const QStringList& lines)
{
    TScrollSettings settings = scroll;
    settings.lines = lines;
    SetScrollSettings(settings);
}

void TSkinPanel::SetScrollSettings(const TScrollSettings& settings)
{
    scroll = settings;
    scroll.intervalMs = qMax(1, scroll.intervalMs);
    offset = RestOffset();
    UpdateTimer();
    update();
}

void TSkinPanel::SetActive(bool on)
{
    if (active == on)
        return;
    active = on;
    offset = RestOffset();
    UpdateTimer();
    update();
}

void TSkinPanel::SetTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TSkinPanel::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}

void TSkinPanel::Step()
{
    if (!active)
        return;
    ++offset;
    // The pass ends when the text has left the panel entirely.
    if (offset > Extent() + TextExtent()) {
        if (!scroll.cycled) {
            SetActive(false);
            return;
        }
        offset = 0;
    }
    update();
}

int TSkinPanel::Extent() const
{
    return scroll.direction == TDirection::Horizontal ? width() : height();
}

int TSkinPanel::TextExtent() const
{
    if (scroll.direction == TDirection::Horizontal)
        return fontMetrics().horizontalAdvance(HorizontalText());
    return static_cast<int>(scroll.lines.size()) * fontMetrics().height();
}

// At rest the text is centred; text too long for the panel shows its beginning instead.
int TSkinPanel::RestOffset() const
{
    const int free = Extent() - TextExtent();
    if (free >= 0)
        return Extent() - free / 2;
    if (scroll.direction == TDirection::Horizontal)
        return Extent();
    return Extent() - (Extent() - fontMetrics().height()) / 2;
}

QString TSkinPanel::HorizontalText() const
{
    return scroll.lines.join("   ");
}

// Only an active panel that can be seen keeps a timer: an idle program wakes for nothing.
void TSkinPanel::UpdateTimer()
{
    scrollTimer.setInterval(scroll.intervalMs);
    if (active && isVisible())
        scrollTimer.start();
    else
        scrollTimer.stop();
}

void TSkinPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!active)
        offset = RestOffset();
    UpdateTimer();
}

void TSkinPanel::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    UpdateTimer();
}

void TSkinPanel::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    // Coming back to an active window restores the focus; that is no new entry.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT Enter();
}

void TSkinPanel::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TSkinPanel::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT KeyPress(event->key());
    QWidget::keyPressEvent(event);
}

void TSkinPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color);
    painter.save();
    painter.setClipRect(bevelOuter == TBevel::None ? rect() : rect().adjusted(1, 1, -1, -1));
    DrawLines(painter);
    painter.restore();
    DrawBevel(painter);
    if (hasFocus()) {
        painter.setPen(QPen(fontColor, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void TSkinPanel::DrawBevel(QPainter& painter) const
{
    if (bevelOuter == TBevel::None)
        return;
    const bool raised = bevelOuter == TBevel::Raised;
    const QColor light = color.lighter(170);
    const QColor dark = color.darker(220);
    const QRect r = rect();
    painter.setPen(raised ? light : dark);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(raised ? dark : light);
    painter.drawLine(r.bottomLeft() + QPoint(1, 0), r.bottomRight());
    painter.drawLine(r.topRight() + QPoint(0, 1), r.bottomRight());
}

void TSkinPanel::DrawLines(QPainter& painter) const
{
    const int start = Extent() - Offset();
    if (scroll.direction == TDirection::Horizontal) {
        const QRect box(start, 0, TextExtent(), height());
        DrawStyledText(painter, box, Qt::AlignLeft | Qt::AlignVCenter, HorizontalText());
        return;
    }
    const int lineHeight = fontMetrics().height();
    for (qsizetype i = 0; i < scroll.lines.size(); ++i) {
        const QRect box(0, start + static_cast<int>(i) * lineHeight, width(), lineHeight);
        DrawStyledText(painter, box, Qt::AlignHCenter | Qt::AlignVCenter, scroll.lines[i]);
    }
}

// Raised text has its light edge up and left, lowered text down and right.
void TSkinPanel::DrawStyledText(QPainter& painter, const QRect& box, int flags,
                                const QString& text) const
{
    if (scroll.textStyle != TBevel::None) {
        const int sign = scroll.textStyle == TBevel::Raised ? 1 : -1;
        painter.setPen(color.lighter(170));
        painter.drawText(box.translated(-sign, -sign), flags, text);
        painter.setPen(color.darker(220));
        painter.drawText(box.translated(sign, sign), flags, text);
    }
    painter.setPen(fontColor);
    painter.drawText(box, flags, text);
}
