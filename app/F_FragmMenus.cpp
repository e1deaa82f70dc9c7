#include "app/F_FragmMenus.h"

#include "app/U_Colours.h"
#include "help/F_Marquee.h"

namespace {
constexpr int kChecked = 1;
constexpr int kUnchecked = 0;

// Separators keep their names too, so the menu reads as it was designed.
void Separator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}
} // namespace

TFragmMenus::TFragmMenus(QWidget* owner)
    : QObject(owner), popMnu(new QMenu(owner)), mnuColors(new QMenu(owner))
{
    popMnu->setObjectName(QStringLiteral("popMnu"));
    mnuColors->setObjectName(QStringLiteral("mnuColors"));
    BuildOptions();
    BuildThemes();
    ConnectOptions();
    // Queued: the menu is closed before the modal about window opens.
    connect(
        mnuMarquee, &QAction::triggered, owner, [owner]() { TfrmMarquee::mnuMarqueeClick(owner); },
        Qt::QueuedConnection);
}

QAction* TFragmMenus::Item(QMenu* menu, const char* name, const QString& caption, int checked)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (checked >= 0) {
        action->setCheckable(true);
        action->setChecked(checked == kChecked);
    }
    return action;
}

QMenu* TFragmMenus::Submenu(QMenu* menu, const char* name, const QString& caption)
{
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QLatin1String(name));
    sub->menuAction()->setObjectName(QLatin1String(name));
    return sub;
}

void TFragmMenus::BuildOptions()
{
    clipB_mnu = Item(popMnu, "clipB_mnu", QStringLiteral("Presse-papier"), kChecked);
    noRepeatClpB =
        Item(popMnu, "noRepeatClpB", QStringLiteral("Pas de répétition sur Crtl+C"), kUnchecked);
    Separator(popMnu, "N1");
    newMne = Item(popMnu, "newMne", QStringLiteral("Nouveau Mnemo"));
    SVG_Mode = Item(popMnu, "SVG_Mode", QStringLiteral("Sauvegarde sur Nouveau Mnemo"), kChecked);
    openType = Item(popMnu, "openType", QString(), kChecked);
    openType->setEnabled(false);
    QMenu* timing = Submenu(popMnu, "mnuTiming", QStringLiteral("Timing"));
    AjoutHRE = Item(timing, "AjoutHRE", QStringLiteral("Horaire +"), kUnchecked);
    timeOnRecording =
        Item(timing, "timeOnRecording", QStringLiteral("Time sur enregistrement"), kChecked);
    Separator(popMnu, "N2");
    QMenu* display = Submenu(popMnu, "mnuOptAffich", QStringLiteral("Options d'affichage"));
    affichDown = Item(display, "affichDown", QStringLiteral("Affichage fin de page"), kUnchecked);
    mnuIconStart = Item(display, "mnuIconStart", QStringLiteral("Démarrage en icône"), kUnchecked);
    mnuPosByDef =
        Item(display, "mnuPosByDef", QStringLiteral("Positionnement par défaut"), kUnchecked);
    Separator(popMnu, "N3");
    QMenu* saving = Submenu(popMnu, "mnuEnregistr", QStringLiteral("Enregistrements && Démarrage"));
    posDft = Item(saving, "posDft", QStringLiteral("Conserve position par défaut"), kChecked);
    lnkMaker = Item(saving, "lnkMaker", QStringLiteral("Raccourci en sauvegarde"), kUnchecked);
    SVG_Auto =
        Item(saving, "SVG_Auto", QStringLiteral("Sauvegarde auto sur traçage (5 mn)"), kUnchecked);
    mnuLanceTraceur =
        Item(saving, "mnuLanceTraceur", QStringLiteral("Lancer Traceur au démarrage"), kUnchecked);
    mnuFragmOpen = Item(saving, "mnuFragmOpen",
                        QStringLiteral("Lancer Tarvelle au démarrage de Windows"), kUnchecked);
    QMenu* tracing = Submenu(saving, "mnuTraceOptions", QStringLiteral("Options de traçage"));
    exclureExplorerTrace = Item(tracing, "exclureExplorerTrace",
                                QStringLiteral("Exclure trace sur Explorer"), kUnchecked);
    mnuDistinctFiles =
        Item(tracing, "mnuDistinctFiles", QStringLiteral("Distinction fichiers"), kUnchecked);
    Separator(popMnu, "N4");
    mnuMarquee = Item(popMnu, "mnuMarquee", QStringLiteral("&A propos && aide..."));
}

void TFragmMenus::BuildThemes()
{
    for (const TTheme& theme : Colours::Themes())
        Item(mnuColors, theme.name, QString::fromLatin1(theme.caption));
}

void TFragmMenus::PopupRightAligned(QMenu* menu, const QPoint& point)
{
    menu->popup(QPoint(point.x() - menu->sizeHint().width(), point.y()));
}

void TFragmMenus::Follow(QAction* item, bool TOptions::*option, bool marksDirty)
{
    // `triggered` comes from the user alone: the check marks set at loading change nothing.
    connect(item, &QAction::triggered, this, [option, marksDirty](bool checked) {
        Glb().Options.*option = checked;
        if (marksDirty)
            Glb().SettingsDirty = true;
    });
}

void TFragmMenus::ConnectOptions()
{
    Follow(clipB_mnu, &TOptions::ClipboardCapture);
    Follow(noRepeatClpB, &TOptions::NoRepeatOnCopy);
    Follow(SVG_Mode, &TOptions::SaveOnNewNote);
    Follow(AjoutHRE, &TOptions::AddHourOnEntry);
    Follow(timeOnRecording, &TOptions::TimeOnRecording);
    Follow(affichDown, &TOptions::PageToDown);
    Follow(posDft, &TOptions::KeepPositions);
    Follow(SVG_Auto, &TOptions::AutoSaveWhileTracing);
    Follow(mnuPosByDef, &TOptions::PositionsByDefault);
    Follow(lnkMaker, &TOptions::ShortcutOnSave);
    Follow(exclureExplorerTrace, &TOptions::ExcludeExplorer);
    Follow(mnuIconStart, &TOptions::StartAsIcon, true);
    Follow(mnuLanceTraceur, &TOptions::StartTracer, true);
    // Takes effect at the next sample.
    Follow(mnuDistinctFiles, &TOptions::DistinctFiles, true);
}

void TFragmMenus::ShowOptions()
{
    const TOptions& o = Glb().Options;
    clipB_mnu->setChecked(o.ClipboardCapture);
    noRepeatClpB->setChecked(o.NoRepeatOnCopy);
    SVG_Mode->setChecked(o.SaveOnNewNote);
    AjoutHRE->setChecked(o.AddHourOnEntry);
    timeOnRecording->setChecked(o.TimeOnRecording);
    affichDown->setChecked(o.PageToDown);
    posDft->setChecked(o.KeepPositions);
    SVG_Auto->setChecked(o.AutoSaveWhileTracing);
    mnuPosByDef->setChecked(o.PositionsByDefault);
    lnkMaker->setChecked(o.ShortcutOnSave);
    exclureExplorerTrace->setChecked(o.ExcludeExplorer);
    mnuIconStart->setChecked(o.StartAsIcon);
    mnuLanceTraceur->setChecked(o.StartTracer);
    mnuDistinctFiles->setChecked(o.DistinctFiles);
}
