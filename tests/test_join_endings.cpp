// How a join ends when it does not run to its end: the program told to stop
// by a signal, the user stopping it. Nothing may be left behind: no pdftk,
// no Java it started, no temporary file; the old joined.pdf stays as it was.

#include "filelist/FileListModel.h"
#include "join/SaveResult.h"
#include "join/TerminationSignals.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSignalSpy>

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

// Like Debian's wrapper: a shell that starts the real work without exec.
// It starts writing its output, records its own and its worker's ids in
// `pids`, runs `then`, and keeps going until it is stopped.
QString lingeringPdftk(const QString &folder, const QString &pids, const QString &then)
{
    return writeFakePdftk(folder, QStringLiteral(R"(
eval last=\${$#}
printf '%%PDF-1.4 half' > "$last"
sleep 120 &
echo $$ $! > '%1'
%2
wait
echo "ran to its end" >> '%1')").arg(pids, then));
}

} // namespace

class JoinEndingsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void signalsArriveOnTheEventLoop_data();
    void signalsArriveOnTheEventLoop();
    void signalDuringJoinLeavesNothing_data();
    void signalDuringJoinLeavesNothing();
    void resultKeptUnderAFreeName_data();
    void resultKeptUnderAFreeName();

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

void JoinEndingsTest::signalDuringJoinLeavesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("SIGTERM") << "TERM";
    QTest::newRow("SIGHUP") << "HUP";
    QTest::newRow("SIGINT") << "INT";
}

void JoinEndingsTest::signalDuringJoinLeavesNothing()
{
    QFETCH(QString, name);
    const QString joined = isolatedDesktop() + "/joined.pdf";
    QVERIFY(writeText(joined, "%PDF old result"));
    const QString pids = m_work->filePath("pids");
    // pdftk's parent is this test: the signal reaches the program mid-join.
    lingeringPdftk(m_fixture->appFolder, pids, QStringLiteral("kill -%1 $PPID").arg(name));
    const QString input = m_work->filePath("a.pdf");
    writeMarkedPdf(input, 1, 1);
    Form1 &form = m_fixture->load();
    form.fileList()->append(input);
    form.show();

    // Wired as the program wires its window.
    TerminationSignals stopSignals;
    connect(&stopSignals, &TerminationSignals::received, &form, &QWidget::close);
    form.Start();

    QCOMPARE(m_fixture->programEnded, 1);
    QVERIFY(m_fixture->dialogs.asked.isEmpty());
    const QStringList started = readLines(pids).value(0).split(' ');
    QCOMPARE(started.size(), 2);
    for (const QString &pid : started)
        QVERIFY2(processGone(pid.toLongLong()), qPrintable(pid));
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    QCOMPARE(contents(joined), QByteArray("%PDF old result"));
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
    QVERIFY(result.error.isEmpty());
    QCOMPARE(contents(result.path), QByteArray("%PDF the result"));
    QVERIFY(!QFileInfo::exists(written));
    for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
        QCOMPARE(contents(folder + '/' + it.key()), it.value());
    if (present.contains("joined.pdf=folder"))
        QVERIFY(QFileInfo::exists(folder + "/joined.pdf/inside"));
}

CORVANTA_TEST_MAIN(JoinEndingsTest)
#include "test_join_endings.moc"
