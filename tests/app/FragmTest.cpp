#include "FragmFixture.h"
#include "core/U_Positions.h"
#include "tracer/F_Disptch0.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The visible captions of `menu`, submenus as "caption>", separators as "-".
QStringList Captions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* a : menu->actions())
        captions.append(a->isSeparator() ? QStringLiteral("-")
                                         : a->text() + (a->menu() ? ">" : ""));
    return captions;
}
} // namespace

using Fragm = ShownFragm;

TEST_F(Fragm, CreatedAsDesignedAndNotTwice)
{
    EXPECT_EQ(frm->size(), QSize(277, 116));
    EXPECT_TRUE(frm->windowFlags() & Qt::Tool); // no task-bar button
    EXPECT_TRUE(frm->mask().contains(QPoint(138, 58)));
    EXPECT_FALSE(frm->mask().contains(QPoint(30, 60))); // the hole lets clicks through
    EXPECT_FALSE(frm->mask().contains(QPoint(3, 3)));   // outside the ellipse
    // Asking the desktop for its notification area must not hold back the showing.
    EXPECT_FALSE(Tray().IsShown());
    QCoreApplication::processEvents();
    EXPECT_TRUE(Tray().IsShown());

    const QMenu* pop = Menu("popMnu");
    EXPECT_EQ(
        Captions(pop),
        QStringList({"Presse-papier", "Pas de répétition sur Crtl+C", "-", "Nouveau Mnemo",
                     "Sauvegarde sur Nouveau Mnemo", "", "Timing>", "-", "Options d'affichage>",
                     "-", "Enregistrements && Démarrage>", "-", "&A propos && aide..."}));
    const auto checked = [&](const char* name) {
        return pop->findChild<QAction*>(QLatin1String(name))->isChecked();
    };
    EXPECT_TRUE(checked("clipB_mnu") && checked("SVG_Mode") && checked("posDft") &&
                checked("timeOnRecording") && checked("openType"));
    EXPECT_FALSE(checked("noRepeatClpB") || checked("affichDown") || checked("mnuIconStart") ||
                 checked("lnkMaker") || checked("SVG_Auto") || checked("mnuDistinctFiles"));
    EXPECT_FALSE(Item("openType")->isEnabled());
    EXPECT_EQ(Captions(pop->findChild<QMenu*>("mnuTraceOptions")),
              QStringList({"Exclure trace sur Explorer", "Distinction fichiers"}));

    // The maker's mark, unless a command-line argument asks for none.
    const QString mark = TfrmFragm::MarkText();
    EXPECT_TRUE(mark.startsWith(u' '));
    EXPECT_LE(QFontMetrics(frm->ui.lblTitre->font()).horizontalAdvance(mark), 93);
    EXPECT_EQ(frm->ui.lblTitre->text(), mark);
    EXPECT_TRUE(frm->ui.rxTitre->IsTransparent());

    Start({"--sans-marque"});
    EXPECT_EQ(frm->ui.lblTitre->text(), "");
    EXPECT_FALSE(frm->ui.rxTitre->IsTransparent());
}

TEST_F(Fragm, HideAllShowAllTheTrayLeftClickAndComingForwardFollowTheFlags)
{
    frm->HideAll();
    EXPECT_TRUE(Shown(false, false, false));
    Glb().TracerVisible = false;
    frm->ShowAll();
    EXPECT_TRUE(Shown(true, true, false));
    TracerWindow().show();
    frm->ShowAll(); // already shown: nothing changes
    EXPECT_TRUE(Shown(true, true, true));
    Glb().NotesVisible = false;
    Notes().hide();
    frm->HideAll();
    EXPECT_TRUE(Shown(false, false, true)); // the tracer is not in the visible set
    frm->ComeForward(); // a second copy leaves a window hidden in the tray hidden
    EXPECT_FALSE(frm->isVisible());

    Glb().NotesVisible = Glb().TracerVisible = true;
    Q_EMIT Tray().LeftClick();
    EXPECT_TRUE(Shown(true, true, true));
    Q_EMIT Tray().LeftClick();
    EXPECT_TRUE(Shown(false, false, false));
    Q_EMIT Tray().LeftClick();
    frm->showMinimized();
    frm->ComeForward();
    EXPECT_FALSE(frm->isMinimized());

    // Without a tray host a hidden program would be lost: nothing hides, and it is said once.
    platform->trayHost = false;
    frm->HideAll();
    frm->HideAll();
    EXPECT_TRUE(Shown(true, true, true));
    EXPECT_EQ(dialogs->messages.size(), 1);
}

