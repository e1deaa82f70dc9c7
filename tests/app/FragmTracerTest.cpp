#include "FragmFixture.h"

using FragmTracer = ShownFragm;

TEST_F(FragmTracer, SpyButtonStartsAndTheLampStopsWithTheirHintsAndControls)
{
    QTest::mouseClick(frm->ui.spdDspInfo, Qt::LeftButton); // hints shown
    Glb().EditorAnchored = true;
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "started" : "stopped");
        QTest::mouseClick(on ? static_cast<QWidget*>(frm->ui.spdSpy) : frm->ui.imgLed,
                          Qt::LeftButton);
        EXPECT_EQ(Tracer().Tracing(), on);
        EXPECT_EQ(Glb().TracerBusy, on);
        EXPECT_EQ(frm->ui.spdSpy->Hint(), on ? "Arrêter la trace" : "Démarrer la trace");
        EXPECT_EQ(Tracer().timerSVGDE->isActive(), on);
        EXPECT_EQ(frm->ui.scrSTOP->isEnabled(), !on);
        EXPECT_EQ(frm->ui.spdChgCol->isEnabled(), !on);
        // Saves made while tracing add no time stamp to the notes.
        EXPECT_EQ(Item("timeOnRecording")->isChecked(), !on);
        if (!on)
            continue;
        // Tracing switches the hints off and unanchors the editor.
        EXPECT_EQ(frm->ui.spdDspInfo->Hint(), "Info-bulles visibles");
        EXPECT_FALSE(THintSwitch::IsShown(frm->ui.spdChgCol));
        EXPECT_FALSE(Glb().EditorAnchored);
        EXPECT_TRUE(Glb().Modified);
        EXPECT_EQ(frm->ui.imgLed->toolTip(), "Arrêter la trace");
    }

    // The delayed start that the settings ask for: one single shot.
    Glb().Options.StartTracer = true;
    Tracer().StartAtLaunch();
    EXPECT_TRUE(Tracer().timerTraceDem->isActive() && Tracer().timerTraceDem->isSingleShot());
    Tracer().timerTraceDemTimer();
    EXPECT_TRUE(Tracer().Tracing());
}

TEST_F(FragmTracer, TheClocksTickSamplesWhileTracingAndTheWindowWaitsForTheFirstSample)
{
    frm->ui.rxClocker->Tick();
    EXPECT_EQ(Tracer().trace.lastRow(), -1) << "no sample while tracing is off";
    Tracer().Toggle();
    EXPECT_TRUE(Glb().TracerBusy);
    EXPECT_FALSE(frm->close()); // refused until the first sample
    frm->ui.rxClocker->Tick();
    EXPECT_EQ(Tracer().trace.grid.Cell(0, 0), "editeur");
    EXPECT_FALSE(Glb().TracerBusy);
    // A right-button release on the surface opens no theme menu while tracing.
    QTest::mouseClick(frm.get(), Qt::RightButton, {}, QPoint(240, 75));
    EXPECT_FALSE(Menu("mnuColors")->isVisible());
}

TEST_F(FragmTracer, TraceIsAutoSavedOnlyWithItsOptionAndClosingClosesTheRowAndSavesIt)
{
    TraceOneSample();
    Tracer().timerSVGDETimer();
    EXPECT_FALSE(QFile::exists(TraceFilePath()));
    Item("SVG_Auto")->trigger();
    Tracer().timerSVGDETimer();
    EXPECT_TRUE(QFile::exists(TraceFilePath()));

    clock->AdvanceSeconds(42);
    Glb().TracerBusy = false;
    frm->CloseAll();
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "editeur;liste.txt - Editeur;07/12/2026;09:30:00;09:30:00;09:30:42;00:00:42\r\n");
}

TEST_F(FragmTracer, ASessionEndAfterAStopKeepsTheRowAsTheStopClosedIt)
{
    TraceOneSample();
    clock->AdvanceSeconds(4);
    QTest::mouseClick(frm->ui.imgLed, Qt::LeftButton);
    clock->AdvanceSeconds(20);
    frm->EndSession();
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "editeur;liste.txt - Editeur;07/12/2026;09:30:00;09:30:00;09:30:04;00:00:04\r\n");
}

TEST_F(FragmTracer, ClosingWhileTracingKeepsTheTimeStampOptionTheUserChose)
{
    for (const bool chosen : {true, false}) {
        SCOPED_TRACE(chosen);
        Start();
        frm->show();
        if (!chosen)
            Item("timeOnRecording")->trigger();
        Tracer().Toggle();
        EXPECT_FALSE(Item("timeOnRecording")->isChecked());
        Glb().TracerBusy = false; // as after the first sample
        frm->CloseAll();
        EXPECT_EQ(SavedSettings().first.Options.TimeOnRecording, chosen);
    }
}

// The first paint shows the tracer window at its saved place; the tracer button hides and
// shows it; after a new tracer the next paint puts it back in its place, hidden.
TEST_F(FragmFixture, TracerWindowFollowsThePaintsAndTheTracerButton)
{
    Start();
    Glb().TracerLeft = 30;
    Glb().TracerTop = 40;
    frm->show();
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    EXPECT_TRUE(TracerWindow().isVisible() && !Glb().TracerWindowPending);
    EXPECT_EQ(TracerWindow().pos(), QPoint(30, 40));

    TracerWindow().move(300, 300);
    dialogs->AnswerNext(1);
    QTest::mouseClick(TracerWindow().scrGestTraceur, Qt::LeftButton);
    frm->repaint();
    QCoreApplication::processEvents();
    EXPECT_FALSE(TracerWindow().isVisible() || Glb().TracerVisible);
    EXPECT_EQ(TracerWindow().pos(), QPoint(30, 40));

    QTest::mouseClick(frm->ui.spdShowTraceur, Qt::LeftButton);
    EXPECT_TRUE(TracerWindow().isVisible() && Glb().TracerVisible);
    QTest::mouseClick(frm->ui.spdShowTraceur, Qt::LeftButton);
    EXPECT_FALSE(TracerWindow().isVisible() || Glb().TracerVisible);
    // Hidden by the user, it stays hidden through the paints.
    frm->repaint();
    QCoreApplication::processEvents();
    EXPECT_FALSE(TracerWindow().isVisible());
}
