#pragma once

#include "core/U_FileStamp.h"
#include "core/U_Glb.h"

#include <QPoint>
#include <QSize>
#include <QString>

// What ConfigMnemo.ini holds beyond the process-wide state: where the main window stands, and
// whether the windows must go to their default positions now.
struct TLoadedPlace
{
    QPoint main{413, 380};                    // "Left Fragm", "Top Fragm"
    QString posDefault = QStringLiteral("0"); // "posDefault" as read: "1" acts once

    bool operator==(const TLoadedPlace&) const = default;
};

// AppFolder + "ConfigMnemo.ini".
QString SettingsPath();
// What the user is told when the settings could not all be read; `kept` names the copy of
// the file read, when there is one.
QString SettingsLoadMessage(const QString& kept = {});
// A settings file that could not all be read is copied under a dated name beside it before it
// is rewritten, so that the options the load missed are not lost; returns the copy's path,
// empty when there was no file or the copy failed. A copy already there with the same bytes
// serves again.
QString KeepSettingsOriginal(const QString& path);

// Reads the file by the position of each line within its section, into the colours, the
// options and the window state of `state`. Stops at the first line that is missing or does not
// convert, keeping what was read before; false then. Whatever happened, a main window (of
// `mainWindowSize`) that would stick out of `screen` to the right or at the bottom turns
// posDefault to "1". `stamp`, when given, receives what the file held.
bool LoadSettings(const QString& path, TGlbState& state, TLoadedPlace& place, const QSize& screen,
                  const QSize& mainWindowSize, TFileStamp* stamp = nullptr);
// Whether the windows must be placed at their default positions now.
bool DefaultPositionsWanted(const TLoadedPlace& place);

// Writes the "Options" keys (positions 7..12 only when `savePositions`) and, when
// `coloursChanged`, the "Composants" keys. False when the file could not be written; an
// existing file that cannot be read is left alone. With `stamp` (what the file held when last
// read or written, then what it holds), a version changed by another program since is kept
// aside under a dated name, and the user told, before the file is rewritten.
bool SaveSettings(const QString& path, const TGlbState& state, const QPoint& main,
                  bool coloursChanged, bool savePositions, TFileStamp* stamp = nullptr);

// A click on posDft: its new state decides whether the next save writes the positions.
void PosDftClicked(bool checked);
// The save at closing: only when SettingsDirty or ColoursChanged, with the colours only
// when ColoursChanged; afterwards ColoursChanged is off and SavePositions on again.
bool SaveSettingsAtClose(const QString& path, const QPoint& main, TFileStamp* stamp = nullptr);
