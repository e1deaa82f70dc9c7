#include "FragmFixture.h"
#include "app/F_FragmTray.h"
#include "toolkit/C_HintSwitch.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

namespace {
// The visible captions of `menu`, submenus as "caption>", separators as "-".
QStringList Captions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-")
                        : action->menu()      ? action->text() + u'>'
                                              : action->text());
    return captions;
}

void MouseMoveTo(QWidget* widget, const QPoint& pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &move);
}
} // namespace

class Fragm : public FragmFixture
{
protected:
    void SetUp() override
    {
        FragmFixture::SetUp();
        Create({});
    }
    void Create(const QStringList& arguments)
    {
        Start(arguments);
        frm->move(300, 200);
        notes.show();
        tracer.show();
        frm->show();
    }
    bool Shown(bool main, bool notesShown, bool tracerShown) const
    {
        return frm->isVisible() == main && notes.isVisible() == notesShown &&
               tracer.isVisible() == tracerShown;
    }
};

TEST_F(Fragm, SecondCopyEndsAtCreation)
{
    platform->nextClaim = TPlatform::TInstanceClaim::AlreadyRunning;
    TfrmFragm second;
    EXPECT_FALSE(second.FormCreate({}));
    EXPECT_EQ(platform->calledNames, QStringList{"DDLFirstIntance"});
}

TEST_F(Fragm, ShapeIsTheEllipseWithAHole)
{
    EXPECT_EQ(frm->size(), QSize(277, 116));
    EXPECT_TRUE(frm->windowFlags() & Qt::Tool); // no task-bar button
    EXPECT_TRUE(frm->mask().contains(QPoint(138, 58)));
    EXPECT_FALSE(frm->mask().contains(QPoint(30, 60))); // the hole lets clicks through
}

TEST_F(Fragm, HideAllShowAllAndTheTrayLeftClickFollowTheFlags)
{
    frm->HideAll();
    EXPECT_TRUE(Shown(false, false, false));
    Glb().TracerVisible = false;
    frm->ShowAll();
    EXPECT_TRUE(Shown(true, true, false));
    // Already shown: nothing changes.
    tracer.show();
    frm->ShowAll();
    EXPECT_TRUE(Shown(true, true, true));
    Glb().NotesVisible = false;
    notes.hide();
    frm->HideAll();
    EXPECT_TRUE(Shown(false, false, true)); // the tracer is not in the visible set

    // The tray's left click toggles the same way.
    Glb().NotesVisible = Glb().TracerVisible = true;
    Q_EMIT frm->tray->LeftClick();
    EXPECT_TRUE(Shown(true, true, true));
    Q_EMIT frm->tray->LeftClick();
    EXPECT_TRUE(Shown(false, false, false));
}

TEST_F(Fragm, WithoutTrayHostTheWindowsStayReachable)
{
    platform->trayHost = false;
    frm->HideAll();
    frm->HideAll();
    EXPECT_TRUE(Shown(true, true, true));
    EXPECT_EQ(dialogs->messages.size(), 1); // said once
}

TEST_F(Fragm, TrayIconComesOneTurnAfterCreation)
{
    frm.reset();
    SetMainWindow(nullptr);
    Start();
    EXPECT_FALSE(frm->tray->IsShown());
    QCoreApplication::processEvents();
    EXPECT_TRUE(frm->tray->IsShown());
}

TEST_F(Fragm, TrayRightClickShowsThenAsksCancelKeepsAllOkClosesWithoutSliding)
{
    frm->HideAll();
    Q_EMIT frm->tray->RightClick();
    ASSERT_EQ(dialogs->questions.size(), 1);
    const TQuestionRequest& asked = dialogs->questions.first();
    EXPECT_EQ(asked.text, "Fermer Tarvelle ?");
    EXPECT_EQ(asked.cancelCaption, "Annuler");
    EXPECT_TRUE(Shown(true, true, true));
    EXPECT_FALSE(Glb().ClosingFromTray);

    // OK closes from the tray: tracing stops and the window does not slide.
    QSignalSpy closed(frm.get(), &TfrmFragm::Closed);
    int stops = 0;
    frm->stopTracing = [&]() {
        ++stops;
    };
    frm->ui.imgLed->show();
    dialogs->AnswerNext(1);
    Q_EMIT frm->tray->RightClick();
    EXPECT_TRUE(Glb().ClosingFromTray);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(frm->pos(), QPoint(300, 200));
    EXPECT_FALSE(notes.isVisible() || tracer.isVisible());
}

TEST_F(Fragm, ClosingIsRefusedWhileTheTracerIsBusyElseSlidesOffTheScreen)
{
    QSignalSpy closed(frm.get(), &TfrmFragm::Closed);
    Glb().TracerBusy = true;
    EXPECT_FALSE(frm->close());
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(closed.size(), 0);
    Glb().TracerBusy = false;
    frm->CloseAll();
    ASSERT_EQ(closed.size(), 1);
    EXPECT_TRUE(frm->x() >= 1024 || frm->x() + frm->width() <= 0) << frm->x();
}

