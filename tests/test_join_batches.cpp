// Planning joins past the system's argument limit, and running such plans.

#include "join/JoinBatches.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

QList<JoinEntry> entries(int count, int passwordEvery)
{
    QList<JoinEntry> list;
    for (int i = 1; i <= count; ++i) {
        const QString password = passwordEvery && i % passwordEvery == 0 ? QStringLiteral("pw %1").arg(i) : QString();
        list.append({QStringLiteral("/data/folder %1/file %1.pdf").arg(i), password});
    }
    return list;
}

// Names like the real ones: the same length every time.
std::function<QString()> numberedNames(const QString &folder)
{
    auto next = std::make_shared<int>(0);
    return [folder, next] { return QStringLiteral("%1/.joined.pdf.%2.part").arg(folder).arg(++*next, 6, 10, QLatin1Char('0')); };
}

// What each file holds after the plan ran, as the inputs it came from (path
// and the password it was opened with), read from the runs' arguments as
// pdftk reads them.
QHash<QString, QList<JoinEntry>> simulate(const JoinPlan &plan, QString *problem)
{
    QHash<QString, QList<JoinEntry>> files;
    for (const JoinProcessCommand &run : plan.runs) {
        const QStringList &arguments = run.arguments;
        const qsizetype cat = arguments.indexOf(QStringLiteral("cat"));
        if (cat < 0 || arguments.size() != cat + 3 || arguments.at(cat + 1) != QLatin1String("output")) {
            *problem = QStringLiteral("no target in ") + arguments.join(' ');
            return files;
        }
        QHash<QString, QString> passwords;
        for (qsizetype i = 0; i + 1 < cat; ++i) {
            if (arguments.at(i) == QLatin1String("input_pw")) {
                const QString pair = arguments.at(i + 1);
                passwords.insert(pair.section('=', 0, 0), pair.section('=', 1));
            }
        }
        QList<JoinEntry> joined;
        int handles = 0;
        for (qsizetype i = 0; i < cat && arguments.at(i) != QLatin1String("input_pw"); ++i) {
            QString path = arguments.at(i);
            QString password;
            if (!path.startsWith('/')) {
                const QString handle = path.section('=', 0, 0);
                if (handle != joinHandle(handles++))
                    *problem = QStringLiteral("handle %1 out of turn").arg(handle);
                password = passwords.value(handle);
                path = path.section('=', 1);
            }
            if (files.contains(path))
                joined += files.take(path); // each batch result is used once
            else
                joined.append({path, password});
        }
        files.insert(arguments.last(), joined);
    }
    return files;
}

} // namespace

class JoinBatchesTest : public QObject
{
    Q_OBJECT
private slots:
    void plans_data();
    void plans();
    void argumentLimitHoldsForARealProgram();
    void failedBatchEndsThePlan();
};

void JoinBatchesTest::plans_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("passwordEvery");
    // Of the one run's own size: 100 lets it through; below that, batches.
    QTest::addColumn<int>("limitPercent");
    // Batches copy every page twice: the last run takes as many of the last
    // inputs as fit, so a list just past the limit takes two runs, not three.
    QTest::addColumn<int>("runs");
    QTest::newRow("fits: the one run") << 5 << 2 << 100 << 1;
    QTest::newRow("one byte past the limit") << 40 << 0 << -1 << 2;
    QTest::newRow("passwords in every batch") << 60 << 3 << 33 << 4;
    QTest::newRow("results batched again") << 300 << 4 << 2 << 140;
    QTest::newRow("past Z in one batch") << 80 << 1 << 60 << 2;
}

