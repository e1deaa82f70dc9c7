#pragma once

#include "app/U_Colours.h"

#include <QObject>

class TfrmFragm;
struct TFragmControls;

// The main window's colours: the settings applied to its controls, and the buttons, title
// click and themes by which the user changes them.
class TFragmColours : public QObject
{
    Q_OBJECT
public:
    explicit TFragmColours(TfrmFragm* window);

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

private:
    void Connect();
    TColor EditFontColour() const;
    // Every change ends here: repainted as asked, and remembered for the closing question.
    void Changed(bool repaintAll = true);

    TfrmFragm* window;
    TFragmControls& ui;
};
