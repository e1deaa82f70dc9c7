#include "WidgetProbe.h"
#include "toolkit/C_SkinPanel.h"
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

    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(12, 12), QColor(Qt::blue));
    label->SetTransparent(true);
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(12, 12), QColor(Qt::red));
    label->SetTransparent(false);
    EXPECT_EQ(WidgetProbe::Shot(parent).pixelColor(12, 12), QColor(Qt::blue));
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

TEST(TransparentLabelTest, LabelOnAPanelKeepsItsMouseEvents)
{
    TSkinPanel panel;
    panel.resize(25, 14);
    auto* label = new TTransparentLabel("OK", &panel);
    label->setGeometry(2, 2, 20, 10);
    QSignalSpy panelDowns(&panel, &TSkinPanel::MouseDown);
    QSignalSpy panelUps(&panel, &TSkinPanel::MouseUp);
    QSignalSpy panelClicks(&panel, &TSkinPanel::Click);
    QSignalSpy labelClicks(label, &TTransparentLabel::Click);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(labelClicks.size(), 1);
    EXPECT_EQ(panelDowns.size() + panelUps.size() + panelClicks.size(), 0);
}
