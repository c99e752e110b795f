// Join speed: a whole Start (scripted dialogs) against the same pdftk
// argument list run directly, and the cost of composing a long command.
// Prints each figure next to its target.

#include "core/Files.h"
#include "filelist/FileListModel.h"
#include "join/JoinBatches.h"
#include "process/Checker.h"
#include "join/JoinChecks.h"
#include "join/JoinCommand.h"
#include "join/Pdftk.h"
#include "join/SaveResult.h"
#include "BenchSupport.h"
#include "support/Fixture.h"
#include "support/HostilePdfs.h"
#include "support/PdftkSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>


using namespace corvanta;
using namespace corvanta::testing;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// Milliseconds for one join through the window, with "Done." and "No" scripted.
double joinThroughStart(FormFixture &fixture, const QStringList &files)
{
    Form1 &form = fixture.load();
    fileListOf(form)->append(files);
    fixture.dialogs.messageAnswers << MessageAnswer::Ok << MessageAnswer::No;
    QElapsedTimer timer;
    timer.start();
    form.Start();
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (fixture.dialogs.messageTexts().value(0) != QLatin1String("Done."))
        std::fprintf(stderr, "join failed: %s\n", qPrintable(fixture.dialogs.messageTexts().join('\n')));
    fixture.dialogs.asked.clear();
    return elapsed;
}

// Milliseconds for the same pdftk run started and awaited directly.
double joinDirectly(const QString &program, const QStringList &files, const QString &output)
{
    QProcess process;
    process.setProcessEnvironment(pdftkEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, BuildJoinCommand(program, entriesOf(files), output).arguments);
    process.waitForFinished(-1);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (process.exitCode() != 0)
        std::fprintf(stderr, "direct join failed: %s\n", process.readAllStandardError().constData());
    QFile::remove(output);
    return elapsed;
}

struct Timings
{
    double start;
    double direct;
};

Timings compare(FormFixture &fixture, const QStringList &files, int rounds)
{
    const QString program = findPdftk(fixture.appFolder);
    const QString output = QDir(isolatedDesktop()).filePath(QStringLiteral("direct.pdf"));
    // One of each first, so that neither side pays for a cold cache.
    joinThroughStart(fixture, files);
    joinDirectly(program, files, output);
    QList<double> start;
    QList<double> direct;
    for (int round = 0; round < rounds; ++round) {
        start.append(joinThroughStart(fixture, files));
        direct.append(joinDirectly(program, files, output));
    }
    return {median(start), median(direct)};
}

// The checks of a join (inputs before the prompts, passwords after them,
// the result page by page before it replaces joined.pdf) against pdftk's
// own time on the same inputs, as one ratio, with one checker and with
// two; and the longest the window waits for its events meanwhile.
void compareChecks(const QString &label, const QStringList &files, double target)
{
    const QString output = QDir(isolatedDesktop()).filePath(QStringLiteral("checked.pdf"));
    QProcess pdftk;
    pdftk.setProcessEnvironment(pdftkEnvironment());
    pdftk.setStandardInputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    const QString program = findPdftk(QString());
    pdftk.start(program, BuildJoinCommand(program, entriesOf(files), output).arguments);
    pdftk.waitForFinished(-1);
    const double joining = timer.nsecsElapsed() / 1e6;
    if (pdftk.exitCode() != 0)
        std::fprintf(stderr, "pdftk failed: %s\n", pdftk.readAllStandardError().constData());

    for (int workers : {1, 2}) {
        CheckLimits limits;
        limits.workers = workers;
        qint64 longestGap = 0;
        QElapsedTimer sinceTick;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        ticker.start(1);
        sinceTick.start();
        timer.restart();
        Checker checker(helperFolder() + QStringLiteral("/corvanta-check"), limits);
        QList<JoinEntry> inputs = entriesOf(files);
        checkInputs(inputs, checker);
        checkPasswords(inputs, checker);
        const bool refused = !refusedInputs(inputs, false).isEmpty() || !refusedPasswords(inputs).isEmpty();
        const Verification verification = verifyJoinedPdf(output, inputs, checker);
        const double checking = timer.nsecsElapsed() / 1e6;
        ticker.stop();
        if (refused || verification.finding != Verification::Finding::Sound)
            std::fprintf(stderr, "checks failed\n");
        std::printf("%s, %d checker%s: checks %.0f ms, pdftk %.0f ms, ratio %.3f (target <= %.2f); "
                    "longest wait for events %lld ms (target <= 50 ms)\n",
                    qPrintable(label), workers, workers > 1 ? "s" : "", checking, joining, checking / joining,
                    target, static_cast<long long>(longestGap));
    }
    QFile::remove(output);
}

