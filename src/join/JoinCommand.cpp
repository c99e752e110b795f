#include "join/JoinCommand.h"

#include "app/Helpers.h"
#include "app/Seams.h"

namespace corvanta {

namespace {

const QLatin1Char kQuote('"');
const QLatin1Char kBlank(' ');

// Appends `value` in double quotes, then the blank that ends every token but
// the last. Appended piece by piece: a long list is composed without copies.
void appendQuotedToken(QString &text, const QString &value)
{
    text += kQuote;
    text += value;
    text += kQuote;
    text += kBlank;
}

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

QString JoinHandle(int index)
{
    // Bijective base 26: after Z comes AA, not BA.
    QString handle;
    for (int rest = index + 1; rest > 0; rest = (rest - 1) / 26)
        handle.prepend(QChar(u'A' + (rest - 1) % 26));
    return handle;
}

QString JoinOutputPathFor(const QString &desktopFolder, QChar separator)
{
    return CollapseDriveRootSeparator(desktopFolder + separator + QLatin1String("joined.pdf"));
}

QString JoinOutputPath()
{
    return JoinOutputPathFor(DesktopFolder());
}

QString PasswordPrompt(const QString &path)
{
    return QLatin1String("Enter password for file (") + path + QLatin1String("): \r\n")
        + QLatin1String("Note: Leave this box blank if file is not password protected");
}

QString AskPassword(Dialogs &dialogs, QWidget *owner, const QString &path)
{
    return dialogs.inputBox(owner, PasswordPrompt(path), QStringLiteral("Input Password"), true);
}

QString BuildJoinCommand(const QString &appFolder, const QList<JoinEntry> &entries,
                         const QString &outputPath)
{
    // Appended piece by piece into reserved space: long lists stay fast.
    qsizetype files = appFolder.size() + outputPath.size() + 32;
    qsizetype passwordsSize = 0;
    for (const JoinEntry &entry : entries) {
        files += entry.Path.size() + 16;
        if (!entry.Password.isEmpty())
            passwordsSize += entry.Password.size() + 24;
    }
    QString command;
    QString passwords;
    command.reserve(files + passwordsSize);
    passwords.reserve(passwordsSize);

    appendQuotedToken(command, programText(appFolder));
    int handles = 0;
    for (const JoinEntry &entry : entries) {
        if (entry.Password.isEmpty()) {
            appendQuotedToken(command, entry.Path);
            continue;
        }
        const QString handle = JoinHandle(handles++);
        command += handle;
        command += QLatin1Char('=');
        appendQuotedToken(command, entry.Path);
        passwords += QLatin1String("input_pw ");
        passwords += handle;
        passwords += QLatin1Char('=');
        appendQuotedToken(passwords, entry.Password);
    }
    command += passwords;
    command += QLatin1String("cat output ");
    command += kQuote;
    command += outputPath;
    command += kQuote;
    return command;
}

QStringList TargetArguments(const QString &outputPath)
{
    return {QStringLiteral("cat"), QStringLiteral("output"), outputPath};
}

JoinProcessCommand BuildJoinProcessCommand(const QString &program, const QList<JoinEntry> &entries,
                                           const QString &outputPath)
{
    QStringList files;
    QStringList passwords;
    files.reserve(entries.size());
    int handles = 0;
    for (const JoinEntry &entry : entries) {
        if (entry.Password.isEmpty()) {
            files.append(entry.Path);
            continue;
        }
        const QString handle = JoinHandle(handles++);
        files.append(handle + QLatin1Char('=') + entry.Path);
        passwords << QStringLiteral("input_pw") << handle + QLatin1Char('=') + entry.Password;
    }
    return {program, files + passwords + TargetArguments(outputPath)};
}

} // namespace corvanta
