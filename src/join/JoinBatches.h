#pragma once

#include "core/KeepGoing.h"
#include "join/JoinCommand.h"
#include "process/ProcessRunner.h"

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

// The runs of a join whose argument lists each fit `limit`: BuildJoinCommand's
// one run where it fits, else batches of consecutive inputs, each with its
// handles from A and written to a name from `temporaryName` (all of one
// length), and a last run that joins their results with the last inputs. A
// limit too small for any two inputs gives the one run, which then fails with
// the system's reason. Empty when `keepGoing`, asked now and then, says stop.
JoinPlan planJoin(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath, qsizetype limit,
                  const std::function<QString()> &temporaryName, const KeepGoing &keepGoing = {});

// The room a join takes on the Desktop's drive: what pdftk writes is about
// as large as its inputs, batches write every page twice, and a mended copy
// (`mended`) once more. A very long list takes a while to measure, so this
// asks `keepGoing` as it goes.
qint64 spaceNeeded(const QList<JoinEntry> &inputs, const JoinPlan &plan, bool mended, const KeepGoing &keepGoing = {});

// Runs a plan's runs in order with `runner` and stops after the first that
// does not end with exit code 0. Every intermediate file is removed before
// it returns, however the runs end. The result is that of the last run that
// ran.
ProcessRunner::Result runJoinPlan(ProcessRunner &runner, const JoinPlan &plan);

} // namespace corvanta
