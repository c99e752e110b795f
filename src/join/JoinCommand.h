#pragma once

#include <QChar>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace corvanta {

class Dialogs;

// One input file of a join: its path exactly as the list holds it, and the
// password typed for it ("" when none was typed or no prompt was shown; a
// password of blanks is still a password).
struct JoinEntry
{
    QString Path;
    QString Password;
};

// The handle of the protected input at `index` (0-based, counting only
// entries with a password): A … Z, then AA, AB, … AZ, BA, … ZZ, AAA, …
QString JoinHandle(int index);

// The output path for a Desktop folder text that ends with a separator:
// the folder, the separator, "joined.pdf", then every ":\\" made ":\".
// So an ordinary Desktop keeps two separators before joined.pdf
// (C:\Users\Owner\Desktop\\joined.pdf); only a drive root loses one.
QString JoinOutputPathFor(const QString &desktopFolder, QChar separator = QDir::separator());
// The output path on the current user's Desktop. Throws std::runtime_error
// when the Desktop folder is unknown.
QString JoinOutputPath();

// The password prompt's text, its CR LF included.
QString PasswordPrompt(const QString &path);
// Asks for the password of one file with a masked input box titled
// "Input Password". Returns the text as typed; "" for a blank field or Cancel.
QString AskPassword(Dialogs &dialogs, QWidget *owner, const QString &path);

// The join as one command line, character for character:
//   "<app folder>\pdftk.exe" "<plain path>" A="<protected path>" … input_pw A="<password>" … cat output "<output>"
// Nothing is escaped. A Windows-form application folder (drive or share)
// names "\pdftk.exe" with no separator clean-up, so a drive root gives
// "C:\\pdftk.exe"; a POSIX folder names "/pdftk". This text is for showing
// and checking only: the join runs the argument list below.
QString BuildJoinCommand(const QString &appFolder, const QList<JoinEntry> &entries,
                         const QString &outputPath);

// The same join as a program and its arguments, one argument per token and
// without any quoting, so every character of a path or password reaches
// pdftk as it is.
struct JoinProcessCommand
{
    QString program;
    QStringList arguments;
};
JoinProcessCommand BuildJoinProcessCommand(const QString &program, const QList<JoinEntry> &entries,
                                           const QString &outputPath);

// The closing arguments of every pdftk join: "cat output <outputPath>".
QStringList TargetArguments(const QString &outputPath);

} // namespace corvanta
