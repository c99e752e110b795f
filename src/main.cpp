#include "app/Form1.h"

#include <QApplication>

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
    window.AddStartupPaths(QApplication::arguments().mid(1));
    window.show();
    return app.exec();
}
