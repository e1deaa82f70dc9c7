#include "app/U_Fonts.h"

#include <array>
#include <fontconfig/fontconfig.h>
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

namespace {
bool NamesCacheFolder(FcConfig* config)
{
    FcStrList* folders = FcConfigGetCacheDirs(config);
    if (!folders)
        return false;
    const bool named = FcStrListNext(folders) != nullptr;
    FcStrListDone(folders);
    return named;
}
} // namespace

void LoadSystemConfiguration()
{
    FcConfig* config = FcConfigCreate();
    // Without a cache folder fontconfig would scan every font file; `FcInit` adds the default
    // folders in that case.
    if (config && FcConfigParseAndLoad(config, nullptr, FcTrue) && NamesCacheFolder(config) &&
        FcConfigBuildFonts(config) && FcConfigSetCurrent(config)) {
        // The current configuration holds its own reference from fontconfig 2.14 on (2.13 and
        // older keep ours, which only means the configuration is never freed).
        if (FcGetVersion() >= 21400)
            FcConfigDestroy(config);
        return;
    }
    if (config)
        FcConfigDestroy(config);
    FcInit();
}

} // namespace Fonts
