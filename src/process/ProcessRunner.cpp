#include "process/ProcessRunner.h"

#include "core/Text.h"
#include "process/ChildTree.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace corvanta {

namespace {

// Keeps the start and the end of one of the child's streams.
class StreamCapture
{
public:
    void append(const QByteArray &data)
    {
        m_total += data.size();
        qsizetype used = 0;
        if (m_head.size() < kKeptStreamBytes) {
            used = std::min(kKeptStreamBytes - m_head.size(), data.size());
            m_head.append(data.constData(), used);
        }
        if (used == data.size())
            return;
        m_tail.append(data.constData() + used, data.size() - used);
        // Trimmed only now and then, so that a stream of small pieces does
        // not move the kept bytes for every piece.
        if (m_tail.size() > 2 * kKeptStreamBytes)
            m_tail.remove(0, m_tail.size() - kKeptStreamBytes);
    }

    QByteArray text() const
    {
        const QByteArray tail = m_tail.right(kKeptStreamBytes);
        if (m_total == m_head.size() + tail.size())
            return m_head + tail;
        // "…" in UTF-8 on a line of its own where the middle was left out.
        return m_head + "\n\xE2\x80\xA6\n" + tail;
    }

private:
    QByteArray m_head;
    QByteArray m_tail;
    qint64 m_total = 0;
};

bool programExists(const QString &program)
{
    if (program.contains(QLatin1Char('/')) || program.contains(QDir::separator()))
        return QFileInfo::exists(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace

void ProcessRunner::setGuard(const QString &guard)
{
    m_guard = guard;
}

void ProcessRunner::setEnvironment(const QProcessEnvironment &environment)
{
    m_environment = environment;
    m_hasEnvironment = true;
}

void ProcessRunner::setWorkingFolder(const QString &folder)
{
    m_workingFolder = folder;
}

// One running child with what belongs to it.
class ProcessRunner::Child
{
public:
    QProcess process;
    ChildTree tree;
    StreamCapture output;
    StreamCapture error;

    void readStreams()
    {
        output.append(process.readAllStandardOutput());
        error.append(process.readAllStandardError());
    }
};

ProcessRunner::Result ProcessRunner::run(const QString &program, const QStringList &arguments, int windowStyle)
{
    if (m_child) {
        Result result;
        result.code = kStartFailureBase + kProgramNotRunnable;
        result.errorString = Text::tr("Another program is still running.");
        return result;
    }

    Child child;
    QProcess &process = child.process;
    if (m_guard.isEmpty()) {
        process.setProgram(program);
        process.setArguments(arguments);
    } else {
        process.setProgram(m_guard);
        process.setArguments(QStringList{program} + arguments);
    }
    process.setStandardInputFile(QProcess::nullDevice());
    if (m_hasEnvironment)
        process.setProcessEnvironment(m_environment);
    process.setWorkingDirectory(m_workingFolder);
    child.tree.prepare(process, normalizeWindowStyle(windowStyle));

    QEventLoop loop;
    // Read as it comes, so that QProcess never holds more than one piece.
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&child] { child.readStreams(); });
    QObject::connect(&process, &QProcess::readyReadStandardError, &loop, [&child] { child.readStreams(); });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });

    m_cancelled = false;
    m_child = &child;
    process.start();
    child.tree.started(process);
    // A start can fail inside start(); a quit sent before exec() would be lost.
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // Also reached when the whole application is told to exit: the child may
    // still be running then, and must not be mistaken for a success.
    if (process.state() != QProcess::NotRunning)
        m_cancelled = true;
    child.tree.end(process);
    m_child = nullptr;

    child.readStreams();
    return endingOf(child, program);
}

// How the child ended, and what it wrote.
ProcessRunner::Result ProcessRunner::endingOf(const Child &child, const QString &program) const
{
    const QProcess &process = child.process;
    Result result;
    result.standardOutput = child.output.text();
    result.standardError = child.error.text();
    result.errorString = process.errorString();
    if (m_cancelled) {
        result.ending = Ending::Cancelled;
        result.code = -1;
    } else if (process.error() == QProcess::FailedToStart) {
        result.ending = Ending::FailedToStart;
        result.code = kStartFailureBase + (programExists(program) ? kProgramNotRunnable : kProgramNotFound);
    } else if (process.exitStatus() == QProcess::CrashExit) {
        result.ending = Ending::Crashed;
        result.code = process.exitCode() != 0 ? process.exitCode() : -1;
    } else {
        result.ending = Ending::Exited;
        result.code = process.exitCode();
    }
    return result;
}

void ProcessRunner::cancel()
{
    if (!m_child)
        return;
    m_cancelled = true;
    // Reaps the child at once, which also ends the wait in run().
    m_child->tree.end(m_child->process);
}

} // namespace corvanta
