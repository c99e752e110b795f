#pragma once

#include "join/JoinChecks.h"
#include "process/ProcessRunner.h"

#include <QList>

#include <QString>

namespace corvanta {

// How a join ended, as far as the user needs to know.
struct JoinOutcome
{
    enum class Kind {
        Joined,
        PdftkNotStarted, // `reason` says why
        PdftkFailed,     // non-zero exit code
        PdftkCrashed,
        NoOutput,   // exit code 0 but no file written
        Unverified, // exit code 0 but the file is not the join; `verification` says why
        NotSaved,   // written, but no name could take it; `reason` says why, `keptAs` where it is
        Cancelled,
    };
    Kind kind = Kind::PdftkFailed;
    int exitCode = 0;
    // The drive was full when the join failed, and how much room it needed;
    // whether the output's folder could be written then.
    bool driveFull = false;
    qint64 spaceNeeded = 0;
    bool folderWritable = true;
    QString pdftkText; // pdftk's own messages
    QString reason;
    Verification verification;
    // Joined: for each input, the DocumentParts it has that the kept
    // result lacks.
    QList<quint32> lostParts;
    QString keptAs;
    // PdftkFailed without naming a file: the input pdftk fails on alone.
    QString failingInput;

    // What the check of pdftk's result found, and what each input lost.
    void verified(const Verification &found, const QList<quint32> &lost);
    // The result is sound but could not take any name: it stays at `kept`.
    void notSaved(const QString &why, const QString &kept);
};

// A line of the trace Java prints when pdftk fails inside itself: where in
// pdftk that was, which tells the user nothing.
bool isJavaStackFrame(const QString &line);

// Whether pdftk failed inside itself (Java's exit code 2, or its trace)
// rather than on a file it names.
bool failedInsidePdftk(const JoinOutcome &outcome);

// Judges a finished pdftk run that was to write `writtenPath`. Warnings that
// pdftk prints while exiting with 0 do not count against it.
JoinOutcome examineJoin(const ProcessRunner::Result &result, const QString &writtenPath);

// What pdftk said: its error stream, or where that is empty its output.
QString pdftkTextOf(const ProcessRunner::Result &result);

} // namespace corvanta
