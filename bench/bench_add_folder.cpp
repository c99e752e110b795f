// "Add Folder" on a large tree: its speed next to find(1) on the same tree,
// how long the window goes without an event-loop turn, and the memory it takes.
//
// Usage: bench_add_folder [--every-entry]
//
// Tree: 100,000 files in 5,000 folders (a ten-way tree four levels deep),
// 20 files per folder, half of them PDFs. It lives in a temporary folder and
// is removed at the end.
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

namespace {

constexpr int kFolders = 5000;
constexpr int kFilesPerFolder = 20;
constexpr int kRuns = 3;

QString folderPath(const QString &root, int index)
{
    // Folder 0 is the root; folder k sits inside folder (k - 1) / 10.
    QStringList parts;
    while (index > 0) {
        parts.prepend(QStringLiteral("folder %1").arg(index));
        index = (index - 1) / 10;
    }
    parts.prepend(root);
    return parts.join(QLatin1Char('/'));
}

void buildTree(const QString &root)
{
    for (int folder = 0; folder < kFolders; ++folder) {
        const QString path = folderPath(root, folder);
        QDir().mkpath(path);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            // Half PDFs, some of them with an upper-case extension.
            const char *extension = file % 2 ? ".txt" : (file % 4 ? ".PDF" : ".pdf");
            QFile(path + QStringLiteral("/document %1%2").arg(file).arg(QLatin1String(extension)))
                .open(QIODevice::WriteOnly);
        }
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double findSeconds(const QString &root)
{
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    find.start(QStringLiteral("find"), {root, QStringLiteral("-iname"), QStringLiteral("*.pdf")});
    find.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e9;
}

struct ScanFigures
{
    double seconds = 0;
    double longestGapMs = 0;
    int items = 0;
};

ScanFigures addFolderOnce(FormFixture &fixture, const QString &root)
{
    Form1 &form = *fixture.form;
    form.ClearList();
    fixture.dialogs.folderAnswers.enqueue(QDir::toNativeSeparators(root));

    // A zero-interval timer fires at every turn of the event loop.
    QElapsedTimer clock;
    qint64 lastTurn = 0;
    qint64 longestGap = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTurn);
        lastTurn = now;
    });
    turns.start();
    clock.start();
    form.AddFolder();
    const qint64 total = clock.nsecsElapsed();
    turns.stop();
    longestGap = std::max(longestGap, total - lastTurn);

    return {total / 1e9, longestGap / 1e6, form.fileList()->count()};
}

long peakMemoryKiB()
{
#ifndef Q_OS_WIN
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return -1;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    isolateHome(home.path());
    QApplication app(argc, argv);
    // "--every-entry" turns the event loop at every directory entry instead
    // of once per time slice, to show what the slices save.
    if (app.arguments().contains(QStringLiteral("--every-entry")))
        EventTurns::setInterval(0);
    std::printf("event-loop turns: %s\n",
                EventTurns::interval() == 0 ? "at every entry"
                                            : qPrintable(QStringLiteral("at most every %1 ms during a scan")
                                                             .arg(EventTurns::interval())));

    QTemporaryDir tree;
    std::printf("Building %d files in %d folders ...\n", kFolders * kFilesPerFolder, kFolders);
    std::fflush(stdout);
    buildTree(tree.path());

    FormFixture fixture;
    Form1 &form = fixture.load();
    form.resize(900, 700);
    form.show();
    QApplication::processEvents();

    findSeconds(tree.path()); // warm the caches for both sides alike
    std::vector<double> findTimes;
    std::vector<double> scanTimes;
    double longestGap = 0;
    int items = 0;
    for (int run = 0; run < kRuns; ++run) {
        findTimes.push_back(findSeconds(tree.path()));
        const ScanFigures scan = addFolderOnce(fixture, tree.path());
        scanTimes.push_back(scan.seconds);
        longestGap = std::max(longestGap, scan.longestGapMs);
        items = scan.items;
    }

    const double ratio = median(scanTimes) / median(findTimes);
    std::printf("items added: %d (expected %d)\n", items, kFolders * kFilesPerFolder / 2);
    std::printf("AddFolder %.3f s, find %.3f s (medians of %d runs)\n", median(scanTimes),
                median(findTimes), kRuns);
    std::printf("AddFolder / find time:            %.2f   (target <= 2.0)\n", ratio);
    std::printf("longest gap between loop turns:   %.1f ms (target <= 100 ms)\n", longestGap);
    std::printf("peak memory:                      %.1f MB (target <= 200 MB)\n",
                peakMemoryKiB() / 1024.0);
    std::printf("Removing the tree ...\n");
    return 0;
}
