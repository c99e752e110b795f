#pragma once

#include <QString>

namespace corvanta {

// Where a finished join was saved, or why it could not be.
struct SavedFile
{
    QString path;  // the name used, in the form of the output path; "" when none
    // The system's reason why the output path could not be taken, or, when
    // `path` is "", why no name could.
    QString error;
};

// Puts the finished result `written` in the place of `outputPath` in one
// rename. When that place cannot be taken (a folder of that name, a file
// that another program holds open), the result goes beside it under the
// first free name "joined (2).pdf", "joined (3).pdf", …; a file already there
// is never replaced. The result itself is never removed: when no name can be
// used it stays where it was written.
SavedFile SaveJoinedFile(const QString &written, const QString &outputPath);

} // namespace corvanta
