#pragma once

#include "app/U_Glb.h"

#include <QSize>
#include <QString>

// Everything ConfigMnemo.ini carries, with the values in effect when the file gives none.
// Menu check marks carry the menu item's name; the item's flag follows its check mark.
struct TSettingsValues
{
    // Section "Composants".
    TColourSettings colours;

    // Section "Options", in file order.
    bool clipB_mnu = true;                    // 0 "Option ClipBoard": capture of Ctrl+C copies
    bool noRepeatClpB = false;                // 1 "Repeat on Ctrl+C"
    bool SVG_Mode = true;                     // 2 "Sauvegarde ou non"
    bool AjoutHRE = false;                    // 3 "Ajout heure"
    bool timeOnRecording = true;              // 4 "Horodatage" (check mark only)
    bool affichDown = false;                  // 5 "Page to down"
    bool EditorAnchored = false;              // 6 "Ancrage"
    int mainLeft = 413;                       // 7 "Left Fragm"
    int mainTop = 380;                        // 8 "Top Fragm"
    int TracerLeft = 0;                       // 9 "Left Traceur"
    int TracerTop = 0;                        // 10 "Top Traceur"
    int NotesLeft = 0;                        // 11 "Left Mnemo"
    int NotesTop = 0;                         // 12 "Top Mnemo"
    bool NotesVisible = true;                 // 13 "Mnemo visible", written from here
    bool ShowNotesAtStart = false;            // 13, read only
    bool posDft = true;                       // 14 "Position par dft"
    bool SettingsDirty = true;                // 14, read only: takes posDft's loaded state
    bool SVG_Auto = false;                    // 15 "Sauvegarde automatique"
    bool TracerVisible = true;                // 16 "Traceur visible"
    QString posDefault = QStringLiteral("0"); // 17 "posDefault" as read: "1" acts once
    bool mnuPosByDef = false;                 // 17, written: never restored from the file
    bool startTracer = false;                 // 18 "Démarrage sur Traceur" (mnuLanceTraceur)
    bool distinctFiles = false;               // 19 "Détails traces" (mnuDistinctFiles), in effect
    bool savedDistinctFiles = false;          // 19, the value written
    bool StartAsIcon = false;                 // 20 "StartJustIcon" (mnuIconStart)

    bool operator==(const TSettingsValues&) const = default;
};

// AppFolder + "ConfigMnemo.ini".
QString SettingsPath();
// What the user is told when the settings could not all be read.
QString SettingsLoadMessage();

// Reads the file by the position of each line within its section. Stops at the first
// line that is missing or does not convert, keeping what was read before; false then.
// Whatever happened, a main window (of `mainWindowSize`) that would stick out of `screen`
// to the right or at the bottom turns posDefault to "1".
bool LoadSettings(const QString& path, TSettingsValues& values, const QSize& screen,
                  const QSize& mainWindowSize);
// Whether the windows must be placed at their default positions now.
bool DefaultPositionsWanted(const TSettingsValues& values);

// Writes the "Options" keys (positions 7..12 only when `savePositions`) and, when
// `coloursChanged`, the "Composants" keys. False when the file could not be written; an
// existing file that cannot be read is left alone.
bool SaveSettings(const QString& path, const TSettingsValues& values, bool coloursChanged,
                  bool savePositions);

// A click on posDft: its new state decides whether the next save writes the positions.
void PosDftClicked(bool checked);
// The save at closing: only when SettingsDirty or ColoursChanged, with the colours only
// when ColoursChanged; afterwards ColoursChanged is off and SavePositions on again.
bool SaveSettingsAtClose(const QString& path, const TSettingsValues& values);

// Copies the loaded values that are process-wide state into Glb(), and back for a save.
void StoreSettingsInGlb(const TSettingsValues& values);
void TakeSettingsFromGlb(TSettingsValues& values);
