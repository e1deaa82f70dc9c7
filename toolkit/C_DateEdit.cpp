#include "C_DateEdit.h"

#include "C_CalendarPopup.h"
#include "C_HintSwitch.h"
#include "C_MouseRelay.h"
#include "U_BgrColor.h"
#include "U_TimeSource.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {
const QString dateFormat = "dd/MM/yyyy";
}

TDateEdit::TDateEdit(QWidget* parent) : QWidget(parent), edit(new QLineEdit(this))
{
    auto* button = new QToolButton(this);
    button->setArrowType(Qt::DownArrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(14);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit);
    layout->addWidget(button);
    setFocusProxy(edit);
    // A blank stands for a missing digit, so the empty field reads "  /  /    ".
    edit->setInputMask("99/99/9999; ");
    edit->installEventFilter(this);
    auto* mouse = new TMouseRelay(this);
    mouse->Watch(edit);
    connect(mouse, &TMouseRelay::DblClick, this, &TDateEdit::DblClick);
    connect(edit, &QLineEdit::textChanged, this, &TDateEdit::Change);
    connect(button, &QToolButton::clicked, this, &TDateEdit::DropDown);
}

TCalendarPopup* TDateEdit::Popup()
{
    // Made at the first drop-down: a calendar costs start-up time and memory.
    if (popup)
        return popup;
    popup = new TCalendarPopup(this);
    if (weekendColor)
        popup->SetWeekendColor(*weekendColor);
    if (dropDownColor)
        popup->SetColor(*dropDownColor);
    connect(popup, &TCalendarPopup::Picked, this, [this](QDate date) {
        SetDate(date);
        edit->setFocus(Qt::PopupFocusReason);
    });
    return popup;
}

QString TDateEdit::Text() const
{
    return edit->displayText();
}

void TDateEdit::SetText(const QString& text)
{
    edit->setText(text);
}

QDate TDateEdit::Date() const
{
    return QDate::fromString(Text(), dateFormat);
}

void TDateEdit::SetDate(const QDate& date)
{
    edit->setText(date.isValid() ? date.toString(dateFormat) : QString());
}

void TDateEdit::SetColor(quint32 bgr)
{
    SetPalette(QPalette::Base, bgr);
}

void TDateEdit::SetFontColor(quint32 bgr)
{
    SetPalette(QPalette::Text, bgr);
}

void TDateEdit::SetPalette(QPalette::ColorRole role, quint32 bgr)
{
    QPalette p = edit->palette();
    p.setColor(role, Bgr::ToColor(bgr));
    edit->setPalette(p);
}

void TDateEdit::SetWeekendColor(quint32 bgr)
{
    weekendColor = bgr;
    if (popup)
        popup->SetWeekendColor(bgr);
}

void TDateEdit::SetDropDownColor(quint32 bgr)
{
    dropDownColor = bgr;
    if (popup)
        popup->SetColor(bgr);
}

void TDateEdit::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}

void TDateEdit::DropDown()
{
    const QDate date = Date().isValid() ? Date() : TTimeSource::Now().date();
    const QRect anchor(mapToGlobal(QPoint(0, 0)), size());
    Popup()->Open(date, anchor, dropDownSide == TSide::Right);
}

// Alt+Down and F4 open the calendar from the keyboard, as in a combo box.
bool TDateEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool altDown = key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier;
        if (altDown || key->key() == Qt::Key_F4) {
            DropDown();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
