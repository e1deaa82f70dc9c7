#include "app/U_Fonts.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>

#include <fontconfig/fontconfig.h>
#include <string>
#include <vector>

namespace {
struct TMatch
{
    std::string file;
    int hintStyle = -1;
    FcBool antialias = FcFalse;
    bool operator==(const TMatch&) const = default;
};

TMatch Match(FcConfig* config, const char* family)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(config, pattern, &result);
    TMatch match;
    if (font) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch)
            match.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(font, FC_HINT_STYLE, 0, &match.hintStyle);
        FcPatternGetBool(font, FC_ANTIALIAS, 0, &match.antialias);
        FcPatternDestroy(font);
    }
    FcPatternDestroy(pattern);
    return match;
}

std::vector<std::string> CacheFolders(FcConfig* config)
{
    std::vector<std::string> folders;
    FcStrList* list = FcConfigGetCacheDirs(config);
    while (const FcChar8* folder = FcStrListNext(list))
        folders.emplace_back(reinterpret_cast<const char*>(folder));
    FcStrListDone(list);
    return folders;
}

int FontCount(FcConfig* config)
{
    const FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem);
    return fonts ? fonts->nfont : -1;
}

// Each case loads the configuration into an uninitialised fontconfig, as a start does, and
// compares it with the one `FcInit` builds from the same files.
class FontConfigTest : public ::testing::Test
{
protected:
    void SetUp() override { FcFini(); }
    void TearDown() override
    {
        qunsetenv("FONTCONFIG_FILE");
        FcFini();
    }

    void ExpectSameAsFcInit()
    {
        FcConfig* reference = FcInitLoadConfigAndFonts();
        ASSERT_NE(reference, nullptr);
        FcConfig* current = FcConfigGetCurrent();
        EXPECT_EQ(FontCount(current), FontCount(reference));
        EXPECT_GT(FontCount(current), 0);
        EXPECT_EQ(CacheFolders(current), CacheFolders(reference));
        EXPECT_FALSE(CacheFolders(current).empty());
        // Aliases, generic names and rendering rules all come from the configuration's rules.
        for (const char* family : {"Arial", "sans-serif", "monospace", "Times New Roman:bold"})
            EXPECT_EQ(Match(current, family), Match(reference, family)) << family;
        FcConfigDestroy(reference);
    }

    QTemporaryDir folder;
    void UseConfiguration(const QByteArray& text)
    {
        const QString path = folder.filePath(QStringLiteral("fonts.conf"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        qputenv("FONTCONFIG_FILE", path.toLocal8Bit());
    }
};

TEST_F(FontConfigTest, SystemConfigurationIsTheOneFcInitBuilds)
{
    Fonts::LoadSystemConfiguration();
    ExpectSameAsFcInit();
}

// A configuration naming no cache folder would have every font file read at each start.
TEST_F(FontConfigTest, ConfigurationWithoutCacheFolderGetsTheDefaultFolders)
{
    UseConfiguration("<?xml version=\"1.0\"?><fontconfig><dir>/usr/share/fonts</dir>"
                     "</fontconfig>");
    Fonts::LoadSystemConfiguration();
    ExpectSameAsFcInit();
}

TEST_F(FontConfigTest, BrokenConfigurationFallsBackToFcInitsDefaults)
{
    UseConfiguration("<?xml version=\"1.0\"?><fontconfig><dir>");
    Fonts::LoadSystemConfiguration();
    ExpectSameAsFcInit();
}
} // namespace
