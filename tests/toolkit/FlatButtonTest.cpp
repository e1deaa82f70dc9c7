#include "WidgetProbe.h"
#include "toolkit/C_FlatButton.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

TEST(FlatButtonTest, FaceColourOrParentShowingThrough)
{
    QWidget parent;
    parent.resize(30, 30);
    parent.setAutoFillBackground(true);
    parent.setPalette(QPalette(Qt::red));
    auto* button = new TFlatButton(&parent);
    button->setGeometry(10, 10, 9, 9);
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(14, 14), QColor(Qt::red));
    button->SetColor(0xFF0000);
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(14, 14), QColor(Qt::blue));
    button->ClearColor();
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(14, 14), QColor(Qt::red));
}

TEST(FlatButtonTest, GlyphCentredAndGreyedAndNoClickWhenDisabled)
{
    TFlatButton button;
    button.resize(16, 16);
    button.SetColor(0xFFFFFF);
    QPixmap glyph(6, 6);
    glyph.fill(Qt::blue);
    button.SetGlyph(glyph);
    QSignalSpy clicks(&button, &TFlatButton::Click);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
    QImage shot = WidgetProbe::Shot(button);
    EXPECT_EQ(shot.pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(3, 8), QColor(Qt::white));

    button.setEnabled(false);
    shot = WidgetProbe::Shot(button);
    EXPECT_NE(shot.pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_NE(shot.pixelColor(8, 8), QColor(Qt::white));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
}

TEST(FlatButtonTest, PressedLookAndCaption)
{
    TFlatButton button;
    button.resize(30, 16);
    button.SetColor(0xFFFFFF);
    button.SetFontColor(0x0000FF);
    button.SetCaption("24");
    EXPECT_TRUE(WidgetProbe::FirstWith(WidgetProbe::Shot(button), Qt::red).has_value());

    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_EQ(WidgetProbe::Shot(button).pixelColor(0, 0), QColor(Qt::darkGray));
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_NE(WidgetProbe::Shot(button).pixelColor(0, 0), QColor(Qt::darkGray));
}
