#include "join/Pdftk.h"

#include "app/Helpers.h"
#include "join/JoinChecks.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace corvanta {

namespace {

constexpr int kQuoteLines = 12;
constexpr int kQuoteChars = 700;

#ifdef Q_OS_WIN
// Only the program itself: a pdftk.bat or pdftk.cmd would run through
// cmd.exe, which parses the arguments again, so a path or a password could
// be taken apart or run as a command.
const QString kPdftkName = QStringLiteral("pdftk.exe");
#else
const QString kPdftkName = QStringLiteral("pdftk");
#endif

// pdftk says this whenever a password is given on its command line; it is
// advice about its own prompt, not about the join. Its closing "Done." would
// read as success in a warning.
bool isPdftkChatter(const QString &line)
{
    return line.startsWith(QLatin1String("Warning: Using a password on the command line"))
        || line.startsWith(QLatin1String("Use the keyword PROMPT"))
        || line.startsWith(QLatin1String("Done."));
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
        if (!isPdftkChatter(clean))
            kept.append(clean);
    }
    const QString shortened = ShortenedText(kept.join(QLatin1Char('\n')).trimmed(), kQuoteLines, kQuoteChars);
    if (shortened.isEmpty())
        return QString();
    return QStringLiteral("\n\npdftk reported:\n") + shortened;
}

// Elsewhere the leading dot of the temporary name hides it.
#ifdef Q_OS_WIN
void setHiddenAttribute(const QString &path, bool hidden)
{
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    DWORD wanted = hidden ? attributes | FILE_ATTRIBUTE_HIDDEN : attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN);
    if (wanted == 0)
        wanted = FILE_ATTRIBUTE_NORMAL;
    if (wanted != attributes)
        SetFileAttributesW(name.c_str(), wanted);
}
#else
void setHiddenAttribute(const QString &, bool) {}
#endif

} // namespace

QString FindPdftk(const QString &appFolder)
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

QString PdftkInstallHint()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("Put pdftk.exe in Corvanta's folder, or install pdftk and add its folder to the PATH.");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("To install it with Homebrew: brew install pdftk-java");
#else
    const QString system = QSysInfo::productType();
    if (system == QLatin1String("debian") || system == QLatin1String("ubuntu"))
        return QStringLiteral("To install it on Debian or Ubuntu: sudo apt install pdftk-java");
    return QStringLiteral("Install the package pdftk-java (or pdftk) with your system's package manager.");
#endif
}

QProcessEnvironment PdftkEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

OutputPathParts SplitOutputPath(const QString &outputPath)
{
    const qsizetype cut = std::max(outputPath.lastIndexOf(QLatin1Char('/')),
                                   outputPath.lastIndexOf(QDir::separator()));
    return {outputPath.left(cut + 1), outputPath.mid(cut + 1)};
}

QString TemporaryOutputPath(const QString &outputPath)
{
    const OutputPathParts parts = SplitOutputPath(outputPath);
    QString candidate;
    do {
        const QString tag = QString::number(QRandomGenerator::global()->generate64(), 36);
        candidate = parts.folder + QLatin1Char('.') + parts.name + QLatin1Char('.') + tag + QLatin1String(".part");
    } while (QFileInfo::exists(candidate));
    return candidate;
}

void HideTemporaryFile(const QString &path)
{
    setHiddenAttribute(path, true);
}

QString ReplaceFile(const QString &source, const QString &target)
{
    // The hidden attribute would go with the file to its new name.
    setHiddenAttribute(source, false);
#ifdef Q_OS_WIN
    // std::filesystem's reasons come out garbled or as a bare "I/O error" here.
    const QString from = QDir::toNativeSeparators(source);
    const QString to = QDir::toNativeSeparators(target);
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()), reinterpret_cast<LPCWSTR>(to.utf16()),
                    MOVEFILE_REPLACE_EXISTING))
        return QString();
    return qt_error_string(int(GetLastError()));
#else
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(source.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), error);
    return error ? QString::fromStdString(error.message()) : QString();
#endif
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

QString JoinFailureMessage(const JoinOutcome &outcome, const QStringList &damagedInputs,
                           const QString &outputPath, const QString &writtenPath, const QString &appFolder)
{
    const QString quote = quotedPdftkText(outcome, outputPath, writtenPath);
    switch (outcome.kind) {
    case JoinOutcome::Kind::Joined:
    case JoinOutcome::Kind::Cancelled:
        return QString();
    case JoinOutcome::Kind::PdftkNotFound:
        return NotJoinedMessage(QStringLiteral("pdftk was not found.\n\n")
                                + QStringLiteral("Corvanta looks for pdftk in its own folder (%1) and on the PATH.\n")
                                      .arg(appFolder)
                                + PdftkInstallHint());
    case JoinOutcome::Kind::PdftkNotStarted:
        return NotJoinedMessage(QStringLiteral("pdftk could not be started.\n\n") + outcome.reason);
    case JoinOutcome::Kind::PdftkCrashed:
        return NotJoinedMessage(QStringLiteral("pdftk stopped unexpectedly.") + quote);
    case JoinOutcome::Kind::NoOutput:
        return NotJoinedMessage(QStringLiteral("pdftk reported success but wrote no file.") + quote);
    case JoinOutcome::Kind::Unverified:
        return NotJoinedMessage(outcome.reason);
    case JoinOutcome::Kind::NotSaved:
        return QStringLiteral("The PDF files were joined, but the result could not be saved as\n%1\n\n%2")
            .arg(outputPath, outcome.reason);
    case JoinOutcome::Kind::PdftkFailed:
        break;
    }
    if (!damagedInputs.isEmpty()) {
        return NotJoinedMessage((damagedInputs.size() == 1
                                     ? QStringLiteral("pdftk could not repair this damaged file:\n")
                                     : QStringLiteral("pdftk could not repair these damaged files:\n"))
                                + ListedFiles(damagedInputs) + quote);
    }
    if (!QFileInfo(QFileInfo(writtenPath).absolutePath()).isWritable())
        return NotJoinedMessage(QStringLiteral("the joined file cannot be written to this folder:\n") + outputPath + quote);
    return NotJoinedMessage(QStringLiteral("pdftk ended with exit code %1.").arg(outcome.exitCode) + quote);
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
