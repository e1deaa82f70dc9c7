#include "FragmFixture.h"
#include "app/F_FragmMenus.h"
#include "app/U_Autostart.h"

#include <QDir>

using FragmSettings = FragmFixture;

TEST_F(FragmSettings, LoadingReachesTheWindowTheMenuAndTheFlags)
{
    // A missing file says so and keeps the defaults.
    Start();
    ASSERT_EQ(dialogs->plainMessages, QStringList{SettingsLoadMessage()});
    EXPECT_EQ(frm->pos(), QPoint(413, 380));
    EXPECT_TRUE(Item("clipB_mnu")->isChecked());
    EXPECT_EQ(Glb().Colours, TColourSettings{});

    const QList<std::pair<QString, QString>> options = {
        {"Left Fragm", "200"},          {"Top Fragm", "-20"},   {"Option ClipBoard", "0"},
        {"Ajout heure", "1"},           {"StartJustIcon", "1"}, {"Détails traces", "1"},
        {"Démarrage sur Traceur", "1"}, {"Ancrage", "1"},       {"posDefault", "0"}};
    WriteSettings(options);
    Start();
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_EQ(frm->pos(), QPoint(200, -20)); // a negative position is kept
    EXPECT_FALSE(Item("clipB_mnu")->isChecked() || Glb().Options.ClipboardCapture);
    EXPECT_TRUE(Item("AjoutHRE")->isChecked() && Glb().Options.AddHourOnEntry);
    EXPECT_TRUE(Item("mnuIconStart")->isChecked() && Glb().Options.StartAsIcon);
    EXPECT_TRUE(Item("mnuDistinctFiles")->isChecked() && Glb().Options.DistinctFiles);
    EXPECT_TRUE(Item("mnuLanceTraceur")->isChecked() && Glb().Options.StartTracer);
    EXPECT_TRUE(Glb().EditorAnchored);

    // Off the screen: default positions, "Positionnement par défaut" unchecked as it acted once.
    // No panel: the main window stands on the tracer window in the bottom-right corner.
    WriteSettings({{"Left Fragm", "5000"}, {"posDefault", "0"}});
    Start();
    EXPECT_EQ(Glb().NotesLeft, 1024 - 277);
    EXPECT_EQ(Glb().TracerLeft, 1024 - 277 - 497);
    EXPECT_EQ(frm->x(), Glb().TracerLeft + 497 - 277 + 1);
    EXPECT_FALSE(Item("mnuPosByDef")->isChecked());
}

TEST_F(FragmSettings, ClosingWritesOnlyWhatChanged)
{
    // Nothing changed and no position saving: the file stays byte for byte, also when the
    // options that a click marks for saving were loaded switched on.
    for (const char* loadedOn :
         {"", "StartJustIcon", "D\u00e9marrage sur Traceur", "D\u00e9tails traces"}) {
        SCOPED_TRACE(loadedOn);
        QList<std::pair<QString, QString>> options = {{"Position par dft", "0"},
                                                      {"posDefault", "0"}};
        if (*loadedOn)
            options.append({QString::fromUtf8(loadedOn), "1"});
        WriteSettings(options);
        const QByteArray before = ReadBytes(SettingsPath());
        Start();
        const TOptions& o = Glb().Options;
        EXPECT_EQ(o.StartAsIcon || o.StartTracer || o.DistinctFiles, *loadedOn != 0);
        EXPECT_FALSE(Glb().SettingsDirty);
        frm->move(10, 10);
        frm->CloseAll();
        EXPECT_EQ(ReadBytes(SettingsPath()), before);
    }

    WriteSettings({{"Position par dft", "0"}});
    Start();
    EXPECT_FALSE(Glb().SettingsDirty);
    Item("SVG_Auto")->trigger();
    EXPECT_TRUE(Glb().Options.AutoSaveWhileTracing);
    EXPECT_FALSE(Glb().SettingsDirty);
    Item("mnuIconStart")->trigger();
    EXPECT_TRUE(Glb().Options.StartAsIcon && Glb().SettingsDirty);
    Item("mnuDistinctFiles")->trigger();
    EXPECT_TRUE(Glb().Options.DistinctFiles); // from the next sample on
    frm->move(50, 60);
    frm->CloseAll();
    auto [read, place] = SavedSettings();
    EXPECT_TRUE(read.Options.StartAsIcon && read.Options.AutoSaveWhileTracing &&
                read.Options.DistinctFiles);
    EXPECT_EQ(place.main.x(), 50);

    // "Position par dft" unchecked skips the positions of the next save.
    WriteSettings({{"Left Fragm", "100"}, {"posDefault", "0"}});
    Start();
    Item("posDft")->trigger();
    frm->move(300, 300);
    frm->CloseAll();
    std::tie(read, place) = SavedSettings();
    EXPECT_EQ(place.main.x(), 100);
    EXPECT_FALSE(read.Options.KeepPositions);
}

