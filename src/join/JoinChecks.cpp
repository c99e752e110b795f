#include "join/JoinChecks.h"

#include <QHash>

#include <algorithm>

namespace corvanta {

namespace {

constexpr int kListedFiles = 10;

QString reasonFor(const PdfCheck &check)
{
    switch (check.problem) {
    case PdfProblem::Missing:
        return QStringLiteral("does not exist");
    case PdfProblem::NotRegularFile:
        return QStringLiteral("is not a regular file");
    case PdfProblem::Unreadable:
        return QStringLiteral("cannot be read: %1").arg(check.detail);
    case PdfProblem::NotPdf:
        return QStringLiteral("is not a PDF file");
    case PdfProblem::NeedsPassword:
        return QStringLiteral("is password protected");
    case PdfProblem::WrongPassword:
        return QStringLiteral("the password typed for it is wrong");
    case PdfProblem::Damaged:
        return QStringLiteral("is damaged");
    case PdfProblem::None:
        break;
    }
    return QString();
}

QStringList linesOf(const QList<RefusedFile> &refused)
{
    QStringList lines;
    for (const RefusedFile &file : refused)
        lines.append(file.path + QStringLiteral(" — ") + file.reason);
    return lines;
}

} // namespace

QList<PdfCheck> CheckInputs(const QStringList &paths, const CheckYield &yield)
{
    QHash<QString, PdfCheck> seen;
    QList<PdfCheck> checks;
    checks.reserve(paths.size());
    for (const QString &path : paths) {
        if (yield && !yield())
            break;
        auto known = seen.constFind(path);
        if (known == seen.constEnd())
            known = seen.insert(path, CheckPdf(path));
        checks.append(*known);
    }
    return checks;
}

QList<RefusedFile> RefusedInputs(const QStringList &paths, const QList<PdfCheck> &checks,
                                 bool passwordsPrompted)
{
    QList<RefusedFile> refused;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const PdfCheck &check = checks.at(i);
        switch (check.problem) {
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
        refused.append({paths.at(i), check.problem, reasonFor(check)});
    }
    return refused;
}

QList<RefusedFile> RefusedPasswords(const QStringList &paths, const QStringList &passwords,
                                    QList<PdfCheck> &checks, const CheckYield &yield)
{
    QList<RefusedFile> refused;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (yield && !yield())
            break;
        PdfCheck &check = checks[i];
        // A file without encryption ignores a password; pdftk does too.
        if (!check.encrypted)
            continue;
        const QString password = passwords.value(i);
        if (password.isEmpty()) {
            // pdftk opens it without a password exactly when the check did.
            if (check.problem == PdfProblem::NeedsPassword) {
                refused.append({paths.at(i), check.problem,
                                QStringLiteral("needs a password; none was typed")});
            }
            continue;
        }
        check = CheckPdf(paths.at(i), password);
        if (check.problem == PdfProblem::WrongPassword)
            refused.append({paths.at(i), check.problem, reasonFor(check)});
    }
    return refused;
}

QStringList DamagedInputs(const QStringList &paths, const QList<PdfCheck> &checks)
{
    QStringList damaged;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (checks.at(i).problem == PdfProblem::Damaged && !damaged.contains(paths.at(i)))
            damaged.append(paths.at(i));
    }
    return damaged;
}

bool ExpectedPages::matches(int pages) const
{
    return uncounted == 0 ? pages == counted : pages >= counted + uncounted;
}

ExpectedPages ExpectedPagesOf(const QList<PdfCheck> &checks)
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

QString VerifyJoinedPdf(const QString &path, const QList<JoinEntry> &inputs, const QList<PdfCheck> &checks)
{
    const PdfCheck written = CheckPdf(path);
    if (written.problem != PdfProblem::None)
        return QStringLiteral("pdftk reported success, but the file it wrote is incomplete or damaged.");
    if (ExpectedPagesOf(checks).matches(written.pages))
        return QString();
    // A page tree can state a count other than the pages it holds, and pdftk
    // joins the pages that are there: only counting the pages themselves
    // tells a short result from a miscounted input.
    QList<PdfCheck> walked;
    for (const JoinEntry &input : inputs)
        walked.append(CheckPdf(input.Path, input.Password, PageCount::Walked));
    const ExpectedPages expected = ExpectedPagesOf(walked);
    const int pages = CheckPdf(path, QString(), PageCount::Walked).pages;
    if (expected.matches(pages))
        return QString();
    const int wanted = expected.counted + expected.uncounted;
    return QStringLiteral("pdftk reported success, but the file it wrote has the wrong number of pages: "
                          "%1 instead of %2%3.")
        .arg(pages)
        .arg(expected.uncounted ? QStringLiteral("at least ") : QString())
        .arg(wanted);
}

QString RefusedInputsMessage(const QList<RefusedFile> &refused)
{
    QString text = NotJoinedMessage(
        (refused.size() == 1 ? QStringLiteral("this file cannot be used.\n\n")
                             : QStringLiteral("these files cannot be used.\n\n"))
        + ListedFiles(linesOf(refused)));
    const bool protectedFile = std::any_of(refused.begin(), refused.end(), [](const RefusedFile &file) {
        return file.problem == PdfProblem::NeedsPassword;
    });
    if (protectedFile) {
        text += QStringLiteral("\n\nTo join password-protected files, tick \"Prompt for password because "
                               "PDF files are password protected\" and type each file's password when asked.");
    }
    return text;
}

QString RefusedPasswordsMessage(const QList<RefusedFile> &refused)
{
    return NotJoinedMessage(
        (refused.size() == 1 ? QStringLiteral("a password is missing or wrong.\n\n")
                             : QStringLiteral("passwords are missing or wrong.\n\n"))
        + ListedFiles(linesOf(refused)));
}

QString NotJoinedMessage(const QString &why)
{
    return QStringLiteral("The PDF files were not joined: ") + why;
}

QString ListedFiles(const QStringList &lines)
{
    QString text = lines.mid(0, kListedFiles).join(QLatin1Char('\n'));
    if (lines.size() > kListedFiles)
        text += QStringLiteral("\n… and %1 more").arg(lines.size() - kListedFiles);
    return text;
}

} // namespace corvanta
