#pragma once

#include <QObject>

class QAction;
class QWidget;
class TTracerController;
struct TFragmControls;

// The tracer as the main window shows it: the start and stop button with its lamp, and the
// controls that tracing takes away and gives back.
class TFragmTracer : public QObject
{
    Q_OBJECT
public:
    TFragmTracer(TTracerController& tracer, TFragmControls& ui, QAction* timeOnRecording,
                 QObject* parent = nullptr);

private:
    void Show(bool tracing);
    void EnableMainControls(bool on);

    TTracerController& tracer;
    TFragmControls& ui;
    QAction* timeOnRecording;
    bool timeOnRecordingKept = true;
};
