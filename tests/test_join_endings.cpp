// How a join ends when it does not run to its end: the program told to stop
// by a signal, the user stopping it. Nothing may be left behind: no pdftk,
// no Java it started, no temporary file; the old joined.pdf stays as it was.

#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "join/JoinBatches.h"
#include "join/JoinCommand.h"
#include "join/JoinMessages.h"
#include "join/JoinRun.h"
#include "join/SaveResult.h"
#include "app/TerminationSignals.h"
#include "support/Fixture.h"
#include "support/FolderTrees.h"
#include "support/PdftkSupport.h"
#include "support/PlatformFiles.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QProgressBar>
#include <QScopeGuard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <memory>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

namespace {

// What the system says when a file is to take the name of a folder.
#ifdef Q_OS_WIN
const int kIsAFolder = ERROR_ACCESS_DENIED;
#else
const int kIsAFolder = EISDIR;
#endif

} // namespace

class JoinEndingsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void signalsArriveOnTheEventLoop_data();
    void signalsArriveOnTheEventLoop();
    void stoppingLeavesNothing_data();
    void stoppingLeavesNothing();
    void resultKeptUnderAFreeName_data();
    void resultKeptUnderAFreeName();
    void withoutHardLinks();
    void hardKillLeavesNothingAfterRestart();
    void fullDriveIsNamed_data();
    void fullDriveIsNamed();
    void folderInPlaceOfJoinedPdf();
    void joinJustPastTheLimit();
    void startWhileAddingIsRefused_data();
    void startWhileAddingIsRefused();

private:
    std::unique_ptr<FormFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_work;
};

void JoinEndingsTest::init()
{
    QVERIFY(emptyIsolatedDesktop());
    m_fixture = std::make_unique<FormFixture>();
    m_work = std::make_unique<QTemporaryDir>();
}

void JoinEndingsTest::signalsArriveOnTheEventLoop_data()
{
    QTest::addColumn<int>("number");
#ifdef Q_OS_UNIX
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
#endif
}

void JoinEndingsTest::signalsArriveOnTheEventLoop()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows has no POSIX termination signals.");
#endif
    QFETCH(int, number);
    static int handledBefore = 0;
    handledBefore = 0;
    const auto before = std::signal(number, [](int) { ++handledBefore; });
    {
        TerminationSignals stopSignals;
        QSignalSpy spy(&stopSignals, &TerminationSignals::received);
        {
            // Only one instance takes the signals, and one that came later
            // leaves them to it when it goes.
            TerminationSignals later;
            QSignalSpy laterSpy(&later, &TerminationSignals::received);
            std::raise(number);
            QTRY_COMPARE(spy.count(), 1);
            QCOMPARE(laterSpy.count(), 0);
        }
        std::raise(number);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toInt(), number);
    }
    // The handler that was there before comes back.
    std::raise(number);
    QCOMPARE(handledBefore, 1);
    std::signal(number, before);
}

void JoinEndingsTest::stoppingLeavesNothing_data()
{
    // A signal that pdftk sends the program mid-join; without one the test
    // stops the join itself: by Start answered Yes, or else by closing.
    QTest::addColumn<QString>("signal");
    QTest::addColumn<bool>("startAgain");
    QTest::addColumn<bool>("programEnds");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("closing the window") << QString() << false << true << QStringList();
    QTest::newRow("Start again, answered Yes") << QString() << true << false << QStringList{stopRunningJoinQuestion()};
#ifdef Q_OS_UNIX
    QTest::newRow("SIGTERM") << "TERM" << false << true << QStringList();
    QTest::newRow("SIGHUP") << "HUP" << false << true << QStringList();
    QTest::newRow("SIGINT") << "INT" << false << true << QStringList();
#endif
}

