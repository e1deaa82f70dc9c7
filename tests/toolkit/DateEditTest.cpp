#include "WidgetProbe.h"
#include "toolkit/C_CalendarPopup.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/C_HintSwitch.h"
#include "toolkit/U_TimeSource.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>
#include <QToolButton>

namespace {
class DateEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TTimeSource::Set([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30)); });
        window.setGeometry(300, 100, 120, 30);
        dateEdit = new TDateEdit(&window);
        dateEdit->setGeometry(10, 5, 100, 20);
        window.show();
    }
    void TearDown() override { TTimeSource::Set({}); }

    QLineEdit* Edit() { return dateEdit->findChild<QLineEdit*>(); }
    QCalendarWidget* Calendar() { return dateEdit->findChild<QCalendarWidget*>(); }
    TCalendarPopup* Popup() { return dateEdit->findChild<TCalendarPopup*>(); }
    QRect EditOnScreen() { return {dateEdit->mapToGlobal(QPoint(0, 0)), dateEdit->size()}; }

    QWidget window;
    TDateEdit* dateEdit = nullptr;
};
} // namespace

TEST_F(DateEditTest, TextAndDateOfAnEmptyOrFilledField)
{
    QSignalSpy changes(dateEdit, &TDateEdit::Change);
    EXPECT_EQ(dateEdit->Text(), "  /  /    ");
    EXPECT_TRUE(dateEdit->Date().isNull());

    dateEdit->SetDate(QDate(2026, 3, 5));
    EXPECT_EQ(dateEdit->Text(), "05/03/2026");
    EXPECT_EQ(dateEdit->Date(), QDate(2026, 3, 5));
    for (const char* noDate : {"31/02/2026", "24/12/20"}) {
        dateEdit->SetText(noDate);
        EXPECT_TRUE(dateEdit->Date().isNull()) << noDate;
    }
    EXPECT_EQ(dateEdit->Text(), "24/12/20  ");
    dateEdit->SetDate(QDate());
    EXPECT_EQ(dateEdit->Text(), "  /  /    ");
    EXPECT_EQ(changes.size(), 4);

    QSignalSpy doubles(dateEdit, &TDateEdit::DblClick);
    QTest::mouseDClick(Edit(), Qt::LeftButton);
    EXPECT_EQ(doubles.size(), 1);
    for (bool shown : {false, true}) {
        dateEdit->SetShowHint(shown);
        EXPECT_EQ(THintSwitch::IsShown(Edit()), shown) << "the inner field follows";
    }
}

TEST_F(DateEditTest, CalendarOpensOnTheDateOrOnTodayAndPickingADayClosesIt)
{
    dateEdit->findChild<QToolButton*>()->click();
    ASSERT_TRUE(Popup()->isVisible());
    EXPECT_EQ(Calendar()->selectedDate(), QDate(2026, 12, 7)) << "today, from the time source";
    Popup()->hide();

    dateEdit->SetDate(QDate(2025, 2, 14));
    QTest::keyClick(Edit(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(Popup()->isVisible());
    EXPECT_EQ(Calendar()->selectedDate(), QDate(2025, 2, 14));
    EXPECT_EQ(Calendar()->monthShown(), 2);

    QSignalSpy changes(dateEdit, &TDateEdit::Change);
    Calendar()->setSelectedDate(QDate(2026, 12, 19));
    QTest::keyClick(Calendar()->findChild<QTableView*>(), Qt::Key_Return);
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(dateEdit->Text(), "19/12/2026");
    EXPECT_EQ(changes.size(), 1);
}

TEST_F(DateEditTest, WeekendDaysAndDropDownTakeTheirColours)
{
    dateEdit->SetWeekendColor(0x00FF00);
    dateEdit->SetDropDownColor(0xE08492);
    dateEdit->DropDown();
    const QColor green(0, 255, 0);
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday, Qt::Friday, Qt::Monday})
        EXPECT_EQ(Calendar()->weekdayTextFormat(day).foreground().color() == green,
                  day >= Qt::Saturday)
            << day;

    // The day grid is mostly painted in the drop-down colour.
    const QImage grid = Calendar()->findChild<QTableView*>()->viewport()->grab().toImage();
    const int inColour =
        WidgetProbe::Count(grid, [](QColor c) { return c == QColor(0x92, 0x84, 0xE0); });
    EXPECT_GT(inColour, grid.width() * grid.height() / 2);
}

TEST_F(DateEditTest, CalendarDropsDownOnTheChosenSideAndStaysOnTheScreen)
{
    dateEdit->DropDown(); // on the left by default
    EXPECT_EQ(Popup()->geometry().left(), EditOnScreen().left());
    EXPECT_EQ(Popup()->geometry().top(), EditOnScreen().bottom() + 1);
    Popup()->hide();

    dateEdit->SetDropDownSide(TDateEdit::TSide::Right);
    dateEdit->DropDown();
    EXPECT_EQ(Popup()->geometry().right(), EditOnScreen().right());
    EXPECT_GT(Popup()->width(), dateEdit->width());

    const QRect screen(0, 0, 800, 600);
    const QSize size(200, 150);
    EXPECT_EQ(TCalendarPopup::Place(size, QRect(10, 500, 100, 20), false, screen), QPoint(10, 350))
        << "above when there is no room below";
    EXPECT_EQ(TCalendarPopup::Place(size, QRect(50, 10, 100, 20), true, screen), QPoint(0, 30));
    EXPECT_EQ(TCalendarPopup::Place(size, QRect(700, 10, 90, 20), false, screen), QPoint(600, 30));
}
