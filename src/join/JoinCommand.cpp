#include "join/JoinCommand.h"

#include "core/Files.h"

namespace corvanta {

QString joinHandle(int index)
{
    // Bijective base 26: after Z comes AA, not BA.
    QString handle;
    for (int rest = index + 1; rest > 0; rest = (rest - 1) / 26)
        handle.prepend(QChar(u'A' + (rest - 1) % 26));
    return handle;
}

QString JoinOutputPath(const QString &desktopFolder, QChar separator)
{
    return collapseDriveRootSeparator(desktopFolder + separator + QLatin1String("joined.pdf"));
}

JoinProcessCommand BuildJoinCommand(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath)
{
    JoinProcessCommand command{program, {}};
    command.arguments.reserve(entries.size() + 3);
    forEachJoinToken(entries, outputPath,
                     [&command](const JoinToken &token) { command.arguments.append(token.argument()); });
    return command;
}

} // namespace corvanta