void JoinEndingsTest::stoppingLeavesNothing()
{
    QFETCH(QString, signal);
    QFETCH(bool, startAgain);
    QFETCH(bool, programEnds);
    QFETCH(QStringList, said);
    const bool bySignal = !signal.isEmpty();
    const QString joined = isolatedDesktop() + "/joined.pdf";
    QVERIFY(writeFile(joined, "%PDF old result"));
    const QString pids = m_work->filePath("pids");
    // A signal from pdftk reaches the program mid-join.
    writeFakePdftk(m_fixture->appFolder,
                   lingeringPdftk(pids, bySignal ? Steps{{"signal", signal, QString::number(QCoreApplication::applicationPid())}}
                                                 : Steps{}));
    const QStringList inputs{m_work->filePath("a.pdf"), m_work->filePath("b.pdf")};
    writeMarkedPdf(inputs.at(0), 1, 1);
    writeMarkedPdf(inputs.at(1), 2, 1);
    Form1 &form = m_fixture->load();
    fileListOf(form)->append(inputs);
    form.show();
    // Wired as the program wires its window.
    TerminationSignals stopSignals;
    connect(&stopSignals, &TerminationSignals::received, &form, &QWidget::close);

    int desktopFilesMeanwhile = 0;
    bool hiddenMeanwhile = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (bySignal || readLines(pids).isEmpty())
            return;
        poll.stop();
        desktopFilesMeanwhile = int(desktopEntries().size());
        // What pdftk writes is hidden from the file manager while it writes.
        hiddenMeanwhile = QTest::qWaitFor([] {
            const QStringList written = desktopEntries().filter(".part");
            return written.size() == 1 && isHiddenFile(isolatedDesktop() + '/' + written.first());
        });
        if (startAgain) {
            m_fixture->dialogs.messageAnswers << MessageAnswer::Yes;
            form.Start();
        } else {
            form.close();
        }
    });
    poll.start(10);
    form.Start();

    QCOMPARE(m_fixture->programEnded, programEnds ? 1 : 0);
    // Nothing is said but the question that stopped it.
    QCOMPARE(m_fixture->dialogs.messageTexts(), said);
    if (!bySignal) {
        QCOMPARE(desktopFilesMeanwhile, 2);
        QVERIFY(hiddenMeanwhile);
    }
    const QStringList started = readLines(pids).value(0).split(' ');
    QCOMPARE(started.size(), 2);
    for (const QString &pid : started)
        QVERIFY2(processGone(pid.toLongLong()), qPrintable(pid));
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    QCOMPARE(fileBytes(joined), QByteArray("%PDF old result"));
    QCOMPARE(fileListOf(form)->paths(), inputs);
    QTRY_COMPARE(form.ProgressBar1->value(), 0);
    QCOMPARE(shownPointer(form), MousePointer::Default);
}

void JoinEndingsTest::resultKeptUnderAFreeName_data()
{
    // What is in the folder before: files, folders and dangling links.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QString>("saved");
    const QStringList none;
    QTest::newRow("nothing there") << none << none << none << "joined.pdf";
    QTest::newRow("an older joined.pdf") << QStringList{"joined.pdf"} << none << none << "joined.pdf";
    QTest::newRow("a folder named joined.pdf") << none << QStringList{"joined.pdf"} << none << "joined (2).pdf";
    QTest::newRow("the next names taken") << QStringList{"joined (2).pdf"}
                                          << QStringList{"joined.pdf", "joined (3).pdf"} << none << "joined (4).pdf";
    QTest::newRow("a link that leads nowhere") << none << QStringList{"joined.pdf"} << QStringList{"joined (2).pdf"}
                                               << "joined (3).pdf";
}

void JoinEndingsTest::resultKeptUnderAFreeName()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, links);
    QFETCH(QString, saved);
    const QString folder = m_work->filePath("Desktop");
    QVERIFY(QDir().mkpath(folder));
    QHash<QString, QByteArray> untouched;
    for (const QString &name : files) {
        QVERIFY(writeFile(folder + '/' + name, "older " + name.toUtf8()));
        if (name != "joined.pdf")
            untouched.insert(name, "older " + name.toUtf8());
    }
    for (const QString &name : folders)
        QVERIFY(QDir().mkpath(folder + '/' + name + "/inside"));
    std::vector<std::unique_ptr<TestLink>> made;
    for (const QString &name : links) {
        if (runsUnderWine())
            QSKIP("Wine does not show a Windows program a link that leads nowhere.");
        made.push_back(std::make_unique<TestLink>(folder + "/nowhere", folder + '/' + name));
        QVERIFY(made.back()->made());
    }
    const QString written = folder + "/.joined.pdf.x1.part";
    QVERIFY(writeFile(written, "%PDF the result"));
    // The output path keeps its doubled separator in the name it gives back.
    const QString output = folder + "//joined.pdf";

    const SavedFile result = saveJoinedFile(written, output);

    QCOMPARE(result.path, folder + "//" + saved);
    // Saved elsewhere, the system's first reason says why joined.pdf was not replaced.
    QCOMPARE(result.error, saved == "joined.pdf" ? QString() : qt_error_string(kIsAFolder));
    QCOMPARE(fileBytes(result.path), QByteArray("%PDF the result"));
    QVERIFY(!QFileInfo::exists(written));
    for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
        QCOMPARE(fileBytes(folder + '/' + it.key()), it.value());
    if (folders.contains("joined.pdf"))
        QVERIFY(QFileInfo::exists(folder + "/joined.pdf/inside"));
}

