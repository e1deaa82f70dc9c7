#include "TestEnv.h"
#include "alarms/F_TimeClick.h"
#include "toolkit/C_FlatButton.h"
#include "toolkit/C_TransparentLabel.h"

#include <QTest>
#include <QTimer>

namespace {
// Left, top of each label in the hour stage; its left in the minute stage.
constexpr int kHourPlaces[12][2] = {{45, 8},  {63, 14}, {75, 26}, {79, 44}, {75, 60}, {63, 74},
                                    {45, 80}, {28, 74}, {14, 61}, {9, 44},  {13, 26}, {27, 13}};
constexpr int kMinuteLefts[12] = {45, 63, 72, 76, 72, 61, 42, 25, 14, 9, 13, 24};
// On the ring between the dial and the edge, and on the dial between the labels.
const QPoint kRing(50, 4);
const QPoint kDial(30, 50);

class TimeClick : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        Reopen();
    }
    void TearDown() override
    {
        picker.reset();
        TarvelleTest::TearDown();
    }
    void Reopen()
    {
        picker = std::make_unique<TfrmTimeClick>();
        picker->show();
    }
    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void ClickLabel(int position) { Click(picker->RxLabel[position]); }
    void ClickAt(QPoint at) { QTest::mouseClick(picker.get(), Qt::LeftButton, {}, at); }
    int Chosen() const { return picker->ChosenHour * 100 + picker->ChosenMinute; }
    bool StillOpen() const { return picker->isVisible() && picker->ModalResult() == 0; }
    // Label i shows first + i * step at its hour place moved `shift`, or at its minute place.
    void ExpectLabels(int first, int step, int shift, bool minutes = false)
    {
        for (int i = 0; i < 12; ++i) {
            const int left = minutes ? kMinuteLefts[i] : kHourPlaces[i][0] + shift;
            EXPECT_EQ(picker->RxLabel[i]->text(), QString::number(first + i * step)) << i;
            EXPECT_EQ(picker->RxLabel[i]->pos(), QPoint(left, kHourPlaces[i][1])) << i;
        }
    }

    std::unique_ptr<TfrmTimeClick> picker;
};
} // namespace

TEST_F(TimeClick, SmallDiscWithTheMorningHoursThatCancelsItselfAfterThirtySeconds)
{
    EXPECT_EQ(picker->size(), QSize(116, 100));
    EXPECT_EQ(picker->mask(), QRegion(0, 0, 100, 100, QRegion::Ellipse));
    EXPECT_EQ(picker->shpHour->geometry(), QRect(5, 8, 88, 84));
    EXPECT_EQ(picker->spdChgMatAM->geometry(), QRect(42, 42, 16, 16));
    EXPECT_EQ(picker->spdChgMatAM->Caption(), "24");
    EXPECT_EQ(picker->spdCanceler->geometry(), QRect(43, 24, 13, 13));
    ExpectLabels(0, 1, 0);
    EXPECT_EQ(picker->timeCloser->interval(), 30000);
    ASSERT_TRUE(picker->timeCloser->isActive());
    picker->timeCloserTimer();
    EXPECT_FALSE(picker->timeCloser->isActive()) << "fires once";
    EXPECT_EQ(picker->ModalResult(), 2);
    EXPECT_FALSE(picker->isVisible());

    Reopen();
    Click(picker->spdCanceler);
    EXPECT_EQ(picker->ModalResult(), 2);
}

TEST_F(TimeClick, HourThenMinutesInTheMorningOrTheAfternoon)
{
    ClickLabel(3);
    EXPECT_TRUE(StillOpen());
    ExpectLabels(0, 5, 0, true);
    EXPECT_FALSE(picker->spdChgMatAM->isEnabled());
    EXPECT_EQ(picker->spdChgMatAM->Caption(), "mn");
    ClickLabel(6);
    EXPECT_EQ(picker->ModalResult(), 1);
    EXPECT_EQ(Chosen(), 330);

    Reopen();
    Click(picker->spdChgMatAM);
    EXPECT_EQ(picker->spdChgMatAM->Caption(), "12");
    ExpectLabels(12, 1, -3);
    ClickLabel(3);
    ClickLabel(0);
    EXPECT_EQ(Chosen(), 1500);

    Reopen();
    Click(picker->spdChgMatAM);
    Click(picker->spdChgMatAM);
    EXPECT_EQ(picker->spdChgMatAM->Caption(), "24");
    ExpectLabels(0, 1, 0);
    QTimer::singleShot(0, picker.get(), [this] {
        ClickLabel(3);
        ClickLabel(0);
    });
    EXPECT_EQ(picker->ShowModal(), 1);
    EXPECT_EQ(Chosen(), 300);
}

TEST_F(TimeClick, RingClickEndsOnceAnHourIsChosenAndCancelsBefore)
{
    ClickAt(kDial);
    ClickAt(QPoint(110, 50)); // cut away by the shape
    EXPECT_TRUE(StillOpen()) << "only the ring ends the picker";
    ClickAt(kRing);
    EXPECT_EQ(picker->ModalResult(), 2) << "no hour chosen: nothing to give";

    Reopen();
    ClickLabel(9);
    ClickAt(kDial);
    EXPECT_TRUE(StillOpen());
    ClickAt(QPoint(4, 50));
    EXPECT_EQ(picker->ModalResult(), 1);
    EXPECT_EQ(Chosen(), 900);
}

TEST_F(TimeClick, DialInTheTextBackgroundOnTheGradientLabelsInTheTitleColour)
{
    Glb().Colours.TextBackColour = 0x00FF00;
    Glb().Colours.TitleColour = 0x0000FF;
    Glb().Colours.GradientColourA = Glb().Colours.GradientColourB = 0xFF0000;
    Reopen();
    const QImage shot = picker->grab().toImage();
    EXPECT_EQ(shot.pixelColor(kDial), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(kRing), QColor(Qt::blue));
    EXPECT_EQ(picker->RxLabel[0]->palette().color(QPalette::WindowText), QColor(Qt::red));
}
