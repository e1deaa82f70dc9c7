// Another program's copies for the clipboard benchmark: each line "TAG SIZE" read from its input
// puts TAG, a space and SIZE letters on the clipboard, and the program holds them until the next.
#include <QClipboard>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input]() {
        std::string tag;
        long size = 0;
        if (!(std::cin >> tag >> size)) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        QGuiApplication::clipboard()->setText(QString::fromStdString(tag) + u' ' +
                                              QString(static_cast<int>(size), u'x'));
    });
    return QGuiApplication::exec();
}
