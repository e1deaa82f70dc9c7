// A plain top-level window with a chosen title, for tests that need a real foreign window.
// Prints the window's X id once it is shown, so that a test can address it directly.
// With --owned-dialog, also shows a dialog owned by the window and prints its id on a second line.
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("Window title."),
                                   QStringLiteral("T"), QStringLiteral("Test window"));
    parser.addOption(title);
    const QCommandLineOption dialogTitle(QStringLiteral("owned-dialog"),
                                         QStringLiteral("Also show a dialog owned by the window."),
                                         QStringLiteral("TITLE"));
    parser.addOption(dialogTitle);
    parser.addHelpOption();
    parser.process(app);

    QWidget window;
    window.setWindowTitle(parser.value(title));
    window.resize(320, 200);
    window.show();
    std::printf("0x%llx\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
    QDialog dialog(&window);
    if (parser.isSet(dialogTitle)) {
        dialog.setWindowTitle(parser.value(dialogTitle));
        dialog.resize(200, 100);
        dialog.show();
        std::printf("0x%llx\n", static_cast<unsigned long long>(dialog.winId()));
        std::fflush(stdout);
    }
    return QApplication::exec();
}
