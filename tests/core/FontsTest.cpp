#include "core/U_Fonts.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QStringList>

// A face the set-up forgot to install would silently fall back to another one.
TEST(FontsTest, EveryDesignFamilyResolvesToAnInstalledFace)
{
    for (const char* design : {"MS Sans Serif", "MS Serif", "Arial", "Papyrus"}) {
        const QString family = Fonts::FamilyFor(QString::fromLatin1(design));
        EXPECT_NE(family.toLower(), QString::fromLatin1(design).toLower()) << design;
        const QFontInfo shown(Fonts::PixelFont(QString::fromLatin1(design), 11));
        // Fontconfig may add the foundry: "Z003 [urw]".
        EXPECT_TRUE(shown.family().startsWith(family))
            << design << ": " << shown.family().toStdString();
    }
    EXPECT_EQ(Fonts::FamilyFor(QStringLiteral("Courier")), QStringLiteral("Courier"));
}
