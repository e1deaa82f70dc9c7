#include "app/F_Fragm.h"

#include "app/F_FragmAlarms.h"
#include "app/F_FragmButtons.h"
#include "app/F_FragmColours.h"
#include "app/F_FragmFiles.h"
#include "app/F_FragmMenus.h"
#include "app/F_FragmNotes.h"
#include "app/F_FragmSettings.h"
#include "app/F_FragmTracer.h"
#include "app/F_FragmTray.h"
#include "app/U_FragmShape.h"
#include "app/U_Instance.h"
#include "app/U_NotesAndTrace.h"
#include "core/F_Glb.h"
#include "core/F_MsgALL.h"
#include "core/F_SlideOff.h"
#include "core/F_WindowDrag.h"
#include "core/U_Constantes.h"
#include "core/U_Fonts.h"
#include "notes/F_ScdNiv.h"
#include "notes/U_DroppedFiles.h"
#include "platform/U_Platform.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_DigitalClock.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_HintSwitch.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/F_TimingTrace.h"
#include "tracer/U_TracerController.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace {
const QString kHintsShown = QStringLiteral("Info-bulles visibles");
const QString kHintsHidden = QStringLiteral("Info-bulles cachées");

QIcon AppIcon()
{
    QIcon icon(TImage::LoadPng(QStringLiteral(":/pictures/tarvelle.png")));
    if (icon.isNull()) {
        QPixmap drawn(32, 32);
        drawn.fill(ToQColor(0xB56A6A));
        icon = QIcon(drawn);
    }
    return icon;
}
} // namespace

TfrmFragm::TfrmFragm(TTracerController& tracerController, TNotesPad& notesPad, TAlarms& alarms,
                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), ui(this), tracer(tracerController),
      notes(notesPad), menus(new TFragmMenus(this)), tray(new TFragmTray(AppIcon(), this)),
      colours(new TFragmColours(this, ui, menus->mnuColors)),
      settings(new TFragmSettings(this, ui, *menus)),
      tracerView(new TFragmTracer(tracer, ui, menus->timeOnRecording, this)),
      notesView(new TFragmNotes(notes, tracer.trace, ui, *menus, *settings, this)),
      files(new TFragmFiles(notes, tracer.trace, ui, this)),
      alarmsView(new TFragmAlarms(alarms, ui, this)),
      drag(new TWindowDrag(this, [this](const QPoint& at) { return DragStarts(at); }))
{
    setObjectName(QStringLiteral("frmFragm"));
    setWindowTitle(Constantes::AppTitle);
    setWindowIcon(tray->Picture());
    setFixedSize(FragmShape::WindowSize);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(0xB56A6A));
    setPalette(palette);
    ConnectControls();
}

TfrmFragm::~TfrmFragm() = default;

void TfrmFragm::FormCreate(const QStringList& arguments)
{
    ListenForLaterCopies([this]() { ComeForward(); });
    SetMainWindow(this);
    setAcceptDrops(true);
    Glb().OwnExeName = OwnExeName();
    Glb().EditorFirstShowPending = true;
    Glb().NotesVisible = Glb().TracerVisible = true;
    Glb().ShowNotesAtStart = Glb().UseDefaultColours = false;
    Glb().Colours = TColourSettings{};
    Glb().Options = TOptions{};
    Glb().SettingsDirty = true;
    settings->Load();
    colours->ApplyTextBackColour(Glb().Colours.TextBackColour);
    colours->ApplyTextColour(Glb().Colours.TextColour);
    colours->ApplyTitleColours();
    ShapeWindow();
    ShowHints(false);
    for (QWidget* control : ui.OwnHintControls())
        THintSwitch::Set(control, true);
    if (arguments.isEmpty()) {
        ui.lblTitre->setText(MarkText());
        ui.rxTitre->SetTransparent(true);
    }
    Glb().TracerWindowPending = true;
    // The tray icon is added one event-loop turn later, once the window is shown: making it
    // asks the desktop about its notification area, which would hold back the showing.
    QTimer::singleShot(0, tray, &TFragmTray::Add);
    Glb().ClosingFromTray = false;
    settings->CheckAutostart();
    // Asked one turn later as well: two round trips to the X server for an answer that only
    // windows opened later read.
    QTimer::singleShot(0, this, []() { Glb().SupportsTranslucency = Platform().HasCompositor(); });
    Glb().FirstPaintPending = true;
    alarmsView->StartAlarms();
}

