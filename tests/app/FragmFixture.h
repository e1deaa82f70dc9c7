#pragma once

#include "TestEnv.h"
#include "app/F_Fragm.h"
#include "app/F_FragmMenus.h"
#include "app/F_Glb.h"
#include "app/U_IniFile.h"
#include "app/U_Settings.h"
#include "toolkit/C_FlatButton.h"

#include <QAction>
#include <QFile>
#include <QTest>

#include <memory>

// The main window as the program makes it, with plain stand-ins for the notes editor and the
// tracer window.
class FragmFixture : public TarvelleTest
{
protected:
    void TearDown() override
    {
        frm.reset();
        SetMainWindow(nullptr);
        TarvelleTest::TearDown();
    }
    void Start(const QStringList& arguments = {})
    {
        frm = std::make_unique<TfrmFragm>();
        ASSERT_TRUE(frm->FormCreate(arguments));
        frm->SetSecondaryWindows(&notes, &tracer);
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
    TSettingsValues SavedSettings() const
    {
        TSettingsValues read;
        EXPECT_TRUE(LoadSettings(SettingsPath(), read, QSize(1024, 768), QSize(277, 116)));
        return read;
    }

    QWidget notes;
    QWidget tracer;
    std::unique_ptr<TfrmFragm> frm;
};
