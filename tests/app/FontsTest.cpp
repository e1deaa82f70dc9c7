#include "app/U_Fonts.h"
#include "app/U_StartupLoader.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

TEST(FontsTest, DesignFamiliesMapToInstalledFaces)
{
    EXPECT_EQ(Fonts::FamilyFor(QStringLiteral("MS Sans Serif")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(Fonts::FamilyFor(QStringLiteral("ms serif")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(Fonts::FamilyFor(QStringLiteral("Courier")), QStringLiteral("Courier"));
}

// The loader runs beside the main thread at every start; a worker left waiting would hang the
// program at its end, and a font list loaded twice or not at all would show in every window.
TEST(StartupLoaderTest, EndsWhetherFinishedTwiceOrNeverAndMeanwhileGivesTheWholeFontList)
{
    {
        TStartupLoader loader;
        loader.Finish();
        loader.Finish();
    }
    {
        const TStartupLoader unfinished;
    }
    TStartupLoader loader;
    loader.ApplicationReady();
    const QFontInfo shown(Fonts::PixelFont(QStringLiteral("MS Sans Serif"), 11));
    loader.Finish();
    EXPECT_FALSE(QFontDatabase::families().isEmpty());
    EXPECT_EQ(shown.family(), Fonts::FamilyFor(QStringLiteral("MS Sans Serif")));
}
