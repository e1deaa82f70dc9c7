#include "app/U_Settings.h"

#include "core/U_Constantes.h"
#include "core/U_IniFile.h"
#include "core/U_KeepAside.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringView>

#include <array>
#include <stdexcept>

namespace {
constexpr QStringView kComposants = u"Composants";
constexpr QStringView kOptions = u"Options";
const QString kKeptPrefix = QStringLiteral("ConfigMnemo_original");
const QString kKeptExtension = QStringLiteral(".ini");

// Table order, which is also the order of writing.
constexpr std::array<QStringView, 8> kColourKeys = {
    u"Couleur générale A", u"Couleur générale B", u"Direction LH",   u"Couleur fond texte",
    u"Couleur du texte",   u"Couleur du titre",   u"Couleur Marque", u"Couleur fonte marque"};

constexpr int kFirstPosition = 7;
constexpr int kLastPosition = 12;

bool Flag(const QString& value)
{
    return value == u"1";
}

QString Bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool IsDecimal(const QString& text)
{
    const qsizetype start = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (text.size() <= start)
        return false;
    for (qsizetype i = start; i < text.size(); ++i)
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return false;
    return true;
}

// Letters, blanks, an empty value and overflow are all conversion errors.
int Integer(const QString& text)
{
    bool ok = IsDecimal(text);
    const int value = ok ? text.toInt(&ok, 10) : 0;
    if (!ok)
        throw EConvertError("'" + text.left(40).toStdString() + "' is not a valid integer value");
    return value;
}

void LoadColours(const QStringList& lines, TColourSettings& colours)
{
    // The direction comes first: it is the one value that cannot fail to convert.
    colours.GradientDirection = ValueAtLine(lines, 2);
    colours.GradientColourA = TextToColour(ValueAtLine(lines, 0));
    colours.GradientColourB = TextToColour(ValueAtLine(lines, 1));
    colours.TextBackColour = TextToColour(ValueAtLine(lines, 3));
    colours.TextColour = TextToColour(ValueAtLine(lines, 4));
    colours.TitleColour = TextToColour(ValueAtLine(lines, 5));
    colours.MarkBackColour = TextToColour(ValueAtLine(lines, 6));
    colours.MarkTextColour = TextToColour(ValueAtLine(lines, 7));
}

// An "Options" line that holds window state rather than an option, or what is also read from
// an option's line. The key and the text are empty on an option's line.
struct TStateLine
{
    int position;
    QStringView key;
    void (*read)(const QString& value, TGlbState& g, TLoadedPlace& place);
    QString (*text)(const TGlbState& g, const QPoint& main);
};

using G = TGlbState;
using P = TLoadedPlace;
using V = QString;
const std::array<TStateLine, 11> kStateLines = {{
    {6, u"Ancrage", [](const V& v, G& g, P&) { g.EditorAnchored = Flag(v); },
     [](const G& g, const QPoint&) {
         return Bit(g.EditorAnchored);
     }},
    {7, u"Left Fragm", [](const V& v, G&, P& p) { p.main.setX(Integer(v)); },
     [](const G&, const QPoint& m) {
         return QString::number(m.x());
     }},
    {8, u"Top Fragm", [](const V& v, G&, P& p) { p.main.setY(Integer(v)); },
     [](const G&, const QPoint& m) {
         return QString::number(m.y());
     }},
    {9, u"Left Traceur", [](const V& v, G& g, P&) { g.TracerLeft = Integer(v); },
     [](const G& g, const QPoint&) {
         return QString::number(g.TracerLeft);
     }},
    {10, u"Top Traceur", [](const V& v, G& g, P&) { g.TracerTop = Integer(v); },
     [](const G& g, const QPoint&) {
         return QString::number(g.TracerTop);
     }},
    {11, u"Left Mnemo", [](const V& v, G& g, P&) { g.NotesLeft = Integer(v); },
     [](const G& g, const QPoint&) {
         return QString::number(g.NotesLeft);
     }},
    {12, u"Top Mnemo", [](const V& v, G& g, P&) { g.NotesTop = Integer(v); },
     [](const G& g, const QPoint&) {
         return QString::number(g.NotesTop);
     }},
    {13, u"Mnemo visible",
     [](const V& v, G& g, P&) { g.NotesVisible = g.ShowNotesAtStart = Flag(v); },
     [](const G& g, const QPoint&) {
         return Bit(g.NotesVisible);
     }},
    {14, {}, [](const V& v, G& g, P&) { g.SettingsDirty = Flag(v); }, nullptr},
    {16, u"Traceur visible", [](const V& v, G& g, P&) { g.TracerVisible = Flag(v); },
     [](const G& g, const QPoint&) {
         return Bit(g.TracerVisible);
     }},
    {17, {}, [](const V& v, G&, P& p) { p.posDefault = v; }, nullptr},
}};

constexpr int kOptionLines = 21;

const TOptionRow* OptionAt(int position)
{
    for (const TOptionRow& row : OptionRows())
        if (row.position == position)
            return &row;
    return nullptr;
}

const TStateLine* StateAt(int position)
{
    for (const TStateLine& line : kStateLines)
        if (line.position == position)
            return &line;
    return nullptr;
}

// Line by line in order, so that a faulty line stops the reading with every line above it read.
void LoadOptions(const QStringList& lines, TGlbState& g, TLoadedPlace& place)
{
    for (int position = 0; position < kOptionLines; ++position) {
        const QString value = ValueAtLine(lines, position);
        if (const TOptionRow* row = OptionAt(position); row && row->readBack)
            g.Options.*row->member = Flag(value);
        if (const TStateLine* line = StateAt(position))
            line->read(value, g, place);
    }
}

bool ReadSections(const QString& path, TGlbState& state, TLoadedPlace& place)
{
    TIniFile ini(path);
    if (!ini.Load())
        return false;
    try {
        LoadColours(ini.SectionLines(kComposants.toString()), state.Colours);
        LoadOptions(ini.SectionLines(kOptions.toString()), state, place);
    } catch (const std::out_of_range&) {
        return false;
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

std::array<QString, 8> ColourTexts(const TColourSettings& c)
{
    return {ColourToText(c.GradientColourA),
            ColourToText(c.GradientColourB),
            c.GradientDirection,
            ColourToText(c.TextBackColour),
            ColourToText(c.TextColour),
            ColourToText(c.TitleColour),
            ColourToText(c.MarkBackColour),
            ColourToText(c.MarkTextColour)};
}

void WriteColours(TIniFile& ini, const TColourSettings& colours)
{
    const std::array<QString, 8> texts = ColourTexts(colours);
    for (std::size_t i = 0; i < texts.size(); ++i)
        ini.WriteString(kComposants.toString(), kColourKeys[i].toString(), texts[i]);
}

void WriteOptions(TIniFile& ini, const TGlbState& state, const QPoint& main, bool savePositions)
{
    const QString section = kOptions.toString();
    for (int position = 0; position < kOptionLines; ++position) {
        const TOptionRow* row = OptionAt(position);
        const TStateLine* line = StateAt(position);
        const QString key = (row ? row->key : line->key).toString();
        const QString text = row ? Bit(state.Options.*row->member) : line->text(state, main);
        // A position the section lacks is written anyway: leaving it out would move every
        // later line up by one for the positional reader.
        if (position >= kFirstPosition && position <= kLastPosition && !savePositions &&
            ini.HasKey(section, key))
            continue;
        ini.WriteString(section, key, text);
    }
}
} // namespace

QString SettingsPath()
{
    return AppFolder() + Constantes::SettingsFileName;
}

QString SettingsLoadMessage(const QString& kept)
{
    const QString message =
        QStringLiteral("Problème au chargement :\r\rRecharger ConfigMnemo.ini dans le dossier\r") +
        AppFolder();
    if (kept.isEmpty())
        return message;
    return message + QStringLiteral("\r\rLe fichier lu est conservé sous ") + kept;
}

QString KeepSettingsOriginal(const QString& path)
{
    return KeepAside::Keep(path, {kKeptPrefix, kKeptExtension, nullptr, true});
}

bool LoadSettings(const QString& path, TGlbState& state, TLoadedPlace& place, const QSize& screen,
                  const QSize& mainWindowSize, TFileStamp* stamp)
{
    // Taken before the read: a change made during it shows as a change.
    if (stamp)
        *stamp = TFileStamp::Current(path);
    const bool complete = ReadSections(path, state, place);
    // Also after an error: the main window may already stand where it was read.
    if (place.main.x() > screen.width() - mainWindowSize.width() + 1 ||
        place.main.y() > screen.height() - mainWindowSize.height() + 1)
        place.posDefault = QStringLiteral("1");
    return complete;
}

bool DefaultPositionsWanted(const TLoadedPlace& place)
{
    return place.posDefault == u"1";
}

bool SaveSettings(const QString& path, const TGlbState& state, const QPoint& main,
                  bool coloursChanged, bool savePositions, TFileStamp* stamp)
{
    TIniFile ini(path);
    // A file that is there but unreadable would lose its other lines if rewritten.
    if (!ini.Load() && QFileInfo::exists(path))
        return false;
    // Without its colour section the file never loads, and the options written now would
    // never be read back.
    if (coloursChanged || !ini.HasSection(kComposants.toString()))
        WriteColours(ini, state.Colours);
    WriteOptions(ini, state, main, savePositions);
    // Another program's lines are in `ini` already; its values of the program's own keys are
    // not, and would be lost without the copy.
    if (!ini.Modified())
        return true;
    QString kept;
    if (stamp && !FileStamp::KeepOthersVersion(path, *stamp, kept))
        return false;
    const bool saved = ini.Save();
    if (saved && stamp)
        *stamp = TFileStamp::Current(path);
    FileStamp::TellKeptVersion(path, kept);
    return saved;
}

void PosDftClicked(bool checked)
{
    Glb().SavePositions = checked;
    Glb().SettingsDirty = true;
}

bool SaveSettingsAtClose(const QString& path, const QPoint& main, TFileStamp* stamp)
{
    TGlbState& g = Glb();
    if (!g.SettingsDirty && !g.ColoursChanged)
        return true;
    const bool saved = SaveSettings(path, g, main, g.ColoursChanged, g.SavePositions, stamp);
    g.ColoursChanged = false;
    g.SavePositions = true;
    return saved;
}
