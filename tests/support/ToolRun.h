#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Deadline for what another process or the window manager does in response to a step.
inline constexpr int kDeadlineMs = 10000;

// Checks `condition` every few milliseconds until it holds or `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kDeadlineMs);

// Runs a command-line tool (xdotool, xprop, xwininfo) to its end; its trimmed output, and in
// `ok` whether it exited with 0.
QString RunTool(const QString& program, const QStringList& args, bool* ok = nullptr);
