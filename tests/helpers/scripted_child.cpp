// A child program for the tests, built for the platform they run on. Copied
// under a name such as "pdftk", it does what the file beside it with the same
// name and ".steps" (pdftk.steps) says: one step a line, its words separated
// by tabs. The last argument it is given is "the output", as for pdftk.
//
//   record FILE          appends each argument, a line each, to FILE ("-": standard output)
//   append FILE TEXT     appends the line TEXT to FILE
//   stderr TEXT          prints the line TEXT to standard error
//   lines N TEXT         prints "TEXT 1" to "TEXT N" to standard error
//   flood out|err BYTES TEXT  prints TEXT lines, BYTES bytes in all
//   stdin                prints "got" if a line can be read from standard input, else "end"
//   wait-for FILE        waits until FILE exists, 30 s at most (then ends with 124)
//   pdftk [RANGES...]    runs the real pdftk (named by CORVANTA_TEST_PDFTK) with the same
//                        arguments, or as "A=<first> B=<second> cat RANGES output <output>";
//                        ends with its exit code if it fails
//   output TEXT          writes TEXT as the output
//   truncate BYTES       cuts the output to BYTES bytes
//   copy-first           copies the first argument to the output
//   replace FROM TO      replaces FROM by TO in the output
//   swap FROM TO         puts a copy of the file FROM in the place of the file TO
//   linger FILE [LOG]    starts a worker that lives 30 s unless ended (appending a line to LOG
//                        every 10 ms when given), and writes "<own id> <worker's id>" to FILE
//   wait-worker          waits for that worker to end
//   fill FILE            writes FILE until its drive is full
//   signal NAME PID      sends the POSIX signal NAME (TERM, HUP, INT) to PID
//   sleep SECONDS        waits
//   crash                ends by an access violation (Windows) or SIGSEGV
//   exit CODE            ends with CODE; after the last step it ends with 0

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <signal.h>
#include <sys/types.h>
#endif

