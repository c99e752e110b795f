#pragma once

#include "join/ProcessRunner.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace corvanta {

// The pdftk to run: the one in the application folder, otherwise the one on
// PATH; "" when there is none.
QString FindPdftk(const QString &appFolder);

// How to get pdftk on this system, in one sentence.
QString PdftkInstallHint();

// pdftk's environment: ours, with a UTF-8 locale so that it reads and writes
// file names that are not plain ASCII.
QProcessEnvironment PdftkEnvironment();

// An output path cut before its file name: the folder part exactly as the
// path has it, separators and all, and the name.
struct OutputPathParts
{
    QString folder;
    QString name;
};
OutputPathParts SplitOutputPath(const QString &outputPath);

// A fresh, hidden name in the output's folder for pdftk to write to. Nothing
// is created; the name only has to be unused.
QString TemporaryOutputPath(const QString &outputPath);

// Marks the file pdftk wrote as hidden where a leading dot does not.
void HideTemporaryFile(const QString &path);

// Puts `source` in the place of `target` in one rename, replacing a file
// that is there. Returns "" on success, otherwise the system's reason.
QString ReplaceFile(const QString &source, const QString &target);

// How a join ended, as far as the user needs to know.
struct JoinOutcome
{
    enum class Kind {
        Joined,
        PdftkNotFound,
        PdftkNotStarted, // `reason` says why
        PdftkFailed,     // non-zero exit code
        PdftkCrashed,
        NoOutput,        // exit code 0 but no file written
        Unverified,      // exit code 0 but the file is not the join; `reason` says why
        NotSaved,        // written, but could not replace the output; `reason` says why
        Cancelled,
    };
    Kind kind = Kind::PdftkFailed;
    int exitCode = 0;
    QString pdftkText; // pdftk's own messages
    QString reason;
};

// Judges a finished pdftk run that was to write `writtenPath`. Warnings that
// pdftk prints while exiting with 0 do not count against it.
JoinOutcome ExamineJoin(const ProcessRunner::Result &result, const QString &writtenPath);

// The warning for an outcome other than Joined: what failed and pdftk's own
// words, shortened. When pdftk fails, the blame goes to what the checks
// found: the inputs they saw damaged, or a folder that cannot be written.
// `writtenPath` is shown as `outputPath`, the name the user knows.
QString JoinFailureMessage(const JoinOutcome &outcome, const QStringList &damagedInputs,
                           const QString &outputPath, const QString &writtenPath,
                           const QString &appFolder);

// At most `maxLines` lines and `maxChars` characters of `text`, with "…"
// where it was cut.
QString ShortenedText(const QString &text, int maxLines, int maxChars);

} // namespace corvanta
