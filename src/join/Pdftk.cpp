#include "join/Pdftk.h"

#include "app/Helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace corvanta {

namespace {

constexpr int kQuoteLines = 12;
constexpr int kQuoteChars = 700;

const QString kNotJoined = QStringLiteral("The PDF files were not joined: ");

// pdftk says this whenever a password is given on its command line; it is
// advice about its own prompt, not about the join.
bool isPasswordAdvice(const QString &line)
{
    return line.startsWith(QLatin1String("Warning: Using a password on the command line"))
        || line.startsWith(QLatin1String("Use the keyword PROMPT"));
}

QString quotedPdftkText(const JoinOutcome &outcome, const QString &outputPath,
                        const QString &writtenPath)
{
    QString text = outcome.pdftkText;
    if (!writtenPath.isEmpty())
        text.replace(writtenPath, outputPath);
    QStringList kept;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QString clean = line;
        clean.remove(QLatin1Char('\r'));
        if (!isPasswordAdvice(clean))
            kept.append(clean);
    }
    const QString shortened = ShortenedText(kept.join(QLatin1Char('\n')).trimmed(), kQuoteLines, kQuoteChars);
    if (shortened.isEmpty())
        return QString();
    return QStringLiteral("\n\npdftk reported:\n") + shortened;
}

// The path among `candidates` that pdftk names on a line of its own.
QString namedPath(const QString &text, const QStringList &candidates)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        for (const QString &candidate : candidates) {
            if (!candidate.isEmpty() && trimmed == candidate.trimmed())
                return candidate;
        }
    }
    return QString();
}

std::filesystem::path fileSystemPath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

QString FindPdftk(const QString &appFolder)
{
    const QString name = QStringLiteral("pdftk");
    if (!appFolder.isEmpty()) {
        const QString bundled = QStandardPaths::findExecutable(name, {appFolder});
        if (!bundled.isEmpty())
            return QDir::toNativeSeparators(bundled);
    }
    return QDir::toNativeSeparators(QStandardPaths::findExecutable(name));
}

QProcessEnvironment PdftkEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

QString TemporaryOutputPath(const QString &outputPath)
{
    const qsizetype cut = std::max(outputPath.lastIndexOf(QLatin1Char('/')),
                                   outputPath.lastIndexOf(QDir::separator()));
    const QString folder = outputPath.left(cut + 1);
    const QString name = outputPath.mid(cut + 1);
    QString candidate;
    do {
        const QString tag = QString::number(QRandomGenerator::global()->generate64(), 36);
        candidate = folder + QLatin1Char('.') + name + QLatin1Char('.') + tag + QLatin1String(".part");
    } while (QFileInfo::exists(candidate));
    return candidate;
}

QString ReplaceFile(const QString &source, const QString &target)
{
    std::error_code error;
    std::filesystem::rename(fileSystemPath(source), fileSystemPath(target), error);
    return error ? QString::fromStdString(error.message()) : QString();
}

JoinOutcome ExamineJoin(const ProcessRunner::Result &result, const QString &writtenPath)
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

QString JoinFailureMessage(const JoinOutcome &outcome, const QStringList &inputs,
                           const QString &outputPath, const QString &writtenPath,
                           const QString &appFolder, bool passwordsAsked)
{
    const QString quote = quotedPdftkText(outcome, outputPath, writtenPath);
    switch (outcome.kind) {
    case JoinOutcome::Kind::Joined:
    case JoinOutcome::Kind::Cancelled:
        return QString();
    case JoinOutcome::Kind::PdftkNotFound:
        return kNotJoined + QStringLiteral("pdftk was not found.\n\n")
            + QStringLiteral("Corvanta looks for pdftk in its own folder (%1) and on the PATH.\n")
                  .arg(appFolder)
            + QStringLiteral("To install it on Debian or Ubuntu: sudo apt install pdftk-java");
    case JoinOutcome::Kind::PdftkNotStarted:
        return kNotJoined + QStringLiteral("pdftk could not be started.\n\n") + outcome.reason;
    case JoinOutcome::Kind::PdftkCrashed:
        return kNotJoined + QStringLiteral("pdftk stopped unexpectedly.") + quote;
    case JoinOutcome::Kind::NoOutput:
        return kNotJoined + QStringLiteral("pdftk reported success but wrote no file.") + quote;
    case JoinOutcome::Kind::NotSaved:
        return QStringLiteral("The PDF files were joined, but the result could not be saved as\n%1\n\n%2")
            .arg(outputPath, outcome.reason);
    case JoinOutcome::Kind::PdftkFailed:
        break;
    }

    QString text = outcome.pdftkText;
    if (!writtenPath.isEmpty())
        text.replace(writtenPath, outputPath);
    const QString input = namedPath(text, inputs);
    if (!input.isEmpty()) {
        QString hint;
        if (text.contains(QLatin1String("PASSWORD"), Qt::CaseInsensitive)) {
            hint = passwordsAsked
                ? QStringLiteral("\n\nCheck the password typed for this file.")
                : QStringLiteral("\n\nIf this file is password protected, tick \"Prompt for password "
                                 "because PDF files are password protected\" and type its password "
                                 "when asked.");
        }
        return kNotJoined + QStringLiteral("pdftk could not read this file:\n") + input + hint + quote;
    }
    if (!namedPath(text, {outputPath}).isEmpty())
        return kNotJoined + QStringLiteral("pdftk could not write the joined file:\n") + outputPath + quote;
    return kNotJoined + QStringLiteral("pdftk ended with exit code %1.").arg(outcome.exitCode) + quote;
}

QString ShortenedText(const QString &text, int maxLines, int maxChars)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    bool cut = false;
    if (lines.size() > maxLines) {
        lines = lines.mid(0, maxLines);
        cut = true;
    }
    QString result = lines.join(QLatin1Char('\n'));
    if (result.size() > maxChars) {
        result.truncate(maxChars);
        cut = true;
    }
    if (cut)
        result = result.trimmed() + QStringLiteral(" …");
    return result;
}

} // namespace corvanta