TEST_F(Fragm, OkRecordsAndStopClosesButOnlyWhenReleasedInsideTheirLabels)
{
    QSignalSpy closed(frm.get(), &TfrmFragm::Closed);
    QSignalSpy recorded(frm->ui.Recording, &QAction::triggered);
    QTest::mousePress(frm->ui.rxOK, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(frm->ui.rxOK, Qt::LeftButton, {}, QPoint(0, 2)); // x = 0 is outside
    EXPECT_EQ(recorded.size(), 0);
    QTest::mousePress(frm->ui.rxOK, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(frm->ui.rxOK, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(recorded.size(), 1);
    EXPECT_EQ(closed.size(), 0);

    TTransparentLabel* label = frm->ui.rxSTOP;
    const QPoint at = label->pos();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(label->pos(), at + QPoint(0, 2)); // pressed look
    Glb().TracerBusy = true;
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 5, 3));
    EXPECT_EQ(label->pos(), at);
    EXPECT_FALSE(Glb().TracerBusy);
    EXPECT_EQ(closed.size(), 0);

    Glb().Modified = true;
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width(), label->height()));
    EXPECT_EQ(recorded.size(), 2); // the save question comes first
    EXPECT_EQ(closed.size(), 1);
}

TEST_F(Fragm, ColourQuestionAtClosingAndSettingsWrite)
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
}

TEST_F(Fragm, SessionEndAsksNothingAndSavesWhatChanged)
{
    WriteSettings({});
    int saves = 0;
    frm->saveNotesAndTrace = [&]() {
        ++saves;
    };
    Glb().Modified = true;
    Glb().Colours.GradientColourA = 0x0000FF;
    Glb().ColoursChanged = true;
    Glb().TracerBusy = true;
    frm->move(123, 45);
    QSignalSpy closed(frm.get(), &TfrmFragm::Closed);
    frm->EndSession();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(Glb().ColoursChanged);
    // The options and positions are written, the unconfirmed colours are not.
    const TSettingsValues read = SavedSettings();
    EXPECT_EQ(read.mainLeft, 123);
    EXPECT_EQ(read.mainTop, 45);
    EXPECT_EQ(read.colours.GradientColourA, 0xFFFFFFu);
}

TEST_F(Fragm, DragByTheTopBandOnlyAndNeverWhileTheTracerIsBusy)
{
    // Each drag moves by (30, 15); only the first one is allowed.
    for (const auto& [grab, busy] :
         {std::pair{QPoint(60, 20), false}, {QPoint(150, 100), false}, {QPoint(60, 20), true}}) {
        Glb().TracerBusy = busy;
        QTest::mousePress(frm.get(), Qt::LeftButton, {}, grab);
        MouseMoveTo(frm.get(), grab + QPoint(30, 15));
        QTest::mouseRelease(frm.get(), Qt::LeftButton, {}, grab + QPoint(30, 15));
        EXPECT_EQ(frm->pos(), QPoint(330, 215));
    }
}

TEST_F(Fragm, HintToggleNamesTheNextState)
{
    EXPECT_EQ(frm->ui.spdDspInfo->Hint(), "Info-bulles visibles");
    EXPECT_FALSE(THintSwitch::IsShown(frm->ui.spdChgCol));
    EXPECT_TRUE(THintSwitch::IsShown(frm->ui.edtMnemo)); // its own hints stay
    QTest::mouseClick(frm->ui.spdDspInfo, Qt::LeftButton);
    EXPECT_EQ(frm->ui.spdDspInfo->Hint(), "Info-bulles cachées");
    EXPECT_TRUE(THintSwitch::IsShown(frm->ui.spdChgCol));
    QTest::mouseClick(frm->ui.spdDspInfo, Qt::LeftButton);
    EXPECT_EQ(frm->ui.spdDspInfo->Hint(), "Info-bulles visibles");
    EXPECT_FALSE(THintSwitch::IsShown(frm->ui.spdChgCol));
}

TEST_F(Fragm, CommandLineArgumentHidesTheMark)
{
    const QString mark = TfrmFragm::MarkText();
    EXPECT_TRUE(mark.startsWith(u' '));
    EXPECT_LE(QFontMetrics(frm->ui.lblTitre->font()).horizontalAdvance(mark), 93);
    EXPECT_EQ(frm->ui.lblTitre->text(), mark);
    EXPECT_TRUE(frm->ui.rxTitre->IsTransparent());
    Create({"--sans-marque"});
    EXPECT_EQ(frm->ui.lblTitre->text(), "");
    EXPECT_FALSE(frm->ui.rxTitre->IsTransparent());
}

TEST_F(Fragm, MenusReadAsDesigned)
{
    const QMenu* pop = frm->menus->popMnu;
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
    EXPECT_FALSE(frm->menus->openType->isEnabled());
    EXPECT_EQ(Captions(pop->findChild<QMenu*>("mnuTraceOptions")),
              QStringList({"Exclure trace sur Explorer", "Distinction fichiers"}));
}

TEST_F(Fragm, DefaultColoursPaintResetsTheEightSettings)
{
    Glb().Colours.GradientColourA = 0x123456;
    Glb().Colours.MarkTextColour = 0x000001;
    Glb().Colours.GradientDirection = "h";
    Glb().UseDefaultColours = true;
    const QImage shot = frm->grab().toImage();
    EXPECT_EQ(Glb().Colours, TColourSettings{});
    EXPECT_EQ(shot.pixelColor(210, 75), shot.pixelColor(210, 84));            // along the width
    EXPECT_GT(shot.pixelColor(48, 75).red(), shot.pixelColor(210, 75).red()); // white to black
    EXPECT_EQ(shot.pixelColor(48, 75).red(), shot.pixelColor(48, 75).blue());
}

TEST_F(Fragm, ComeForwardRestoresAMinimisedWindowAndLeavesAHiddenOne)
{
    frm->showMinimized();
    frm->ComeForward();
    EXPECT_FALSE(frm->isMinimized());
    frm->HideAll();
    frm->ComeForward();
    EXPECT_FALSE(frm->isVisible());
}
