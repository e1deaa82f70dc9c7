#include "core/U_MsgLayout.h"

#include <algorithm>

namespace MsgLayout {

QRect Anchored(const QRect& rect, const QSize& before, const QSize& after)
{
    const int right = before.width() - (rect.x() + rect.width());
    const int bottom = before.height() - (rect.y() + rect.height());
    return QRect(rect.x(), rect.y(), after.width() - right - rect.x(),
                 after.height() - bottom - rect.y());
}

QPoint CentredLabel(const QSize& window, const QSize& label, int barHeight)
{
    return QPoint((window.width() - label.width()) / 2,
                  (window.height() - barHeight - label.height()) / 2);
}

int ExposeInterval(int durationMs)
{
    return durationMs > 0 ? std::max(durationMs - 200, 0) : DesignExposeMs;
}

int AnswerButtonWidth(int windowWidth)
{
    return (windowWidth - 24) / 2;
}

int CancelButtonLeft(int windowWidth)
{
    return AnswerButtonWidth(windowWidth) + 15;
}

} // namespace MsgLayout
