#pragma once

#include <QDate>
#include <QFrame>

class QCalendarWidget;

// The drop-down calendar of a date edit: a popup month calendar placed under (or, short of
// room, above) the edit, aligned on the edit's left or right edge.
class TCalendarPopup : public QFrame
{
    Q_OBJECT
public:
    explicit TCalendarPopup(QWidget* owner);

    void SetWeekendColor(quint32 bgr);
    void SetColor(quint32 bgr);
    // Shows the month of `date` with it selected; `anchor` is the edit in screen coordinates.
    void Open(const QDate& date, const QRect& anchor, bool alignRight);
    // Top-left corner for a popup of `size` at `anchor`, kept on `screen`.
    static QPoint Place(QSize size, const QRect& anchor, bool alignRight, const QRect& screen);

Q_SIGNALS:
    void Picked(QDate date);

private:
    void Pick(QDate date);

    QCalendarWidget* calendar;
};
