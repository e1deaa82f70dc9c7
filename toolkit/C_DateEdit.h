#pragma once

#include <QDate>
#include <QWidget>

#include <optional>

class QLineEdit;
class TCalendarPopup;

// A date field dd/mm/yyyy with a drop-down calendar whose week-end days stand out.
class TDateEdit : public QWidget
{
    Q_OBJECT
public:
    enum class TSide
    {
        Left, // the calendar's left edge on the field's left edge
        Right
    };

    explicit TDateEdit(QWidget* parent = nullptr);

    // The shown text; "  /  /    " when empty.
    QString Text() const;
    void SetText(const QString& text);
    // Null unless the text is a whole, valid date.
    QDate Date() const;
    // A null date empties the field.
    void SetDate(const QDate& date);
    void SetColor(quint32 bgr);
    void SetFontColor(quint32 bgr);
    // Saturdays and Sundays of the calendar are written in this colour.
    void SetWeekendColor(quint32 bgr);
    void SetDropDownColor(quint32 bgr);
    void SetDropDownSide(TSide side) { dropDownSide = side; }
    TSide DropDownSide() const { return dropDownSide; }
    void SetShowHint(bool show);
    // Opens the calendar on the field's date, or on today when it holds none.
    void DropDown();

Q_SIGNALS:
    // The text changed, typed or set.
    void Change();
    void DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetPalette(QPalette::ColorRole role, quint32 bgr);

    QLineEdit* edit;
    TCalendarPopup* Popup();

    TCalendarPopup* popup = nullptr;
    std::optional<quint32> weekendColor;
    std::optional<quint32> dropDownColor;
    TSide dropDownSide = TSide::Left;
};
