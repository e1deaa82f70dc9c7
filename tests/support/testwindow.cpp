// A plain top-level window with a chosen title, for tests that need a real foreign window.
// Prints the window's X id once it is shown, so that a test can address it directly.
// With --owned-dialog, also shows a dialog owned by the window and prints its id on a second line.
// With --copy TEXT, shows nothing but holds TEXT on the clipboard until another program takes it;
// --secret marks that copy the way password managers do.
#include <QApplication>
#include <QClipboard>
#include <QCommandLineParser>
#include <QDialog>
#include <QMimeData>
#include <QWidget>

#include <cstdio>

namespace {
int HoldClipboard(const QString& text, bool secret)
{
    auto* data = new QMimeData;
    data->setText(text);
    if (secret)
        data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(data);
    QObject::connect(clipboard, &QClipboard::dataChanged, [clipboard]() {
        if (!clipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    return QApplication::exec();
}
} // namespace

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
    const QCommandLineOption copy(QStringLiteral("copy"),
                                  QStringLiteral("Hold TEXT on the clipboard, show no window."),
                                  QStringLiteral("TEXT"));
    parser.addOption(copy);
    const QCommandLineOption secret(QStringLiteral("secret"),
                                    QStringLiteral("Mark the copy as a password."));
    parser.addOption(secret);
    parser.addHelpOption();
    parser.process(app);
    if (parser.isSet(copy))
        return HoldClipboard(parser.value(copy), parser.isSet(secret));

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
