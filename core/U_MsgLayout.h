#pragma once

#include <QRect>
#include <QSize>

// The geometry rules of the message and question windows.
namespace MsgLayout {

constexpr int DesignExposeMs = 2000;

// `rect` kept at the same distances from all four sides when its window goes from
// `before` to `after`.
QRect Anchored(const QRect& rect, const QSize& before, const QSize& after);
// The label's top-left corner, centred in the window above a bar of `barHeight`;
// halves round towards zero.
QPoint CentredLabel(const QSize& window, const QSize& label, int barHeight = 0);
// The expose timer's interval for a requested duration (0 or less keeps the design).
int ExposeInterval(int durationMs);
// Width of each of the two answer buttons, and the left of the second one.
int AnswerButtonWidth(int windowWidth);
int CancelButtonLeft(int windowWidth);

} // namespace MsgLayout
