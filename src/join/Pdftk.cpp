#include "join/Pdftk.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace corvanta {

namespace {

#ifdef Q_OS_WIN
// Only the program itself: a pdftk.bat or pdftk.cmd would run through
// cmd.exe, which parses the arguments again, so a path or a password could
// be taken apart or run as a command.
const QString kPdftkName = QStringLiteral("pdftk.exe");
#else
const QString kPdftkName = QStringLiteral("pdftk");
#endif

} // namespace

QString findPdftk(const QString &appFolder)
{
    QStringList folders{appFolder};
    folders += qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QFileInfo program(QDir(folder).filePath(kPdftkName));
        if (program.isFile() && program.isExecutable())
            return QDir::toNativeSeparators(program.absoluteFilePath());
    }
    return QString();
}

QProcessEnvironment pdftkEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

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

JoinOutcome examineJoin(const ProcessRunner::Result &result, const QString &writtenPath)
{
    JoinOutcome outcome;
    outcome.exitCode = result.code;
    outcome.pdftkText = QString::fromUtf8(result.standardError).trimmed();
    if (outcome.pdftkText.isEmpty())
        outcome.pdftkText = QString::fromUtf8(result.standardOutput).trimmed();
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
