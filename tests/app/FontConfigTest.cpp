#include "TestFiles.h"
#include "app/U_Fonts.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fontconfig/fontconfig.h>
#include <string>
#include <vector>

namespace {
// Everything a family resolves to (file, rendering settings ...), as text.
std::string Match(FcConfig* config, const char* family)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(config, pattern, &result);
    FcChar8* text = font ? FcNameUnparse(font) : nullptr;
    const std::string match = text ? reinterpret_cast<const char*>(text) : "";
    FcStrFree(text);
    if (font)
        FcPatternDestroy(font);
    FcPatternDestroy(pattern);
    return match;
}

// The font count and the cache folders.
std::pair<int, std::vector<std::string>> FontsAndCaches(FcConfig* config)
{
    std::vector<std::string> folders;
    FcStrList* list = FcConfigGetCacheDirs(config);
    while (const FcChar8* folder = FcStrListNext(list))
        folders.emplace_back(reinterpret_cast<const char*>(folder));
    FcStrListDone(list);
    const FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem);
    return {fonts ? fonts->nfont : -1, folders};
}
} // namespace

// A start loads the configuration into an uninitialised fontconfig: it must be the one
// `FcInit` builds from the same files, whatever they hold.
TEST(FontConfig, LoadedConfigurationIsTheOneFcInitBuilds)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fonts.conf"));
    for (const auto& [name, text] :
         {std::pair{"the system's", QByteArray()},
          // Naming no cache folder would have every font file read at each start.
          {"without cache folder",
           "<?xml version=\"1.0\"?><fontconfig><dir>/usr/share/fonts</dir></fontconfig>"},
          {"broken", "<?xml version=\"1.0\"?><fontconfig><dir>"}}) {
        SCOPED_TRACE(name);
        FcFini();
        if (!text.isEmpty()) {
            ASSERT_TRUE(WriteBytes(path, text));
            qputenv("FONTCONFIG_FILE", path.toLocal8Bit());
        }
        Fonts::LoadSystemConfiguration();
        FcConfig* reference = FcInitLoadConfigAndFonts();
        ASSERT_NE(reference, nullptr);
        FcConfig* current = FcConfigGetCurrent();
        EXPECT_EQ(FontsAndCaches(current), FontsAndCaches(reference));
        EXPECT_GT(FontsAndCaches(current).first, 0);
        EXPECT_FALSE(FontsAndCaches(current).second.empty());
        // Aliases, generic names and rendering rules all come from the configuration's rules.
        for (const char* family : {"Arial", "sans-serif", "monospace", "Times New Roman:bold"})
            EXPECT_EQ(Match(current, family), Match(reference, family)) << family;
        FcConfigDestroy(reference);
        qunsetenv("FONTCONFIG_FILE");
    }
    FcFini();
}
