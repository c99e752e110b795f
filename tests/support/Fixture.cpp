#include "support/Fixture.h"
#include "support/PlatformFiles.h"

#include "filelist/FileListModel.h"
#include "join/JoinCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace corvanta::testing {

namespace {

// The folder a test run keeps its home, Desktop and settings in. On Windows
// the variables below do not move the user's own folders, so the test
// support never asks the system where they are.
QString &isolatedHomeFolder()
{
    static QString home;
    return home;
}

} // namespace

void isolateHome(const QString &home)
{
    isolatedHomeFolder() = QDir(home).canonicalPath();
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/.cache")).toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
}

QString isolatedDesktop()
{
    Q_ASSERT(!isolatedHomeFolder().isEmpty());
    return isolatedHomeFolder() + QStringLiteral("/Desktop");
}

QString isolatedCache()
{
    Q_ASSERT(!isolatedHomeFolder().isEmpty());
    return isolatedHomeFolder() + QStringLiteral("/.cache/corvanta");
}

bool isTestOwned(const QString &path)
{
    // Resolved as far as it exists, so that no link leads out.
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).path()) {
        rest = QLatin1Char('/') + QFileInfo(existing).fileName() + rest;
        existing = QFileInfo(existing).path();
    }
    const QString where = QFileInfo(existing).canonicalFilePath() + rest;
    const QString temporary = QDir(QDir::tempPath()).canonicalPath();
    const auto inside = [&where](const QString &root) {
        return !root.isEmpty() && where.startsWith(root + QLatin1Char('/'));
    };
    return (inside(isolatedHomeFolder()) || inside(temporary)) && !passesThroughLink(path);
}

bool emptyIsolatedDesktop()
{
    const QString desktop = isolatedDesktop();
    if (!isTestOwned(desktop))
        return false;
    QDir(desktop).removeRecursively();
    return QDir().mkpath(desktop);
}

QString helperFolder()
{
    const QString build = qEnvironmentVariable("CORVANTA_BINARY_DIR");
    return build.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../app")
                           : build + QStringLiteral("/app");
}

QString isolatedOutputPath()
{
    return JoinOutputPath(QDir::toNativeSeparators(isolatedDesktop()) + QDir::separator());
}

void writePdf(const QString &path, int pages, const QString &label)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A6));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(20, 40, QStringLiteral("%1 page %2").arg(label).arg(page));
    }
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    if (!isTestOwned(path))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList desktopEntries()
{
    return QDir(isolatedDesktop()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

double peakMegabytes()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return double(counters.PeakWorkingSetSize) / (1024 * 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
#endif
}

QStringList listPaths(int count)
{
    QStringList paths;
    for (int i = 1; i <= count; ++i)
        paths.append(QStringLiteral("/docs/%1.pdf").arg(i));
    return paths;
}

namespace {

JoinEnvironment isolatedJoinEnvironment()
{
    JoinEnvironment environment = JoinEnvironment::standard();
    environment.desktopFolder = [] { return QDir::toNativeSeparators(isolatedDesktop()) + QDir::separator(); };
    environment.helperFolder = helperFolder();
    environment.cacheFolder = isolatedCache();
    return environment;
}

} // namespace

FormFixture::FormFixture()
{
    appFolder = root.filePath(QStringLiteral("app"));
    QDir().mkpath(appFolder);
    settingsFile = root.filePath(QStringLiteral("settings/Quillmoor.conf"));
}

Services FormFixture::services()
{
    Services result;
    result.dialogs = &dialogs;
    result.shell = &shell;
    result.appFolder = QDir::toNativeSeparators(appFolder);
    result.settingsFile = settingsFile;
    result.reminderDraw = [this] { return reminderDraw; };
    result.endProgram = [this] { ++programEnded; };
    result.joinEnvironment = isolatedJoinEnvironment();
    result.eventTurnInterval = eventTurnInterval;
    return result;
}

Form1 &FormFixture::load()
{
    form.reset();
    form = std::make_unique<Form1>(services());
    form->Form_Load();
    return *form;
}

FileListModel *fileListOf(const Form1 &form)
{
    return form.findChild<FileListModel *>();
}

MousePointer shownPointer(const Form1 &form)
{
    switch (form.cursor().shape()) {
    case Qt::WaitCursor:
        return MousePointer::Busy;
    case Qt::BitmapCursor:
        return MousePointer::Custom;
    default:
        return MousePointer::Default;
    }
}

JoinFixture::JoinFixture()
    : environment(isolatedJoinEnvironment())
{
    // Hostile files reach the limits sooner.
    environment.checkLimits.memoryBytes = 256 << 20;
    appFolder = root.filePath(QStringLiteral("app"));
    QDir().mkpath(appFolder);
    host.folder = QDir::toNativeSeparators(appFolder);
}

void JoinFixture::start()
{
    if (!joiner)
        joiner = std::make_unique<Joiner>(host, environment);
    joiner->Start();
}

} // namespace corvanta::testing
