#include "app/U_Fonts.h"

#include <gtest/gtest.h>

TEST(FontsTest, DesignFamiliesMapToInstalledFaces)
{
    EXPECT_EQ(Fonts::FamilyFor(QStringLiteral("MS Sans Serif")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(Fonts::FamilyFor(QStringLiteral("ms serif")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(Fonts::FamilyFor(QStringLiteral("Courier")), QStringLiteral("Courier"));
    EXPECT_EQ(Fonts::PixelFont(QStringLiteral("Arial"), 12, true).pixelSize(), 12);
    EXPECT_TRUE(Fonts::PointFont(QStringLiteral("Arial"), 8, true).bold());
}
