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
    clipB_mnu = Option(popMnu, "clipB_mnu");
    noRepeatClpB = Option(popMnu, "noRepeatClpB");
    Separator(popMnu, "N1");
    newMne = Item(popMnu, "newMne", QStringLiteral("Nouveau Mnemo"));
    SVG_Mode = Option(popMnu, "SVG_Mode");
    openType = Item(popMnu, "openType", QString(), kChecked);
    openType->setEnabled(false);
    QMenu* timing = Submenu(popMnu, "mnuTiming", QStringLiteral("Timing"));
    AjoutHRE = Option(timing, "AjoutHRE");
    timeOnRecording = Option(timing, "timeOnRecording");
    Separator(popMnu, "N2");
    QMenu* display = Submenu(popMnu, "mnuOptAffich", QStringLiteral("Options d'affichage"));
    affichDown = Option(display, "affichDown");
    mnuIconStart = Option(display, "mnuIconStart");
    mnuPosByDef = Option(display, "mnuPosByDef");
    Separator(popMnu, "N3");
    QMenu* saving = Submenu(popMnu, "mnuEnregistr", QStringLiteral("Enregistrements && Démarrage"));
    posDft = Option(saving, "posDft");
    lnkMaker = Option(saving, "lnkMaker");
    SVG_Auto = Option(saving, "SVG_Auto");
    mnuLanceTraceur = Option(saving, "mnuLanceTraceur");
    mnuFragmOpen = Item(saving, "mnuFragmOpen",
                        QStringLiteral("Lancer Tarvelle au démarrage de Windows"), kUnchecked);
    QMenu* tracing = Submenu(saving, "mnuTraceOptions", QStringLiteral("Options de traçage"));
    exclureExplorerTrace = Option(tracing, "exclureExplorerTrace");
    mnuDistinctFiles = Option(tracing, "mnuDistinctFiles");
    Separator(popMnu, "N4");
    mnuMarquee = Item(popMnu, "mnuMarquee", QStringLiteral("&A propos && aide..."));
}

QAction* TFragmMenus::Option(QMenu* menu, const char* name)
{
    const TOptionRow* row = OptionRowOfItem(QLatin1String(name));
    Q_ASSERT(row);
    return Item(menu, name, row->caption.toString(), row->byDefault ? kChecked : kUnchecked);
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

void TFragmMenus::ConnectOptions()
{
    for (const TOptionRow& row : OptionRows()) {
        QAction* item = popMnu->findChild<QAction*>(QLatin1String(row.item));
        Q_ASSERT(item);
        // `triggered` comes from the user alone: the check marks set at loading change nothing.
        connect(item, &QAction::triggered, this,
                [member = row.member, dirty = row.marksDirty](bool checked) {
                    Glb().Options.*member = checked;
                    if (dirty)
                        Glb().SettingsDirty = true;
                });
    }
}

void TFragmMenus::ShowOptions()
{
    for (const TOptionRow& row : OptionRows())
        if (QAction* item = popMnu->findChild<QAction*>(QLatin1String(row.item)))
            item->setChecked(Glb().Options.*row.member);
}
