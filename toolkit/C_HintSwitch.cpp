#include "C_HintSwitch.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
constexpr const char* showHintProperty = "tkShowHint";
}

void THintSwitch::Set(QWidget* control, bool show)
{
    control->setProperty(showHintProperty, show);
    Install();
}

void THintSwitch::Follow(QWidget* control)
{
    control->setProperty(showHintProperty, QVariant());
}

bool THintSwitch::IsShown(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        const QVariant own = w->property(showHintProperty);
        if (own.isValid())
            return own.toBool();
        if (w->isWindow())
            break;
    }
    return true;
}

// One application-wide filter sees every tool-tip request, also those of the child widgets
// a control is built from, before the widget would show its tip.
void THintSwitch::Install()
{
    static QPointer<THintSwitch> installed;
    if (installed || !qApp)
        return;
    installed = new THintSwitch(qApp);
    qApp->installEventFilter(installed);
}

bool THintSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    return !IsShown(static_cast<QWidget*>(watched));
}