TEST_F(Fragm, TrayRightClickShowsThenAsksCancelKeepsAllOkStopsTracingAndClosesWithoutSliding)
{
    frm->HideAll();
    Q_EMIT Tray().RightClick();
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_EQ(dialogs->questions.first().text, "Fermer Tarvelle ?");
    EXPECT_EQ(dialogs->questions.first().cancelCaption, "Annuler");
    EXPECT_TRUE(Shown(true, true, true));
    EXPECT_FALSE(Glb().ClosingFromTray);

    QSignalSpy closed(frm.get(), &TfrmFragm::Closed);
    TraceOneSample();
    Glb().TracerBusy = false;
    clock->AdvanceSeconds(5);
    dialogs->AnswerNext(1);
    dialogs->AnswerNext(1); // the stopped trace is worth saving: the closing no longer saves it
    Q_EMIT Tray().RightClick();
    EXPECT_TRUE(Glb().ClosingFromTray);
    EXPECT_FALSE(Tracer().Tracing());
    EXPECT_EQ(dialogs->questions.last().text, "Enregistrer le fichier ?");
    EXPECT_TRUE(ReadBytes(TraceFilePath()).endsWith(";00:00:05\r\n"));
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(frm->pos(), QPoint(300, 200));
    EXPECT_FALSE(Notes().isVisible() || TracerWindow().isVisible());
}

TEST_F(Fragm, OkAndStopActOnlyWhenReleasedInsideTheirLabelsAndClosingWaitsForTheTracer)
{
    QSignalSpy closed(frm.get(), &TfrmFragm::Closed);
    QSignalSpy recorded(frm->ui.Recording, &QAction::triggered);
    for (const QPoint& release : {QPoint(0, 2), QPoint(1, 1)}) { // x = 0 is outside
        QTest::mousePress(frm->ui.rxOK, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(frm->ui.rxOK, Qt::LeftButton, {}, release);
    }
    EXPECT_EQ(recorded.size(), 1);

    Glb().TracerBusy = true;
    EXPECT_FALSE(frm->close());
    EXPECT_TRUE(frm->isVisible());
    TTransparentLabel* label = frm->ui.rxSTOP;
    const QPoint at = label->pos();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(label->pos(), at + QPoint(0, 2)); // pressed look
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 5, 3));
    EXPECT_EQ(label->pos(), at);
    EXPECT_FALSE(Glb().TracerBusy);
    EXPECT_EQ(closed.size(), 0);

    Glb().Modified = true;
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width(), label->height()));
    EXPECT_EQ(recorded.size(), 2); // the save question comes first
    // Closed for good once slid away, and only once whatever is clicked meanwhile.
    EXPECT_EQ(closed.size(), 0);
    frm->close();
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_TRUE(frm->x() >= 1024 || frm->x() + frm->width() <= 0) << frm->x();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(closed.size(), 1);
}

TEST_F(Fragm, SaveQuestionSavesOnOkAndOnlyASaveThatWorkedClearsTheChanges)
{
    Glb().Modified = true;
    // A folder in the trace file's place makes the save fail.
    for (const auto& [answer, worked, modified] :
         {std::tuple{2, true, true}, {1, false, true}, {1, true, false}}) {
        if (worked)
            QDir().rmdir(TraceFilePath());
        else
            QDir().mkpath(TraceFilePath());
        dialogs->AnswerNext(answer);
        frm->ui.Recording->trigger();
        const TQuestionRequest& asked = dialogs->questions.last();
        EXPECT_EQ(asked.text, "Enregistrer le fichier ?");
        EXPECT_EQ(asked.okCaption, "    O K    ");
        EXPECT_EQ(asked.cancelCaption, "Non !!");
        EXPECT_EQ(Glb().Modified, modified) << answer << worked;
        EXPECT_EQ(QFileInfo(TraceFilePath()).isFile(), answer == 1 && worked);
    }
}

