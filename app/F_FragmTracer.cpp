#include "app/F_FragmTracer.h"

#include "app/F_FragmControls.h"
#include "core/U_Glb.h"
#include "toolkit/C_FileNameEdit.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/U_TracerController.h"

#include <QAction>

namespace {
const QString kStartHint = QStringLiteral("Démarrer la trace");
const QString kStopHint = QStringLiteral("Arrêter la trace");
} // namespace

TFragmTracer::TFragmTracer(TTracerController& controller, TFragmControls& controls,
                           QAction* timeOnRecordingItem, QObject* parent)
    : QObject(parent), tracer(controller), ui(controls), timeOnRecording(timeOnRecordingItem)
{
    connect(ui.spdSpy, &TFlatButton::Click, &tracer, &TTracerController::Toggle);
    connect(ui.imgLed, &TImage::Click, &tracer, &TTracerController::Toggle);
    connect(&tracer, &TTracerController::StateChanged, this, &TFragmTracer::Show);
}

void TFragmTracer::Show(bool tracing)
{
    EnableMainControls(!tracing);
    ui.spdSpy->SetCaption(tracing ? QStringLiteral("~") : QString());
    ui.spdSpy->SetHint(tracing ? kStopHint : kStartHint);
    ui.imgLed->setToolTip(kStopHint);
    ui.imgLed->setVisible(tracing);
    ui.spdSpy->repaint();
}

void TFragmTracer::EnableMainControls(bool on)
{
    for (QWidget* control : QList<QWidget*>{
             ui.rxSTOP, ui.rxOK, ui.rxFE, ui.scrSTOP, ui.scrOK, ui.spdGstFiles, ui.spdChgColFont,
             ui.spdFontLblTitre, ui.spdChgCol, ui.spdColComp, ui.spdColorNorm, ui.spdCompNorm,
             ui.spdEpaType, ui.spdDspInfo, ui.spdAncrMnem})
        control->setEnabled(on);
    TOptions& options = Glb().Options;
    if (on) {
        options.TimeOnRecording = timeOnRecordingKept;
        timeOnRecording->setChecked(timeOnRecordingKept);
        return;
    }
    Glb().EditorAnchored = false;
    // Saves made while tracing add no time stamp to the notes.
    timeOnRecordingKept = options.TimeOnRecording;
    options.TimeOnRecording = false;
    timeOnRecording->setChecked(false);
}
