#include "core/U_Translations.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QCoreApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

namespace {
QStringList ButtonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text().remove(QLatin1Char('&'));
    return texts;
}

QString BasicColours()
{
    return QCoreApplication::translate("QColorDialog", "&Basic colors");
}
} // namespace

TEST(TranslationsTest, QtDialogsSpeakFrenchAndAMissingFileChangesNothing)
{
    QTemporaryDir empty;
    EXPECT_EQ(Translations::LoadQtFrench(empty.path()), nullptr);
    EXPECT_EQ(Translations::LoadQtFrench(empty.path() + QStringLiteral("/absent")), nullptr);
    EXPECT_EQ(BasicColours(), "&Basic colors");

    QTranslator* french = Translations::LoadQtFrench();
    ASSERT_NE(french, nullptr) << "Qt's French translation is not installed";
    EXPECT_EQ(BasicColours(), "Couleurs de &base");
    {
        QColorDialog dialog;
        const QStringList texts = ButtonTexts(dialog);
        for (const char* text : {"Ajouter aux couleurs personnalisées", "OK", "Annuler"})
            EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << texts.join(", ").toStdString();
    }
    // Leaves the other tests of this program in Qt's English.
    delete french;
    EXPECT_EQ(BasicColours(), "&Basic colors");
}
