#include "WidgetProbe.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {
// A red parent; Inside() is what shows at 14,14, within a control placed at 10,10.
class OnRedParent : public ::testing::Test
{
protected:
    OnRedParent()
    {
        parent.resize(50, 30);
        parent.setAutoFillBackground(true);
        parent.setPalette(QPalette(Qt::red));
    }
    QColor Inside() { return WidgetProbe::Shot(parent).pixelColor(14, 14); }

    QWidget parent;
};
} // namespace

TEST_F(OnRedParent, FlatButtonShowsItsFaceColourOrLetsTheParentShowThrough)
{
    auto* button = new TFlatButton(&parent);
    button->setGeometry(10, 10, 9, 9);
    EXPECT_EQ(Inside(), QColor(Qt::red));
    button->SetColor(0xFF0000);
    EXPECT_EQ(Inside(), QColor(Qt::blue));
    button->ClearColor();
    EXPECT_EQ(Inside(), QColor(Qt::red));
}

TEST_F(OnRedParent, TransparentLabelLetsTheParentShowThrough)
{
    auto* label = new TTransparentLabel(&parent);
    label->setGeometry(10, 10, 20, 10);
    label->SetColor(0xFF0000);
    for (bool transparent : {false, true, false}) {
        label->SetTransparent(transparent);
        EXPECT_EQ(Inside(), QColor(transparent ? Qt::red : Qt::blue)) << transparent;
    }
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
    EXPECT_EQ(WidgetProbe::Shot(button).pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(WidgetProbe::Shot(button).pixelColor(3, 8), QColor(Qt::white));

    button.setEnabled(false);
    const QColor greyed = WidgetProbe::Shot(button).pixelColor(8, 8);
    EXPECT_TRUE(greyed != Qt::blue && greyed != Qt::white) << greyed.name().toStdString();
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

// Every control's mouse signals come from one relay; seen here through a label on a panel.
TEST(MouseRelayTest, ControlUnderThePointerKeepsItsClicksDoubleClicksAndButtons)
{
    TSkinPanel panel;
    panel.resize(40, 30);
    auto* label = new TTransparentLabel("OK", &panel);
    label->setGeometry(2, 2, 20, 10);
    QSignalSpy clicks(label, &TTransparentLabel::Click);
    QSignalSpy doubles(label, &TTransparentLabel::DblClick);
    QSignalSpy downs(label, &TTransparentLabel::MouseDown);
    QSignalSpy ups(label, &TTransparentLabel::MouseUp);
    QSignalSpy panelClicks(&panel, &TSkinPanel::Click);
    QSignalSpy panelDowns(&panel, &TSkinPanel::MouseDown);
    QSignalSpy panelUps(&panel, &TSkinPanel::MouseUp);
    QSignalSpy panelMoves(&panel, &TSkinPanel::MouseMove);
    panel.show();

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, 5));
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0][1].toPoint(), QPoint(4, 5));
    // None of these is a click: the second press of a double click, a right click, and a press
    // on the label released outside it (the owner still sees where).
    QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(7, 8));
    EXPECT_EQ(ups.last()[0].value<Qt::MouseButton>(), Qt::RightButton);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(4, 30));
    EXPECT_EQ(ups.last()[1].toPoint(), QPoint(4, 30));
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(doubles.size(), 1);
    EXPECT_EQ(panelDowns.size() + panelUps.size() + panelClicks.size(), 0) << "pressed the panel";

    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(panelClicks.size(), 1);
    EXPECT_EQ(panelDowns.size() + panelUps.size(), 2);
    QTest::mouseMove(&panel, QPoint(35, 25));
    ASSERT_FALSE(panelMoves.isEmpty()) << "moves are reported without a button held";
    EXPECT_EQ(panelMoves.last()[1].toPoint(), QPoint(35, 25));
}

TEST(ImageTest, Click)
{
    TImage image;
    image.resize(20, 20);
    QSignalSpy clicks(&image, &TImage::Click);
    QTest::mouseClick(&image, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
}
