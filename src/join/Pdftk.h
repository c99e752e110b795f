#pragma once

#include "join/JoinBatches.h"
#include "process/ProcessRunner.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include <functional>

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
// well where the folder has room for it. That lean start may only ever
// save time: a run that fails with it is run again as pdftk typed by hand
// runs, and where that one joins, the lean start is given up until pdftk or
// Java changes. A native pdftk is run as it is. Either way pdftk runs in a
// folder of Corvanta's own, so that nothing Java leaves behind (a crash
// log) lands where the user works.
struct PdftkStart
{
    QProcessEnvironment environment;      // of the first run: lean where it can be
    QProcessEnvironment plainEnvironment; // as typed by hand: no options of ours
    QString workingFolder;
    QString archive;   // where this pdftk's archive belongs; "" when nowhere
    bool lean = false; // whether `environment` holds options of ours
    bool makesArchive = false;

    static PdftkStart forProgram(const QString &program, const QString &cacheFolder);
    // After the runs with `environment`: keeps the archive being made once
    // pdftk has ended well, and removes a half-made one otherwise.
    void settle(bool endedWell) const;
    // After a lean run failed where the plain one joined: no options of
    // ours, and no archive, for this pdftk and this Java from now on.
    void giveUpLean() const;
    // Removes what the JVM left in the working folder.
    void tidy() const;
};

// Whether `program` is a script that runs pdftk on Java, as Debian's is.
bool runsOnJava(const QString &program);

// The runs of `plan`, the first started as `start` says. Where they fail
// started lean, they run once more as pdftk typed by hand runs, with no
// options of ours, and only that ending counts; should it join, the lean
// start is given up. `runner` starts any later run as it started the last.
// `written` is what the plan's last run writes.
ProcessRunner::Result runPdftkPlan(ProcessRunner &runner, const JoinPlan &plan, const PdftkStart &start,
                                   const QString &written, const std::function<bool()> &stopped);

// The input pdftk fails on alone, for a run whose failure names no file,
// and what pdftk said of it: each input, the first 20 at most, is given to
// pdftk alone, each writing to a name `probeName` gives. Empty when each
// of them joins alone, or `stopped` says stop.
struct FailingInput
{
    QString path;
    QString pdftkText;
};
FailingInput findFailingInput(ProcessRunner &runner, const QString &program, const QList<JoinEntry> &inputs,
                              const std::function<QString()> &probeName, const PdftkStart &start,
                              const std::function<bool()> &stopped);

} // namespace corvanta
