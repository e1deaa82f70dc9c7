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

constexpr std::array<QStringView, 21> kOptionKeys = {u"Option ClipBoard",
                                                     u"Repeat on Ctrl+C",
                                                     u"Sauvegarde ou non",
                                                     u"Ajout heure",
                                                     u"Horodatage",
                                                     u"Page to down",
                                                     u"Ancrage",
                                                     u"Left Fragm",
                                                     u"Top Fragm",
                                                     u"Left Traceur",
                                                     u"Top Traceur",
                                                     u"Left Mnemo",
                                                     u"Top Mnemo",
                                                     u"Mnemo visible",
                                                     u"Position par dft",
                                                     u"Sauvegarde automatique",
                                                     u"Traceur visible",
                                                     u"posDefault",
                                                     u"Démarrage sur Traceur",
                                                     u"Détails traces",
                                                     u"StartJustIcon"};

constexpr int kFirstPosition = 7;
constexpr int kLastPosition = 12;

bool Flag(const QStringList& lines, int position)
{
    return ValueAtLine(lines, position) == u"1";
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
int Integer(const QStringList& lines, int position)
{
    const QString text = ValueAtLine(lines, position);
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

void LoadOptions(const QStringList& lines, TGlbState& g, TLoadedPlace& place)
{
    TOptions& o = g.Options;
    o.ClipboardCapture = Flag(lines, 0);
    o.NoRepeatOnCopy = Flag(lines, 1);
    o.SaveOnNewNote = Flag(lines, 2);
    o.AddHourOnEntry = Flag(lines, 3);
    o.TimeOnRecording = Flag(lines, 4);
    o.PageToDown = Flag(lines, 5);
    g.EditorAnchored = Flag(lines, 6);
    place.main.setX(Integer(lines, 7));
    place.main.setY(Integer(lines, 8));
    g.TracerLeft = Integer(lines, 9);
    g.TracerTop = Integer(lines, 10);
    g.NotesLeft = Integer(lines, 11);
    g.NotesTop = Integer(lines, 12);
    g.NotesVisible = g.ShowNotesAtStart = Flag(lines, 13);
    o.KeepPositions = g.SettingsDirty = Flag(lines, 14);
    o.AutoSaveWhileTracing = Flag(lines, 15);
    g.TracerVisible = Flag(lines, 16);
    place.posDefault = ValueAtLine(lines, 17);
    o.StartTracer = Flag(lines, 18);
    o.DistinctFiles = Flag(lines, 19);
    o.StartAsIcon = Flag(lines, 20);
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

QString Bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
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

std::array<QString, 21> OptionTexts(const TGlbState& g, const QPoint& main)
{
    const TOptions& o = g.Options;
    return {Bit(o.ClipboardCapture),
            Bit(o.NoRepeatOnCopy),
            Bit(o.SaveOnNewNote),
            Bit(o.AddHourOnEntry),
            Bit(o.TimeOnRecording),
            Bit(o.PageToDown),
            Bit(g.EditorAnchored),
            QString::number(main.x()),
            QString::number(main.y()),
            QString::number(g.TracerLeft),
            QString::number(g.TracerTop),
            QString::number(g.NotesLeft),
            QString::number(g.NotesTop),
            Bit(g.NotesVisible),
            Bit(o.KeepPositions),
            Bit(o.AutoSaveWhileTracing),
            Bit(g.TracerVisible),
            Bit(o.PositionsByDefault),
            Bit(o.StartTracer),
            Bit(o.DistinctFiles),
            Bit(o.StartAsIcon)};
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
    const std::array<QString, 21> texts = OptionTexts(state, main);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QString key = kOptionKeys[i].toString();
        const bool position = i >= kFirstPosition && i <= kLastPosition;
        // A position the section lacks is written anyway: leaving it out would move every
        // later line up by one for the positional reader.
        if (position && !savePositions && ini.HasKey(section, key))
            continue;
        ini.WriteString(section, key, texts[i]);
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
