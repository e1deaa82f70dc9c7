#include "WidgetProbe.h"
#include "toolkit/C_TransparentLabel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

TEST(TransparentLabelTest, TransparentLetsTheParentShowThrough)
{
    QWidget parent;
    parent.resize(50, 30);
    parent.setAutoFillBackground(true);
    parent.setPalette(QPalette(Qt::red));
    auto* label = new TTransparentLabel(&parent);
    label->setGeometry(10, 10, 20, 10);
    label->SetColor(0xFF0000);

    EXPECT_FALSE(label->IsTransparent());
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(12, 12), QColor(Qt::blue));
    label->SetTransparent(true);
    EXPECT_TRUE(label->IsTransparent());
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(12, 12), QColor(Qt::red));
    label->SetTransparent(false);
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(12, 12), QColor(Qt::blue));
}

TEST(TransparentLabelTest, TextTakesFontColourAndAlignment)
{
    TTransparentLabel label("WW");
    label.resize(100, 20);
    QFont font = label.font();
    font.setPixelSize(14);
    font.setBold(true);
    label.setFont(font);
    label.SetColor(0xFFFFFF);
    label.SetFontColor(0x00FF00);

    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const auto left = WidgetProbe::FirstColumnWith(WidgetProbe::Shot(label), Qt::green);
    label.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const auto right = WidgetProbe::FirstColumnWith(WidgetProbe::Shot(label), Qt::green);
    ASSERT_TRUE(left && right);
    EXPECT_LT(*left, 5);
    EXPECT_GT(*right, 60);
}

TEST(TransparentLabelTest, ClickDoubleClickAndButtonEvents)
{
    TTransparentLabel label("X");
    label.resize(20, 14);
    QSignalSpy clicks(&label, &TTransparentLabel::Click);
    QSignalSpy doubles(&label, &TTransparentLabel::DblClick);
    QSignalSpy downs(&label, &TTransparentLabel::MouseDown);
    QSignalSpy ups(&label, &TTransparentLabel::MouseUp);

    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(4, 5));
    EXPECT_EQ(clicks.size(), 1);
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0][1].toPoint(), QPoint(4, 5));

    // The second press of a double click is a double click, not another click.
    QTest::mouseDClick(&label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(4, 5));
    EXPECT_EQ(doubles.size(), 1);
    EXPECT_EQ(clicks.size(), 1);

    // Pressed on the label, released outside it: the owner sees where.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(4, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(4, 30));
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(ups.last()[0].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(ups.last()[1].toPoint(), QPoint(4, 30));
}
