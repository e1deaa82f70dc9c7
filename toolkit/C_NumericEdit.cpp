#include "C_NumericEdit.h"

#include "C_HintSwitch.h"
#include "C_MouseRelay.h"
#include "U_BgrColor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {
// Without a maximum the value still fits an int, whatever is typed.
constexpr int kLargest = 999999999;

bool Changes(const QKeyEvent& event)
{
    for (auto key : {QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
                     QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
                     QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine})
        if (event.matches(key))
            return true;
    return !event.text().isEmpty() && event.text().at(0).isPrint();
}
} // namespace

TNumericEdit::TNumericEdit(QWidget* parent) : QLineEdit(parent)
{
    auto* mouse = new TMouseRelay(this);
    connect(mouse, &TMouseRelay::DblClick, this, &TNumericEdit::DblClick);
    // Whatever reaches the text by another way than the keys (a menu, the mouse, a drop)
    // would leave the format: the value stands.
    connect(this, &QLineEdit::textEdited, this, [this] { ShowValue(); });
    ShowValue();
}

void TNumericEdit::SetDisplayFormat(const QString& format)
{
    displayFormat = format;
    ShowValue();
}

void TNumericEdit::SetMaxValue(int max)
{
    maxValue = max;
    SetValue(value);
}

void TNumericEdit::SetValue(int newValue)
{
    newValue = qBound(0, newValue, Limit());
    const bool changed = newValue != value;
    value = newValue;
    ShowValue();
    if (changed)
        Q_EMIT Change();
}

int TNumericEdit::Limit() const
{
    return maxValue > 0 ? qMin(maxValue, kLargest) : kLargest;
}

void TNumericEdit::ShowValue()
{
    setText(Formatted(value, displayFormat));
}

QString TNumericEdit::Formatted(int number, const QString& format)
{
    const int first = static_cast<int>(format.indexOf(QLatin1Char('0')));
    if (first < 0)
        return QString::number(number);
    const int places = static_cast<int>(format.count(QLatin1Char('0')));
    const QString digits = QString::number(number).rightJustified(places, QLatin1Char('0'));
    QString shown;
    int next = static_cast<int>(digits.size()) - 1;
    for (int i = static_cast<int>(format.size()) - 1; i >= 0; --i) {
        if (format[i] != QLatin1Char('0'))
            shown.prepend(format[i]);
        else if (i == first)
            shown.prepend(digits.left(next + 1));
        else
            shown.prepend(digits[next--]);
    }
    return shown;
}

bool TNumericEdit::WholeTextSelected() const
{
    return hasSelectedText() && selectedText() == text();
}

// A field entered with the keyboard has its whole text selected: the first digit starts
// a new value.
void TNumericEdit::TypeDigit(int digit)
{
    const qint64 typed = (WholeTextSelected() ? 0 : qint64{value}) * 10 + digit;
    if (typed <= Limit())
        SetValue(static_cast<int>(typed));
}

void TNumericEdit::EraseDigit()
{
    SetValue(WholeTextSelected() ? 0 : value / 10);
}

void TNumericEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && key >= Qt::Key_0 && key <= Qt::Key_9)
        TypeDigit(key - Qt::Key_0);
    else if (plain && (key == Qt::Key_Backspace || key == Qt::Key_Delete))
        EraseDigit();
    else if (event->matches(QKeySequence::Paste))
        PasteDigits();
    else if (!Changes(*event))
        return QLineEdit::keyPressEvent(event);
    event->accept();
}

// A pasted text counts by its digits ("14 h 30" is 1430); one beyond the maximum is refused.
void TNumericEdit::PasteDigits()
{
    QString digits;
    for (QChar c : QGuiApplication::clipboard()->text())
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    bool ok = false;
    const qint64 pasted = digits.toLongLong(&ok);
    if (ok && digits.size() <= 9 && pasted <= Limit())
        SetValue(static_cast<int>(pasted));
}

void TNumericEdit::SetColor(quint32 bgr)
{
    SetPalette(QPalette::Base, bgr);
}

void TNumericEdit::SetFontColor(quint32 bgr)
{
    SetPalette(QPalette::Text, bgr);
}

void TNumericEdit::SetPalette(QPalette::ColorRole role, quint32 bgr)
{
    QPalette p = palette();
    p.setColor(role, Bgr::ToColor(bgr));
    setPalette(p);
}

void TNumericEdit::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}
