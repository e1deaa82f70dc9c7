#pragma once

#include "app/F_FragmControls.h"
#include "app/U_FragmShape.h"
#include "core/U_Glb.h"
#include "core/U_WindowSkin.h"

#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class TAlarms;
class TFragmAlarms;
class TFragmColours;
class TFragmFiles;
class TFragmNotes;
class TFragmMenus;
class TFragmSettings;
class TFragmTracer;
class TFragmTray;
class TSlideOff;
class TTracerController;
class TNotesPad;
class TfrmMnememo;
class TfrmTimingTrace;
class TWindowDrag;

// The main window: the small elliptic floating window whose closing ends the program.
class TfrmFragm : public QWidget
{
    Q_OBJECT
public:
    TfrmFragm(TTracerController& tracer, TNotesPad& notes, TAlarms& alarms,
              QWidget* parent = nullptr);
    ~TfrmFragm() override;

    // The creation sequence, once the single-instance lock is this copy's.
    void FormCreate(const QStringList& arguments);
    void SetSecondaryWindows(TfrmMnememo* notesEditor, TfrmTimingTrace* tracerWindow);

    void HideAll();
    void ShowAll();
    void CloseAll();
    void RepaintAllSkins();
    // A later copy asked this one to come forward.
    void ComeForward();
    // The session ends: open questions are closed unanswered, and the window closes as the
    // application terminating, asking nothing. Nothing more once the window has closed.
    void EndSession();
    // The session manager asks for the work to be saved; the session may still go on.
    void SaveForSession();

    void RepaintSecondaryWindows();
    QWidget* NotesEditor() const;
    QWidget* TracerWindow() const;

    // The maker's mark shown under the title.
    static QString MarkText();

    TFragmControls ui;

Q_SIGNALS:
    // The window closed for good: the program ends.
    void Closed();
    // The start's load is over, before the editor and the tracer show.
    void StartLoaded();
    // "Enregistrer le fichier ?" was answered otherwise.
    void SaveDeclined();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShapeWindow();
    void FirstPaint();
    // The tracer window not placed yet but meant to be seen is placed and shown.
    void ShowPendingTracer();
    void ConnectControls();
    void spdDspInfoClick();
    void ShowHints(bool shown);
    void STOPRelease();
    void OKRelease();
    void RecordingExecute();
    bool Save();
    void TrayLeftClick();
    void TrayRightClick();
    void BringToFront();
    bool TracerRunning() const;
    void TracerStateChanged(bool tracing);
    void FormClose();
    bool DragStarts(const QPoint& at);

    TTracerController& tracer;
    TNotesPad& notes;
    TFragmMenus* menus;
    TFragmTray* tray;
    TFragmColours* colours;
    TFragmSettings* settings;
    TFragmTracer* tracerView;
    TFragmNotes* notesView;
    TFragmFiles* files;
    TFragmAlarms* alarmsView;
    QPointer<TfrmMnememo> notesEditor;
    QPointer<TfrmTimingTrace> tracerWindow;
    TWindowDrag* drag;
    TWindowSkin skin{FragmShape::PaintRim};
    bool noTrayNoticeShown = false;
    bool pendingTracerQueued = false;
    bool hintsShown = false;
    bool closed = false;
    bool formClosed = false;
    // At a session end nothing may hold the closing back: no slide then.
    QPointer<TSlideOff> slide;
};
