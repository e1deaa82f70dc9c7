// A plain top-level window with a chosen title, for tests that need a real foreign window.
// Prints the window's X id once it is shown, so that a test can address it directly.
#include <QApplication>
#include <QCommandLineParser>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("Window title."),
                                   QStringLiteral("T"), QStringLiteral("Test window"));
    parser.addOption(title);
    parser.addHelpOption();
    parser.process(app);

    QWidget window;
    window.setWindowTitle(parser.value(title));
    window.resize(320, 200);
    window.show();
    std::printf("0x%llx\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
    return QApplication::exec();
}