TEST_F(FragmSettings, StartAtLoginFollowsTheRealEntry)
{
    Start();
    EXPECT_FALSE(Item("mnuFragmOpen")->isChecked());
    Item("mnuFragmOpen")->trigger();
    EXPECT_TRUE(RunEntryExists("Tarvelle"));
    // Started with its own data folder, the copy started at login is given the same.
    EXPECT_TRUE(ReadBytes(AutostartEntryPath("Tarvelle")).contains("\nExec=env \"TARVELLE_HOME="));
    Start();
    EXPECT_TRUE(Item("mnuFragmOpen")->isChecked());
    Item("mnuFragmOpen")->trigger();
    EXPECT_FALSE(RunEntryExists("Tarvelle"));

    // A folder that cannot hold the entry: the check mark goes back and the user is told.
    const QString autostart = QFileInfo(AutostartEntryPath("Tarvelle")).absolutePath();
    QDir(autostart).removeRecursively();
    ASSERT_TRUE(WriteBytes(autostart, {}));
    dialogs->plainMessages.clear();
    Item("mnuFragmOpen")->trigger();
    EXPECT_FALSE(Item("mnuFragmOpen")->isChecked());
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_FALSE(dialogs->plainMessages.first().isEmpty());
}

TEST_F(FragmSettings, SideButtonsAndDraggingAnAnchoredWindowDockTheEditor)
{
    Start();
    const TDateEdit::TSide side = frm->ui.calendMem->DropDownSide();
    QTest::mouseClick(frm->ui.spdEpaType, Qt::LeftButton);
    EXPECT_NE(frm->ui.calendMem->DropDownSide(), side);
    QTest::mouseClick(frm->ui.spdEpaType, Qt::LeftButton);
    EXPECT_EQ(frm->ui.calendMem->DropDownSide(), side);

    Notes().resize(277, 182);
    Notes().show();
    frm->show();
    QTest::mouseClick(frm->ui.spdAncrMnem, Qt::LeftButton);
    EXPECT_TRUE(Glb().EditorAnchored);
    for (const auto& [left, editorLeft, calendar] :
         {std::tuple{900, 900 - 277, TDateEdit::TSide::Left}, // near the 1024 wide screen's edge
          std::tuple{100, 100 + 277 - 1, TDateEdit::TSide::Right}}) {
        frm->move(left, 100);
        QTest::mousePress(frm.get(), Qt::LeftButton, {}, QPoint(60, 20));
        QTest::mouseRelease(frm.get(), Qt::LeftButton, {}, QPoint(60, 20));
        EXPECT_EQ(Notes().pos(), QPoint(editorLeft, 100));
        EXPECT_EQ(frm->ui.calendMem->DropDownSide(), calendar);
    }
}

TEST_F(FragmSettings, AFileReadOnlyInPartIsKeptUnderADatedNameBeforeItIsRewritten)
{
    for (const auto& [key, value] : {std::pair{"Left Fragm", "abc"}, {"Couleur du texte", "x"}}) {
        SCOPED_TRACE(key);
        for (const QString& kept : QDir(home.path()).entryList({"ConfigMnemo_original*"}))
            QFile::remove(home.filePath(kept));
        WriteSettings({{"StartJustIcon", "1"}});
        TIniFile ini(SettingsPath());
        ASSERT_TRUE(ini.Load());
        ini.WriteString(QString(key).startsWith("Couleur") ? "Composants" : "Options", key, value);
        ASSERT_TRUE(ini.Save());
        const QByteArray original = ReadBytes(SettingsPath());
        // Started twice without a save: the file is kept once, and the message says where.
        for (int start = 0; start < 2; ++start) {
            dialogs->plainMessages.clear();
            Start();
            EXPECT_FALSE(Glb().Options.StartAsIcon) << "read no further than the faulty line";
            const QStringList kept = QDir(home.path()).entryList({"ConfigMnemo_original*.ini"});
            ASSERT_EQ(kept.size(), 1);
            EXPECT_EQ(ReadBytes(home.filePath(kept.first())), original);
            EXPECT_EQ(dialogs->plainMessages,
                      QStringList(SettingsLoadMessage(home.filePath(kept.first()))));
            EXPECT_TRUE(dialogs->plainMessages.first().endsWith(
                "\r\rLe fichier lu est conservé sous " + home.filePath(kept.first())));
        }
        Glb().SettingsDirty = true;
        frm->CloseAll();
        EXPECT_EQ(dialogs->plainMessages.size(), 1);
        EXPECT_EQ(QDir(home.path()).entryList({"ConfigMnemo_original*.ini"}).size(), 1);
        EXPECT_NE(ReadBytes(SettingsPath()), original);
    }
    // A file that was read whole is rewritten without a copy.
    Start();
    frm->CloseAll();
    EXPECT_EQ(QDir(home.path()).entryList({"ConfigMnemo_original*.ini"}).size(), 1);
}

TEST_F(FragmSettings, EachOptionItemShowsAndSetsItsOptionBothWays)
{
    Start();
    for (const TOptionRow& row : OptionRows()) {
        SCOPED_TRACE(row.item);
        QAction* item = Item(row.item);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), row.caption.toString());
        for (const bool on : {!row.byDefault, row.byDefault}) {
            Glb().SettingsDirty = false;
            item->trigger();
            EXPECT_EQ(item->isChecked(), on);
            EXPECT_EQ(Glb().Options.*row.member, on);
            EXPECT_TRUE(Glb().SettingsDirty || !row.marksDirty);
        }
        // Shown as it is, whoever set it.
        Glb().Options.*row.member = !row.byDefault;
        frm->findChild<TFragmMenus*>()->ShowOptions();
        EXPECT_EQ(item->isChecked(), !row.byDefault);
        // Back as it was: some items are enabled by another's check mark.
        Glb().Options.*row.member = row.byDefault;
        frm->findChild<TFragmMenus*>()->ShowOptions();
    }
}
