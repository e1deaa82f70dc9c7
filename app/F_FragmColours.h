#pragma once

#include "app/U_Colours.h"

#include <QObject>

class QMenu;
class QWidget;
struct TFragmControls;

// The main window's colours: the settings applied to its controls, and the buttons, title
// click and themes by which the user changes them.
class TFragmColours : public QObject
{
    Q_OBJECT
public:
    TFragmColours(QWidget* window, TFragmControls& ui, QMenu* themes);

    void ApplyTextBackColour(TColor colour);
    void ApplyTextColour(TColor colour);
    void ApplyTitleColours();
    void ApplyTheme(const TTheme& theme);

    void spdChgColClick();
    void spdColorNormClick();
    void spdColCompClick();
    void spdCompNormClick();
    void spdChgColFontClick();
    void spdFontLblTitreClick();
    void rxTitreRightRelease();

Q_SIGNALS:
    // Every window is to be painted again, or only the notes editor and the tracer window.
    void RepaintAll();
    void RepaintSecondary();

private:
    void Connect(QMenu* themes);
    TColor EditFontColour() const;
    // Every change ends here: repainted as asked, and remembered for the closing question.
    void Changed(bool repaintAll = true);

    QWidget* window;
    TFragmControls& ui;
};
