#pragma once

#include "DialogRecorder.h"
#include "FakeClock.h"
#include "core/U_Glb.h"
#include "platform/fake/U_PlatformFake.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

// Every test starts from fresh process-wide state: default flags, a fake platform,
// a fake clock, recorded dialogs and an empty program folder.
class TarvelleTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    TPlatformFake* platform = nullptr;
    std::shared_ptr<TFakeClock> clock;
    std::shared_ptr<TDialogRecorder> dialogs;
    QTemporaryDir home;
};