void TfrmFragm::SetSecondaryWindows(TfrmMnememo* editor, TfrmTimingTrace* tracer)
{
    notesEditor = editor;
    tracerWindow = tracer;
    notesView->SetEditor(editor);
    alarmsView->SetTracerWindow(tracer);
}

QWidget* TfrmFragm::NotesEditor() const
{
    return notesEditor;
}

QWidget* TfrmFragm::TracerWindow() const
{
    return tracerWindow;
}

QString TfrmFragm::MarkText()
{
    return QStringLiteral(" fait main, Tarvelle");
}

void TfrmFragm::ShapeWindow()
{
    try {
        setMask(FragmShape::WindowRegion(size()));
    } catch (const std::exception& error) {
        ShowPlainMessage(QString::fromLocal8Bit(error.what()));
    }
}

void TfrmFragm::ConnectControls()
{
    connect(ui.spdDspInfo, &TFlatButton::Click, this, &TfrmFragm::spdDspInfoClick);
    connect(ui.rxTitre, &TTransparentLabel::DblClick, this, &TfrmFragm::HideAll);
    connect(ui.scrPopMnu, &TSkinPanel::Click, this, [this]() {
        TFragmMenus::PopupRightAligned(menus->popMnu, mapToGlobal(ui.scrPopMnu->pos()));
    });
    auto* buttons = new TFragmButtons(ui, this);
    connect(buttons, &TFragmButtons::StopReleased, this, &TfrmFragm::STOPRelease);
    connect(buttons, &TFragmButtons::OkReleased, this, &TfrmFragm::OKRelease);
    connect(ui.Recording, &QAction::triggered, this, &TfrmFragm::RecordingExecute);
    connect(ui.spdShowTraceur, &TFlatButton::Click, this, [this]() {
        if (tracerWindow)
            tracerWindow->ShowOrHide();
    });
    connect(&tracer, &TTracerController::StateChanged, this, &TfrmFragm::TracerStateChanged);
    connect(ui.rxClocker, &TDigitalClock::Ticked, &tracer, &TTracerController::Tick);
    connect(&tracer, &TTracerController::AutoSaveDue, this, &TfrmFragm::Save);
    connect(colours, &TFragmColours::RepaintAll, this, &TfrmFragm::RepaintAllSkins);
    connect(colours, &TFragmColours::RepaintSecondary, this, &TfrmFragm::RepaintSecondaryWindows);
    connect(alarmsView, &TFragmAlarms::ComeForward, this, [this]() {
        ShowAll();
        BringToFront();
    });
    connect(tray, &TFragmTray::LeftClick, this, &TfrmFragm::TrayLeftClick);
    connect(tray, &TFragmTray::RightClick, this, &TfrmFragm::TrayRightClick);
    // An anchored editor follows the window all along the drag.
    connect(drag, &TWindowDrag::Moved, this, [this]() {
        if (Glb().EditorAnchored && notesEditor && notesEditor->isVisible())
            settings->DockEditor(notesEditor);
    });
    // The title and the mark lie in the band the window is dragged by.
    drag->Watch(ui.rxTitre);
    drag->Watch(ui.lblTitre);
}

void TfrmFragm::spdDspInfoClick()
{
    ShowHints(!hintsShown);
}

void TfrmFragm::ShowHints(bool shown)
{
    hintsShown = shown;
    // The hint names the state a click will produce.
    ui.spdDspInfo->SetHint(shown ? kHintsHidden : kHintsShown);
    THintSwitch::Set(this, shown);
}

void TfrmFragm::TracerStateChanged(bool)
{
    // Starting and stopping the tracer both switch the hints off.
    if (hintsShown)
        ShowHints(false);
}

void TfrmFragm::STOPRelease()
{
    Glb().TracerBusy = false;
    if (Glb().Modified)
        ui.Recording->trigger();
    CloseAll();
}

