#include "C_TransparentLabel.h"

#include "C_HintSwitch.h"
#include "C_MouseRelay.h"
#include "U_BgrColor.h"

#include <QMetaMethod>

TTransparentLabel::TTransparentLabel(QWidget* parent) : TTransparentLabel(QString(), parent) {}

TTransparentLabel::TTransparentLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAutoFillBackground(true);
    auto* mouse = new TMouseRelay(this);
    connect(mouse, &TMouseRelay::Click, this, &TTransparentLabel::Click);
    connect(mouse, &TMouseRelay::DblClick, this, &TTransparentLabel::DblClick);
    connect(mouse, &TMouseRelay::MouseDown, this, &TTransparentLabel::MouseDown);
    connect(mouse, &TMouseRelay::MouseUp, this, &TTransparentLabel::MouseUp);
    setAttribute(Qt::WA_NoMousePropagation, false);
}

// A label that acts as a button keeps its mouse events: its parent must not see the press too.
void TTransparentLabel::connectNotify(const QMetaMethod& signal)
{
    if (signal == QMetaMethod::fromSignal(&TTransparentLabel::Click) ||
        signal == QMetaMethod::fromSignal(&TTransparentLabel::DblClick) ||
        signal == QMetaMethod::fromSignal(&TTransparentLabel::MouseDown) ||
        signal == QMetaMethod::fromSignal(&TTransparentLabel::MouseUp))
        setAttribute(Qt::WA_NoMousePropagation);
    QLabel::connectNotify(signal);
}

void TTransparentLabel::SetTransparent(bool transparent)
{
    setAutoFillBackground(!transparent);
    update();
}

void TTransparentLabel::SetColor(quint32 bgr)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, Bgr::ToColor(bgr));
    setPalette(p);
}

void TTransparentLabel::SetFontColor(quint32 bgr)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Bgr::ToColor(bgr));
    setPalette(p);
}

void TTransparentLabel::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}
