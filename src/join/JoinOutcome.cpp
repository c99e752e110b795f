#include "join/JoinOutcome.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace corvanta {

bool isJavaStackFrame(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1String("at ")) || trimmed.startsWith(QLatin1String("Caused by:"))
        || (trimmed.startsWith(QLatin1String("...")) && trimmed.endsWith(QLatin1String("more")));
}

bool failedInsidePdftk(const JoinOutcome &outcome)
{
    if (outcome.kind != JoinOutcome::Kind::PdftkFailed)
        return false;
    const QStringList lines = outcome.pdftkText.split(QLatin1Char('\n'));
    return outcome.exitCode == 2 || std::any_of(lines.cbegin(), lines.cend(), isJavaStackFrame);
}

QString pdftkTextOf(const ProcessRunner::Result &result)
{
    const QString error = QString::fromUtf8(result.standardError).trimmed();
    return error.isEmpty() ? QString::fromUtf8(result.standardOutput).trimmed() : error;
}

void JoinOutcome::verified(const Verification &found, const QList<quint32> &lost)
{
    verification = found;
    lostParts = lost;
    if (found.finding == Verification::Finding::Stopped)
        kind = Kind::Cancelled;
    else if (found.finding != Verification::Finding::Sound)
        kind = Kind::Unverified;
}

void JoinOutcome::notSaved(const QString &why, const QString &kept)
{
    kind = Kind::NotSaved;
    reason = why;
    keptAs = kept;
}

JoinOutcome examineJoin(const ProcessRunner::Result &result, const QString &writtenPath)
{
    JoinOutcome outcome;
    outcome.exitCode = result.code;
    outcome.pdftkText = pdftkTextOf(result);
    switch (result.ending) {
    case ProcessRunner::Ending::Cancelled:
        outcome.kind = JoinOutcome::Kind::Cancelled;
        break;
    case ProcessRunner::Ending::FailedToStart:
        outcome.kind = JoinOutcome::Kind::PdftkNotStarted;
        outcome.reason = result.errorString;
        break;
    case ProcessRunner::Ending::Crashed:
        outcome.kind = JoinOutcome::Kind::PdftkCrashed;
        break;
    case ProcessRunner::Ending::Exited:
        if (result.code != 0)
            outcome.kind = JoinOutcome::Kind::PdftkFailed;
        else if (!QFileInfo(writtenPath).isFile())
            outcome.kind = JoinOutcome::Kind::NoOutput;
        else
            outcome.kind = JoinOutcome::Kind::Joined;
        break;
    }
    return outcome;
}

} // namespace corvanta