// The window's peak memory when the list holds a file that unpacks to a
// gigabyte: the checker takes the blow, and the join is refused.
void bombInTheList(FormFixture &fixture, const QString &folder, const QString &plain)
{
    const QString bomb = folder + QStringLiteral("/bomb.pdf");
    writeObjectStreamBomb(bomb);
    Form1 &form = fixture.load();
    fileListOf(form)->append({plain, bomb});
    QElapsedTimer timer;
    timer.start();
    form.Start();
    const QString said = fixture.dialogs.messageTexts().value(0);
    fixture.dialogs.asked.clear();
    std::printf("A %lld KB object-stream bomb in the list: refused in %.1f s (%s); "
                "peak memory of the window's process %.0f MB (target <= 150 MB)\n",
                static_cast<long long>(QFileInfo(bomb).size() / 1024), timer.elapsed() / 1000.0,
                said.contains(QStringLiteral("could not be checked safely")) ? "named" : "NOT NAMED",
                peakMegabytes());
}

// How much the program's peak memory grows while a pdftk stand-in prints
// 300 MB to its error stream.
void floodedErrorStream(FormFixture &fixture, const QString &input)
{
    const QString fake = writeFakePdftk(
        fixture.appFolder,
        {{"flood", "err", QString::number(300LL * 1024 * 1024), "pdftk complains about the input at some length"},
         {"exit", "1"}});
    Form1 &form = fixture.load();
    fileListOf(form)->append(input);
    const double before = peakMegabytes();
    form.Start();
    const double growth = peakMegabytes() - before;
    if (!fixture.dialogs.messageTexts().value(0).startsWith(QLatin1String("The PDF files were not joined")))
        std::fprintf(stderr, "unexpected: %s\n", qPrintable(fixture.dialogs.messageTexts().join('\n')));
    fixture.dialogs.asked.clear();
    QFile::remove(fake);
    std::printf("pdftk stand-in printing 300 MB to stderr: peak memory grew by %.1f MB (target <= 50 MB)\n", growth);
}

// A join too long for one pdftk command, in batches, against one pdftk run,
// per input.
void largeJoin(FormFixture &fixture, const QString &folder)
{
    constexpr int kLarge = 20000;
    constexpr int kOneRun = 5000;
    // Each path is 200 characters long.
    const QString deep = folder + QLatin1Char('/') + QString(200 - folder.size() - 16, QLatin1Char('d'));
    QDir().mkpath(deep);
    QStringList files;
    for (int i = 1; i <= kLarge; ++i) {
        files.append(deep + QStringLiteral("/page-%1.pdf").arg(i, 5, 10, QLatin1Char('0')));
        writeMarkedPdf(files.last(), i, 1);
    }
    const QString program = findPdftk(fixture.appFolder);
    const qsizetype limit = argumentLimit(pdftkEnvironment());
    const QString output = JoinOutputPath(DesktopFolder());
    const auto runsFor = [&](const QStringList &paths) {
        return planJoin(program, entriesOf(paths), output, limit, [&] { return temporaryOutputPath(output); })
            .runs.size();
    };

    const double one = joinThroughStart(fixture, files.mid(0, kOneRun));
    const double batched = joinThroughStart(fixture, files);
    QList<QPair<int, int>> expected;
    for (int i = 1; i <= kLarge; ++i)
        expected.append({i, 1});
    const bool correct = markedPages(output) == expected;
    std::printf("%d inputs of 200 characters: %lld pdftk runs, %.0f ms, %s; %d inputs in %lld run: %.0f ms\n",
                kLarge, static_cast<long long>(runsFor(files)), batched, correct ? "every page in order" : "WRONG PAGES",
                kOneRun, static_cast<long long>(runsFor(files.mid(0, kOneRun))), one);
    std::printf("Time per input, batched against one run: %.3f (target <= 1.15)\n",
                (batched / kLarge) / (one / kOneRun));
}

