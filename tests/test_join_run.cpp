// Whole joins through Form1::Start: the real pdftk on PDFs made here, and a
// fake pdftk where the exact arguments or the timing matter.

#include "app/Helpers.h"
#include "filelist/FileListModel.h"
#include "join/JoinCommand.h"
#include "join/JoinRun.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTimer>

#include <stdexcept>

using namespace corvanta;
using namespace corvanta::testing;

using Pages = QList<QPair<int, int>>;

namespace {

QString desktop()
{
    return isolatedDesktop();
}

// The path the program shows and opens, doubled separator included.
QString outputPath()
{
    return QDir::toNativeSeparators(desktop()) + QDir::separator() + QDir::separator()
        + QStringLiteral("joined.pdf");
}

QStringList desktopEntries()
{
    return QDir(desktop()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

Pages pagesOf(std::initializer_list<QPair<int, int>> marksAndCounts)
{
    Pages pages;
    for (const auto &[mark, count] : marksAndCounts) {
        for (int page = 1; page <= count; ++page)
            pages.append({mark, page});
    }
    return pages;
}

// A pdftk that writes its arguments, one a line, to `log`, then lets the
// real pdftk do the join; `extra` runs first.
QString recordingPdftk(const QString &folder, const QString &log, const QString &extra = QString())
{
    return writeFakePdftk(folder, extra + QStringLiteral(R"(
printf '%s\n' "$@" >> '%1'
exec pdftk "$@")").arg(log));
}

// Everything the run asked, as "kind|title|text" lines, for readable failures.
QString transcript(const FakeDialogs &dialogs)
{
    QStringList lines;
    for (const FakeDialogs::Asked &asked : dialogs.asked)
        lines.append(asked.kind + QLatin1Char('|') + asked.title + QLatin1Char('|') + asked.text);
    return lines.join(QLatin1Char('\n'));
}

// Restores an environment variable when the test ends, however it ends.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

class JoinRunTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void emptyList();
    void realJoinInOrder();
    void blankPromptsEqualOptionOff(); // and what the prompts see
    void passwordsForFirstAndThird();
    void argumentsArriveIntact();
    void realProtectedFile();
    void handlesPastZWithRealPdftk();
    void nonAsciiNamesWithPlainLocale();
    void checksLetThroughWhatPdftkJoins();
    void failureKeepsOldOutput_data();
    void failureKeepsOldOutput();
    void warningsWithSuccessAreNoFailure(); // and answering No
    void oldOutputAsInput();
    void secondStartAnsweredNoGoesOn();
    void stepFailureReportsItsNumber();
    void unwritableDesktopEndsTheRun();

private:
    // A fresh window with the given files in its list.
    Form1 &window(const QStringList &paths, bool promptForPasswords = false);
    QString input(const QString &name, int mark, int pages);
    // OK for "Done.", then the answer to the question that follows it.
    void answerDoneThen(MessageAnswer answer);

    std::unique_ptr<FormFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_inputs;
};

void JoinRunTest::init()
{
    QDir(desktop()).removeRecursively();
    QVERIFY(QDir().mkpath(desktop()));
    m_fixture = std::make_unique<FormFixture>();
    m_inputs = std::make_unique<QTemporaryDir>();
}

void JoinRunTest::cleanup()
{
    QVERIFY2(m_fixture->dialogs.unexpected.isEmpty(),
             qPrintable(m_fixture->dialogs.unexpected.join(QLatin1Char('\n'))));
    m_fixture.reset();
}

void JoinRunTest::answerDoneThen(MessageAnswer answer)
{
    m_fixture->dialogs.messageAnswers << MessageAnswer::Ok << answer;
}

Form1 &JoinRunTest::window(const QStringList &paths, bool promptForPasswords)
{
    Form1 &form = m_fixture->load();
    form.fileList()->append(paths);
    form.Check1->setChecked(promptForPasswords);
    return form;
}

QString JoinRunTest::input(const QString &name, int mark, int pages)
{
    const QString path = QDir::toNativeSeparators(m_inputs->filePath(name));
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeMarkedPdf(path, mark, pages);
    return path;
}

void JoinRunTest::emptyList()
{
    writeText(desktop() + "/joined.pdf", "old");
    Form1 &form = window({});
    form.setProgressValue(42);
    form.Start();
    QCOMPARE(transcript(m_fixture->dialogs), "message|Corvanta|No files added.");
    QCOMPARE(contents(desktop() + "/joined.pdf"), QByteArray("old"));
    QCOMPARE(form.progressValue(), 42.0);
    QCOMPARE(form.mousePointer(), Form1::kDefaultPointer);
    QVERIFY(!form.isJoinRunning());
}

void JoinRunTest::realJoinInOrder()
{
    // A Desktop that does not exist yet is made.
    QDir(desktop()).removeRecursively();
    const QStringList files{input("one.pdf", 1, 2), input("two.pdf", 2, 1), input("three.pdf", 3, 3)};
    Form1 &form = window(files);
    answerDoneThen(MessageAnswer::Yes);
    form.Start();

    QCOMPARE(transcript(m_fixture->dialogs),
             "message|Corvanta|Done.\nmessage|Corvanta|" + OpenJoinedFileQuestion(outputPath()));
    QCOMPARE(m_fixture->dialogs.asked.at(1).style, MessageStyle::YesNo);
    QVERIFY(outputPath().endsWith(QString(QDir::separator()) + QDir::separator() + "joined.pdf"));
    QCOMPARE(m_fixture->shell.opened, QStringList{outputPath()});
    QCOMPARE(markedPages(outputPath()), pagesOf({{1, 2}, {2, 1}, {3, 3}}));
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    QCOMPARE(form.progressValue(), 0.0);
    QCOMPARE(form.mousePointer(), Form1::kDefaultPointer);
    QVERIFY(!form.isJoinRunning());
}

void JoinRunTest::blankPromptsEqualOptionOff()
{
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    const QStringList files{input("a.pdf", 1, 1), input("b.pdf", 2, 1), input("c.pdf", 3, 1)};

    // A greyed box counts as off, like an unticked one: no prompt at all.
    window(files, false).Check1->setCheckState(Qt::PartiallyChecked);
    answerDoneThen(MessageAnswer::No);
    m_fixture->form->Start();
    QVERIFY(m_fixture->dialogs.unexpected.isEmpty());
    const QStringList off = readLines(log);
    QFile::remove(log);

    Form1 &form = window(files, true);
    QList<double> progress;
    QList<int> pointers;
    QStringList prompted;
    m_fixture->dialogs.onAsk = [&](const FakeDialogs::Asked &asked) {
        if (asked.kind == "input") {
            progress.append(form.progressValue());
            pointers.append(form.mousePointer());
            prompted.append(asked.text);
        }
    };
    // A blank field and Cancel both come back as "".
    m_fixture->dialogs.inputAnswers << "" << "" << "";
    answerDoneThen(MessageAnswer::No);
    form.Start();
    const QStringList on = readLines(log);

    QCOMPARE(progress.size(), 3);
    QVERIFY(qFuzzyCompare(progress.at(0), 100.0 / 3));
    QVERIFY(qFuzzyCompare(progress.at(1), 200.0 / 3));
    QCOMPARE(progress.at(2), 100.0);
    QCOMPARE(pointers, QList<int>({11, 11, 11}));
    QCOMPARE(prompted, QStringList({PasswordPrompt(files.at(0)), PasswordPrompt(files.at(1)),
                                    PasswordPrompt(files.at(2))}));

    QCOMPARE(off.size(), 6);
    QCOMPARE(off.mid(0, 5), files + QStringList({"cat", "output"}));
    QCOMPARE(on.mid(0, 5), off.mid(0, 5));
    // pdftk writes beside joined.pdf, under a name of its own.
    const QFileInfo written(on.at(5));
    QCOMPARE(QDir(written.absolutePath()), QDir(desktop()));
    QVERIFY(written.fileName() != "joined.pdf");
    QVERIFY(written.fileName().startsWith('.'));
}

void JoinRunTest::passwordsForFirstAndThird()
{
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    const QStringList files{input("a.pdf", 1, 1), input("b.pdf", 2, 1), input("c.pdf", 3, 1)};
    Form1 &form = window(files, true);
    m_fixture->dialogs.inputAnswers << "one" << "" << "three";
    answerDoneThen(MessageAnswer::No);
    form.Start();
    const QStringList arguments = readLines(log);
    QCOMPARE(arguments.mid(0, 9),
             QStringList({"A=" + files.at(0), files.at(1), "B=" + files.at(2), "input_pw", "A=one",
                          "input_pw", "B=three", "cat", "output"}));
    QCOMPARE(arguments.size(), 10);
}

void JoinRunTest::argumentsArriveIntact()
{
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    const QString odd = input(R"(dir with "quotes"/my "odd" file $HOME `x` 'y'.pdf)", 1, 1);
    const QString password = R"( a "b" c = 'd' \e )";
    Form1 &form = window({odd}, true);
    m_fixture->dialogs.inputAnswers << password;
    answerDoneThen(MessageAnswer::No);
    form.Start();
    const QStringList arguments = readLines(log);
    QCOMPARE(arguments.mid(0, 5), QStringList({"A=" + odd, "input_pw", "A=" + password, "cat", "output"}));
    // What runs is the argument list the command builder gives, but for the
    // temporary output name.
    QCOMPARE(arguments, BuildJoinProcessCommand("pdftk", {{odd, password}}, arguments.last()).arguments);
    QCOMPARE(m_fixture->dialogs.messageTexts().value(0), "Done.");
}

void JoinRunTest::realProtectedFile()
{
    const QString password = R"(pa ss "word")";
    const QString secret = QDir::toNativeSeparators(m_inputs->filePath("secret.pdf"));
    QVERIFY(encryptPdf(input("plain-1.pdf", 1, 2), secret, password));
    QVERIFY(markedPages(secret).isEmpty()); // pdftk refuses it without the password
    QCOMPARE(markedPages(secret, password), pagesOf({{1, 2}}));

    Form1 &form = window({input("plain-2.pdf", 2, 1), secret}, true);
    m_fixture->dialogs.inputAnswers << "" << password;
    answerDoneThen(MessageAnswer::No);
    form.Start();
    // pdftk warns about passwords on its command line and still exits 0.
    QCOMPARE(m_fixture->dialogs.messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(outputPath()), pagesOf({{2, 1}, {1, 2}}));
}

void JoinRunTest::handlesPastZWithRealPdftk()
{
    const QString secret = QDir::toNativeSeparators(m_inputs->filePath("secret.pdf"));
    QVERIFY(encryptPdf(input("plain.pdf", 5, 1), secret, "pw"));
    QStringList files;
    for (int i = 0; i < 27; ++i) {
        files.append(secret);
        m_fixture->dialogs.inputAnswers << "pw";
    }
    Form1 &form = window(files, true);
    answerDoneThen(MessageAnswer::No);
    form.Start();
    QCOMPARE(m_fixture->dialogs.messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(outputPath()).size(), 27);
}

void JoinRunTest::nonAsciiNamesWithPlainLocale()
{
    // The program itself may run in a plain C locale; pdftk still gets UTF-8.
    ScopedEnv all("LC_ALL", "C");
    ScopedEnv lang("LANG", "C");
    Form1 &form = window({input("Données/Résumé ü.pdf", 1, 1), input("日本.pdf", 2, 2)});
    answerDoneThen(MessageAnswer::No);
    form.Start();
    QCOMPARE(m_fixture->dialogs.messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(outputPath()), pagesOf({{1, 1}, {2, 2}}));
}

void JoinRunTest::checksLetThroughWhatPdftkJoins()
{
    // A file protected only against changes opens without a password, a
    // file that needs repair is left for pdftk to repair, and one whose page
    // count is wrong is not taken for a short result.
    const QString ownerOnly = QDir::toNativeSeparators(m_inputs->filePath("owner-only.pdf"));
    QVERIFY(protectPdfForOwner(input("plain.pdf", 1, 2), ownerOnly, "secret"));
    const QString repairable = QDir::toNativeSeparators(m_inputs->filePath("repairable.pdf"));
    writeRepairablePdf(repairable, 2, 3);
    Form1 &form = window({ownerOnly, repairable, input("last.pdf", 3, 1)});
    answerDoneThen(MessageAnswer::No);
    form.Start();
    QCOMPARE(m_fixture->dialogs.messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(outputPath()), pagesOf({{1, 2}, {2, 3}, {3, 1}}));

    // A page tree that states one page more than it holds: pdftk joins the
    // two that are there.
    const QString miscounted = input("miscounted.pdf", 4, 2);
    QByteArray miscountedBytes = contents(miscounted);
    QVERIFY(miscountedBytes.contains("/Count 2 "));
    miscountedBytes.replace("/Count 2 ", "/Count 3 ");
    writeText(miscounted, miscountedBytes);
    form.fileList()->clear();
    form.fileList()->append({miscounted, input("after.pdf", 5, 1)});
    answerDoneThen(MessageAnswer::No);
    form.Start();
    QCOMPARE(m_fixture->dialogs.messageTexts().value(2), "Done.");
    QCOMPARE(markedPages(outputPath()), pagesOf({{4, 2}, {5, 1}}));
}

void JoinRunTest::failureKeepsOldOutput_data()
{
    QTest::addColumn<QString>("kind");
    // Fragments of the warning; one that starts with "!" must not be in it.
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("pdftkRuns");

    // Found before any prompt.
    QTest::newRow("owner-only file and a renamed JPEG")
        << "jpeg" << QStringList{"this file cannot be used.\n\n%photo% — is not a PDF file", "!%owner%", "!tick"}
        << false;
    QTest::newRow("missing input") << "missing input" << QStringList{"%missing% — does not exist"} << false;
    QTest::newRow("FIFO") << "fifo" << QStringList{"%fifo% — is not a regular file"} << false;
    QTest::newRow("protected, option off")
        << "option off" << QStringList{"%secret% — is password protected", "tick \"Prompt for password"} << false;
    QTest::newRow("twelve files listed as ten")
        << "twelve" << QStringList{"these files cannot be used.", "gone-10.pdf — does not exist\n… and 2 more",
                                   "!gone-11.pdf"}
        << false;
    QTest::newRow("missing pdftk") << "missing pdftk"
                                   << QStringList{"pdftk was not found", "sudo apt install pdftk-java"} << false;
    // Found after the prompts.
    QTest::newRow("wrong password") << "wrong password"
                                    << QStringList{"a password is missing or wrong.\n\n%secret% — the password typed for it is wrong"} << false;
    QTest::newRow("blank password")
        << "blank password" << QStringList{"%secret% — needs a password; none was typed"}
        << false;
    // Found in what pdftk did.
    QTest::newRow("damaged input pdftk cannot repair")
        << "damaged" << QStringList{"pdftk could not repair this damaged file:\n%damaged%", "pdftk reported:",
                                    "startxref", "!Done."}
        << true;
    QTest::newRow("exit 0 without a file") << "no output"
                                           << QStringList{"pdftk reported success but wrote no file"} << true;
    QTest::newRow("exit 0 with a truncated file")
        << "truncated" << QStringList{"pdftk reported success, but the file it wrote is incomplete or damaged."}
        << true;
    QTest::newRow("exit 0 with pages missing")
        << "pages missing" << QStringList{"the file it wrote has the wrong number of pages: 1 instead of 3."}
        << true;
    QTest::newRow("long error text is shortened")
        << "long text" << QStringList{"pdftk reported:\nline 1\nline 2\n", "line 12 …"} << true;
    QTest::newRow("fake pdftk fails") << "fake fails"
                                      << QStringList{"pdftk ended with exit code 3", "pdftk reported:\nboom"} << true;
}

void JoinRunTest::failureKeepsOldOutput()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, expected);
    QFETCH(bool, pdftkRuns);

    const QByteArray old = "%PDF old result";
    writeText(desktop() + "/joined.pdf", old);
    const QString plain = input("plain.pdf", 1, 1);
    const auto named = [this](const QString &name) { return QDir::toNativeSeparators(m_inputs->filePath(name)); };
    const QString secret = named("secret.pdf");
    const QString owner = named("owner.pdf");
    const QString photo = named("photo.pdf");
    const QString missing = named("gone.pdf");
    const QString fifo = named("fifo.pdf");
    const QString damaged = named("damaged.pdf");

    // Unless a row brings its own, a pdftk that leaves a trace if it starts.
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    QStringList files{plain};
    bool prompt = false;
    std::unique_ptr<QTemporaryDir> emptyPath;
    std::unique_ptr<ScopedEnv> path;
    if (kind == "jpeg") {
        QVERIFY(protectPdfForOwner(plain, owner, "secret"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(photo, "JPG"));
        files = QStringList{owner, photo};
    } else if (kind == "option off" || kind == "wrong password" || kind == "blank password") {
        QVERIFY(encryptPdf(plain, secret, "right"));
        files << secret;
        prompt = kind != "option off";
        if (prompt)
            m_fixture->dialogs.inputAnswers << "" << (kind == "wrong password" ? "wrong" : "");
    } else if (kind == "missing input") {
        files << missing;
    } else if (kind == "fifo") {
        QCOMPARE(QProcess::execute("mkfifo", {fifo}), 0);
        files << fifo;
    } else if (kind == "twelve") {
        for (int i = 1; i <= 12; ++i)
            files << named(QStringLiteral("gone-%1.pdf").arg(i));
    } else if (kind == "missing pdftk") {
        QFile::remove(m_fixture->appFolder + "/pdftk");
        emptyPath = std::make_unique<QTemporaryDir>();
        path = std::make_unique<ScopedEnv>("PATH", emptyPath->path().toUtf8());
    } else if (kind == "damaged") {
        writeText(damaged, "%PDF-1.4\nthe rest is lost\n");
        files << damaged;
    } else if (kind == "no output") {
        writeFakePdftk(m_fixture->appFolder, "exit 0");
    } else if (kind == "truncated") {
        writeFakePdftk(m_fixture->appFolder, "eval last=\\${$#}; pdftk \"$@\" && head -c 300 \"$last\" > \"$last.cut\" "
                                             "&& mv \"$last.cut\" \"$last\"");
    } else if (kind == "pages missing") {
        files << input("two-pages.pdf", 2, 2);
        writeFakePdftk(m_fixture->appFolder, "eval last=\\${$#}; cp \"$1\" \"$last\"");
    } else if (kind == "long text") {
        writeFakePdftk(m_fixture->appFolder, "for i in $(seq 1 200); do echo \"line $i\" >&2; done; exit 1");
    } else if (kind == "fake fails") {
        writeFakePdftk(m_fixture->appFolder, "echo boom >&2; exit 3");
    }

    Form1 &form = window(files, prompt);
    form.Start();

    const QStringList messages = m_fixture->dialogs.messageTexts();
    QCOMPARE(messages.size(), 1);
    const QString warning = messages.first();
    QCOMPARE(m_fixture->dialogs.asked.last().style, MessageStyle::Warning);
    QCOMPARE(m_fixture->dialogs.asked.last().title, "Corvanta");
    QVERIFY2(warning.startsWith("The PDF files were not joined: "), qPrintable(warning));
    for (QString fragment : expected) {
        fragment.replace("%secret%", secret).replace("%photo%", photo).replace("%owner%", owner);
        fragment.replace("%missing%", missing).replace("%fifo%", fifo).replace("%damaged%", damaged);
        const bool absent = fragment.startsWith('!');
        if (absent)
            fragment.remove(0, 1);
        QVERIFY2(warning.contains(fragment) != absent,
                 qPrintable(warning + (absent ? "\n--- has ---\n" : "\n--- lacks ---\n") + fragment));
    }
    QVERIFY2(!warning.contains("PROMPT"), qPrintable(warning));
    QVERIFY2(warning.count('\n') < 25, qPrintable(warning));
    if (!pdftkRuns)
        QVERIFY2(!QFile::exists(log), "pdftk was started");
    QVERIFY(m_fixture->shell.opened.isEmpty());
    QCOMPARE(contents(desktop() + "/joined.pdf"), old);
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    QCOMPARE(form.progressValue(), 0.0);
    QCOMPARE(form.mousePointer(), Form1::kDefaultPointer);
    QVERIFY(!form.isJoinRunning());
}

void JoinRunTest::warningsWithSuccessAreNoFailure()
{
    recordingPdftk(m_fixture->appFolder, m_inputs->filePath("argv"),
                   "echo 'Warning: something odd in the input, repaired' >&2");
    Form1 &form = window({input("a.pdf", 1, 1)});
    answerDoneThen(MessageAnswer::No);
    form.Start();
    QCOMPARE(m_fixture->dialogs.messageTexts(), QStringList({"Done.", OpenJoinedFileQuestion(outputPath())}));
    QCOMPARE(markedPages(outputPath()), pagesOf({{1, 1}}));
    // No: nothing is opened, and the window is idle again.
    QVERIFY(m_fixture->shell.opened.isEmpty());
    QCOMPARE(form.progressValue(), 0.0);
    QCOMPARE(form.mousePointer(), Form1::kDefaultPointer);
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
}

void JoinRunTest::oldOutputAsInput()
{
    writeMarkedPdf(desktop() + "/joined.pdf", 9, 2);
    Form1 &form = window({outputPath(), input("a.pdf", 1, 1), outputPath()});
    answerDoneThen(MessageAnswer::No);
    form.Start();
    QCOMPARE(m_fixture->dialogs.messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(outputPath()), pagesOf({{9, 2}, {1, 1}, {9, 2}}));
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
}

void JoinRunTest::secondStartAnsweredNoGoesOn()
{
    const QString calls = m_inputs->filePath("calls");
    const QString release = m_inputs->filePath("release");
    recordingPdftk(m_fixture->appFolder, m_inputs->filePath("argv"),
                   QStringLiteral("echo call >> '%1'\n"
                                  "while [ ! -e '%2' ]; do sleep 0.02; done")
                       .arg(calls, release));
    Form1 &form = window({input("a.pdf", 1, 1)});
    m_fixture->dialogs.messageAnswers << MessageAnswer::No; // do not stop
    answerDoneThen(MessageAnswer::No);

    bool wasRunning = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (readLines(calls).isEmpty())
            return;
        poll.stop();
        wasRunning = form.isJoinRunning();
        form.Start();
        writeText(release, "");
    });
    poll.start(10);
    form.Start();