void JoinBatchesTest::plans()
{
    QFETCH(int, count);
    QFETCH(int, passwordEvery);
    QFETCH(int, limitPercent);
    QFETCH(int, runs);
    const QString program = QStringLiteral("/usr/bin/pdftk");
    const QString output = QStringLiteral("/home/me/Desktop//joined.pdf");
    const QList<JoinEntry> inputs = entries(count, passwordEvery);
    const JoinProcessCommand whole = BuildJoinCommand(program, inputs, output);
    const qsizetype wholeSize = argumentListSize(QStringList{program} + whole.arguments);
    const qsizetype limit = limitPercent < 0 ? wholeSize - 1 : wholeSize * limitPercent / 100;

    const JoinPlan plan = planJoin(program, inputs, output, limit, numberedNames("/home/me/Desktop"));

    QCOMPARE(plan.runs.size(), runs);
    if (limit >= wholeSize) {
        QCOMPARE(plan.runs.size(), 1);
        QCOMPARE(plan.runs.first().program, whole.program);
        QCOMPARE(plan.runs.first().arguments, whole.arguments);
        QVERIFY(plan.intermediateFiles.isEmpty());
        return;
    }
    for (const JoinProcessCommand &run : plan.runs) {
        QCOMPARE(run.program, program);
        QVERIFY2(argumentListSize(QStringList{run.program} + run.arguments) <= limit, qPrintable(run.arguments.join(' ')));
    }
    QString problem;
    const QHash<QString, QList<JoinEntry>> files = simulate(plan, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // Every batch result went into a later run; only the output is left.
    QCOMPARE(files.keys(), QStringList{output});
    const QList<JoinEntry> joined = files.value(output);
    QCOMPARE(joined.size(), inputs.size());
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        QCOMPARE(joined.at(i).Path, inputs.at(i).Path);
        QCOMPARE(joined.at(i).Password, inputs.at(i).Password);
    }
    QCOMPARE(plan.intermediateFiles.size(), plan.runs.size() - 1);
    for (qsizetype i = 0; i + 1 < plan.runs.size(); ++i)
        QCOMPARE(plan.runs.at(i).arguments.last(), plan.intermediateFiles.at(i));

    // Too small for any two inputs: the one run, which fails and says why.
    const JoinPlan hopeless = planJoin(program, inputs, output, 10, numberedNames("/tmp"));
    QCOMPARE(hopeless.runs.size(), 1);
    QCOMPARE(hopeless.runs.first().arguments, whole.arguments);
}

void JoinBatchesTest::argumentLimitHoldsForARealProgram()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const qsizetype limit = argumentLimit(environment);
    environment.insert(QStringLiteral("CORVANTA_LARGE"), QString(100000, QLatin1Char('x')));
#ifdef Q_OS_WIN
    // The environment has room of its own beside the command line.
    QCOMPARE(argumentLimit(environment), limit);
#else
    QVERIFY(argumentLimit(environment) <= limit - 100000);
#endif

    // An argument list that fills the limit is still taken by the system,
    // and arrives whole.
    QTemporaryDir dir;
    const QString received = dir.filePath("arguments");
    const QString program = scriptedChild(dir.path(), "child", {{"record", received}});
    QStringList arguments;
    const QString path = QDir::toNativeSeparators(QStringLiteral("/a/folder/of/some/length/") + QString(170, QLatin1Char('p')));
    const qsizetype pathSize = argumentListSize({path});
    for (qsizetype size = argumentListSize({program}); size + pathSize <= limit; size += pathSize)
        arguments.append(path);
    QVERIFY(argumentListSize(QStringList{program} + arguments) <= limit);
    ProcessRunner runner;
    const ProcessRunner::Result result = runner.run(program, arguments);
    QCOMPARE(result.ending, ProcessRunner::Ending::Exited);
    QCOMPARE(readLines(received), arguments);
#ifdef Q_OS_WIN
    QVERIFY(arguments.size() > 150); // 32,767 characters
#else
    QVERIFY(arguments.size() > 5000); // about 2 MiB
#endif
}

void JoinBatchesTest::failedBatchEndsThePlan()
{
    // Three runs whose second fails: the third never runs, and the files the
    // first two wrote are gone.
    QTemporaryDir programs;
    QTemporaryDir dir;
    const QString first = dir.filePath("first.part");
    const QString second = dir.filePath("second.part");
    const QString last = dir.filePath("joined.pdf");
    const JoinPlan plan{{{scriptedChild(programs.path(), "first", {{"output", "1"}}), {first}},
                         {scriptedChild(programs.path(), "second", {{"output", "2"}, {"stderr", "broken"}, {"exit", "3"}}), {second}},
                         {scriptedChild(programs.path(), "third", {{"output", "3"}}), {last}}},
                        {first, second}};
    ProcessRunner runner;
    const ProcessRunner::Result result = runJoinPlan(runner, plan);
    QCOMPARE(result.code, 3);
    QCOMPARE(result.standardError, QByteArray("broken\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

CORVANTA_TEST_MAIN(JoinBatchesTest)
#include "test_join_batches.moc"