// On a drive whose file system has no hard links (FAT, exFAT, many network
// shares) and no rename that refuses to replace, the result still gets a
// visible name, and the reason given is the first one. The file systems of
// this machine have both; a preloaded library takes them away.
void JoinEndingsTest::withoutHardLinks()
{
#ifdef Q_OS_LINUX
    QProcess again;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", helperFolder() + "/../tests/libcorvanta_no_links.so");
    again.setProcessEnvironment(environment);
    again.start(QCoreApplication::applicationFilePath(), {"resultKeptUnderAFreeName"});
    QVERIFY(again.waitForFinished(60000));
    const QByteArray output = again.readAllStandardOutput();
    QVERIFY2(again.exitCode() == 0, output.constData());
    QVERIFY2(output.contains("the preloaded library holds"), output.constData());
#else
    QSKIP("Windows renames without replacing in one step, with no links needed.");
#endif
}

// The test itself, started again, is the program killed outright mid-join.
int joinToBeKilled(const QString &desktop, const QString &appFolder, const QStringList &inputs)
{
    FakeHost host;
    host.folder = appFolder;
    host.paths = inputs;
    JoinEnvironment environment = JoinEnvironment::standard();
    environment.desktopFolder = [desktop] { return desktop + QDir::separator(); };
    environment.helperFolder = helperFolder();
    Joiner(host, environment).Start();
    return 0;
}

void JoinEndingsTest::hardKillLeavesNothingAfterRestart()
{
    const QString pids = m_work->filePath("pids");
    writeFakePdftk(m_fixture->appFolder, lingeringPdftk(pids));
    const QStringList inputs{m_work->filePath("a.pdf")};
    writeMarkedPdf(inputs.at(0), 1, 1);
    QVERIFY(writeFile(isolatedDesktop() + "/joined.pdf", "%PDF old result"));
    // A leftover of a program that still runs is that program's business.
    QProcess live;
    live.start(scriptedChild(m_work->path(), "live", {{"sleep", "30"}}));
    QVERIFY(live.waitForStarted());
    const auto endLive = qScopeGuard([&live] {
        live.kill();
        live.waitForFinished();
    });
    const QString livePart = isolatedDesktop() + QStringLiteral("/.joined.pdf.%1.0123456789abcdef.part").arg(live.processId());
    QVERIFY(writeFile(livePart, "%PDF half"));

    QProcess killed;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CORVANTA_JOIN_TO_BE_KILLED",
                       QStringList{isolatedDesktop(), m_fixture->appFolder, inputs.at(0)}.join('\n'));
    killed.setProcessEnvironment(environment);
    killed.start(QCoreApplication::applicationFilePath());
    QTRY_VERIFY_WITH_TIMEOUT(!readLines(pids).isEmpty(), 20000);
    const qint64 killedPid = killed.processId();
    killed.kill();
    QVERIFY(killed.waitForFinished());

    // pdftk and its worker die with the program; its half-written file stays.
    for (const QString &pid : readLines(pids).value(0).split(' '))
        QTRY_VERIFY2(processGone(pid.toLongLong()), qPrintable(pid));
    const QString killedPart = QStringLiteral(".joined.pdf.%1.").arg(killedPid);
    const auto leftovers = [] { return desktopEntries().filter(".part"); };
    QCOMPARE(leftovers().filter(killedPart).size(), 1);

    // The next start removes it once its window is up, and nothing else.
    m_fixture->load().show();
    QTRY_COMPARE(leftovers(), QStringList{QFileInfo(livePart).fileName()});
    QCOMPARE(fileBytes(isolatedDesktop() + "/joined.pdf"), QByteArray("%PDF old result"));
}

