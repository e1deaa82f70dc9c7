#include "platform/U_DesktopShells.h"

#include <QLatin1StringView>

#include <algorithm>
#include <array>

namespace {
// Per desktop: its shell (panel and desktop) processes and its file manager.
constexpr std::array<QLatin1StringView, 28> kShells{
    QLatin1StringView("explorer.exe"),
    // GNOME, GNOME Flashback
    QLatin1StringView("gnome-shell"), QLatin1StringView("gnome-flashback"),
    QLatin1StringView("nautilus"), QLatin1StringView("nautilus-desktop"),
    // KDE Plasma
    QLatin1StringView("plasmashell"), QLatin1StringView("dolphin"),
    // Xfce
    QLatin1StringView("xfdesktop"), QLatin1StringView("xfce4-panel"), QLatin1StringView("thunar"),
    // Cinnamon
    QLatin1StringView("cinnamon"), QLatin1StringView("nemo"), QLatin1StringView("nemo-desktop"),
    // MATE
    QLatin1StringView("mate-panel"), QLatin1StringView("caja"),
    // LXDE, LXQt
    QLatin1StringView("lxpanel"), QLatin1StringView("pcmanfm"), QLatin1StringView("lxqt-panel"),
    QLatin1StringView("pcmanfm-qt"),
    // Budgie, Deepin, Pantheon
    QLatin1StringView("budgie-panel"), QLatin1StringView("dde-desktop"),
    QLatin1StringView("dde-dock"), QLatin1StringView("dde-file-manager"),
    QLatin1StringView("wingpanel"), QLatin1StringView("io.elementary.files"),
    // Stand-alone desktops and file managers of lighter set-ups
    QLatin1StringView("spacefm"), QLatin1StringView("rox-filer"),
    QLatin1StringView("pantheon-files")};
} // namespace

bool IsDesktopShell(const QString& exeNameLower)
{
    return std::any_of(kShells.begin(), kShells.end(),
                       [&](QLatin1StringView shell) { return exeNameLower == shell; });
}
