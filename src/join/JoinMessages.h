#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace corvanta {

struct InputNote;
struct JoinOutcome;
struct RefusedFile;

// Every text a join shows: its messages, questions, prompts and warnings.

// Start, before any join.
QString noFilesAddedMessage();
QString filesStillBeingAddedMessage();
QString stopRunningJoinQuestion();

// The password prompts: the title they share, the first prompt (its CR LF
// included), and the prompts again for a protected file left blank and for
// a file whose typed password was wrong.
QString passwordPromptTitle();
QString passwordPrompt(const QString &path);
QString neededPasswordPrompt(const QString &path);
QString wrongPasswordPrompt(const QString &path);

// What the error report says when the Desktop folder cannot be made: the
// folder it belongs in is missing (a drive or share that is not there), or
// the Desktop itself cannot be created.
QString desktopFolderFailureText(const QString &folder);

// The warnings that refuse a join before pdftk runs. A file refused for
// needing a password brings the advice to tick the password option.
QString checkerMissingMessage(const QString &checker);
QString refusedInputsMessage(const QList<RefusedFile> &refused);
QString refusedPasswordsMessage(const QList<RefusedFile> &refused);
QString pdftkNotFoundMessage(const QString &appFolder);
QString notEnoughSpaceMessage(qint64 needed, qint64 available, const QString &drive);

// The warning for an outcome other than Joined: what failed and pdftk's own
// words, shortened. When pdftk fails, the blame goes to what the checks
// found: the inputs they saw damaged, or a folder that cannot be written.
// `writtenPath` is shown as `outputPath`, the name the user knows.
QString joinFailureMessage(const JoinOutcome &outcome, const QStringList &damagedInputs, const QString &outputPath,
                           const QString &writtenPath);

// A join that ended well: "Done." when the result took the output's place,
// otherwise also why it could not, and where the result went; what the
// result, sound as it is, does not show as its inputs do, naming the file
// it was saved as; and the offer to open it.
QString joinSavedMessage(const QString &outputPath, const QString &savedPath, const QString &reason);
QString notesAfterJoinMessage(const QList<InputNote> &notes, const QString &savedPath);
QString openJoinedFileQuestion(const QString &outputPath);

} // namespace corvanta
