#include "TestEnv.h"
#include "app/U_Instance.h"

using Instance = TarvelleTest;

TEST_F(Instance, ASecondCopyAsksTheFirstAndEnds)
{
    EXPECT_TRUE(EnsureSingleInstance());
    EXPECT_EQ(platform->claimedNames, QStringList{"DDLFirstIntance"});
    // Where the lock goes when the runtime folder cannot hold it: with the program's files.
    EXPECT_EQ(platform->fallbackFolders, QStringList{AppFolder()});
    int calls = 0;
    ListenForLaterCopies([&]() { ++calls; });
    EXPECT_EQ(platform->listenedNames, QStringList{"DDLFirstIntance"});
    platform->onCalled();
    EXPECT_EQ(calls, 1);
    platform->nextClaim = TPlatform::TInstanceClaim::AlreadyRunning;
    EXPECT_FALSE(EnsureSingleInstance());
    EXPECT_EQ(platform->calledNames, QStringList{"DDLFirstIntance"});
    // No lock could be set up at all: the program runs instead of never starting.
    platform->nextClaim = TPlatform::TInstanceClaim::Unavailable;
    EXPECT_TRUE(EnsureSingleInstance());
    EXPECT_EQ(platform->calledNames.size(), 1);
}
