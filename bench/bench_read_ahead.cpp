// Joins through the window against pdftk typed directly with the same
// inputs and output, and against pdftk started lean by itself, in one run:
// Start to "Done." of small and of thick joins, with the files read while
// they were listed and with every check at Start, and of a join whose
// inputs have parts to put back; what the checks at Start and the check of
// the result add; the longest the window waits for its events while a
// folder is added and read, and the window's memory with 100,000 files read.
// Prints each figure next to its target.
//
// Usage: bench_read_ahead [--quick]   ("--quick": 10,000 files for the memory figure)
#include "filelist/FileListModel.h"
#include "process/Checker.h"
#include "join/JoinChecks.h"
#include "join/JoinCommand.h"
#include "process/KeptChecks.h"
#include "join/Pdftk.h"
#include "BenchSupport.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cstdio>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The CPU time, in clock ticks, of the checkers this process started.
qint64 checkerTicks()
{
    const QByteArray parent = QByteArray::number(QCoreApplication::applicationPid());
    qint64 ticks = 0;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!pid.front().isDigit() || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // After "pid (name) ": state, parent, ..., user time (14th), system time (15th).
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (line.contains("(corvanta-check)") && fields.value(1) == parent)
            ticks += fields.value(11).toLongLong() + fields.value(12).toLongLong();
    }
    return ticks;
}

// The event loop alone, as the program runs it (QTest::qWait sleeps between turns).
void runEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Lets the window read what it was given, as a user's reach for Start does.
void waitUntilRead()
{
    qint64 ticks = -1;
    for (int quiet = 0; quiet < 5;) {
        runEventLoop(20);
        const qint64 now = checkerTicks();
        quiet = now == ticks ? quiet + 1 : 0;
        ticks = now;
    }
}

Form1 &shownForm(FormFixture &fixture)
{
    Form1 &form = fixture.load();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::fprintf(stderr, "the window did not show\n");
    runEventLoop(10);
    return form;
}

// pdftk as typed, or started lean as Start starts it; its file is left.
double pdftkDirectly(const QStringList &files, const QString &output, bool lean = false)
{
    const QString program = findPdftk(QString());
    QProcess process;
    process.setProcessEnvironment(lean ? PdftkStart::forProgram(program, isolatedCache()).environment
                                       : pdftkEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, BuildJoinCommand(program, entriesOf(files), output).arguments);
    process.waitForFinished(-1);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (process.exitCode() != 0)
        std::fprintf(stderr, "direct join failed: %s\n", process.readAllStandardError().constData());
    return elapsed;
}

// Copies of `files` with what pdftk leaves behind, for the join to put
// back: page numbers i, ii, …, a named destination on each page, a
// language and a title.
QStringList withDocumentParts(const QStringList &files)
{
    QStringList copies;
    for (const QString &file : files) {
        QPDF pdf;
        pdf.processFile(QFile::encodeName(file).constData());
        QPDFObjectHandle root = pdf.getRoot();
        QPDFObjectHandle names = QPDFObjectHandle::newArray();
        int page = 0;
        for (QPDFPageObjectHelper &each : QPDFPageDocumentHelper(pdf).getAllPages()) {
            names.appendItem(QPDFObjectHandle::newString("page-" + std::to_string(++page)));
            names.appendItem(QPDFObjectHandle::parse("[null /Fit]"));
            names.getArrayItem(names.getArrayNItems() - 1).setArrayItem(0, each.getObjectHandle());
        }
        root.replaceKey("/PageLabels", QPDFObjectHandle::parse("<< /Nums [0 << /S /r >>] >>"));
        root.replaceKey("/Names", QPDFObjectHandle::parse("<< /Dests << >> >>"));
        root.getKey("/Names").getKey("/Dests").replaceKey("/Names", names);
        root.replaceKey("/Lang", QPDFObjectHandle::newString("en"));
        pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Title (Part) >>")));
        copies.append(QString(file).replace(QLatin1String(".pdf"), QLatin1String("-parts.pdf")));
        QPDFWriter(pdf, QFile::encodeName(copies.last()).constData()).write();
    }
    return copies;
}

