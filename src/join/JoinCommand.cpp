#include "join/JoinCommand.h"

#include "core/Files.h"

namespace corvanta {

namespace {

const QLatin1Char kQuote('"');

// True for texts that name a Windows location: "C:…" or "\\server\…".
bool isWindowsForm(const QString &folder)
{
    const bool drive = folder.size() >= 2 && folder.at(1) == QLatin1Char(':');
    return drive || folder.startsWith(QLatin1String("\\\\"));
}

QString programText(const QString &appFolder)
{
    if (isWindowsForm(appFolder))
        return appFolder + QLatin1String("\\pdftk.exe");
    if (appFolder.endsWith(QLatin1Char('/')))
        return appFolder + QLatin1String("pdftk");
    return appFolder + QLatin1String("/pdftk");
}

} // namespace

QString joinHandle(int index)
{
    // Bijective base 26: after Z comes AA, not BA.
    QString handle;
    for (int rest = index + 1; rest > 0; rest = (rest - 1) / 26)
        handle.prepend(QChar(u'A' + (rest - 1) % 26));
    return handle;
}

QString joinOutputPathFor(const QString &desktopFolder, QChar separator)
{
    return collapseDriveRootSeparator(desktopFolder + separator + QLatin1String("joined.pdf"));
}

QString JoinOutputPath()
{
    return joinOutputPathFor(DesktopFolder());
}

QString BuildJoinCommand(const QString &appFolder, const QList<JoinEntry> &entries, const QString &outputPath)
{
    // Each token is followed by a blank, the last one excepted.
    QString command = kQuote + programText(appFolder) + kQuote;
    // Appended piece by piece: a long list is composed without copies.
    forEachJoinToken(entries, outputPath, [&command](const JoinToken &token) {
        command += QLatin1Char(' ');
        if (!token.handle.isEmpty()) {
            command += token.handle;
            command += QLatin1Char('=');
        }
        if (token.quoted)
            command += kQuote;
        command += token.value;
        if (token.quoted)
            command += kQuote;
    });
    return command;
}

JoinProcessCommand buildJoinProcessCommand(const QString &program, const QList<JoinEntry> &entries,
                                           const QString &outputPath)
{
    JoinProcessCommand command{program, {}};
    command.arguments.reserve(entries.size() + 3);
    forEachJoinToken(entries, outputPath,
                     [&command](const JoinToken &token) { command.arguments.append(token.argument()); });
    return command;
}

} // namespace corvanta
