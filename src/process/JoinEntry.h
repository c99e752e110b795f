#pragma once

#include "check/PdfCheck.h"

#include <QString>

#include <utility>

namespace corvanta {

// One file for the checkers to read, and what they found. Above all an
// input of a join, carried from the list through the checks and the prompts
// to pdftk and the check of the result: its path exactly as the list holds
// it, the password typed for it ("" when none was typed or no prompt was
// shown; a password of blanks is still a password), and what the last look
// at the file found. A listed file read ahead of Start, and a joined
// result, are files to read too, without a password.
struct JoinEntry
{
    JoinEntry() = default;
    JoinEntry(QString path, QString password)
        : Path(std::move(path))
        , Password(std::move(password))
    {
    }

    QString Path;
    QString Password;
    PdfCheck check;
};

} // namespace corvanta
