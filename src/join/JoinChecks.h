#pragma once

#include "join/JoinCommand.h"
#include "join/PdfCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvanta {

// A file that stops a join, and why, in the words the warning uses.
struct RefusedFile
{
    QString path;
    PdfProblem problem = PdfProblem::None;
    QString reason;
};

// Called before each file is opened, so that the window can process its
// events during a long list; returning false stops the checks there.
using CheckYield = std::function<bool()>;

// Inspects every input once, also when the list names a file twice. When
// `yield` stops it, the list holds only the inputs inspected so far.
QList<PdfCheck> CheckInputs(const QStringList &paths, const CheckYield &yield = {});

// The inputs that cannot be joined whatever the user types. A file that
// needs a password only counts when there will be no prompt for it; a
// damaged file does not count, since pdftk may still repair it.
QList<RefusedFile> RefusedInputs(const QStringList &paths, const QList<PdfCheck> &checks,
                                 bool passwordsPrompted);

// Tries each typed password ("" where none was typed) on the encrypted
// inputs and returns the files it does not open. `checks` learn the
// page counts that only a password reveals. When `yield` stops it, the
// files after that point are left untried.
QList<RefusedFile> RefusedPasswords(const QStringList &paths, const QStringList &passwords,
                                    QList<PdfCheck> &checks, const CheckYield &yield = {});

// The paths of the inputs that are damaged, for naming when pdftk fails.
QStringList DamagedInputs(const QStringList &paths, const QList<PdfCheck> &checks);

// The pages a joined file must have. Inputs whose pages could not be
// counted add at least one page each.
struct ExpectedPages
{
    int counted = 0;
    int uncounted = 0;

    bool matches(int pages) const;
};
ExpectedPages ExpectedPagesOf(const QList<PdfCheck> &checks);

// Opens a file that pdftk wrote from `inputs` and compares its pages with
// theirs, as `checks` found them. Returns "" when it holds up, otherwise
// what is wrong with it.
QString VerifyJoinedPdf(const QString &path, const QList<JoinEntry> &inputs, const QList<PdfCheck> &checks);

// The warnings that refuse a join before pdftk runs. A file refused for
// needing a password brings the advice to tick the password option.
QString RefusedInputsMessage(const QList<RefusedFile> &refused);
QString RefusedPasswordsMessage(const QList<RefusedFile> &refused);

// Every warning of a join that fails starts the same way.
QString NotJoinedMessage(const QString &why);

// One line per file, the first ten of them, then "… and N more".
QString ListedFiles(const QStringList &lines);

} // namespace corvanta
