#pragma once

#include <QString>

namespace corvanta {

// A fresh, hidden name in the output's folder for pdftk to write to:
// ".joined.pdf.<this program's process id>.<16 hex digits>.part". Nothing
// is created; the name only has to be unused. Every name it gives for one
// output has the same length.
QString temporaryOutputPath(const QString &outputPath);

// Removes the temporary files beside `outputPath` that a program killed
// mid-join left behind: those whose owner process no longer runs. The files
// of a program still running are never touched.
void removeLeftovers(const QString &outputPath);

// Marks the file pdftk wrote as hidden where a leading dot does not.
void hideTemporaryFile(const QString &path);

// Where a finished join was saved, or why it could not be.
struct SavedFile
{
    QString path; // the name used, in the form of the output path; "" when none
    // The system's reason why the output path could not be taken, or, when
    // `path` is "", why no name could.
    QString error;
};

// Puts the finished result `written` in the place of `outputPath` in one
// rename or, where that place cannot be taken, under the first free name
// beside it ("joined (2).pdf", …) without replacing any file there. The
// result is never removed: when no name takes it, it stays where it was
// written. `error` keeps the first reason, why `outputPath` could not be
// replaced.
SavedFile saveJoinedFile(const QString &written, const QString &outputPath);

} // namespace corvanta
