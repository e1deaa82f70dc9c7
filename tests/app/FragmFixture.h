#pragma once

#include "TestEnv.h"
#include "TestFiles.h"
#include "alarms/U_Alarms.h"
#include "app/F_Fragm.h"
#include "app/F_FragmColours.h"
#include "app/F_FragmMenus.h"
#include "app/F_FragmTray.h"
#include "app/U_Settings.h"
#include "core/F_Glb.h"
#include "core/U_IniFile.h"
#include "notes/F_ScdNiv.h"
#include "notes/U_NotesPad.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_DigitalClock.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_HintSwitch.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"
#include "tracer/F_TimingTrace.h"
#include "tracer/U_TraceFile.h"
#include "tracer/U_TracerController.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

// The main window as the program makes it, with the notes editor and the tracer window.
class FragmFixture : public TarvelleTest
{
protected:
    void TearDown() override
    {
        frm.reset();
        tracerWindow.reset();
        notesEditor.reset();
        tracerController = std::make_unique<TTracerController>();
        notesPad = std::make_unique<TNotesPad>();
        alarms = std::make_unique<TAlarms>();
        SetMainWindow(nullptr);
        SetColourDialog(nullptr);
        TarvelleTest::TearDown();
    }
    void Start(const QStringList& arguments = {})
    {
        frm.reset();
        tracerWindow.reset();
        notesEditor.reset();
        tracerController = std::make_unique<TTracerController>();
        notesPad = std::make_unique<TNotesPad>();
        alarms = std::make_unique<TAlarms>();
        frm = std::make_unique<TfrmFragm>(*tracerController, *notesPad, *alarms);
        frm->FormCreate(arguments);
        notesEditor = std::make_unique<TfrmMnememo>(*notesPad);
        tracerWindow = std::make_unique<TfrmTimingTrace>(*tracerController);
        frm->SetSecondaryWindows(notesEditor.get(), tracerWindow.get());
    }
    // Installs the distributed settings file with some options changed.
    void WriteSettings(const QList<std::pair<QString, QString>>& options)
    {
        QFile::remove(SettingsPath());
        ASSERT_TRUE(
            QFile::copy(QT_TESTCASE_SOURCEDIR "/../../resources/ConfigMnemo.ini", SettingsPath()));
        QFile::setPermissions(SettingsPath(), QFile::ReadOwner | QFile::WriteOwner);
        TIniFile ini(SettingsPath());
        ASSERT_TRUE(ini.Load());
        for (const auto& [key, value] : options)
            ini.WriteString("Options", key, value);
        ASSERT_TRUE(ini.Save());
    }
    // What the settings file holds now, read as a start would.
    std::pair<TGlbState, TLoadedPlace> SavedSettings() const
    {
        TGlbState read;
        TLoadedPlace place;
        EXPECT_TRUE(LoadSettings(SettingsPath(), read, place, QSize(1024, 768), QSize(277, 116)));
        return {read, place};
    }
    QAction* Item(const char* name) const
    {
        auto* item = frm->findChild<QAction*>(QLatin1String(name));
        EXPECT_TRUE(item) << name;
        return item;
    }
    QMenu* Menu(const char* name) const { return frm->findChild<QMenu*>(QLatin1String(name)); }
    TFragmColours& Colours() const { return *frm->findChild<TFragmColours*>(); }
    TFragmTray& Tray() const { return *frm->findChild<TFragmTray*>(); }
    TTracerController& Tracer() const { return *tracerController; }

    TfrmTimingTrace& TracerWindow() const { return *tracerWindow; }

    TfrmMnememo& Notes() const { return *notesEditor; }
    TNotesPad& Pad() const { return *notesPad; }
    TAlarms& Alarms() const { return *alarms; }

    std::unique_ptr<TTracerController> tracerController = std::make_unique<TTracerController>();
    std::unique_ptr<TNotesPad> notesPad = std::make_unique<TNotesPad>();
    std::unique_ptr<TAlarms> alarms = std::make_unique<TAlarms>();
    std::unique_ptr<TfrmMnememo> notesEditor;
    std::unique_ptr<TfrmTimingTrace> tracerWindow;
    std::unique_ptr<TfrmFragm> frm;
};

// All three windows shown, the main one at (300, 200); a colour dialog that answers `chosen`
// (an invalid colour is a cancel) and one window under the pointer to trace.
class ShownFragm : public FragmFixture
{
protected:
    void SetUp() override
    {
        FragmFixture::SetUp();
        platform->AddWindow(1, "liste.txt - Editeur", 10);
        platform->exeNames = {{10, "/usr/bin/editeur"}};
        platform->pointed = 1;
        SetColourDialog([this](QWidget*) {
            ++dialogsOpened;
            return chosen;
        });
        Start();
        frm->move(300, 200);
        notesEditor->show();
        tracerWindow->show();
        frm->show();
    }
    bool Shown(bool main, bool notesShown, bool tracerShown) const
    {
        return frm->isVisible() == main && notesEditor->isVisible() == notesShown &&
               tracerWindow->isVisible() == tracerShown;
    }
    // Starts tracing and takes one sample of the editor's window.
    void TraceOneSample()
    {
        Tracer().Toggle();
        Tracer().SpyTimerTimer();
    }

    QColor chosen;
    int dialogsOpened = 0;
};
