#include "core/U_Glb.h"

#include "core/U_Clock.h"
#include "core/U_TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <array>
#include <cmath>
#include <optional>

TGlbState& Glb()
{
    static TGlbState state;
    return state;
}

void ResetGlb()
{
    Glb() = TGlbState{};
}

namespace {
using O = TOptions;
// Adding an option is adding its row (and placing its item in the menu).
constexpr std::array<TOptionRow, 14> kOptionRows = {{
    // clang-format off
    {&O::ClipboardCapture,     true,  0,  u"Option ClipBoard",       true,  "clipB_mnu",            u"Presse-papier",                        false},
    {&O::NoRepeatOnCopy,       false, 1,  u"Repeat on Ctrl+C",       true,  "noRepeatClpB",         u"Pas de répétition sur Crtl+C",         false},
    {&O::SaveOnNewNote,        true,  2,  u"Sauvegarde ou non",      true,  "SVG_Mode",             u"Sauvegarde sur Nouveau Mnemo",         false},
    {&O::AddHourOnEntry,       false, 3,  u"Ajout heure",            true,  "AjoutHRE",             u"Horaire +",                            false},
    {&O::TimeOnRecording,      true,  4,  u"Horodatage",             true,  "timeOnRecording",      u"Time sur enregistrement",              false},
    {&O::PageToDown,           false, 5,  u"Page to down",           true,  "affichDown",           u"Affichage fin de page",                false},
    {&O::KeepPositions,        true,  14, u"Position par dft",       true,  "posDft",               u"Conserve position par défaut",         false},
    {&O::AutoSaveWhileTracing, false, 15, u"Sauvegarde automatique", true,  "SVG_Auto",             u"Sauvegarde auto sur traçage (5 mn)",   false},
    // Acts once: the line read back there says whether to act now.
    {&O::PositionsByDefault,   false, 17, u"posDefault",             false, "mnuPosByDef",          u"Positionnement par défaut",            false},
    {&O::StartTracer,          false, 18, u"Démarrage sur Traceur",  true,  "mnuLanceTraceur",      u"Lancer Traceur au démarrage",          true},
    // Takes effect at the next sample.
    {&O::DistinctFiles,        false, 19, u"Détails traces",         true,  "mnuDistinctFiles",     u"Distinction fichiers",                 true},
    {&O::StartAsIcon,          false, 20, u"StartJustIcon",          true,  "mnuIconStart",         u"Démarrage en icône",                   true},
    {&O::ExcludeExplorer,      false, -1, {},                        false, "exclureExplorerTrace", u"Exclure trace sur Explorer",           false},
    {&O::ShortcutOnSave,       false, -1, {},                        false, "lnkMaker",             u"Raccourci en sauvegarde",              false},
    // clang-format on
}};
} // namespace

TOptions::TOptions()
{
    for (const TOptionRow& row : kOptionRows)
        this->*row.member = row.byDefault;
}

std::span<const TOptionRow> OptionRows()
{
    return kOptionRows;
}

const TOptionRow* OptionRowOfItem(QLatin1String item)
{
    for (const TOptionRow& row : kOptionRows)
        if (QLatin1String(row.item) == item)
            return &row;
    return nullptr;
}

namespace {
std::optional<QString>& CachedAppFolder()
{
    static std::optional<QString> folder;
    return folder;
}

QString WithSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString FindAppFolder()
{
    const QString home = qEnvironmentVariable("TARVELLE_HOME");
    if (!home.isEmpty()) {
        TextFile::MakeFolder(home);
        return WithSeparator(QDir(home).absolutePath());
    }
    // Also before the application object exists: the single-instance lock may fall back here.
    const QString exeFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (!exeFolder.isEmpty() && QFileInfo(exeFolder).isWritable())
        return WithSeparator(exeFolder);
    const QString data =
        QDir(qEnvironmentVariable("XDG_DATA_HOME", QDir::homePath() + "/.local/share"))
            .filePath(QStringLiteral("Tarvelle"));
    TextFile::MakeFolder(data);
    return WithSeparator(data);
}
} // namespace

QString AppFolder()
{
    if (!CachedAppFolder())
        CachedAppFolder() = FindAppFolder();
    return *CachedAppFolder();
}

void ResetAppFolder()
{
    CachedAppFolder().reset();
}

QString OwnExeName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName().toLower();
}

QStringList SplitFields(QString text, const QString& separator, int count)
{
    QStringList fields;
    for (int i = 1; i < count; ++i) {
        const qsizetype at = text.indexOf(separator);
        // A missing separator leaves the rest as this field and empty fields after it.
        if (at < 0) {
            fields.append(text);
            text.clear();
            continue;
        }
        fields.append(text.left(at));
        text.remove(0, at + separator.size());
    }
    fields.append(text);
    return fields;
}