void JoinEndingsTest::fullDriveIsNamed_data()
{
    // A Desktop on a drive of this size, and a pdftk that first fills it.
    QTest::addColumn<int>("kilobytes");
    QTest::addColumn<bool>("fillFirst");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("pdftkRuns");
    QTest::newRow("too small from the start")
        << 64 << false << "there is not enough free space for the joined file on the Desktop's drive" << false;
    QTest::newRow("filled while pdftk writes")
        << 1024 << true << "the Desktop's drive ran out of free space while pdftk wrote the joined file" << true;
}

void JoinEndingsTest::fullDriveIsNamed()
{
    QFETCH(int, kilobytes);
    QFETCH(bool, fillFirst);
    QFETCH(QString, said);
    QFETCH(bool, pdftkRuns);
#ifdef Q_OS_LINUX
    const QString drive = m_work->filePath("drive");
    QVERIFY(QDir().mkpath(drive));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", QStringLiteral("size=%1k").arg(kilobytes), "tmpfs", drive}) != 0)
        QSKIP("Making a small drive needs the right to mount one.");
    const auto unmount = qScopeGuard([&drive] { QProcess::execute("umount", {drive}); });
    QVERIFY(writeFile(drive + "/joined.pdf", "%PDF old result"));
    JoinFixture join;
    join.environment.desktopFolder = [&drive] { return drive + QDir::separator(); };
    const QString log = m_work->filePath("ran");
    writeFakePdftk(join.appFolder, Steps{{"append", log, "ran"}} + (fillFirst ? Steps{{"fill", drive + "/filler"}} : Steps{})
                                       + Steps{{"pdftk"}});
    // Enough pages to outgrow the smaller drive, and not the larger.
    for (const char *name : {"a.pdf", "b.pdf"}) {
        writeMarkedPdf(m_work->filePath(name), 1, 300);
        join.host.paths.append(m_work->filePath(name));
    }
    join.start();

    const QStringList messages = join.host.fakeDialogs.messageTexts();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(said), qPrintable(messages.first()));
    QVERIFY2(!messages.first().contains("a.pdf") && !messages.first().contains("b.pdf"), qPrintable(messages.first()));
    QCOMPARE(QFile::exists(log), pdftkRuns);
    QFile::remove(drive + "/filler");
    QCOMPARE(QDir(drive).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"joined.pdf"});
    QCOMPARE(fileBytes(drive + "/joined.pdf"), QByteArray("%PDF old result"));
#else
    QSKIP("Mounting a small drive is done here on Linux only.");
#endif
}

void JoinEndingsTest::folderInPlaceOfJoinedPdf()
{
    QVERIFY(QDir().mkpath(isolatedDesktop() + "/joined.pdf"));
    const QStringList inputs{m_work->filePath("a.pdf"), m_work->filePath("b.pdf")};
    writeMarkedPdf(inputs.at(0), 1, 2);
    // A page the checker cannot read whole, which the note after "Done." names.
    QList<QByteArray> deep = formPageObjects("Pay 100 EUR");
    deep[2].replace("/Contents", "/Deep " + QByteArray(600, '[') + QByteArray(600, ']') + " /Contents");
    QVERIFY(writeFile(inputs.at(1), pdfOfObjects(deep)));
    Form1 &form = m_fixture->load();
    fileListOf(form)->append(inputs);
    m_fixture->dialogs.messageAnswers << MessageAnswer::Ok << MessageAnswer::Ok << MessageAnswer::Yes;
    form.Start();

    const QString output = isolatedOutputPath();
    const QString saved = output.chopped(QStringLiteral("joined.pdf").size()) + "joined (2).pdf";
    QCOMPARE(m_fixture->dialogs.messageTexts(),
             QStringList({joinSavedMessage(output, saved, qt_error_string(kIsAFolder)),
                          "joined (2).pdf does not show everything of this file as the file itself does:\n\n"
                              + inputs.at(1) + " — its pages could not all be checked",
                          openJoinedFileQuestion(saved)}));
    QVERIFY(m_fixture->dialogs.messageTexts().constFirst().startsWith("Done.\n"));
    QCOMPARE(m_fixture->shell.opened, QStringList{saved});
    const QList<QPair<int, int>> pages{{1, 1}, {1, 2}};
    QCOMPARE(markedPages(saved).mid(0, 2), pages);
    QCOMPARE(markedPages(saved).size(), 3);
    QCOMPARE(desktopEntries(), QStringList({"joined (2).pdf", "joined.pdf"}));
    QVERIFY(QFileInfo(isolatedDesktop() + "/joined.pdf").isDir());
}

