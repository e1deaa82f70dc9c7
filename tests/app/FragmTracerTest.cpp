#include "FragmFixture.h"
#include "TestFiles.h"
#include "app/F_FragmTracer.h"
#include "toolkit/C_HintSwitch.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "tracer/U_TraceFile.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

class FragmTracer : public FragmFixture
{
protected:
    void SetUp() override
    {
        FragmFixture::SetUp();
        platform->AddWindow(1, "liste.txt - Editeur", 10);
        platform->exeNames = {{10, "/usr/bin/editeur"}};
        platform->pointed = 1;
        Start();
        frm->show();
    }
    TFragmTracer& Tracer() { return *frm->tracer; }
};

TEST_F(FragmTracer, SpyButtonStartsAndStopsWithItsHintsAndControls)
{
    QTest::mouseClick(frm->ui.spdDspInfo, Qt::LeftButton); // hints shown
    Glb().EditorAnchored = true;
    QTest::mouseClick(frm->ui.spdSpy, Qt::LeftButton);
    // Tracing switches the hints off and unanchors the editor.
    EXPECT_EQ(frm->ui.spdDspInfo->Hint(), "Info-bulles visibles");
    EXPECT_FALSE(THintSwitch::IsShown(frm->ui.spdChgCol));
    EXPECT_FALSE(Glb().EditorAnchored);
    EXPECT_TRUE(Tracer().Tracing());
    EXPECT_TRUE(Glb().TracerBusy);
    EXPECT_TRUE(Glb().Modified);
    EXPECT_EQ(frm->ui.spdSpy->Hint(), "Arrêter la trace");
    EXPECT_EQ(frm->ui.imgLed->toolTip(), "Arrêter la trace");
    EXPECT_TRUE(frm->ui.SpyTimer->isActive());
    EXPECT_TRUE(frm->ui.timerSVGDE->isActive());
    EXPECT_FALSE(frm->ui.scrSTOP->isEnabled());
    EXPECT_FALSE(frm->ui.spdChgCol->isEnabled());
    EXPECT_FALSE(frm->menus->timeOnRecording->isChecked());

    // The lamp stops it again.
    QTest::mouseClick(frm->ui.imgLed, Qt::LeftButton);
    EXPECT_FALSE(Tracer().Tracing());
    EXPECT_FALSE(Glb().TracerBusy);
    EXPECT_EQ(frm->ui.spdSpy->Hint(), "Démarrer la trace");
    EXPECT_FALSE(frm->ui.SpyTimer->isActive());
    EXPECT_FALSE(frm->ui.timerSVGDE->isActive());
    EXPECT_TRUE(frm->ui.scrSTOP->isEnabled());
    EXPECT_TRUE(frm->menus->timeOnRecording->isChecked());
}

TEST_F(FragmTracer, ASampleHoldsTheWindowForAMomentOnly)
{
    Tracer().spdSpyClick();
    QSignalSpy released(frm->ui.StopSpyTimer, &QTimer::timeout);
    Tracer().SpyTimerTimer();
    EXPECT_TRUE(Glb().TracerBusy);
    EXPECT_EQ(Tracer().trace.grid.Cell(0, 0), "editeur");
    EXPECT_FALSE(frm->close()); // refused while the sample is in progress
    ASSERT_TRUE(released.wait(5000));
    EXPECT_FALSE(Glb().TracerBusy);
    // A right-button release on the surface opens no theme menu while tracing.
    QTest::mouseClick(frm.get(), Qt::RightButton, {}, QPoint(240, 75));
    EXPECT_FALSE(frm->menus->mnuColors->isVisible());
}

TEST_F(FragmTracer, DelayedStartOnceWhenTheSettingsAskForIt)
{
    Glb().StartTracer = true;
    Tracer().StartAtLaunch();
    EXPECT_TRUE(frm->ui.timerTraceDem->isActive());
    EXPECT_TRUE(frm->ui.timerTraceDem->isSingleShot());
    Tracer().timerTraceDemTimer();
    EXPECT_TRUE(Tracer().Tracing());
}

TEST_F(FragmTracer, ClosingWhileTracingClosesTheRowAndSavesTheTrace)
{
    Tracer().spdSpyClick();
    Tracer().SpyTimerTimer();
    clock->AdvanceSeconds(42);
    Glb().TracerBusy = false;
    frm->CloseAll();
    EXPECT_EQ(ReadBytes(TraceFilePath()),
              "editeur;liste.txt - Editeur;07/12/2026;09:30:00;09:30:00;09:30:42;00:00:42\r\n");
}

TEST_F(FragmTracer, AutoSaveOnlyWithItsOption)
{
    Tracer().spdSpyClick();
    Tracer().SpyTimerTimer();
    Tracer().timerSVGDETimer();
    EXPECT_FALSE(QFile::exists(TraceFilePath()));
    frm->menus->SVG_Auto->trigger();
    Tracer().timerSVGDETimer();
    EXPECT_TRUE(QFile::exists(TraceFilePath()));
}

TEST_F(FragmTracer, TrayCloseStopsTracingFirst)
{
    Tracer().spdSpyClick();
    Tracer().SpyTimerTimer();
    Glb().TracerBusy = false;
    dialogs->AnswerNext(1);
    frm->stopTracing = [this]() {
        Tracer().spdSpyClick();
    };
    clock->AdvanceSeconds(5);
    frm->close(); // as after the tray's question
    EXPECT_EQ(Tracer().trace.grid.Cell(0, 6), "00:00:05");
}
