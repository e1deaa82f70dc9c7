#include "toolkit/C_CalendarPopup.h"
#include "toolkit/C_DateEdit.h"
#include "toolkit/U_TimeSource.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>
#include <QToolButton>

TEST(DateEditTest, TextAndDateOfAnEmptyOrFilledField)
{
    TDateEdit dateEdit;
    QSignalSpy changes(&dateEdit, &TDateEdit::Change);
    EXPECT_EQ(dateEdit.Text(), "  /  /    ");
    EXPECT_TRUE(dateEdit.Date().isNull());
    dateEdit.SetDate(QDate(2026, 3, 5));
    EXPECT_EQ(dateEdit.Text(), "05/03/2026");
    EXPECT_EQ(dateEdit.Date(), QDate(2026, 3, 5));
    for (const char* noDate : {"31/02/2026", "24/12/20"}) {
        dateEdit.SetText(noDate);
        EXPECT_TRUE(dateEdit.Date().isNull()) << noDate;
    }
    EXPECT_EQ(dateEdit.Text(), "24/12/20  ");
    dateEdit.SetDate(QDate());
    EXPECT_EQ(dateEdit.Text(), "  /  /    ");
    EXPECT_EQ(changes.size(), 4);

    QSignalSpy doubles(&dateEdit, &TDateEdit::DblClick);
    QTest::mouseDClick(dateEdit.findChild<QLineEdit*>(), Qt::LeftButton);
    EXPECT_EQ(doubles.size(), 1) << "from the inner field";
}

TEST(DateEditTest, CalendarOpensOnTheDateOrTodayInItsColoursAndPickingADayClosesIt)
{
    TTimeSource::Set([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30)); });
    const auto restore = qScopeGuard([] { TTimeSource::Set({}); });
    QWidget window;
    window.setGeometry(300, 100, 120, 30);
    auto* dateEdit = new TDateEdit(&window);
    dateEdit->setGeometry(10, 5, 100, 20);
    window.show();
    const QRect edit(dateEdit->mapToGlobal(QPoint(0, 0)), dateEdit->size());
    dateEdit->SetWeekendColor(0x00FF00);
    dateEdit->findChild<QToolButton*>()->click();
    auto* popup = dateEdit->findChild<TCalendarPopup*>();
    auto* calendar = dateEdit->findChild<QCalendarWidget*>();
    ASSERT_TRUE(popup && popup->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 12, 7)) << "today, from the time source";
    EXPECT_EQ(popup->geometry().topLeft(), edit.bottomLeft() + QPoint(0, 1)) << "left side";
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday, Qt::Friday, Qt::Monday})
        EXPECT_EQ(calendar->weekdayTextFormat(day).foreground().color() == QColor(Qt::green),
                  day >= Qt::Saturday)
            << day;
    popup->hide();

    // Changed once the calendar exists: most of the day grid takes the drop-down colour.
    dateEdit->SetDropDownColor(0xE08492);
    dateEdit->SetDropDownSide(TDateEdit::TSide::Right);
    dateEdit->SetDate(QDate(2025, 2, 14));
    QTest::keyClick(dateEdit->findChild<QLineEdit*>(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2025, 2, 14));
    EXPECT_EQ(calendar->monthShown(), 2);
    EXPECT_EQ(popup->geometry().right(), edit.right());
    EXPECT_GT(popup->width(), dateEdit->width());
    auto* days = calendar->findChild<QTableView*>();
    const QImage grid = days->viewport()->grab().toImage();
    int inColour = 0;
    for (int y = 0; y < grid.height(); ++y)
        for (int x = 0; x < grid.width(); ++x)
            inColour += grid.pixelColor(x, y) == QColor(0x92, 0x84, 0xE0) ? 1 : 0;
    EXPECT_GT(inColour, grid.width() * grid.height() / 2);

    QSignalSpy changes(dateEdit, &TDateEdit::Change);
    calendar->setSelectedDate(QDate(2026, 12, 19));
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(dateEdit->Text(), "19/12/2026");
    EXPECT_EQ(changes.size(), 1);
}

TEST(CalendarPopupTest, PlacedAboveWhenNoRoomBelowAndKeptOnTheScreen)
{
    const QRect screen(0, 0, 800, 600);
    const QSize size(200, 150);
    EXPECT_EQ(TCalendarPopup::Place(size, QRect(10, 500, 100, 20), false, screen), QPoint(10, 350));
    EXPECT_EQ(TCalendarPopup::Place(size, QRect(50, 10, 100, 20), true, screen), QPoint(0, 30));
    EXPECT_EQ(TCalendarPopup::Place(size, QRect(700, 10, 90, 20), false, screen), QPoint(600, 30));
}
