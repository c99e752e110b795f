#pragma once

#include "join/JoinCommand.h"
#include "join/ProcessRunner.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvanta {

// The room one program's argument list has on this system, in the units of
// ArgumentListSize. On POSIX systems it is what exec() takes
// (sysconf(_SC_ARG_MAX)) less the child's `environment` and a margin for
// what a wrapper script adds; on Windows, a command line's 32,767 characters.
qsizetype ArgumentLimit(const QProcessEnvironment &environment);

// The room `program` and `arguments` take of that limit.
qsizetype ArgumentListSize(const QString &program, const QStringList &arguments);

// The pdftk runs of one join, in the order they run; the last one writes
// the output.
struct JoinPlan
{
    QList<JoinProcessCommand> runs;
    // What the runs before the last write: files for the caller to remove.
    QStringList intermediateFiles;
};

// Plans a join whose argument lists each fit `limit`. When one run fits, the
// plan is exactly BuildJoinProcessCommand's one run. Otherwise consecutive
// inputs from the start are joined in batches, each with its own handles and
// passwords and written to a name from `temporaryName`, and a last run joins
// the batch results and as many of the last inputs as fit beside them, in
// list order. Results too many for one run are joined in batches again. A
// limit too small for any two inputs gives the one run, which then fails
// with the system's own reason. `yield` is called now and then while a long
// list is planned, so that the window can process its events; planning goes
// on whatever it answers.
JoinPlan PlanJoin(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath,
                  qsizetype limit, const std::function<QString()> &temporaryName,
                  const std::function<bool()> &yield = {});

// Runs a plan's runs in order with `runner` and stops after the first that
// does not end with exit code 0. Every intermediate file is removed before
// it returns, however the runs end. The result is that of the last run that
// ran.
ProcessRunner::Result RunJoinPlan(ProcessRunner &runner, const JoinPlan &plan);

} // namespace corvanta