void TfrmFragm::OKRelease()
{
    Glb().TracerBusy = false;
    ui.Recording->trigger();
}

void TfrmFragm::RecordingExecute()
{
    if (AskQuestion(QStringLiteral("Enregistrer le fichier ?"), 0x000000, 0xFFFFFF, 0, 10, 150, 55,
                    QStringLiteral("    O K    "), QStringLiteral("Non !!")) != 1) {
        Q_EMIT SaveDeclined();
        return;
    }
    // A save that failed leaves the changes marked, so that closing still saves them.
    if (Save())
        Glb().Modified = false;
}

bool TfrmFragm::Save()
{
    return SaveNotesAndTrace(notes, tracer.trace);
}

void TfrmFragm::RepaintAllSkins()
{
    repaint();
    ui.rxTitre->update();
    ui.lblTitre->update();
    ui.edtMnemo->update();
    RepaintSecondaryWindows();
}

void TfrmFragm::RepaintSecondaryWindows()
{
    if (notesEditor)
        notesEditor->RepaintSkin();
    if (tracerWindow)
        tracerWindow->RepaintSkin();
}

void TfrmFragm::paintEvent(QPaintEvent* event)
{
    if (Glb().UseDefaultColours)
        Glb().Colours = TColourSettings{};
    QPainter painter(this);
    painter.drawPixmap(event->rect(), skin.Background(size()), event->rect());
    painter.end();
    if (Glb().FirstPaintPending) {
        Glb().FirstPaintPending = false;
        // The files are read and windows shown or hidden once this paint is over, not in the
        // middle of it.
        QTimer::singleShot(0, this, &TfrmFragm::FirstPaint);
    } else if (Glb().TracerVisible && Glb().TracerWindowPending && !pendingTracerQueued) {
        // A new tracer leaves the window to be placed again: this happens at the next paint.
        pendingTracerQueued = true;
        QTimer::singleShot(0, this, &TfrmFragm::ShowPendingTracer);
    }
}

void TfrmFragm::ShowPendingTracer()
{
    pendingTracerQueued = false;
    if (Glb().TracerVisible && Glb().TracerWindowPending && tracerWindow)
        tracerWindow->ShowOrHide();
}

void TfrmFragm::FirstPaint()
{
    if (!Glb().DataLoaded)
        LoadNotesAndTrace(notes, tracer.trace);
    Q_EMIT StartLoaded();
    if (Glb().ShowNotesAtStart && Glb().EditorFirstShowPending)
        notesView->spdContenerClick();
    // After the loading: the trace is read only while the tracer window was never placed.
    ShowPendingTracer();
    Glb().ShowNotesAtStart = false;
    tracer.StartAtLaunch();
    if (Glb().Options.StartAsIcon)
        HideAll();
}

void TfrmFragm::HideAll()
{
    // Without a notification area a hidden program could never be found again.
    if (!Platform().HasTrayHost()) {
        if (!noTrayNoticeShown)
            ShowMessageWindow(QStringLiteral("Pas de zone de notification : Tarvelle reste "
                                             "affiché."),
                              0xFFFFFF, 0, 3000, 12, 0, 0);
        noTrayNoticeShown = true;
        return;
    }
    if (Glb().NotesVisible && notesEditor)
        notesEditor->hide();
    if (Glb().TracerVisible && tracerWindow)
        tracerWindow->hide();
    hide();
}

void TfrmFragm::ShowAll()
{
    if (isVisible())
        return;
    const auto showPassive = [](QWidget* window, bool visible) {
        if (!window)
            return;
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->setVisible(visible);
    };
    showPassive(notesEditor, Glb().NotesVisible);
    showPassive(tracerWindow, Glb().TracerVisible);
    showPassive(this, true);
}

void TfrmFragm::CloseAll()
{
    if (notesEditor)
        notesEditor->close();
    if (tracerWindow)
        tracerWindow->close();
    close();
}

void TfrmFragm::ComeForward()
{
    if (isMinimized()) {
        showNormal();
    } else if (isVisible()) {
        raise();
        activateWindow();
    }
}

