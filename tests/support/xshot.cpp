// Saves a picture of the whole X screen as PNG, so that scripts need no image tools.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tarvelle_xshot FILE.png\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(args.at(1), "PNG")) {
        std::fprintf(stderr, "tarvelle_xshot: cannot grab the screen into %s\n",
                     qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
