#pragma once

#include "core/KeepGoing.h"
#include "join/JoinCommand.h"
#include "join/PdfCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace corvanta {

// One input of a join as it goes from the list through the checks and the
// prompts to pdftk and the check of the result.
struct JoinInput
{
    QString path;
    QString password; // as typed; "" when none was typed or asked for
    PdfCheck check;   // what the last look at the file found

    JoinEntry entry() const { return {path, password}; }
};

QList<JoinInput> inputsOf(const QStringList &paths);
QList<JoinEntry> entriesOf(const QList<JoinInput> &inputs);

// A file that stops a join, and why.
struct RefusedFile
{
    QString path;
    PdfProblem problem = PdfProblem::None;
    QString detail; // the system's own words, where it gave any
    // Set when the reason is not the problem's own: a protected file for
    // which no password was typed.
    bool noPasswordTyped = false;
};

// Inspects every input once, also when the list names a file twice.
// Returns false when `keepGoing` stopped it; the inputs after that point
// keep their empty checks.
bool checkInputs(QList<JoinInput> &inputs, const KeepGoing &keepGoing = {});

// The inputs that cannot be joined whatever the user types. A file that
// needs a password only counts when there will be a prompt for it; a
// damaged file does not count, since pdftk may still repair it.
QList<RefusedFile> refusedInputs(const QList<JoinInput> &inputs, bool passwordsPrompted);

// Opens each encrypted input with the password typed for it, so that its
// check tells whether the password is right and how many pages it opens.
// Returns false when `keepGoing` stopped it.
bool checkPasswords(QList<JoinInput> &inputs, const KeepGoing &keepGoing = {});

// The encrypted inputs whose password is wrong, or missing where one is needed.
QList<RefusedFile> refusedPasswords(const QList<JoinInput> &inputs);

// The paths of the inputs that are damaged, for naming when pdftk fails.
QStringList damagedInputs(const QList<JoinInput> &inputs);

// The pages a joined file must have. Inputs whose pages could not be
// counted add at least one page each.
struct ExpectedPages
{
    int counted = 0;
    int uncounted = 0;

    bool matches(int pages) const;
};
ExpectedPages expectedPagesOf(const QList<PdfCheck> &checks);

// How a file that pdftk wrote from `inputs` measures up to them.
struct Verification
{
    enum class Finding { Sound, Unreadable, WrongPageCount };
    Finding finding = Finding::Sound;
    int pages = 0;
    ExpectedPages expected;
};
Verification verifyJoinedPdf(const QString &path, const QList<JoinInput> &inputs);

} // namespace corvanta
