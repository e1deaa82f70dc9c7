#pragma once

#include <QLineEdit>

// A whole-number field that always shows its value through a display format, also while it
// is typed in: digits enter from the right, as on a till, and a digit that would take the
// value beyond the maximum is refused.
class TNumericEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TNumericEdit(QWidget* parent = nullptr);

    // Each "0" of the format stands for a digit, filled from the right and padded with zeros;
    // every other character is shown as it is. Digits beyond the format go to its first "0".
    void SetDisplayFormat(const QString& format);
    QString DisplayFormat() const { return displayFormat; }
    // 0 or less: no maximum.
    void SetMaxValue(int max);
    int MaxValue() const { return maxValue; }
    int Value() const { return value; }
    // Brought within 0 and the maximum.
    void SetValue(int newValue);
    void SetColor(quint32 bgr);
    void SetFontColor(quint32 bgr);
    void SetShowHint(bool show);

    // `number` written through `format`.
    static QString Formatted(int number, const QString& format);

Q_SIGNALS:
    // The value changed, typed or set.
    void Change();
    void DblClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TypeDigit(int digit);
    void EraseDigit();
    void PasteDigits();
    bool WholeTextSelected() const;
    int Limit() const;
    void ShowValue();
    void SetPalette(QPalette::ColorRole role, quint32 bgr);

    QString displayFormat = QStringLiteral("0");
    int maxValue = 0;
    int value = 0;
};
