#pragma once

#include "app/F_FragmControls.h"
#include "app/U_Glb.h"

#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class TFragmColours;
class TFragmMenus;
class TFragmSettings;
class TFragmTracer;
class TFragmTray;
class TWindowDrag;

// The main window: the small elliptic floating window whose closing ends the program.
class TfrmFragm : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmFragm(QWidget* parent = nullptr);
    ~TfrmFragm() override;

    // The creation sequence; false when another copy runs, and this one must end at once.
    bool FormCreate(const QStringList& arguments);
    void SetSecondaryWindows(QWidget* notesEditor, QWidget* tracerWindow);

    void HideAll();
    void ShowAll();
    void CloseAll();
    void RepaintAllSkins();
    // A later copy asked this one to come forward.
    void ComeForward();
    // The session ends: close as the application terminating, asking nothing.
    void EndSession();

    void RepaintSecondaryWindows();
    QWidget* NotesEditor() const { return notesEditor; }
    QWidget* TracerWindow() const { return tracerWindow; }

    // The maker's mark shown under the title.
    static QString MarkText();

    TFragmControls ui;
    TFragmMenus* menus;
    TFragmTray* tray;
    TFragmColours* colours;
    TFragmSettings* settings;
    TFragmTracer* tracer;
    // Filled in by the subsystems that own these steps.
    std::function<void()> loadNotesAndTrace;
    // True when everything was written.
    std::function<bool()> saveNotesAndTrace;
    std::function<void()> closeLastProc;
    std::function<void()> stopTracing;

Q_SIGNALS:
    // The window closed for good: the program ends.
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShapeWindow();
    void FirstPaint();
    void ConnectControls();
    void spdDspInfoClick();
    void PressLook(TTransparentLabel* label, bool pressed);
    void ButtonLabelUp(TTransparentLabel* label, QPoint pos, void (TfrmFragm::*act)());
    void STOPRelease();
    void OKRelease();
    void RecordingExecute();
    void TrayLeftClick();
    void TrayRightClick();
    void BringToFront();
    bool TracerRunning() const;
    void FormClose();
    bool DragStarts(const QPoint& at);

    QPointer<QWidget> notesEditor;
    QPointer<QWidget> tracerWindow;
    TWindowDrag* drag;
    QPixmap skin;
    TColourSettings skinColours;
    bool noTrayNoticeShown = false;
};
