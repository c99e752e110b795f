#include "join/JoinChecks.h"

#include <QHash>

namespace corvanta {

QList<JoinInput> inputsOf(const QStringList &paths)
{
    QList<JoinInput> inputs;
    inputs.reserve(paths.size());
    for (const QString &path : paths)
        inputs.append({path, QString(), PdfCheck()});
    return inputs;
}

QList<JoinEntry> entriesOf(const QList<JoinInput> &inputs)
{
    QList<JoinEntry> entries;
    entries.reserve(inputs.size());
    for (const JoinInput &input : inputs)
        entries.append(input.entry());
    return entries;
}

bool checkInputs(QList<JoinInput> &inputs, const KeepGoing &keepGoing)
{
    QHash<QString, PdfCheck> seen;
    for (JoinInput &input : inputs) {
        if (!goesOn(keepGoing))
            return false;
        auto known = seen.constFind(input.path);
        if (known == seen.constEnd())
            known = seen.insert(input.path, checkPdf(input.path));
        input.check = *known;
    }
    return true;
}

QList<RefusedFile> refusedInputs(const QList<JoinInput> &inputs, bool passwordsPrompted)
{
    QList<RefusedFile> refused;
    for (const JoinInput &input : inputs) {
        switch (input.check.problem) {
        case PdfProblem::None:
        case PdfProblem::Damaged:
        case PdfProblem::WrongPassword: // never, without a password
            continue;
        case PdfProblem::NeedsPassword:
            if (passwordsPrompted)
                continue;
            break;
        case PdfProblem::Missing:
        case PdfProblem::NotRegularFile:
        case PdfProblem::Unreadable:
        case PdfProblem::NotPdf:
            break;
        }
        refused.append({input.path, input.check.problem, input.check.detail});
    }
    return refused;
}

bool checkPasswords(QList<JoinInput> &inputs, const KeepGoing &keepGoing)
{
    for (JoinInput &input : inputs) {
        if (!goesOn(keepGoing))
            return false;
        // A file without encryption ignores a password; pdftk does too. Without
        // a password, pdftk opens a file exactly when the first check did.
        if (input.check.encrypted && !input.password.isEmpty())
            input.check = checkPdf(input.path, input.password);
    }
    return true;
}

QList<RefusedFile> refusedPasswords(const QList<JoinInput> &inputs)
{
    QList<RefusedFile> refused;
    for (const JoinInput &input : inputs) {
        if (input.check.problem == PdfProblem::WrongPassword)
            refused.append({input.path, input.check.problem, input.check.detail});
        else if (input.check.problem == PdfProblem::NeedsPassword && input.password.isEmpty())
            refused.append({input.path, input.check.problem, QString(), true});
    }
    return refused;
}

QStringList damagedInputs(const QList<JoinInput> &inputs)
{
    QStringList damaged;
    for (const JoinInput &input : inputs) {
        if (input.check.problem == PdfProblem::Damaged && !damaged.contains(input.path))
            damaged.append(input.path);
    }
    return damaged;
}

bool ExpectedPages::matches(int pages) const
{
    return uncounted == 0 ? pages == counted : pages >= counted + uncounted;
}

ExpectedPages expectedPagesOf(const QList<PdfCheck> &checks)
{
    ExpectedPages expected;
    for (const PdfCheck &check : checks) {
        if (check.pages >= 0)
            expected.counted += check.pages;
        else
            ++expected.uncounted;
    }
    return expected;
}

Verification verifyJoinedPdf(const QString &path, const QList<JoinInput> &inputs)
{
    Verification verification;
    const PdfCheck written = checkPdf(path);
    if (written.problem != PdfProblem::None) {
        verification.finding = Verification::Finding::Unreadable;
        return verification;
    }
    QList<PdfCheck> checks;
    for (const JoinInput &input : inputs)
        checks.append(input.check);
    verification.expected = expectedPagesOf(checks);
    verification.pages = written.pages;
    if (verification.expected.matches(written.pages))
        return verification;
    // A page tree can state a count other than the pages it holds, and pdftk
    // joins the pages that are there: only counting the pages themselves
    // tells a short result from a miscounted input.
    checks.clear();
    for (const JoinInput &input : inputs)
        checks.append(checkPdf(input.path, input.password, PageCount::Walked));
    verification.expected = expectedPagesOf(checks);
    verification.pages = checkPdf(path, QString(), PageCount::Walked).pages;
    if (!verification.expected.matches(verification.pages))
        verification.finding = Verification::Finding::WrongPageCount;
    return verification;
}

} // namespace corvanta