    QVERIFY(wasRunning);
    QCOMPARE(m_fixture->dialogs.messageTexts(),
             QStringList({StopRunningJoinQuestion(), "Done.", OpenJoinedFileQuestion(outputPath())}));
    // A stray Enter must not stop a join.
    QCOMPARE(m_fixture->dialogs.asked.first().style, MessageStyle::YesNoDefaultNo);
    QCOMPARE(readLines(calls).size(), 1);
    QCOMPARE(markedPages(outputPath()), pagesOf({{1, 1}}));
    QVERIFY(!form.isJoinRunning());
}

void JoinRunTest::stepFailureReportsItsNumber()
{
    Form1 &form = window({input("a.pdf", 1, 1)});
    int pdftkLookups = 0;
    JoinEnvironment environment = JoinEnvironment::standard();
    environment.desktopFolder = []() -> QString { throw std::runtime_error("No Desktop here."); };
    environment.findPdftk = [&](const QString &) {
        ++pdftkLookups;
        return QString();
    };
    std::function<void()> running;
    RunJoin(form, running, environment);

    QCOMPARE(m_fixture->dialogs.asked.size(), 1);
    const FakeDialogs::Asked &report = m_fixture->dialogs.asked.first();
    QCOMPARE(report.title, "Application Error");
    QCOMPARE(report.style, MessageStyle::Warning);
    QVERIFY2(report.text.startsWith("No Desktop here.\nin Velmira5/20/2014.Form1.Start at line 104\n"),
             qPrintable(report.text));
    // Without an output path the run ends at once: nothing is looked up or run.
    QCOMPARE(pdftkLookups, 0);
    QCOMPARE(form.progressValue(), 0.0);
    QCOMPARE(form.mousePointer(), Form1::kDefaultPointer);
    QVERIFY(!running);
}

void JoinRunTest::unwritableDesktopEndsTheRun()
{
    // A Desktop that cannot be made: the report names step 110 and is the
    // only message, since nothing after it can succeed.
    const QString blocker = m_inputs->filePath("blocker");
    writeText(blocker, "a file where a folder should be");
    const QString desktopFolder = QDir::toNativeSeparators(blocker + "/Desktop/");
    JoinEnvironment environment = JoinEnvironment::standard();
    environment.desktopFolder = [&] { return desktopFolder; };
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    Form1 &form = window({input("a.pdf", 1, 1)}, true);
    std::function<void()> running;
    RunJoin(form, running, environment);

    const QList<FakeDialogs::Asked> &asked = m_fixture->dialogs.asked;
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.at(0).title, "Application Error");
    QVERIFY2(asked.at(0).text.contains("Form1.Start at line 110"), qPrintable(asked.at(0).text));
    QVERIFY(!QFile::exists(log));
    QCOMPARE(form.progressValue(), 0.0);
    QCOMPARE(form.mousePointer(), Form1::kDefaultPointer);
    QVERIFY(!running);
}

CORVANTA_TEST_MAIN(JoinRunTest)
#include "test_join_run.moc"
