#pragma once

#include "toolkit/U_BgrColor.h"

#include <QColor>
#include <QPaintDevice>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>
#include <stdexcept>
#include <vector>

// A colour as 0x00BBGGRR: red in the low byte.
using TColor = quint32;

constexpr TColor RGBColour(int red, int green, int blue)
{
    return static_cast<TColor>(red & 0xFF) | (static_cast<TColor>(green & 0xFF) << 8) |
           (static_cast<TColor>(blue & 0xFF) << 16);
}
constexpr int RedOf(TColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(TColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
inline QColor ToQColor(TColor c)
{
    return Bgr::ToColor(c);
}
inline TColor FromQColor(const QColor& c)
{
    return Bgr::FromColor(c);
}

// Raised when a text does not hold the number it should.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The eight colour settings that make up the windows' look.
struct TColourSettings
{
    TColor GradientColourA = 0xFFFFFF;
    TColor GradientColourB = 0x000000;
    QString GradientDirection = QStringLiteral("l");
    TColor TextBackColour = 0xE08492;
    TColor TextColour = 0x000000;
    TColor TitleColour = 0x000000;
    TColor MarkBackColour = 0x000000;
    TColor MarkTextColour = 0xFFFFFF;

    bool operator==(const TColourSettings&) const = default;
};

// The user's options; their defaults, settings keys and menu items are in OptionRows().
struct TOptions
{
    TOptions();

    bool ClipboardCapture;
    bool NoRepeatOnCopy;
    bool SaveOnNewNote;
    bool AddHourOnEntry;
    bool TimeOnRecording;
    bool PageToDown;
    bool KeepPositions;
    bool AutoSaveWhileTracing;
    bool PositionsByDefault;
    bool StartTracer;
    bool DistinctFiles;
    bool StartAsIcon;
    bool ExcludeExplorer;
    bool ShortcutOnSave;

    bool operator==(const TOptions&) const = default;
};

// One option as the settings file and the options menu know it.
struct TOptionRow
{
    bool TOptions::*member;
    bool byDefault;
    // Its line within the "Options" section and that line's key; -1 and empty when not saved.
    int position;
    QStringView key;
    // False when the line is written but what is read there means something else.
    bool readBack;
    // The menu item's object name and caption.
    const char* item;
    QStringView caption;
    // A click on the item makes the settings worth saving at closing.
    bool marksDirty;
};

// Every option, once.
std::span<const TOptionRow> OptionRows();
// The row of the menu item named `item`, null when there is none.
const TOptionRow* OptionRowOfItem(QLatin1String item);

// The process-wide flags and settings shared by the windows, in one place.
struct TGlbState
{
    TColourSettings Colours;
    TOptions Options;
    bool Modified = false;
    bool DataLoaded = false;
    bool TracerBusy = false;
    bool TracerWindowPending = true;
    bool EditorFirstShowPending = true;
    bool NotesVisible = true;
    bool TracerVisible = true;
    bool ShowNotesAtStart = false;
    bool SettingsDirty = true;
    bool ColoursChanged = false;
    bool UseDefaultColours = false;
    bool FirstPaintPending = true;
    bool ClosingFromTray = false;
    bool SupportsTranslucency = false;
    // The session is ending: nobody is there to answer a question.
    bool ApplicationTerminating = false;
    QString OwnExeName;
    // Set by the first snap of a movable window to a work-area edge, never cleared.
    bool WindowSnapped = false;
    // Whether the next settings save writes the window positions: posDft's last click.
    bool SavePositions = true;
    bool EditorAnchored = false;
    // Where the tracer window and the notes editor go when first shown.
    int TracerLeft = 0;
    int TracerTop = 0;
    int NotesLeft = 0;
    int NotesTop = 0;
    // No trace row of the current day after the last load: the midnight roll-over is off.
    bool NoRowTodayAtLoad = false;

    bool operator==(const TGlbState&) const = default;
};

TGlbState& Glb();
void ResetGlb();

// The folder of the program's files, with a trailing separator: $TARVELLE_HOME when set
// (created when missing), else the executable's folder, else the user's data folder when
// the executable's folder cannot be written. A folder made here is the user's alone (0700).
// Computed once.
QString AppFolder();
// Forgets the computed folder, for tests that change the environment.
void ResetAppFolder();
// The executable's file name, lower case.
QString OwnExeName();

QStringList SplitFields(QString text, const QString& separator, int count);
QString ValueAtLine(const QStringList& lines, int index);

QString ColourToText(TColor colour);
TColor TextToColour(const QString& text);
// The program's random generator: seeded from the clock by Randomize, or by a test.
void Randomize();
void SeedRandom(quint32 seed);
TColor RandomColour();
// 0 to bound - 1.
int RandomBelow(int bound);
QString RandomDirection();

// The colours of the W+1 (or H+1) lines of a gradient from `a` to `b` over `extent`.
std::vector<TColor> GradientSteps(TColor a, TColor b, int extent);
// Fills `device` with the gradient: along the width for "l", along the height otherwise.
void PaintGradient(QPaintDevice& device, TColor a, TColor b, const QString& direction);

QString CurrentTimeText();
QString CurrentDateText();
// "06-12-2026à18-30-05": the present date and time as a file name can hold them.
QString DateTimeStamp();
// AppFolder + prefix + stamp + extension, with "_2", "_3" … before the extension when a file of
// that name exists, so that two copies of the same second never overwrite each other.
QString FreeDatedPath(const QString& prefix, const QString& extension);

QString ReplaceChar(QChar from, QChar to, QString text);
QString RepeatText(const QString& text, int count);
