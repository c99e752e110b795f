#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace corvanta {

struct InputNote;
struct JoinOutcome;
struct RefusedFile;

// Every text a join shows: its messages, questions and warnings.

QString noFilesAddedMessage();
QString doneMessage();
QString openJoinedFileQuestion(const QString &outputPath);
QString stopRunningJoinQuestion();
QString filesStillBeingAddedMessage();
// "Done." when the result took the output's place; otherwise also why it could
// not, and where the result went.
QString joinSavedMessage(const QString &outputPath, const QString &savedPath, const QString &reason);

// The password prompt's title and text, its CR LF included.
QString passwordPromptTitle();
QString passwordPrompt(const QString &path);

// The warning when the program that checks PDF files is not where it belongs.
QString checkerMissingMessage(const QString &checker);
// The warning when the Desktop's drive has less room than the join needs.
QString notEnoughSpaceMessage(qint64 needed, qint64 available, const QString &drive);

// What the error report says when the Desktop folder cannot be made.
QString cannotCreateFolderText(const QString &folder);

// The warnings that refuse a join before pdftk runs. A file refused for
// needing a password brings the advice to tick the password option.
QString refusedInputsMessage(const QList<RefusedFile> &refused);
QString refusedPasswordsMessage(const QList<RefusedFile> &refused);

// The warning for an outcome other than Joined: what failed and pdftk's own
// words, shortened. When pdftk fails, the blame goes to what the checks
// found: the inputs they saw damaged, or a folder that cannot be written.
// `writtenPath` is shown as `outputPath`, the name the user knows.
QString joinFailureMessage(const JoinOutcome &outcome, const QStringList &damagedInputs, const QString &outputPath,
                           const QString &writtenPath);
// The warning when no pdftk is found, with where it was looked for.
QString pdftkNotFoundMessage(const QString &appFolder);

// What the joined file, sound as it is, does not show as its inputs do:
// parts pdftk left behind, pages that could not be checked. Shown after
// "Done.", naming the file the join was saved as.
QString notesAfterJoinMessage(const QList<InputNote> &notes, const QString &savedPath);

// How to get pdftk on this system, in one sentence.
QString pdftkInstallHint();

// Every warning of a join that fails starts the same way.
QString notJoinedMessage(const QString &why);

// One line per file, the first ten of them, then "… and N more".
QString listedFiles(const QStringList &lines);

// At most `maxLines` lines and `maxChars` characters of `text`, with "…"
// where it was cut.
QString shortenedText(const QString &text, int maxLines, int maxChars);

// What the error report says when the Desktop folder cannot be made: the
// folder it belongs in is missing (a drive or share that is not there), or
// the Desktop itself cannot be created.
QString desktopFolderFailureText(const QString &folder);

// The password prompt again, for a file whose typed password was wrong.
QString wrongPasswordPrompt(const QString &path);
// The password prompt again, for a protected file whose box was left blank.
QString neededPasswordPrompt(const QString &path);

} // namespace corvanta
