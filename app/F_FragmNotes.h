#pragma once

#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;
class TFragmMenus;
class TFragmSettings;
class TNotesPad;
class TTraceData;
class TfrmMnememo;
struct TFragmControls;

// The notes as the main window offers them: the subject box, the calendar, the clock's click,
// the notes button, "Nouveau Mnemo" and the options that act at once.
class TFragmNotes : public QObject
{
    Q_OBJECT
public:
    TFragmNotes(TNotesPad& notes, TTraceData& trace, TFragmControls& ui, TFragmMenus& menus,
                TFragmSettings& settings, QWidget* window);

    void SetEditor(TfrmMnememo* editor);
    // The notes button: shows the editor, docked when anchored, or hides it.
    void spdContenerClick();
    void NewMnemoExecute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadWhenNeeded();
    bool TakeDroppedFiles(QEvent* event);
    void Enter();
    void calendMemChange();
    void ConnectOptions();
    void StartNewNotesFile();

    TNotesPad& notes;
    TTraceData& trace;
    TFragmControls& ui;
    TFragmMenus& menus;
    TFragmSettings& settings;
    QPointer<TfrmMnememo> editor;
};