TEST_F(Fragm, ClosingAsksToKeepChangedColoursUnlessTheSessionEndsWhenWhatChangedIsSaved)
{
    Glb().SettingsDirty = false;
    Glb().ColoursChanged = true;
    dialogs->AnswerNext(2);
    frm->CloseAll();
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_EQ(dialogs->questions.first().text, "Conserver ces couleurs ?");
    EXPECT_EQ(dialogs->questions.first().cancelCaption, "mais non...");
    EXPECT_FALSE(Glb().ColoursChanged);
    EXPECT_FALSE(QFile::exists(SettingsPath())); // nothing asked for a write

    // A session ending: nobody can answer, and the notes and trace changed are not lost.
    WriteSettings({});
    Start();
    dialogs->questions.clear();
    Glb().Modified = Glb().ColoursChanged = Glb().TracerBusy = true;
    Glb().Colours.GradientColourA = 0x0000FF;
    frm->move(123, 45);
    QSignalSpy closed(frm.get(), &TfrmFragm::Closed);
    frm->EndSession();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_TRUE(QFile::exists(TraceFilePath()));
    EXPECT_FALSE(Glb().ColoursChanged);
    // The options and positions are written, the unconfirmed colours are not.
    const auto [read, place] = SavedSettings();
    EXPECT_EQ(place.main, QPoint(123, 45));
    EXPECT_EQ(read.Colours.GradientColourA, 0xFFFFFFu);
}

TEST_F(Fragm, DragByTheTopBandOnlyAndNeverWhileTheTracerIsBusy)
{
    // Each drag moves by (30, 15); only the first one is allowed.
    for (const auto& [grab, busy] :
         {std::pair{QPoint(60, 20), false}, {QPoint(150, 100), false}, {QPoint(60, 20), true}}) {
        Glb().TracerBusy = busy;
        const QPoint to = grab + QPoint(30, 15);
        QTest::mousePress(frm.get(), Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(frm->mapToGlobal(to)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(frm.get(), &move);
        QTest::mouseRelease(frm.get(), Qt::LeftButton, {}, to);
        EXPECT_EQ(frm->pos(), QPoint(330, 215));
    }
}

// The notes editor, the tracer window and the journal are dragged by their titles, which are
// no buttons; the main window's title still minimises on a double click.
TEST_F(Fragm, SecondaryWindowsDragByTheirTitles)
{
    Tfrmdisptch0 journal(Tracer().trace.grid, frm.get());
    std::pair<QWidget*, const char*> titles[] = {
        {&Notes(), "rxTitreMnemo"}, {&TracerWindow(), "rxTRACE"}, {&journal, "rxJournal"}};
    for (const auto& [window, name] : titles) {
        journal.show();
        window->move(200, 150);
        auto* title = window->findChild<TTransparentLabel*>(QLatin1String(name));
        ASSERT_TRUE(title) << name;
        const QPoint grab = title->rect().center();
        const QPoint to = title->mapToGlobal(grab) + QPoint(40, 25);
        QTest::mousePress(title, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(title->mapFromGlobal(to)), QPointF(to),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(title, &move);
        QTest::mouseRelease(title, Qt::LeftButton, {}, title->mapFromGlobal(to));
        EXPECT_EQ(window->pos(), QPoint(240, 175)) << name;
    }
    QTest::mouseDClick(frm->ui.rxTitre, Qt::LeftButton);
    EXPECT_FALSE(frm->isVisible());
}

TEST_F(Fragm, AnAnchoredEditorFollowsTheWindowAllAlongADrag)
{
    Glb().EditorAnchored = true;
    QTest::mousePress(frm.get(), Qt::LeftButton, {}, QPoint(60, 20));
    for (const QPoint& to : {QPoint(90, 35), QPoint(-100, 40)}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(frm->mapToGlobal(to)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(frm.get(), &move);
        EXPECT_EQ(Notes().pos(),
                  DockEditorPlacement(frm->geometry(), Notes().width(), platform->screen).editor);
    }
    QTest::mouseRelease(frm.get(), Qt::LeftButton, {}, QPoint(-100, 40));
}

TEST_F(Fragm, HintToggleNamesTheNextState)
{
    for (const bool shown : {false, true, false}) {
        EXPECT_EQ(frm->ui.spdDspInfo->Hint(),
                  shown ? "Info-bulles cachées" : "Info-bulles visibles");
        EXPECT_EQ(THintSwitch::IsShown(frm->ui.spdChgCol), shown);
        EXPECT_TRUE(THintSwitch::IsShown(frm->ui.edtMnemo)); // its own hints stay
        QTest::mouseClick(frm->ui.spdDspInfo, Qt::LeftButton);
    }
}

TEST_F(Fragm, TheCalendarAndTheClockReadTheProgramsClock)
{
    clock->Set(QDateTime(QDate(2031, 3, 4), QTime(17, 45, 12)));
    Start();
    EXPECT_EQ(frm->ui.calendMem->Date(), QDate(2031, 3, 4));
    EXPECT_TRUE(frm->ui.rxClocker->Text().startsWith("17:45"))
        << frm->ui.rxClocker->Text().toStdString();
}
