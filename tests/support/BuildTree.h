#pragma once

#include <QString>
#include <QStringList>

namespace corvanta::testing {

// The source and build folders of the tree under test, as CTest passes them.
QString sourceDir();
QString binaryDir();

// A value the build recorded in its CMake cache, such as CMAKE_INSTALL_LIBDIR.
QString cacheValue(const QString &name);

// The names of the plain files under `folder`, relative to it, sorted.
QStringList filesUnder(const QString &folder);

// What a symbolic link holds, as written (not resolved); empty elsewhere.
QString linkText(const QString &path);

struct ToolRun
{
    bool ok = false; // started, and exited normally with code 0
    QByteArray output; // standard output and error, merged
};
// Runs a command-line tool to its end (at most two minutes).
ToolRun runTool(const QString &program, const QStringList &arguments);

} // namespace corvanta::testing
