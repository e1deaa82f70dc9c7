#pragma once

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"

#include <functional>

class QLabel;
class QWidget;

// The main window, once created: questions point at its focused control and windows
// centre on it.
QWidget* MainWindow();
void SetMainWindow(QWidget* window);

// The platform's colour dialog; `current` when cancelled.
TColor PickColour(TColor current, QWidget* owner);
// Replaces the colour dialog (an invalid colour is a cancel); null brings the real one back.
void SetColourDialog(std::function<QColor(QWidget* owner)> dialog);
// Moves the mouse pointer to the centre of `control`, a control of `window`.
void PlaceCursorOnControl(QWidget* window, QWidget* control);

void SetLabelColour(QLabel* label, TColor colour);
// Centres `window` on `around`, or on the screen without one, kept inside the work area.
void CentreOn(QWidget* window, const QWidget* around);
// Centres `window` on the main window, or on the screen when there is none yet.
void CentreOnMainWindow(QWidget* window);

// The session ends: every open question and message is closed unanswered (a question as "no").
void CloseOpenDialogs();

// Announcements and questions in the program's own windows; once the session ends, nobody is
// there to answer: messages go to the error output and questions are answered "no" at once.
class TWindowDialogs : public TDialogs
{
public:
    void PlainMessage(const QString& text) override;
    void Message(const TMessageRequest& request) override;
    int Question(const TQuestionRequest& request) override;
};
