// The yardstick for bench_startup: the least a Qt Widgets program does before
// its first window shows. It links Qt Widgets alone, nothing of Corvanta.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Hello"));
    window.resize(600, 500);
    window.show();
    return app.exec();
}
