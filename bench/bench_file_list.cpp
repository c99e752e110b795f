// Figures for the file list and start-up, each printed next to its target.
//   bench_file_list            run every measurement
//   bench_file_list --startup  (internal) start the window once and say when it shows
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "support/Fixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

constexpr int kItems = 100000;

double peakMemoryMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto match = QRegularExpression(QStringLiteral("VmHWM:\\s+(\\d+) kB")).match(text);
    return match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : -1;
}

void report(const char *what, double value, const char *unit, double target)
{
    std::printf("%-48s %10.3f %-3s (target: at most %g %s) %s\n", what, value, unit, target, unit,
                value <= target ? "ok" : "MISSED");
}

template<typename Work>
double seconds(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

int startupChild()
{
    FormFixture fixture;
    fixture.eventTurnInterval = EventTurns::kStandardInterval;
    Form1 &form = fixture.load();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    std::printf("shown\n");
    std::fflush(stdout);
    return 0;
}

double startupSeconds(const QString &self)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(self, {QStringLiteral("--startup")});
    if (!child.waitForReadyRead(10000))
        return -1;
    const double elapsed = timer.nsecsElapsed() / 1e9;
    child.waitForFinished(10000);
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    isolateHome(home.path());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--startup")))
        return startupChild();

    FormFixture fixture;

    fixture.eventTurnInterval = EventTurns::kStandardInterval;
    Form1 &form = fixture.load();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    FileListModel *list = fileListOf(form);

    QStringList paths;
    paths.reserve(kItems);
    for (int i = 0; i < kItems; ++i)
        paths.append(QStringLiteral("/home/someone/Documents/Reports/2026/report-%1.pdf").arg(i, 6, 10, QLatin1Char('0')));

    const double append = seconds([&] {
        for (const QString &path : paths)
            list->append(path);
        QCoreApplication::processEvents();
    });
    report("append 100,000 paths one by one", append, "s", 0.3);

    QItemSelection everyOther;
    for (int row = 0; row < kItems; row += 2)
        everyOther.append(QItemSelectionRange(list->index(row, 0)));
    form.ListView1->selectionModel()->select(everyOther, QItemSelectionModel::Select);
    const double clearSelected = seconds([&] {
        form.ClearSelected();
        QCoreApplication::processEvents();
    });
    report("ClearSelected, every other of 100,000 selected", clearSelected, "s", 0.3);

    list->append(paths.mid(list->count()));
    const double memory = peakMemoryMegabytes();

    const double clearList = seconds([&] {
        form.ClearList();
        QCoreApplication::processEvents();
    });
    report("ClearList of 100,000", clearList, "s", 0.05);
    report("peak memory holding 100,000 items", memory, "MB", 150);

    report("program start to first shown window", startupSeconds(app.applicationFilePath()), "s", 0.5);
    return 0;
}
