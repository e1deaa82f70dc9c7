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

} // namespace Fonts