void TfrmFragm::EndSession()
{
    if (closed)
        return;
    Glb().ApplicationTerminating = true;
    CloseOpenDialogs();
    // A sample in progress ends with the process; it must not hold the closing back.
    Glb().TracerBusy = false;
    CloseAll();
}

void TfrmFragm::SaveForSession()
{
    if (closed)
        return;
    if (Glb().Modified)
        Save();
    settings->SaveForSession(notesEditor, tracerWindow);
}

void TfrmFragm::BringToFront()
{
    raise();
    activateWindow();
}

bool TfrmFragm::TracerRunning() const
{
    return Glb().TracerBusy || tracer.Tracing();
}

void TfrmFragm::TrayLeftClick()
{
    try {
        if (isVisible()) {
            HideAll();
        } else {
            ShowAll();
            BringToFront();
        }
    } catch (const std::exception& error) {
        ShowPlainMessage(QString::fromLocal8Bit(error.what()) + QStringLiteral(" on tray icon."));
    }
}

void TfrmFragm::TrayRightClick()
{
    try {
        if (!isVisible()) {
            ShowAll();
            BringToFront();
        }
        if (AskQuestion(QStringLiteral("Fermer Tarvelle ?"), 0x0000FF, 0xFFFFFF, 0, 12, 150, 60,
                        QStringLiteral("OK"), QStringLiteral("Annuler")) != 1)
            return;
        Glb().ClosingFromTray = true;
        ShowAll();
        BringToFront();
        tracer.Stop();
        STOPRelease();
    } catch (const std::exception& error) {
        ShowPlainMessage(QString::fromLocal8Bit(error.what()) + QStringLiteral(" on tray icon."));
    }
}

bool TfrmFragm::DragStarts(const QPoint& at)
{
    if (Glb().TracerBusy || at.y() > FragmShape::DragBand)
        return false;
    if (Glb().EditorAnchored && notesEditor && notesEditor->isVisible())
        settings->DockEditor(notesEditor);
    return true;
}

void TfrmFragm::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && !Glb().TracerBusy && !tracer.Tracing())
        TFragmMenus::PopupRightAligned(menus->mnuColors, event->globalPosition().toPoint());
    else
        QWidget::mouseReleaseEvent(event);
}

void TfrmFragm::dragEnterEvent(QDragEnterEvent* event)
{
    if (AcceptsDrop(event->mimeData()))
        event->acceptProposedAction();
}

void TfrmFragm::dropEvent(QDropEvent* event)
{
    // Taken without loading first, whether the clipboard is captured or not.
    AddDroppedFiles(notes, event->mimeData()->urls());
    event->acceptProposedAction();
}

void TfrmFragm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (slide) {
        // A session's end does not wait for the slide.
        if (Glb().ApplicationTerminating)
            slide->Finish();
        return;
    }
    if (!formClosed) {
        if (Glb().TracerBusy)
            return;
        formClosed = true;
        FormClose();
        if (!Glb().ClosingFromTray && !Glb().ApplicationTerminating && isVisible()) {
            slide = SlideOffScreen(this, 3);
            // Closed for good once the window is off the screen, one turn later: a close
            // from within this handler would be refused.
            connect(slide, &TSlideOff::Finished, this, [this]() {
                slide = nullptr;
                QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
            });
            return;
        }
    }
    event->accept();
    closed = true;
    Q_EMIT Closed();
}

void TfrmFragm::FormClose()
{
    alarmsView->SwitchOff();
    if (TracerRunning() || Glb().ApplicationTerminating) {
        Glb().TracerBusy = false;
        // Only a running trace has a row to close; a stop closed the last one already. The
        // stop also gives the options back that tracing took away, for the settings saved next.
        tracer.Stop();
        if (Glb().Modified || !Glb().ApplicationTerminating)
            Save();
    }
    if (Glb().ColoursChanged &&
        (Glb().ApplicationTerminating ||
         AskQuestion(QStringLiteral("Conserver ces couleurs ?"), 0x000080, 0x808080, 0, 10, 225, 55,
                     QStringLiteral("    O K    "), QStringLiteral("mais non...")) == 2))
        Glb().ColoursChanged = false;
    settings->Save(notesEditor, tracerWindow);
    tray->Remove();
}
