#pragma once

#include "core/KeepGoing.h"
#include "join/JoinCommand.h"
#include "join/ProcessRunner.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvanta {

// The room one program's argument list has on this system, in the units of
// argumentListSize. On POSIX systems it is what exec() takes
// (sysconf(_SC_ARG_MAX)) less the child's `environment` and a margin for
// what a wrapper script adds; on Windows, a command line's 32,767 characters.
qsizetype argumentLimit(const QProcessEnvironment &environment);

// The room `texts` take of that limit: a program and its arguments, or on
// POSIX systems the variables of an environment, which exec() counts alike.
qsizetype argumentListSize(const QStringList &texts);

// The pdftk runs of one join, in the order they run; the last one writes
// the output.
struct JoinPlan
{
    QList<JoinProcessCommand> runs;
    // What the runs before the last write: files for the caller to remove.
    QStringList intermediateFiles;
};

// Plans a join whose argument lists each fit `limit`. When one run fits, the
// plan is exactly BuildJoinCommand's one run. Otherwise the last run
// takes as many of the last inputs as fit beside the results of batches,
// and the inputs before those are joined in consecutive batches, each with
// its own handles and passwords and written to a name from `temporaryName`
// (every name it gives must have the same length). Results too many for one
// run are joined in batches again. A limit too small for any two inputs
// gives the one run, which then fails with the system's own reason.
// `keepGoing` is asked now and then while a long list is planned; when it
// says stop, the plan comes back empty.
JoinPlan planJoin(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath,
                  qsizetype limit, const std::function<QString()> &temporaryName, const KeepGoing &keepGoing = {});

// Runs a plan's runs in order with `runner` and stops after the first that
// does not end with exit code 0. Every intermediate file is removed before
// it returns, however the runs end. The result is that of the last run that
// ran.
ProcessRunner::Result runJoinPlan(ProcessRunner &runner, const JoinPlan &plan);

} // namespace corvanta
