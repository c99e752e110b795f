#include "join/JoinBatches.h"

#include "app/Helpers.h"
#include "join/Pdftk.h"

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

// The room an entry's own arguments take apart from its handle: its path,
// and for a protected file the keyword input_pw and the password. Measured
// once per entry, since a long list is measured more than once.
struct EntryRoom
{
    qsizetype path = 0;
    qsizetype password = 0; // 0 for a file without a password
};

EntryRoom measure(const JoinEntry &entry)
{
    EntryRoom room{argumentSize(entry.Path), 0};
    if (!entry.Password.isEmpty())
        room.password = argumentSize(QStringLiteral("input_pw")) + argumentSize(entry.Password);
    return room;
}

// The room an entry takes in a run where it gets handle number `handle` if
// it has a password: "handle=" goes before both its path and its password.
qsizetype entrySize(const EntryRoom &room, int handle)
{
    if (room.password == 0)
        return room.path;
    return room.path + room.password + 2 * (JoinHandle(handle).size() + 1);
}

// Splits the inputs before `end` into consecutive batches that each fit
// `limit` together with their result's name, and returns where each batch
// ends. The names are taken from `names`, which gains new ones as needed.
QList<qsizetype> batchEnds(const QString &program, const QList<EntryRoom> &rooms, qsizetype end,
                           qsizetype limit, QStringList &names, const std::function<QString()> &temporaryName)
{
    QList<qsizetype> ends;
    for (qsizetype first = 0; first < end;) {
        if (ends.size() == names.size())
            names.append(temporaryName());
        qsizetype size = ArgumentListSize(program, TargetArguments(names.at(ends.size())));
        qsizetype next = first;
        int handles = 0;
        // At least one input per batch, however long its path.
        for (; next < end; ++next) {
            const qsizetype more = entrySize(rooms.at(next), handles);
            if (next > first && size + more > limit)
                break;
            size += more;
            if (rooms.at(next).password)
                ++handles;
        }
        ends.append(next);
        first = next;
    }
    return ends;
}

// The runs that join each batch (ending at `ends`) into its result.
JoinPlan batchRuns(const QString &program, const QList<JoinEntry> &entries, const QList<qsizetype> &ends,
                   const QStringList &names, const std::function<bool()> &yield)
{
    JoinPlan plan;
    qsizetype first = 0;
    for (qsizetype batch = 0; batch < ends.size(); ++batch) {
        if (yield)
            yield();
        plan.runs.append(
            BuildJoinProcessCommand(program, entries.mid(first, ends.at(batch) - first), names.at(batch)));
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
                  qsizetype limit, const std::function<QString()> &temporaryName,
                  const std::function<bool()> &yield)
{
    const qsizetype lastRunTarget = ArgumentListSize(program, TargetArguments(outputPath));
    QList<EntryRoom> rooms;
    rooms.reserve(entries.size());
    qsizetype wholeSize = lastRunTarget;
    int wholeHandles = 0;
    for (const JoinEntry &entry : entries) {
        if (yield && rooms.size() % 4096 == 0)
            yield();
        rooms.append(measure(entry));
        wholeSize += entrySize(rooms.last(), wholeHandles);
        if (rooms.last().password)
            ++wholeHandles;
    }
    const auto oneRun = [&] { return JoinPlan{{BuildJoinProcessCommand(program, entries, outputPath)}, {}}; };
    if (wholeSize <= limit)
        return oneRun();

    // Every page in a batch is copied twice, so the last run takes as many
    // of the last inputs as fit beside the batch results, and batches join
    // only the inputs before those. How many results there are decides the
    // room left, so that is found in a few rounds.
    QStringList names{temporaryName()};
    // A handle as long as the longest any input of the list gets.
    const qsizetype handleRoom = 2 * (JoinHandle(std::max(wholeHandles - 1, 0)).size() + 1);
    for (int round = 0; round < 8; ++round) {
        qsizetype room = limit - lastRunTarget;
        for (const QString &name : names)
            room -= argumentSize(name);
        qsizetype split = entries.size();
        for (; split > 0; --split) {
            const EntryRoom &entry = rooms.at(split - 1);
            const qsizetype more = entry.path + (entry.password ? entry.password + handleRoom : 0);
            if (more > room)
                break;
            room -= more;
        }
        const qsizetype reserved = names.size();
        const QList<qsizetype> ends = batchEnds(program, rooms, split, limit, names, temporaryName);
        if (ends.size() > reserved)
            continue; // more results than there was room for: again with their names
        if (ends.isEmpty() || ends.size() >= split)
            break;
        JoinPlan plan = batchRuns(program, entries, ends, names, yield);
        plan.runs.append(BuildJoinProcessCommand(program, resultsOf(plan) + entries.mid(split), outputPath));
        if (ArgumentListSize(program, plan.runs.last().arguments) <= limit)
            return plan;
        break;
    }

    // Not even the results fit one run: they are joined in batches again.
    names.clear();
    const QList<qsizetype> ends = batchEnds(program, rooms, entries.size(), limit, names, temporaryName);
    if (ends.size() >= entries.size())
        return oneRun();
    JoinPlan plan = batchRuns(program, entries, ends, names, yield);
    const JoinPlan rest = PlanJoin(program, resultsOf(plan), outputPath, limit, temporaryName, yield);
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
        // Every run writes to its own temporary name, the last argument.
        HideTemporaryFile(run.arguments.constLast());
    }
    return result;
}

} // namespace corvanta
