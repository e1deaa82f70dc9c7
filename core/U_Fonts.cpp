#include "core/U_Fonts.h"

#include <array>
#include <utility>

namespace Fonts {

namespace {
constexpr std::array<std::pair<const char*, const char*>, 4> kFaces = {{
    {"ms sans serif", "Liberation Sans"},
    {"ms serif", "Liberation Serif"},
    {"arial", "Liberation Sans"},
    {"papyrus", "Z003"}, // URW's hand-written face
}};

QFont Make(const QString& designFamily, bool bold)
{
    QFont font(FamilyFor(designFamily));
    font.setBold(bold);
    return font;
}
} // namespace

QString FamilyFor(const QString& designFamily)
{
    const QString key = designFamily.toLower();
    for (const auto& [design, installed] : kFaces)
        if (key == QLatin1String(design))
            return QString::fromLatin1(installed);
    return designFamily;
}

QFont PixelFont(const QString& designFamily, int pixels, bool bold)
{
    QFont font = Make(designFamily, bold);
    font.setPixelSize(pixels);
    return font;
}

QFont PointFont(const QString& designFamily, int points, bool bold)
{
    QFont font = Make(designFamily, bold);
    font.setPointSize(points);
    return font;
}

} // namespace Fonts
