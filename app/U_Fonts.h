#pragma once

#include <QFont>
#include <QString>

// The fonts the windows were designed with, mapped to faces the set-up installs.
namespace Fonts {
// The installed family standing for `designFamily` ("MS Sans Serif", "MS Serif", "Arial",
// "Papyrus"); other names pass through unchanged.
QString FamilyFor(const QString& designFamily);
QFont PixelFont(const QString& designFamily, int pixels, bool bold = false);
QFont PointFont(const QString& designFamily, int points, bool bold = false);

// Makes the system's font configuration fontconfig's current one, as `FcInit` does, without
// `FcInit`'s extra parse of every unused template of the configuration folder, which serves only
// the tools that list them and costs a quarter of the set-up. A configuration that names no
// cache folder, or that fails, goes the standard way.
void LoadSystemConfiguration();
} // namespace Fonts
