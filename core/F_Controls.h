#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class TTransparentLabel;

// Controls made as the windows' designs give them: named after the design, so that tests and
// the program find them by that name, and placed on their window.
template <typename T> T* MakeControl(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* control = new T(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A transparent caption at `at`, sized to its text in `font`.
TTransparentLabel* MakeCaption(QWidget* window, const char* name, const QPoint& at,
                               const QString& text, const QFont& font,
                               Qt::Alignment alignment = Qt::AlignLeft);
