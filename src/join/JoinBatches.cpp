#include "join/JoinBatches.h"

#include "app/Helpers.h"

#include <QScopeGuard>

#include <algorithm>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace corvanta {

namespace {

// The room one argument takes.
qsizetype argumentSize(const QString &argument)
{
#if defined(Q_OS_WIN)
    // Quoted, with a blank after it; a quote or a backslash may need a
    // backslash of its own.
    return argument.size() + 3 + argument.count(QLatin1Char('"')) + argument.count(QLatin1Char('\\'));
#else
    // The bytes, their terminating NUL and the pointer to them.
    return argument.toLocal8Bit().size() + 1 + qsizetype(sizeof(char *));
#endif
}

// The room an entry's own arguments take in a run where it gets handle
// number `handle` if it has a password.
qsizetype entrySize(const JoinEntry &entry, int handle)
{
    if (entry.Password.isEmpty())
        return argumentSize(entry.Path);
    const QString name = JoinHandle(handle);
    qsizetype size = argumentSize(HandleFileArgument(name, entry.Path));
    for (const QString &argument : PasswordArguments(name, entry.Password))
        size += argumentSize(argument);
    return size;
}

} // namespace

qsizetype ArgumentLimit(const QProcessEnvironment &environment)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(environment);
    return 32767;
#else
    // Linux takes at most 6 MiB whatever the stack limit lets sysconf say.
    constexpr qsizetype kMostExecTakes = 6 * 1024 * 1024;
    // What a wrapper such as Debian's pdftk script adds: the interpreter,
    // the Java command and its options, a few variables.
    constexpr qsizetype kMargin = 32 * 1024;
    const long systemLimit = ::sysconf(_SC_ARG_MAX);
    qsizetype limit = systemLimit > 0 ? std::min(qsizetype(systemLimit), kMostExecTakes) : 128 * 1024;
    for (const QString &variable : environment.toStringList())
        limit -= argumentSize(variable);
    return limit - kMargin;
#endif
}

qsizetype ArgumentListSize(const QString &program, const QStringList &arguments)
{
    qsizetype size = argumentSize(program);
    for (const QString &argument : arguments)
        size += argumentSize(argument);
    return size;
}

JoinPlan PlanJoin(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath,
                  qsizetype limit, const std::function<QString()> &temporaryName)
{
    const JoinProcessCommand whole = BuildJoinProcessCommand(program, entries, outputPath);
    if (ArgumentListSize(whole.program, whole.arguments) <= limit)
        return {{whole}, {}};

    JoinPlan plan;
    QList<JoinEntry> results;
    qsizetype lastFirst = 0;
    for (qsizetype first = 0; first < entries.size();) {
        lastFirst = first;
        const QString result = temporaryName();
        qsizetype size = ArgumentListSize(program, TargetArguments(result));
        qsizetype end = first;
        int handles = 0;
        // At least one input per batch, however long its path.
        for (; end < entries.size(); ++end) {
            const JoinEntry &entry = entries.at(end);
            const qsizetype more = entrySize(entry, handles);
            if (end > first && size + more > limit)
                break;
            size += more;
            if (!entry.Password.isEmpty())
                ++handles;
        }
        plan.runs.append(BuildJoinProcessCommand(program, entries.mid(first, end - first), result));
        plan.intermediateFiles.append(result);
        results.append({result, QString()});
        first = end;
    }
    if (results.size() >= entries.size())
        return {{whole}, {}};

    // The last batch's inputs go straight into the last run when they fit
    // there: one pdftk run less, and their pages are copied once.
    const QList<JoinEntry> lastRun = results.mid(0, results.size() - 1) + entries.mid(lastFirst);
    const JoinProcessCommand last = BuildJoinProcessCommand(program, lastRun, outputPath);
    if (ArgumentListSize(last.program, last.arguments) <= limit) {
        plan.runs.last() = last;
        plan.intermediateFiles.removeLast();
        return plan;
    }

    const JoinPlan rest = PlanJoin(program, results, outputPath, limit, temporaryName);
    plan.runs += rest.runs;
    plan.intermediateFiles += rest.intermediateFiles;
    return plan;
}

ProcessRunner::Result RunJoinPlan(ProcessRunner &runner, const JoinPlan &plan)
{
    const auto removeIntermediates = qScopeGuard([&plan] {
        for (const QString &file : plan.intermediateFiles)
            DeleteFileQuietly(file);
    });
    ProcessRunner::Result result;
    for (const JoinProcessCommand &run : plan.runs) {
        result = runner.run(run.program, run.arguments, kHiddenWindow);
        if (result.ending != ProcessRunner::Ending::Exited || result.code != 0)
            break;
    }
    return result;
}

} // namespace corvanta