void JoinEndingsTest::joinJustPastTheLimit()
{
    // pdftk as a wrapper that records its runs.
    const QString log = m_work->filePath("runs");
    QList<JoinEntry> entries;
    QList<QPair<int, int>> expected;
    for (int mark = 1; mark <= 12; ++mark) {
        const QString plain = m_work->filePath(QStringLiteral("in %1.pdf").arg(mark));
        writeMarkedPdf(plain, mark, mark % 3 + 1);
        for (int page = 1; page <= mark % 3 + 1; ++page)
            expected.append({mark, page});
        if (mark % 5 == 0) {
            const QString secret = m_work->filePath(QStringLiteral("secret %1.pdf").arg(mark));
            QVERIFY(encryptPdf(plain, secret, QStringLiteral("pw %1").arg(mark)));
            entries.append({secret, QStringLiteral("pw %1").arg(mark)});
        } else {
            entries.append({plain, QString()});
        }
    }
    JoinFixture join;
    const QString program = writeFakePdftk(join.appFolder, {{"record", log}, {"pdftk"}});
    for (const JoinEntry &entry : entries) {
        join.host.paths.append(entry.Path);
        join.host.fakeDialogs.inputAnswers << entry.Password;
    }
    join.host.prompts = true;
    join.host.fakeDialogs.messageAnswers << MessageAnswer::Ok << MessageAnswer::No;

    // One byte too few for the one run; every temporary name has the same length.
    const QString output = isolatedOutputPath();
    const QString written = temporaryOutputPath(output);
    const QStringList arguments = BuildJoinCommand(program, entries, written).arguments;
    const qsizetype limit = argumentListSize(QStringList{program} + arguments) - 1;
    join.environment.argumentLimit = [limit](const QProcessEnvironment &) { return limit; };
    join.start();

    QCOMPARE(join.host.fakeDialogs.messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(output), expected);
    QCOMPARE(readLines(log).count("output"), 2);
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
}

void JoinEndingsTest::startWhileAddingIsRefused_data()
{
    QTest::addColumn<bool>("drop");
    QTest::newRow("folder scan") << false;
    QTest::newRow("drop of a folder") << true;
}

void JoinEndingsTest::startWhileAddingIsRefused()
{
    QFETCH(bool, drop);
    const QString root = m_work->filePath("tree");
    QStringList names;
    for (int folder = 1; folder <= 20; ++folder) {
        for (int file = 1; file <= 10; ++file)
            names.append(QStringLiteral("f%1/doc %2.pdf").arg(folder).arg(file));
    }
    makeTree(root, names);
    const QString log = m_work->filePath("calls");
    writeFakePdftk(m_fixture->appFolder, {{"append", log, "call"}});
    Form1 &form = m_fixture->load();
    int listedWhenStarted = -1;
    QTimer::singleShot(0, &form, [&] {
        listedWhenStarted = fileListOf(form)->count();
        form.Start();
    });
    if (drop) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(root)});
        form.ListView1_OLEDragDrop(&data);
    } else {
        m_fixture->dialogs.folderAnswers << root;
        form.AddFolder();
    }

    QVERIFY(listedWhenStarted >= 0 && listedWhenStarted < names.size());
    QCOMPARE(m_fixture->dialogs.messageTexts(), QStringList{filesStillBeingAddedMessage()});
    QCOMPARE(fileListOf(form)->count(), names.size());
    QVERIFY(readLines(log).isEmpty());
}

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    corvanta::testing::isolateHome(home.path());
    QApplication app(argc, argv);
    corvanta::testing::useRealPdftk();
    const QString toBeKilled = qEnvironmentVariable("CORVANTA_JOIN_TO_BE_KILLED");
    if (!toBeKilled.isEmpty()) {
        const QStringList given = toBeKilled.split('\n');
        return joinToBeKilled(given.at(0), given.at(1), given.mid(2));
    }
    JoinEndingsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_join_endings.moc"
