#include "C_CalendarPopup.h"

#include "U_BgrColor.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTextCharFormat>
#include <QVBoxLayout>

TCalendarPopup::TCalendarPopup(QWidget* owner)
    : QFrame(owner, Qt::Popup | Qt::FramelessWindowHint), calendar(new QCalendarWidget(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(calendar);
    calendar->setLocale(QLocale(QLocale::French, QLocale::France));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(calendar, &QCalendarWidget::clicked, this, &TCalendarPopup::Pick);
    connect(calendar, &QCalendarWidget::activated, this, &TCalendarPopup::Pick);
    SetWeekendColor(0x0000FF);
}

void TCalendarPopup::SetWeekendColor(quint32 bgr)
{
    QTextCharFormat format;
    format.setForeground(Bgr::ToColor(bgr));
    calendar->setWeekdayTextFormat(Qt::Saturday, format);
    calendar->setWeekdayTextFormat(Qt::Sunday, format);
}

void TCalendarPopup::SetColor(quint32 bgr)
{
    QPalette p = calendar->palette();
    for (const QPalette::ColorRole role :
         {QPalette::Base, QPalette::AlternateBase, QPalette::Window})
        p.setColor(role, Bgr::ToColor(bgr));
    calendar->setPalette(p);
}

void TCalendarPopup::Open(const QDate& date, const QRect& anchor, bool alignRight)
{
    calendar->setSelectedDate(date);
    calendar->setCurrentPage(date.year(), date.month());
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    move(Place(size(), anchor, alignRight, screen->availableGeometry()));
    show();
    calendar->setFocus(Qt::PopupFocusReason);
}

QPoint TCalendarPopup::Place(QSize size, const QRect& anchor, bool alignRight, const QRect& screen)
{
    int x = alignRight ? anchor.right() + 1 - size.width() : anchor.left();
    int y = anchor.bottom() + 1;
    if (y + size.height() > screen.bottom() + 1)
        y = anchor.top() - size.height();
    x = qBound(screen.left(), x, qMax(screen.left(), screen.right() + 1 - size.width()));
    return {x, qMax(screen.top(), y)};
}

void TCalendarPopup::Pick(QDate date)
{
    hide();
    Q_EMIT Picked(date);
}