namespace {

// The child's lines come out as written, without CRs added on Windows.
void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// Ends at once: no destructor may end the worker with this process.
[[noreturn]] void finish(int code)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

[[noreturn]] void crash()
{
#ifdef Q_OS_WIN
    // No error dialog: the fault ends the process, as it would end pdftk.
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
#else
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
#endif
    finish(99);
}

bool appendTo(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

bool writeTo(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Nothing a test waits for takes long: a child whose test has gone wrong
// ends by itself.
constexpr int kLongestWaitMilliseconds = 30000;

void waitFor(const QString &path)
{
    for (int waited = 0; !QFileInfo::exists(path); waited += 10) {
        if (waited >= kLongestWaitMilliseconds)
            finish(124);
        QThread::msleep(10);
    }
}

// The worker that `linger` starts: this program again, in the same process
// group (on Windows, in the same job).
int worker(const QStringList &arguments)
{
    const QString log = arguments.value(2);
    for (int waited = 0; waited < kLongestWaitMilliseconds; waited += 10) {
        if (!log.isEmpty())
            appendTo(log, "x\n");
        QThread::msleep(10);
    }
    return 0;
}

int runPdftk(const QStringList &arguments)
{
    QProcess pdftk;
    pdftk.setProcessChannelMode(QProcess::ForwardedChannels);
    pdftk.setStandardInputFile(QProcess::nullDevice());
    const QString program = qEnvironmentVariable("CORVANTA_TEST_PDFTK", QStringLiteral("pdftk"));
    pdftk.start(program, arguments);
    if (!pdftk.waitForFinished(-1))
        return 127;
    return pdftk.exitStatus() == QProcess::NormalExit ? pdftk.exitCode() : 128;
}

#ifdef Q_OS_UNIX
int signalNumber(const QString &name)
{
    return name == "TERM" ? SIGTERM : name == "HUP" ? SIGHUP : name == "INT" ? SIGINT : 0;
}
#endif

// What a step works on: the arguments, the output among them, and the worker.
struct Run
{
    QStringList arguments;
    QString output;
    QProcess worker;
};

// The steps that print; false for any other.
bool printStep(const QStringList &step, const Run &run)
{
    const QString &name = step.at(0);
    const QString first = step.value(1);
    const QString second = step.value(2);
    if (name == "record") {
        QByteArray lines;
        for (const QString &argument : run.arguments)
            lines += argument.toUtf8() + '\n';
        if (first == "-")
            write(stdout, lines);
        else
            appendTo(first, lines);
    } else if (name == "append") {
        appendTo(first, second.toUtf8() + '\n');
    } else if (name == "stderr") {
        write(stderr, first.toUtf8() + '\n');
    } else if (name == "lines") {
        for (int i = 1; i <= first.toInt(); ++i)
            write(stderr, second.toUtf8() + ' ' + QByteArray::number(i) + '\n');
    } else if (name == "flood") {
        // Whole lines in each block, so that the blocks join up.
        const QByteArray text = step.value(3).toUtf8() + '\n';
        QByteArray block;
        while (block.size() < 1 << 16)
            block += text;
        FILE *stream = first == "out" ? stdout : stderr;
        for (qint64 left = second.toLongLong(); left > 0; left -= block.size())
            write(stream, left < block.size() ? block.left(left) : block);
    } else if (name == "stdin") {
        char buffer[256];
        write(stdout, std::fgets(buffer, sizeof buffer, stdin) ? "got\n" : "end\n");
    } else {
        return false;
    }
    return true;
}

// The steps that write files; false for any other.
bool fileStep(const QStringList &step, const Run &run)
{
    const QString &name = step.at(0);
    const QString first = step.value(1);
    if (name == "output") {
        writeTo(run.output, first.toUtf8());
    } else if (name == "truncate") {
        QFile(run.output).resize(first.toLongLong());
    } else if (name == "copy-first") {
        QFile::remove(run.output);
        QFile::copy(run.arguments.value(0), run.output);
    } else if (name == "replace") {
        QFile file(run.output);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll().replace(first.toUtf8(), step.value(2).toUtf8());
            file.close();
            writeTo(run.output, bytes);
        }
    } else if (name == "swap") {
        QFile::remove(step.value(2));
        QFile::copy(first, step.value(2));
    } else if (name == "fill") {
        QFile file(first);
        const QByteArray block(1 << 16, '\0');
        if (file.open(QIODevice::WriteOnly)) {
            while (file.write(block) == block.size() && file.flush()) {
            }
        }
    } else {
        return false;
    }
    return true;
}

// The steps that wait, start or end processes; false for any other.
bool processStep(const QStringList &step, Run &run)
{
    const QString &name = step.at(0);
    const QString first = step.value(1);
    if (name == "wait-for") {
        waitFor(first);
    } else if (name == "pdftk") {
        const QStringList ranges = step.mid(1);
        const int code = runPdftk(ranges.isEmpty() ? run.arguments
                                                   : QStringList{"A=" + run.arguments.value(0),
                                                                 "B=" + run.arguments.value(1), "cat"}
                                          + ranges + QStringList{"output", run.output});
        if (code != 0)
            finish(code);
    } else if (name == "linger") {
        run.worker.setStandardInputFile(QProcess::nullDevice());
        run.worker.setStandardOutputFile(QProcess::nullDevice());
        run.worker.setStandardErrorFile(QProcess::nullDevice());
        run.worker.start(QCoreApplication::applicationFilePath(), {"--worker", step.value(2)});
        if (!run.worker.waitForStarted())
            finish(125);
        writeTo(first, QByteArray::number(QCoreApplication::applicationPid()) + ' '
                           + QByteArray::number(run.worker.processId()) + '\n');
    } else if (name == "wait-worker") {
        if (!run.worker.waitForFinished(kLongestWaitMilliseconds))
            finish(124);
    } else if (name == "signal") {
#ifdef Q_OS_UNIX
        ::kill(pid_t(step.value(2).toLongLong()), signalNumber(first));
#endif
    } else if (name == "sleep") {
        QThread::sleep(first.toULong());
    } else if (name == "crash") {
        crash();
    } else if (name == "exit") {
        finish(first.toInt());
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    QCoreApplication app(argc, argv);
    const QStringList all = QCoreApplication::arguments();
    if (all.value(1) == "--worker")
        return worker(all);
    Run run;
    run.arguments = all.mid(1);
    run.output = run.arguments.value(run.arguments.size() - 1);

    const QFileInfo self(QCoreApplication::applicationFilePath());
    QFile steps(self.dir().filePath(self.completeBaseName() + ".steps"));
    if (!steps.open(QIODevice::ReadOnly)) {
        write(stderr, "no steps beside the program\n");
        finish(125);
    }
    for (const QByteArray &line : steps.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const QStringList step = QString::fromUtf8(line).split('\t');
        if (!printStep(step, run) && !fileStep(step, run) && !processStep(step, run)) {
            write(stderr, "unknown step: " + line + '\n');
            finish(125);
        }
    }
    finish(0);
}
