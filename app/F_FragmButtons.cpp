#include "app/F_FragmButtons.h"

#include "app/F_FragmControls.h"
#include "core/U_Fonts.h"
#include "core/U_Glb.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

namespace {
// Inside the label: 0 < x <= width and 0 < y <= height.
bool InsideLabel(const QWidget* label, const QPoint& pos)
{
    return pos.x() > 0 && pos.x() <= label->width() && pos.y() > 0 && pos.y() <= label->height();
}
} // namespace

TFragmButtons::TFragmButtons(TFragmControls& controls, QObject* parent)
    : QObject(parent), ui(controls)
{
    Connect(ui.scrSTOP, ui.rxSTOP, &TFragmButtons::StopReleased);
    Connect(ui.scrOK, ui.rxOK, &TFragmButtons::OkReleased);
}

void TFragmButtons::Connect(TSkinPanel* panel, TTransparentLabel* label,
                            void (TFragmButtons::*released)())
{
    const auto press = [label](Qt::MouseButton button, QPoint) {
        if (button == Qt::LeftButton)
            PressLook(label, true);
    };
    connect(panel, &TSkinPanel::MouseDown, this, press);
    connect(label, &TTransparentLabel::MouseDown, this, press);
    connect(label, &TTransparentLabel::MouseUp, this,
            [this, label, released](Qt::MouseButton, QPoint pos) {
                Glb().TracerBusy = false;
                PressLook(label, false);
                if (InsideLabel(label, pos))
                    Q_EMIT(this->*released)();
            });
    connect(panel, &TSkinPanel::MouseUp, this, [this, label, released]() {
        PressLook(label, false);
        Q_EMIT(this->*released)();
    });
}

void TFragmButtons::PressLook(TTransparentLabel* label, bool pressed)
{
    if (label->property("pressed").toBool() == pressed)
        return;
    label->setProperty("pressed", pressed);
    label->setFont(pressed ? Fonts::PointFont(QStringLiteral("Ms Serif"), 6, true)
                           : Fonts::PointFont(QStringLiteral("Ms Sans Serif"), 8, true));
    label->move(label->x(), label->y() + (pressed ? 2 : -2));
}