// Start to "Done.", with the files listed and read beforehand, or read at
// Start where the window is not shown.
double startAfterReading(FormFixture &fixture, const QStringList &files, bool readAhead = true)
{
    Form1 &form = readAhead ? shownForm(fixture) : fixture.load();
    fileListOf(form)->append(files);
    if (readAhead)
        waitUntilRead();
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

// The whole join against pdftk started lean by itself (the floor: the
// program starts it so), with pdftk typed directly beside them.
void compareJoins(FormFixture &fixture, const QString &label, const QStringList &files, int rounds, bool readAhead,
                  double target)
{
    const QString output = QDir(isolatedDesktop()).filePath(QStringLiteral("direct.pdf"));
    // One of each first, so that neither side pays for a cold cache (nor
    // Start for making pdftk-java's archive).
    startAfterReading(fixture, files, readAhead);
    pdftkDirectly(files, output);
    QList<double> start;
    QList<double> direct;
    QList<double> lean;
    for (int round = 0; round < rounds; ++round) {
        start.append(startAfterReading(fixture, files, readAhead));
        direct.append(pdftkDirectly(files, output));
        lean.append(pdftkDirectly(files, output, true));
    }
    QFile::remove(output);
    std::printf("%s, %s: Start to \"Done.\" %.0f ms, pdftk started lean alone %.0f ms, ratio %.2f "
                "(target <= %.2f); pdftk typed directly %.0f ms (Start %.2f of it)\n",
                qPrintable(label), readAhead ? "read while listed" : "every check at Start", median(start),
                median(lean), median(start) / median(lean), target, median(direct), median(start) / median(direct));
}

// The checks at Start and the check of the result, with the inputs read
// while they were listed, against pdftk's own time on the same inputs.
void compareChecks(const QString &label, const QStringList &files)
{
    const QString checkerProgram = helperFolder() + QStringLiteral("/corvanta-check");
    CheckLimits ahead;
    ahead.workers = 1;
    ahead.lowPriority = true;
    KeptChecks kept(checkerProgram, ahead);
    kept.resume();
    kept.listed(files);
    while (kept.isReading())
        runEventLoop(10);

    // As at Start, the checker of the result starts while pdftk runs.
    Checker checker(checkerProgram);
    checker.warmUp();
    const QString output = QDir(isolatedDesktop()).filePath(QStringLiteral("checked.pdf"));
    const double joining = pdftkDirectly(files, output);

    QElapsedTimer timer;
    timer.start();
    QList<JoinEntry> inputs = entriesOf(files);
    checkInputs(inputs, checker, &kept);
    checkPasswords(inputs, checker);
    const Verification verification = verifyJoinedPdf(output, inputs, checker);
    const double checking = timer.nsecsElapsed() / 1e6;
    if (verification.finding != Verification::Finding::Sound)
        std::fprintf(stderr, "the result did not verify\n");
    std::printf("%s: checks at Start and of the result %.0f ms, pdftk %.0f ms, %.1f%% (target <= 5%%)\n",
                qPrintable(label), checking, joining, 100 * checking / joining);
    QFile::remove(output);
}

// The longest the window waits for its events while a folder of files is
// added and read, and its memory once they are.
void addAndRead(FormFixture &fixture, const QString &folder)
{
    Form1 &form = shownForm(fixture);
    qint64 longestGap = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    ticker.start(1);
    sinceTick.start();
    QElapsedTimer timer;
    timer.start();
    fixture.dialogs.folderAnswers.enqueue(QDir::toNativeSeparators(folder));
    form.AddFolder();
    const double added = timer.nsecsElapsed() / 1e9;
    waitUntilRead();
    ticker.stop();
    std::printf("%d files added in %.2f s and read in %.1f s: longest wait for events %lld ms (target <= 50 ms); "
                "window memory %.0f MB (target <= 120 MB)\n",
                fileListOf(form)->count(), added, timer.nsecsElapsed() / 1e9, static_cast<long long>(longestGap),
                peakMegabytes());
    form.ClearList();
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

    // First, while the program's peak memory is still its own.
    const int many = app.arguments().contains(QStringLiteral("--quick")) ? 10000 : 100000;
    makeInputs(QStringLiteral("many"), many, 1);
    addAndRead(fixture, inputs.filePath(QStringLiteral("many")));

    const QStringList small = makeInputs(QStringLiteral("small"), 2, 1);
    const QStringList large = makeInputs(QStringLiteral("large"), 20, 75);
    for (const bool readAhead : {true, false}) {
        compareJoins(fixture, QStringLiteral("2 PDFs x 1 page"), small, 15, readAhead, readAhead ? 1.03 : 1.10);
        compareJoins(fixture, QStringLiteral("20 PDFs x 75 pages"), large, 5, readAhead, readAhead ? 1.03 : 1.10);
    }
    // At most a tenth more than pdftk where parts are put back.
    compareJoins(fixture, QStringLiteral("20 PDFs x 75 pages, labels, destinations, language, title put back"),
                 withDocumentParts(large), 5, true, 1.10);
    compareChecks(QStringLiteral("5000 PDFs x 1 page"), makeInputs(QStringLiteral("single"), 5000, 1));
    compareChecks(QStringLiteral("5 PDFs x 2000 pages"), makeInputs(QStringLiteral("thick"), 5, 2000));
    return 0;
}
