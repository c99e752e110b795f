#pragma once

#include "join/JoinChecks.h"
#include "join/ProcessRunner.h"

#include <QProcessEnvironment>
#include <QString>

namespace corvanta {

// The pdftk to run: the one in the application folder, otherwise the one on
// PATH; "" when there is none.
QString findPdftk(const QString &appFolder);

// pdftk's environment: ours, with a UTF-8 locale so that it reads and writes
// file names that are not plain ASCII.
QProcessEnvironment pdftkEnvironment();

// How one join starts pdftk. pdftk-java spends much of a short run on its
// JVM compiling and loading classes: started as a Java program, it gets
// the JVM options that pay on small and large joins alike, and a
// class-data archive in `cacheFolder`, made by the first join that ends
// well. A stale or broken archive the JVM ignores. A native pdftk is run
// as it is.
struct PdftkStart
{
    QProcessEnvironment environment;
    QString archive;       // the archive in use or being made; "" for none
    bool makesArchive = false;

    static PdftkStart forProgram(const QString &program, const QString &cacheFolder);
    // Keeps the archive being made once pdftk has ended well, and removes
    // a half-made one otherwise.
    void settle(bool endedWell) const;
};

// Whether `program` is a script that runs pdftk on Java, as Debian's is.
bool runsOnJava(const QString &program);

// How a join ended, as far as the user needs to know.
struct JoinOutcome
{
    enum class Kind {
        Joined,
        PdftkNotFound,
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
    // The drive was full when the join failed, and how much room it needed.
    bool driveFull = false;
    qint64 spaceNeeded = 0;
    QString pdftkText; // pdftk's own messages
    QString reason;
    Verification verification;
    QString keptAs;
    // PdftkFailed without naming a file: the input pdftk fails on alone.
    QString failingInput;
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

} // namespace corvanta
