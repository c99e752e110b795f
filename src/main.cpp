#include "app/Form1.h"
#include "join/TerminationSignals.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Without a display Qt would print a platform-plugin dump and abort; say it plainly.
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
#ifndef Q_OS_WIN
#ifndef Q_OS_MACOS
    if (!displayAvailable()) {
        std::fprintf(stderr, "Corvanta needs a graphical desktop, but no display was found "
                             "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                             "Start it from a desktop session, or under xvfb-run for a virtual one.\n");
        return 1;
    }
#endif
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QGuiApplication::setDesktopFileName(QStringLiteral(CORVANTA_APP_ID));

    corvanta::Form1 window(corvanta::defaultServices());
    window.Form_Load();
    window.show();
    // Told to stop (a logout, kill, Ctrl+C), the program closes as its window
    // does, so a running join leaves no pdftk and no half-written file.
    corvanta::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &corvanta::TerminationSignals::received, &window, &QWidget::close);
    // Paths from the file manager are added once the window shows, so a
    // large folder is walked with the window up and the busy pointer on.
    const QStringList startupPaths = QApplication::arguments().mid(1);
    if (!startupPaths.isEmpty())
        QTimer::singleShot(0, &window, [&window, startupPaths] { window.AddStartupPaths(startupPaths); });
    return app.exec();
}