// The longest the window waits for its events while Start walks a very long
// list (one small PDF, 800,000 times; pdftk is a stand-in that writes nothing).
void longListStaysResponsive(FormFixture &fixture, const QString &input)
{
    const QString fake = writeFakePdftk(fixture.appFolder, {{"exit", "0"}});
    Form1 &form = fixture.load();
    fileListOf(form)->append(QStringList(800000, input));
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });
    ticker.start(1);
    sinceTick.start();
    QElapsedTimer timer;
    timer.start();
    form.Start();
    ticker.stop();
    fixture.dialogs.asked.clear();
    QFile::remove(fake);
    std::printf("Start over 800,000 items: %.1f s, longest wait for events %lld ms (target <= 100 ms)\n",
                timer.elapsed() / 1000.0, static_cast<long long>(longestGap));
}

} // namespace

int main(int argc, char *argv[])
{
    JoinBench bench(argc, argv);
    QApplication &app = bench.app();
    QTemporaryDir inputs;
    FormFixture fixture;
    fixture.eventTurnInterval = EventTurns::kStandardInterval;
    const auto makeInputs = [&inputs](const QString &stem, int count, int pages) {
        return markedInputs(inputs.path(), stem, count, pages);
    };

    // First, while the program's peak memory is still low.
    const QStringList one = makeInputs(QStringLiteral("one"), 1, 1);
    bombInTheList(fixture, inputs.path(), one.first());
    floodedErrorStream(fixture, one.first());

    compareChecks(QStringLiteral("Checks, 5000 PDFs x 1 page"), makeInputs(QStringLiteral("single"), 5000, 1), 0.10);
    compareChecks(QStringLiteral("Checks, 5 PDFs x 2000 pages"), makeInputs(QStringLiteral("thick"), 5, 2000), 0.10);
    std::printf("Peak memory of the program so far: %.0f MB (target <= 100 MB)\n", peakMegabytes());
    if (app.arguments().contains(QStringLiteral("--checks")))
        return 0;

    largeJoin(fixture, inputs.filePath(QStringLiteral("deep")));
    longListStaysResponsive(fixture, one.first());

    const QStringList large = makeInputs(QStringLiteral("large"), 20, 100);
    const Timings big = compare(fixture, large, 5);
    std::printf("20 PDFs x 100 pages: Start %.0f ms, pdftk directly %.0f ms, ratio %.3f (target <= 1.05)\n",
                big.start, big.direct, big.start / big.direct);

    const QStringList small = makeInputs(QStringLiteral("small"), 2, 1);
    const Timings little = compare(fixture, small, 21);
    std::printf("2 PDFs x 1 page: Start %.1f ms, pdftk directly %.1f ms, added %.1f ms (target <= 30 ms)\n",
                little.start, little.direct, little.start - little.direct);

    QList<JoinEntry> entries;
    for (int i = 0; i < 10000; ++i)
        entries.append({QStringLiteral("C:\\Users\\Owner\\Documents\\Reports %1\\part %1.pdf").arg(i),
                        QStringLiteral("pass word %1").arg(i)});
    QList<double> compose;
    qsizetype arguments = 0;
    for (int round = 0; round < 15; ++round) {
        QElapsedTimer timer;
        timer.start();
        arguments += BuildJoinCommand(QStringLiteral("C:\\Apps\\Corvanta\\pdftk.exe"), entries,
                                      QStringLiteral("C:\\Users\\Owner\\Desktop\\\\joined.pdf"))
                         .arguments.size();
        compose.append(timer.nsecsElapsed() / 1e6);
    }
    std::printf("BuildJoinCommand, 10000 entries with passwords: %.2f ms median (target <= 10 ms; %lld arguments)\n",
                median(compose), static_cast<long long>(arguments / compose.size()));
    return 0;
}