QString ValueAtLine(const QStringList& lines, int index)
{
    if (index < 0 || index >= lines.size())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    const QString& line = lines.at(index);
    return line.mid(line.indexOf(u'=') + 1);
}

QString ColourToText(TColor colour)
{
    return QStringLiteral("%1%2%3")
        .arg(RedOf(colour), 3, 10, QLatin1Char('0'))
        .arg(GreenOf(colour), 3, 10, QLatin1Char('0'))
        .arg(BlueOf(colour), 3, 10, QLatin1Char('0'));
}

namespace {
int ChannelAt(const QString& text, int from)
{
    const QString group = text.mid(from, 3);
    bool ok = group.size() == 3;
    for (const QChar c : group)
        ok = ok && c >= u'0' && c <= u'9';
    const int value = ok ? group.toInt() : -1;
    // A channel beyond 255 is as unreadable as letters: the caller keeps its default.
    if (value < 0 || value > 255)
        throw EConvertError("'" + group.toStdString() + "' is not a valid integer value");
    return value;
}
} // namespace

TColor TextToColour(const QString& text)
{
    return RGBColour(ChannelAt(text, 0), ChannelAt(text, 3), ChannelAt(text, 6));
}

namespace {
QRandomGenerator& Random()
{
    static QRandomGenerator generator(static_cast<quint32>(Now().toMSecsSinceEpoch()));
    return generator;
}
} // namespace

void Randomize()
{
    SeedRandom(static_cast<quint32>(Now().toMSecsSinceEpoch()));
}

void SeedRandom(quint32 seed)
{
    Random().seed(seed);
}

int RandomBelow(int bound)
{
    return Random().bounded(bound);
}

TColor RandomColour()
{
    QRandomGenerator* random = &Random();
    const int red = random->bounded(255);
    const int green = random->bounded(255);
    return RGBColour(red, green, random->bounded(255));
}

QString RandomDirection()
{
    return Random().bounded(2) == 0 ? QStringLiteral("h") : QStringLiteral("l");
}

std::vector<TColor> GradientSteps(TColor a, TColor b, int extent)
{
    std::vector<TColor> steps;
    steps.reserve(static_cast<std::size_t>(std::max(extent, 0) + 1));
    const auto channel = [extent](int from, int to, int i) {
        if (extent <= 0)
            return from;
        // nearbyint rounds halves to even, as the painted backgrounds always did.
        return from + static_cast<int>(std::nearbyint(double(i) * (to - from) / extent));
    };
    for (int i = 0; i <= extent; ++i)
        steps.push_back(RGBColour(channel(RedOf(a), RedOf(b), i),
                                  channel(GreenOf(a), GreenOf(b), i),
                                  channel(BlueOf(a), BlueOf(b), i)));
    return steps;
}

void PaintGradient(QPaintDevice& device, TColor a, TColor b, const QString& direction)
{
    const int w = device.width();
    const int h = device.height();
    if (w <= 0 || h <= 0)
        return;
    const bool alongWidth = direction == u"l";
    const std::vector<TColor> steps = GradientSteps(a, b, alongWidth ? w : h);
    QImage bitmap(w, h, QImage::Format_RGB32);
    {
        QPainter painter(&bitmap);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const TColor c = steps[i];
            painter.setPen(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
            const int at = static_cast<int>(i);
            if (alongWidth)
                painter.drawLine(at, 0, at, h);
            else
                painter.drawLine(0, at, w, at);
        }
    }
    QPainter target(&device);
    target.drawImage(0, 0, bitmap);
}

QString CurrentTimeText()
{
    // Fixed formats, whatever the locale: the data files depend on them.
    return Now().time().toString(QStringLiteral("hh:mm:ss"));
}

QString CurrentDateText()
{
    return Now().date().toString(QStringLiteral("dd/MM/yyyy"));
}

QString ReplaceChar(QChar from, QChar to, QString text)
{
    return text.replace(from, to);
}

QString RepeatText(const QString& text, int count)
{
    return count <= 0 ? QString() : text.repeated(count);
}

QString DateTimeStamp()
{
    return ReplaceChar(u'/', u'-', CurrentDateText()) + QStringLiteral("à") +
           ReplaceChar(u':', u'-', CurrentTimeText());
}

QString FreeDatedPath(const QString& prefix, const QString& extension)
{
    const QString base = AppFolder() + prefix + DateTimeStamp();
    QString path = base + extension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QStringLiteral("_%1").arg(n) + extension;
    return path;
}
