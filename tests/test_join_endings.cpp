// How a join ends when it does not run to its end: the program told to stop
// by a signal, the user stopping it. Nothing may be left behind: no pdftk,
// no Java it started, no temporary file; the old joined.pdf stays as it was.

#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "join/JoinBatches.h"
#include "join/JoinCommand.h"
#include "join/JoinRun.h"
#include "join/SaveResult.h"
#include "join/TerminationSignals.h"
#include "support/Fixture.h"
#include "support/FolderTrees.h"
#include "support/PdftkSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <csignal>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

QStringList desktopEntries()
{
    return QDir(isolatedDesktop())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

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
    QDir(isolatedDesktop()).removeRecursively();
    QVERIFY(QDir().mkpath(isolatedDesktop()));
    m_fixture = std::make_unique<FormFixture>();
    m_work = std::make_unique<QTemporaryDir>();
}

void JoinEndingsTest::signalsArriveOnTheEventLoop_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void JoinEndingsTest::signalsArriveOnTheEventLoop()
{
    QFETCH(int, number);
    static int handledBefore = 0;
    handledBefore = 0;
    const auto before = std::signal(number, [](int) { ++handledBefore; });
    {
        TerminationSignals stopSignals;
        QVERIFY(stopSignals.isActive());
        // Only one instance takes the signals.
        QVERIFY(!TerminationSignals().isActive());
        QSignalSpy spy(&stopSignals, &TerminationSignals::received);
        std::raise(number);
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
    QTest::addColumn<QString>("how");
    QTest::newRow("closing the window") << "close";
    QTest::newRow("Start again, answered Yes") << "start";
    QTest::newRow("SIGTERM") << "TERM";
    QTest::newRow("SIGHUP") << "HUP";
    QTest::newRow("SIGINT") << "INT";
}

void JoinEndingsTest::stoppingLeavesNothing()
{
    QFETCH(QString, how);
    const bool bySignal = how != "close" && how != "start";
    const QString joined = isolatedDesktop() + "/joined.pdf";
    QVERIFY(writeText(joined, "%PDF old result"));
    const QString pids = m_work->filePath("pids");
    // pdftk's parent is this test: a signal from pdftk reaches the program mid-join.
    writeLingeringPdftk(m_fixture->appFolder, pids, bySignal ? QStringLiteral("kill -%1 $PPID").arg(how) : QString());
    const QStringList inputs{m_work->filePath("a.pdf"), m_work->filePath("b.pdf")};
    writeMarkedPdf(inputs.at(0), 1, 1);
    writeMarkedPdf(inputs.at(1), 2, 1);
    Form1 &form = m_fixture->load();
    form.fileList()->append(inputs);
    form.show();
    // Wired as the program wires its window.
    TerminationSignals stopSignals;
    connect(&stopSignals, &TerminationSignals::received, &form, &QWidget::close);

    int desktopFilesMeanwhile = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (bySignal || readLines(pids).isEmpty())
            return;
        poll.stop();
        desktopFilesMeanwhile = int(desktopEntries().size());
        if (how == "close") {
            form.close();
        } else {
            m_fixture->dialogs.messageAnswers << MessageAnswer::Yes;
            form.Start();
        }
    });
    poll.start(10);
    form.Start();

    QCOMPARE(m_fixture->programEnded, how == "start" ? 0 : 1);
    // Nothing is said but the question that stopped it.
    QCOMPARE(m_fixture->dialogs.messageTexts(),
             how == "start" ? QStringList{StopRunningJoinQuestion()} : QStringList());
    if (!bySignal)
        QCOMPARE(desktopFilesMeanwhile, 2);
    const QStringList started = readLines(pids).value(0).split(' ');
    QCOMPARE(started.size(), 2);
    for (const QString &pid : started)
        QVERIFY2(processGone(pid.toLongLong()), qPrintable(pid));
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    QCOMPARE(contents(joined), QByteArray("%PDF old result"));
    QCOMPARE(form.fileList()->paths(), inputs);
    QVERIFY(!form.isJoinRunning());
    QCOMPARE(form.progressValue(), 0.0);
    QCOMPARE(form.mousePointer(), Form1::kDefaultPointer);
}

void JoinEndingsTest::resultKeptUnderAFreeName_data()
{
    // What is in the folder before: name -> "file", "folder" or "link" (dangling).
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("saved");
    QTest::newRow("nothing there") << QStringList{} << "joined.pdf";
    QTest::newRow("an older joined.pdf") << QStringList{"joined.pdf=file"} << "joined.pdf";
    QTest::newRow("a folder named joined.pdf") << QStringList{"joined.pdf=folder"} << "joined (2).pdf";
    QTest::newRow("the next names taken") << QStringList{"joined.pdf=folder", "joined (2).pdf=file",
                                                         "joined (3).pdf=folder", "joined (4).pdf=link"}
                                          << "joined (5).pdf";
}

