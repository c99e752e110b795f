#include "join/JoinBatches.h"

#include "core/Files.h"
#include "join/SaveResult.h"

#include <QScopeGuard>

#include <algorithm>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#else
#include <QFileInfo>
#include <QTimer>
#endif

namespace corvanta {

namespace {

#ifdef Q_OS_WIN
// How often a run looks whether pdftk has made its output yet.
constexpr int kHideWatchMilliseconds = 10;
#endif

// The room one argument takes.
qsizetype argumentSize(const QString &argument)
{
#if defined(Q_OS_WIN)
    // Quoted, with a blank after it; a quote or a backslash may need a
    // backslash of its own.
    return argument.size() + 3 + argument.count(QLatin1Char('"')) + argument.count(QLatin1Char('\\'));
#else
    // The bytes in UTF-8 (which QProcess passes), their terminating NUL and
    // the pointer to them; counted without making the bytes, since a long
    // list is measured whole.
    qsizetype bytes = argument.size();
    for (const QChar c : argument) {
        const char16_t unit = c.unicode();
        if (unit >= 0x80)
            bytes += unit < 0x800 || c.isSurrogate() ? 1 : 2;
    }
    return bytes + 1 + qsizetype(sizeof(char *));
#endif
}

// The room a token takes as an argument.
qsizetype tokenSize(const JoinToken &token)
{
    return argumentSize(token.argument());
}

// The room each entry's tokens take in any run of a plan: its path and, for
// a protected file, the keyword and the password, with the widest handle the
// list can need. A batch numbers its handles from A, so none is wider.
QList<qsizetype> entryCosts(const QList<JoinEntry> &entries, const KeepGoing &keepGoing)
{
    int protectedFiles = 0;
    for (const JoinEntry &entry : entries)
        protectedFiles += entry.Password.isEmpty() ? 0 : 1;
    const int widestHandle = std::max(protectedFiles - 1, 0);
    QList<qsizetype> costs;
    costs.reserve(entries.size());
    for (const JoinEntry &entry : entries) {
        if (costs.size() % 4096 == 0 && !goesOn(keepGoing))
            return {};
        qsizetype cost = 0;
        forEachJoinToken(
            {entry}, QString(), [&cost](const JoinToken &token) { cost += tokenSize(token); }, widestHandle);
        costs.append(cost);
    }
    return costs;
}

// The room a single run of every entry takes, or -1 when keepGoing stops
// the measuring, which takes a while for a very long list.
qsizetype oneRunSize(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath,
                     const KeepGoing &keepGoing)
{
    qsizetype size = argumentSize(program);
    qsizetype tokens = 0;
    bool stopped = false;
    forEachJoinToken(entries, outputPath, [&](const JoinToken &token) {
        size += tokenSize(token);
        if (++tokens % 4096 == 0 && !stopped)
            stopped = !goesOn(keepGoing);
    });
    return stopped ? -1 : size;
}

// The room the target "cat output <path>" takes.
qsizetype targetSize(const QString &outputPath)
{
    qsizetype size = 0;
    forEachJoinToken({}, outputPath, [&size](const JoinToken &token) { size += tokenSize(token); });
    return size;
}

// Splits the inputs before `end` into consecutive batches of at least one
// input whose costs fit `room`, and returns where each batch ends.
QList<qsizetype> batchEnds(const QList<qsizetype> &costs, qsizetype end, qsizetype room)
{
    QList<qsizetype> ends;
    qsizetype used = 0;
    for (qsizetype next = 0; next < end; ++next) {
        if (next > 0 && used + costs.at(next) > room) {
            ends.append(next);
            used = 0;
        }
        used += costs.at(next);
    }
    if (end > 0)
        ends.append(end);
    return ends;
}

// The runs that join each batch (ending at `ends`) into a name of its own.
// Empty when keepGoing stops it.
JoinPlan batchRuns(const QString &program, const QList<JoinEntry> &entries, const QList<qsizetype> &ends,
                   QStringList names, const std::function<QString()> &temporaryName, const KeepGoing &keepGoing)
{
    JoinPlan plan;
    qsizetype first = 0;
    for (qsizetype batch = 0; batch < ends.size(); ++batch) {
        if (!goesOn(keepGoing))
            return {};
        if (batch == names.size())
            names.append(temporaryName());
        plan.runs.append(BuildJoinCommand(program, entries.mid(first, ends.at(batch) - first), names.at(batch)));
        plan.intermediateFiles.append(names.at(batch));
        first = ends.at(batch);
    }
    return plan;
}

// The batch results of `plan`, as inputs of a later run.
QList<JoinEntry> resultsOf(const JoinPlan &plan)
{
    QList<JoinEntry> results;
    for (const QString &file : plan.intermediateFiles)
        results.append({file, QString()});
    return results;
}

} // namespace

qsizetype argumentLimit(const QProcessEnvironment &environment)
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
    const qsizetype limit = systemLimit > 0 ? std::min(qsizetype(systemLimit), kMostExecTakes) : 128 * 1024;
    return limit - argumentListSize(environment.toStringList()) - kMargin;
#endif
}

