#include "core/F_Glb.h"

#include "core/F_ModWindowPos.h"
#include "core/F_MsgALL.h"
#include "core/F_MsgALLBtn.h"
#include "core/U_Constantes.h"
#include "core/U_Positions.h"
#include "platform/U_Platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>

namespace {
QPointer<QWidget>& TheMainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

std::function<QColor(QWidget*)>& ColourDialog()
{
    // The dialog opens on white, not on the current colour, as it always has.
    static std::function<QColor(QWidget*)> dialog = [](QWidget* owner) {
        return QColorDialog::getColor(Qt::white, owner);
    };
    return dialog;
}
} // namespace

QWidget* MainWindow()
{
    return TheMainWindow();
}

void SetMainWindow(QWidget* window)
{
    TheMainWindow() = window;
}

TColor PickColour(TColor current, QWidget* owner)
{
    const QColor chosen = ColourDialog()(owner);
    return chosen.isValid() ? FromQColor(chosen) : current;
}

void SetColourDialog(std::function<QColor(QWidget* owner)> dialog)
{
    static const std::function<QColor(QWidget*)> real = ColourDialog();
    ColourDialog() = dialog ? std::move(dialog) : real;
}

void PlaceCursorOnControl(QWidget* window, QWidget* control)
{
    const QPoint inWindow = control->mapTo(window, QPoint(0, 0));
    Platform().SetCursorPos(QPoint(window->x() + inWindow.x() + control->width() / 2,
                                   window->y() + inWindow.y() + control->height() / 2));
}

void SetLabelColour(QLabel* label, TColor colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(palette);
}

// A window centred on one that sits partly off the screen would be out of reach in part:
// it stays inside the work area.
void CentreOn(QWidget* window, const QWidget* around)
{
    const QRect area = around ? around->geometry() : Platform().ScreenGeometry();
    const QPoint centred = area.center() - QPoint(window->width() / 2, window->height() / 2);
    window->move(KeptInside(centred, window->size(), Platform().WorkArea()));
}

void CentreOnMainWindow(QWidget* window)
{
    CentreOn(window, MainWindow());
}

void CloseOpenDialogs()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else if (qobject_cast<TfrmMsgALLBtn*>(window))
            window->close(); // closed unanswered: no OK
        else if (window->isModal() && qobject_cast<TfrmModal*>(window))
            window->close(); // a modal window's result stays 0: nothing is confirmed
    }
}

void TWindowDialogs::PlainMessage(const QString& text)
{
    if (Glb().ApplicationTerminating)
        return UnattendedDialogs().PlainMessage(text);
    QMessageBox box(QMessageBox::NoIcon, Constantes::AppTitle, text, QMessageBox::Ok, MainWindow());
    box.exec();
}

void TWindowDialogs::Message(const TMessageRequest& request)
{
    if (Glb().ApplicationTerminating)
        return UnattendedDialogs().Message(request);
    TfrmMsgALL::ShowMessage(request);
}

int TWindowDialogs::Question(const TQuestionRequest& request)
{
    if (Glb().ApplicationTerminating)
        return UnattendedDialogs().Question(request);
    return TfrmMsgALLBtn::Ask(request);
}
