// The floor for the start-up measurement: the least a Qt 6 Widgets program does to show one
// frameless window of the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(277, 116);
    window.show();
    return QApplication::exec();
}