void JoinEndingsTest::resultKeptUnderAFreeName()
{
    QFETCH(QStringList, present);
    QFETCH(QString, saved);
    const QString folder = m_work->filePath("Desktop");
    QVERIFY(QDir().mkpath(folder));
    QHash<QString, QByteArray> untouched;
    for (const QString &entry : present) {
        const QString name = entry.section('=', 0, 0);
        const QString kind = entry.section('=', 1);
        const QString path = folder + '/' + name;
        if (kind == "file") {
            QVERIFY(writeText(path, "older " + name.toUtf8()));
            if (name != "joined.pdf")
                untouched.insert(name, "older " + name.toUtf8());
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path + "/inside"));
        } else {
            QVERIFY(QFile::link(folder + "/nowhere", path));
        }
    }
    const QString written = folder + "/.joined.pdf.x1.part";
    QVERIFY(writeText(written, "%PDF the result"));
    // The output path keeps its doubled separator in the name it gives back.
    const QString output = folder + "//joined.pdf";

    const SavedFile result = SaveJoinedFile(written, output);

    QCOMPARE(result.path, folder + "//" + saved);
    // Saved elsewhere, the system's reason says why joined.pdf was not replaced.
    QCOMPARE(result.error.isEmpty(), saved == "joined.pdf");
    QCOMPARE(contents(result.path), QByteArray("%PDF the result"));
    QVERIFY(!QFileInfo::exists(written));
    for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
        QCOMPARE(contents(folder + '/' + it.key()), it.value());
    if (present.contains("joined.pdf=folder"))
        QVERIFY(QFileInfo::exists(folder + "/joined.pdf/inside"));
}

void JoinEndingsTest::folderInPlaceOfJoinedPdf()
{
    QVERIFY(QDir().mkpath(isolatedDesktop() + "/joined.pdf"));
    const QStringList inputs{m_work->filePath("a.pdf"), m_work->filePath("b.pdf")};
    writeMarkedPdf(inputs.at(0), 1, 2);
    writeMarkedPdf(inputs.at(1), 2, 1);
    Form1 &form = m_fixture->load();
    form.fileList()->append(inputs);
    m_fixture->dialogs.messageAnswers << MessageAnswer::Ok << MessageAnswer::Yes;
    form.Start();

    const QString output = JoinOutputPathFor(QDir::toNativeSeparators(isolatedDesktop()) + QDir::separator());
    const QString saved = output.chopped(QStringLiteral("joined.pdf").size()) + "joined (2).pdf";
    QCOMPARE(m_fixture->dialogs.messageTexts(),
             QStringList({JoinSavedMessage(output, saved, qt_error_string(EISDIR)), OpenJoinedFileQuestion(saved)}));
    QVERIFY(m_fixture->dialogs.messageTexts().constFirst().startsWith("Done.\n"));
    QCOMPARE(m_fixture->shell.opened, QStringList{saved});
    const QList<QPair<int, int>> pages{{1, 1}, {1, 2}, {2, 1}};
    QCOMPARE(markedPages(saved), pages);
    QCOMPARE(desktopEntries(), QStringList({"joined (2).pdf", "joined.pdf"}));
    QVERIFY(QFileInfo(isolatedDesktop() + "/joined.pdf").isDir());
}

void JoinEndingsTest::joinJustPastTheLimit()
{
    // pdftk as a wrapper that counts its runs and measures each argument list.
    const QString log = m_work->filePath("runs");
    writeFakePdftk(m_fixture->appFolder, QStringLiteral("echo \"$#\" >> '%1'\nexec pdftk \"$@\"").arg(log));
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
    Form1 &form = m_fixture->load();
    for (const JoinEntry &entry : entries) {
        form.fileList()->append(entry.Path);
        m_fixture->dialogs.inputAnswers << entry.Password;
    }
    form.Check1->setChecked(true);
    m_fixture->dialogs.messageAnswers << MessageAnswer::Ok << MessageAnswer::No;

    // One byte too few for the one run, whatever name pdftk writes to.
    const QString output = JoinOutputPathFor(QDir::toNativeSeparators(isolatedDesktop()) + QDir::separator());
    const QString program = QDir::toNativeSeparators(m_fixture->appFolder + "/pdftk");
    const QString shortestWritten = QFileInfo(output).path() + "/.joined.pdf.0.part";
    const qsizetype limit =
        ArgumentListSize(program, BuildJoinProcessCommand(program, entries, shortestWritten).arguments) - 1;
    JoinEnvironment environment = JoinEnvironment::standard();
    environment.argumentLimit = [limit](const QProcessEnvironment &) { return limit; };
    std::function<void()> running;
    RunJoin(form, running, environment);

    QCOMPARE(m_fixture->dialogs.messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(output), expected);
    QCOMPARE(readLines(log).size(), 2);
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
    writeFakePdftk(m_fixture->appFolder, QStringLiteral("echo call >> '%1'").arg(log));
    Form1 &form = m_fixture->load();
    // The window's events run at every entry of the scan.
    const int interval = EventTurns::interval();
    EventTurns::setInterval(0);
    int listedWhenStarted = -1;
    QTimer::singleShot(0, &form, [&] {
        listedWhenStarted = form.fileList()->count();
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
    EventTurns::setInterval(interval);

    QVERIFY(listedWhenStarted >= 0 && listedWhenStarted < names.size());
    QCOMPARE(m_fixture->dialogs.messageTexts(), QStringList{FilesStillBeingAddedMessage()});
    QCOMPARE(form.fileList()->count(), names.size());
    QVERIFY(readLines(log).isEmpty());
    QVERIFY(!form.isJoinRunning());
}

CORVANTA_TEST_MAIN(JoinEndingsTest)
#include "test_join_endings.moc"
