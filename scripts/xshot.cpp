// Saves a picture of the whole X screen, or of one region "X,Y,W,H" of it, as PNG, so that
// scripts need no image tools.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const QStringList region = args.size() == 3 ? args.at(2).split(u',') : QStringList();
    if ((args.size() != 2 && args.size() != 3) || (args.size() == 3 && region.size() != 4)) {
        std::fprintf(stderr, "usage: tarvelle_xshot FILE.png [X,Y,W,H]\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
    if (!region.isEmpty())
        shot =
            shot.copy(region[0].toInt(), region[1].toInt(), region[2].toInt(), region[3].toInt());
    if (shot.isNull() || !shot.save(args.at(1), "PNG")) {
        std::fprintf(stderr, "tarvelle_xshot: cannot grab the screen into %s\n",
                     qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
