#include "app/FontWarmUp.h"
#include "app/Form1.h"
#include "app/StartupArguments.h"
#include "app/TerminationSignals.h"
#include "app/Translations.h"
#include "core/Files.h"

#include <QApplication>
#include <QLocale>
#include <QProcessEnvironment>
#include <QTimer>

#include <cstdio>

namespace {

// Without a display Qt would print a platform-plugin dump and abort; say it plainly.
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The languages the user reads. Where the locale comes from the environment,
// a C locale means the program's own English, as it does for the desktop's
// other programs.
QStringList readerLanguages()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return QLocale::system().uiLanguages();
#else
    return corvanta::desktopLanguages(QLocale::system().uiLanguages(), QProcessEnvironment::systemEnvironment());
#endif
}

} // namespace

int main(int argc, char *argv[])
{
#ifndef Q_OS_WIN
#ifndef Q_OS_MACOS
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "Corvanta needs a graphical desktop, but no display was found "
                     "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Start it from a desktop session, or under xvfb-run for a virtual one.\n");
        return 1;
    }
#endif
#endif
    corvanta::FontWarmUp fonts;
    const corvanta::StartupPaths given = corvanta::startupPathArguments(argc, argv);
    // Qt would take "-style", "-reverse" and the like as its own options; it
    // is given only the program's name.
    int qtArgc = 1;
    char programName[] = "corvanta";
    char *qtArgv[] = {argc > 0 ? argv[0] : programName, nullptr};
    QApplication app(qtArgc, qtArgv);
    fonts.wait();
    QApplication::setApplicationName(QStringLiteral("Corvanta"));
    QGuiApplication::setDesktopFileName(QStringLiteral(CORVANTA_APP_ID));
    // In the desktop's language (LANGUAGE, LC_ALL, LANG), before any text is made.
    const corvanta::Translations translations(readerLanguages(),
                                              corvanta::applicationFolder(QCoreApplication::applicationDirPath()));

    corvanta::Form1 window(corvanta::defaultServices());
    window.Form_Load();
    window.show();
    // Told to stop (a logout, kill, Ctrl+C), the program closes as its window
    // does, so a running join leaves no pdftk and no half-written file.
    corvanta::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &corvanta::TerminationSignals::received, &window, &QWidget::close);
    // Paths from the file manager are added once the window shows, so a
    // large folder is walked with the window up and the busy pointer on.
    if (!given.paths.isEmpty() || !given.leftOut.isEmpty())
        QTimer::singleShot(0, &window, [&window, &given] { window.addStartupPaths(given.paths, given.leftOut); });
    return app.exec();
}
