#pragma once

#include "process/JoinEntry.h"

#include <QChar>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace corvanta {

// The handle of the protected input at `index` (0-based, counting only
// entries with a password): A … Z, then AA, AB, … AZ, BA, … ZZ, AAA, …
QString joinHandle(int index);

// The output path for a Desktop folder text that ends with a separator:
// the folder, the separator, "joined.pdf", then every ":\\" made ":\".
// So an ordinary Desktop keeps two separators before joined.pdf
// (C:\Users\Owner\Desktop\\joined.pdf); only a drive root loses one.
QString JoinOutputPath(const QString &desktopFolder, QChar separator = QDir::separator());

// One token of a pdftk join after the program: a file, the keyword
// input_pw, a password, or the target's "cat", "output" and output path.
// A protected file and its password carry the same handle ("A=…").
struct JoinToken
{
    QString handle; // "" when the token has none
    QString value;

    // The token as pdftk receives it in its argument list.
    QString argument() const { return handle.isEmpty() ? value : handle + QLatin1Char('=') + value; }
};

// Every token of a join, in command order: the files in list order, then a
// keyword and a password for each protected file, then the target (left out
// for a null `outputPath`). A run's arguments and the room they take are
// both made from it. Handles are counted from `firstHandle` (0 is A).
template <typename Visit>
void forEachJoinToken(const QList<JoinEntry> &entries, const QString &outputPath, Visit &&visit, int firstHandle = 0)
{
    int handle = firstHandle;
    for (const JoinEntry &entry : entries)
        visit(JoinToken{entry.Password.isEmpty() ? QString() : joinHandle(handle++), entry.Path});
    handle = firstHandle;
    for (const JoinEntry &entry : entries) {
        if (entry.Password.isEmpty())
            continue;
        visit(JoinToken{QString(), QStringLiteral("input_pw")});
        visit(JoinToken{joinHandle(handle++), entry.Password});
    }
    if (outputPath.isNull())
        return;
    visit(JoinToken{QString(), QStringLiteral("cat")});
    visit(JoinToken{QString(), QStringLiteral("output")});
    visit(JoinToken{QString(), outputPath});
}

// One pdftk run as a program and its arguments, one argument per token and
// without any quoting, so every character of a path or password reaches
// pdftk as it is.
struct JoinProcessCommand
{
    QString program;
    QStringList arguments;
};
JoinProcessCommand BuildJoinCommand(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath);

} // namespace corvanta
