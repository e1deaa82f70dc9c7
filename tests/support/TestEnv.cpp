#include "TestEnv.h"

#include "core/U_Clock.h"

#include <QDir>

void TarvelleTest::SetUp()
{
    ResetGlb();
    auto fake = std::make_unique<TPlatformFake>();
    platform = fake.get();
    SetPlatform(std::move(fake));
    clock = std::make_shared<TFakeClock>();
    SetClock(clock);
    dialogs = std::make_shared<TDialogRecorder>();
    SetDialogs(dialogs);
    ASSERT_TRUE(home.isValid());
    qputenv("TARVELLE_HOME", home.path().toLocal8Bit());
    // Nothing a test does may reach the developer's own desktop settings.
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toLocal8Bit());
    ResetAppFolder();
}

void TarvelleTest::TearDown()
{
    SetDialogs(nullptr);
    SetClock(nullptr);
    qunsetenv("TARVELLE_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    ResetAppFolder();
}