qsizetype argumentListSize(const QStringList &texts)
{
    qsizetype size = 0;
    for (const QString &text : texts)
        size += argumentSize(text);
    return size;
}

JoinPlan planJoin(const QString &program, const QList<JoinEntry> &entries, const QString &outputPath, qsizetype limit,
                  const std::function<QString()> &temporaryName, const KeepGoing &keepGoing)
{
    const auto oneRun = [&] { return JoinPlan{{BuildJoinCommand(program, entries, outputPath)}, {}}; };
    const qsizetype wholeSize = oneRunSize(program, entries, outputPath, keepGoing);
    if (wholeSize < 0)
        return {};
    if (wholeSize <= limit)
        return oneRun();
    const QList<qsizetype> costs = entryCosts(entries, keepGoing);
    if (costs.size() != entries.size())
        return {};

    const QStringList firstName{temporaryName()};
    const qsizetype programSize = argumentSize(program);
    const qsizetype nameSize = argumentSize(firstName.first());
    const qsizetype batchRoom = limit - programSize - targetSize(firstName.first());
    // Every page in a batch is copied twice, so the last run takes as many
    // of the last inputs as fit beside the batch results. How many results
    // there are decides that room, and the room how many results there are:
    // the count only grows until both agree.
    for (qsizetype results = 1;;) {
        qsizetype room = limit - programSize - targetSize(outputPath) - results * nameSize;
        if (room < 0)
            break;
        qsizetype split = entries.size();
        while (split > 0 && costs.at(split - 1) <= room)
            room -= costs.at(--split);
        const QList<qsizetype> ends = batchEnds(costs, split, batchRoom);
        if (ends.size() <= results) {
            JoinPlan plan = batchRuns(program, entries, ends, firstName, temporaryName, keepGoing);
            if (plan.runs.isEmpty())
                return {};
            plan.runs.append(BuildJoinCommand(program, resultsOf(plan) + entries.mid(split), outputPath));
            return plan;
        }
        results = ends.size();
    }

    // Not even the results fit one run: they are joined in batches again.
    const QList<qsizetype> ends = batchEnds(costs, entries.size(), batchRoom);
    if (ends.size() >= entries.size())
        return oneRun();
    JoinPlan plan = batchRuns(program, entries, ends, firstName, temporaryName, keepGoing);
    if (plan.runs.isEmpty())
        return {};
    const JoinPlan rest = planJoin(program, resultsOf(plan), outputPath, limit, temporaryName, keepGoing);
    if (rest.runs.isEmpty())
        return {};
    plan.runs += rest.runs;
    plan.intermediateFiles += rest.intermediateFiles;
    return plan;
}

qint64 spaceNeeded(const QList<JoinEntry> &inputs, const JoinPlan &plan, bool mended, const KeepGoing &keepGoing)
{
    qint64 bytes = 0;
    for (qsizetype i = 0; i < inputs.size() && goesOn(keepGoing); ++i)
        bytes += QFileInfo(inputs.at(i).Path).size();
    return bytes * ((plan.runs.size() > 1 ? 2 : 1) + (mended ? 1 : 0));
}

ProcessRunner::Result runJoinPlan(ProcessRunner &runner, const JoinPlan &plan)
{
    const auto removeIntermediates = qScopeGuard([&plan] {
        for (const QString &file : plan.intermediateFiles)
            DeleteFileQuietly(file);
    });
    ProcessRunner::Result result;
    for (const JoinProcessCommand &run : plan.runs) {
        // Every run writes to its own temporary name, the last argument.
        // Where no leading dot hides that name, it is hidden as soon as pdftk
        // has made it.
        const QString written = run.arguments.constLast();
#ifdef Q_OS_WIN
        // Made hidden beforehand, it could not be written at all: Windows
        // lets a program overwrite a hidden file only if it asks for the
        // attribute itself, and pdftk does not.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &watch, [&watch, &written] {
            if (QFileInfo::exists(written)) {
                hideTemporaryFile(written);
                watch.stop();
            }
        });
        watch.start(kHideWatchMilliseconds);
#endif
        result = runner.run(run.program, run.arguments, kHiddenWindow);
        if (result.ending != ProcessRunner::Ending::Exited || result.code != 0)
            break;
        hideTemporaryFile(written);
    }
    return result;
}

} // namespace corvanta
