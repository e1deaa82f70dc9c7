#pragma once

#include "core/U_Glb.h"

#include <QMenu>

class QAction;

// The main window's two popup menus: "Options & aide" and the colour themes.
class TFragmMenus : public QObject
{
    Q_OBJECT
public:
    explicit TFragmMenus(QWidget* owner);

    // Opens `menu` with its right edge on `point` (screen coordinates).
    static void PopupRightAligned(QMenu* menu, const QPoint& point);
    // The check marks show the options as they are; setting them is no user's click.
    void ShowOptions();

    QMenu* popMnu;
    QMenu* mnuColors;

    QAction* clipB_mnu;
    QAction* noRepeatClpB;
    QAction* newMne;
    QAction* SVG_Mode;
    QAction* openType;
    QAction* AjoutHRE;
    QAction* timeOnRecording;
    QAction* affichDown;
    QAction* mnuIconStart;
    QAction* mnuPosByDef;
    QAction* posDft;
    QAction* lnkMaker;
    QAction* SVG_Auto;
    QAction* mnuLanceTraceur;
    QAction* mnuFragmOpen;
    QAction* exclureExplorerTrace;
    QAction* mnuDistinctFiles;
    QAction* mnuMarquee;

private:
    QAction* Item(QMenu* menu, const char* name, const QString& caption, int checked = -1);
    QMenu* Submenu(QMenu* menu, const char* name, const QString& caption);
    void BuildOptions();
    void BuildThemes();
    // The checkable item of the option row named `name`.
    QAction* Option(QMenu* menu, const char* name);
    void ConnectOptions();
};
