#pragma once

#include <QString>

// Whether an executable file name, in lower case, is the desktop shell or file manager of a
// usual desktop ("explorer.exe" on Windows; panels, desktops and file managers on Linux), which
// the tracer can leave out. Window managers are not in the list: they own no traced window.
bool IsDesktopShell(const QString& exeNameLower);
