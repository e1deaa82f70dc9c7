#include "platform/U_DesktopShells.h"

#include <gtest/gtest.h>

TEST(DesktopShells, ShellsAndFileManagersOfTheUsualDesktopsButNotWindowManagers)
{
    for (const char* shell :
         {"explorer.exe", "nautilus", "gnome-shell", "plasmashell", "dolphin", "xfdesktop",
          "thunar", "nemo", "caja", "pcmanfm", "pcmanfm-qt", "lxpanel"})
        EXPECT_TRUE(IsDesktopShell(QString::fromLatin1(shell))) << shell;
    for (const char* other : {"openbox", "kwin_x11", "xfwm4", "mutter", "firefox", "explorer",
                              "nautilus.exe", "", "tarvelle"})
        EXPECT_FALSE(IsDesktopShell(QString::fromLatin1(other))) << other;
}
