#include "core/F_Controls.h"

#include "toolkit/C_TransparentLabel.h"

TTransparentLabel* MakeCaption(QWidget* window, const char* name, const QPoint& at,
                               const QString& text, const QFont& font, Qt::Alignment alignment)
{
    auto* label = MakeControl<TTransparentLabel>(window, name, QRect(at, QSize()));
    label->SetTransparent(true);
    label->setFont(font);
    label->setText(text);
    label->setAlignment(alignment);
    label->adjustSize();
    return label;
}
