// The yardsticks for bench_startup: the least a Qt Widgets program does
// before its first window shows, and with "--caption" the least one that
// shows a line of text does, fonts and all. It links Qt Widgets alone,
// nothing of Corvanta.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    if (app.arguments().contains(QStringLiteral("--caption")))
        window.setCentralWidget(new QLabel(QStringLiteral("Hello, world"), &window));
    window.setWindowTitle(QStringLiteral("Hello"));
    window.resize(600, 500);
    window.show();
    return app.exec();
}
