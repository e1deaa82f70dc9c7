#pragma once

#include <QObject>

class QWidget;

// Per-control "show hint" setting: a control shows its hint (tool tip) or not by its own
// setting, else by the nearest parent in its window that has one, else it shows it.
class THintSwitch : public QObject
{
    Q_OBJECT
public:
    static void Set(QWidget* control, bool show);
    // The control follows its parents' setting again.
    static void Follow(QWidget* control);
    static bool IsShown(const QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static void Install();
};
