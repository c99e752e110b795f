#include "app/StartupArguments.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace corvanta {

#ifdef Q_OS_WIN
// argv holds the arguments in the ANSI code page, which loses characters;
// the command line itself is UTF-16.
StartupPaths startupPathArguments(int, char **)
{
    StartupPaths given;
    int count = 0;
    LPWSTR *arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments)
        return given;
    for (int index = 1; index < count; ++index)
        given.paths.append(QString::fromWCharArray(arguments[index]));
    ::LocalFree(arguments);
    return given;
}
#else
StartupPaths startupPathArguments(int argc, char **argv)
{
    StartupPaths given;
    for (int index = 1; index < argc; ++index) {
        const QByteArray bytes(argv[index]);
        if (isValidUtf8(bytes))
            given.paths.append(QString::fromUtf8(bytes));
        else
            given.leftOut.add(shownBytes(bytes), LeftOutReason::NameNotUtf8);
    }
    return given;
}
#endif

} // namespace corvanta
