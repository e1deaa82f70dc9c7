#include "WidgetProbe.h"
#include "toolkit/C_DigitalClock.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_Image.h"
#include "toolkit/C_SkinPanel.h"
#include "toolkit/C_TransparentLabel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

TEST(FlatButtonTest, FaceOrParentGlyphCaptionAndPressedLook)
{
    QWidget parent;
    parent.resize(40, 20);
    parent.setAutoFillBackground(true);
    parent.setPalette(QPalette(Qt::red));
    auto* button = new TFlatButton(&parent);
    button->setGeometry(0, 0, 16, 16);
    const auto shown = [&](int x, int y) {
        return WidgetProbe::Shot(parent).pixelColor(x, y);
    };
    EXPECT_EQ(shown(3, 8), QColor(Qt::red)) << "without a face colour the parent shows through";
    button->SetColor(0xFF0000);
    EXPECT_EQ(shown(3, 8), QColor(Qt::blue));
    button->ClearColor();
    EXPECT_EQ(shown(3, 8), QColor(Qt::red));

    button->SetColor(0xFFFFFF);
    QPixmap glyph(6, 6);
    glyph.fill(Qt::blue);
    button->SetGlyph(glyph);
    EXPECT_EQ(shown(8, 8), QColor(Qt::blue)) << "centred";
    EXPECT_EQ(shown(3, 8), QColor(Qt::white));
    QSignalSpy clicks(button, &TFlatButton::Click);
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(shown(0, 0), QColor(Qt::darkGray)) << "sunk";
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_NE(shown(0, 0), QColor(Qt::darkGray));
    EXPECT_EQ(clicks.size(), 1);
    button->setEnabled(false);
    EXPECT_TRUE(shown(8, 8) != Qt::blue && shown(8, 8) != Qt::white) << "greyed";

    button->SetGlyph({});
    button->resize(30, 16);
    button->SetFontColor(0x0000FF);
    button->SetCaption("24");
    button->setEnabled(true);
    EXPECT_TRUE(WidgetProbe::FirstWith(WidgetProbe::Shot(*button), Qt::red).has_value());
}

// The tracer's button while tracing: a lamp with "~" beside it in 14 × 14 pixels, and the
// captions of the buttons switched off meanwhile.
TEST(FlatButtonTest, CaptionWhollyBesideTheGlyphAndGreyedButShownWhenDisabled)
{
    TFlatButton button;
    button.resize(14, 14);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    button.setFont(font);
    button.SetColor(0xC8C8C8);
    QPixmap lamp(8, 8);
    lamp.fill(Qt::blue);
    button.SetGlyph(lamp);
    button.SetCaption("~");
    // Caption pixels are the greys darker than the face; the lamp's are blue.
    const auto look = [&button](QRect& caption, QRect& glyph) {
        const QImage shot = WidgetProbe::Shot(button);
        int darkest = 255;
        caption = glyph = QRect();
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.blue() > c.red() + 40)
                    glyph |= QRect(x, y, 1, 1);
                else if (c.red() == c.blue() && c.red() < 0xC8 - 24) {
                    caption |= QRect(x, y, 1, 1);
                    darkest = qMin(darkest, c.red());
                }
            }
        return darkest;
    };
    QRect caption, glyph;
    const int enabledInk = look(caption, glyph);
    const QRect inside = button.rect().adjusted(1, 1, -1, -1); // within the frame, so uncut
    EXPECT_TRUE(inside.contains(caption)) << caption.x() << "-" << caption.right();
    EXPECT_TRUE(inside.contains(glyph)) << glyph.x() << "-" << glyph.right();
    EXPECT_FALSE(caption.adjusted(-1, -1, 1, 1).intersects(glyph)) << "face between them";
    EXPECT_LT(enabledInk, 0x60);

    button.setEnabled(false);
    const int disabledInk = look(caption, glyph);
    EXPECT_TRUE(inside.contains(caption) && !caption.isEmpty()) << "the caption stays shown";
    EXPECT_GT(disabledInk, enabledInk) << "greyed";
    EXPECT_LT(disabledInk, 0x98) << "readable on the face";
}

// Every control's mouse signals come from one relay; seen here mostly through a label on a panel.
TEST(MouseRelayTest, LabelOnAPanelShowsThePanelThroughAndKeepsItsClicksDoubleClicksAndButtons)
{
    TSkinPanel panel;
    panel.resize(60, 30);
    panel.SetColor(0x00FF00);
    auto* label = new TTransparentLabel(&panel);
    label->setGeometry(2, 2, 20, 10);
    label->SetColor(0xFF0000);
    for (bool transparent : {false, true, false}) {
        label->SetTransparent(transparent);
        EXPECT_EQ(WidgetProbe::Shot(panel).pixelColor(10, 6),
                  QColor(transparent ? Qt::green : Qt::blue));
    }
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
    // None of these is a click: the second press of a double click, a right click, and a press
    // on the label released outside it (the owner still sees where).
    QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(7, 8));
    EXPECT_EQ(ups.last()[0].value<Qt::MouseButton>(), Qt::RightButton);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(4, 30));
    EXPECT_EQ(ups.last()[1].toPoint(), QPoint(4, 30));
    EXPECT_EQ(downs.size() + ups.size(), 8);
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(doubles.size(), 1);
    // The picture and the clock are wired to the relay as well.
    const QList<QWidget*> wired = {new TImage(&panel), new TDigitalClock(&panel)};
    for (QWidget* control : wired) {
        control->setGeometry(24, 2, 30, 10);
        QSignalSpy controlClicks(control, SIGNAL(Click()));
        QSignalSpy controlUps(control, SIGNAL(MouseUp(Qt::MouseButton, QPoint)));
        QTest::mouseClick(control, Qt::LeftButton);
        EXPECT_EQ(controlClicks.size() + controlUps.size(), 2)
            << control->metaObject()->className();
    }
    EXPECT_EQ(panelDowns.size() + panelUps.size() + panelClicks.size(), 0) << "pressed the panel";

    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(panelClicks.size(), 1);
    EXPECT_EQ(panelDowns.size() + panelUps.size(), 2);
    // From elsewhere first, as no move comes for a pointer already there.
    QTest::mouseMove(&panel, QPoint(34, 25));
    QTest::mouseMove(&panel, QPoint(35, 25));
    ASSERT_FALSE(panelMoves.isEmpty()) << "moves are reported without a button held";
    EXPECT_EQ(panelMoves.last()[1].toPoint(), QPoint(35, 25));
}
