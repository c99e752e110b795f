#pragma once

#include "filelist/LeftOut.h"

#include <QStringList>

namespace corvanta {

struct StartupPaths
{
    QStringList paths;
    LeftOut leftOut; // arguments that name no path the program can use
};

// Every argument after the program's own name is a path, whatever it looks
// like: a file may well be called "-reverse". Qt is given none of them, so it
// takes none as an option of its own.
StartupPaths startupPathArguments(int argc, char **argv);

} // namespace corvanta
