// Whole joins on a fake host: the real pdftk on PDFs made here, and a fake
// pdftk where the exact arguments or the timing matter.

#include "join/JoinCommand.h"
#include "join/JoinMessages.h"
#include "join/JoinRun.h"
#include "join/JoinOutcome.h"
#include "join/Pdftk.h"
#include "support/Fixture.h"
#include "support/HostilePdfs.h"
#include "support/PdftkSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>

#include <functional>
#include <stdexcept>

using namespace corvanta;
using namespace corvanta::testing;

using Pages = QList<QPair<int, int>>;

namespace {

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
// real pdftk do the join; the steps `first` come first.
QString recordingPdftk(const QString &folder, const QString &log, const Steps &first = {})
{
    return writeFakePdftk(folder, first + Steps{{"record", log}, {"pdftk"}});
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

// What a failing join found in its files, for the rows of failureKeepsOldOutput.
struct Scenario
{
    QTemporaryDir *inputs = nullptr;
    JoinFixture *fixture = nullptr;
    QStringList files;
    // A PATH with no pdftk on it, for as long as the row runs.
    std::unique_ptr<ScopedEnv> path;
    // Why the row cannot run on this system.
    QString skip;

    QString named(const QString &name) const { return QDir::toNativeSeparators(inputs->filePath(name)); }
    QString plain() const { return named("plain.pdf"); }
};
using Setup = std::function<void(Scenario &)>;
Q_DECLARE_METATYPE(Setup)

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
    void swappedAfterTheCheck_data();
    void swappedAfterTheCheck();
    void longResultSharedOut_data();
    void longResultSharedOut();
    void warningsWithSuccessAreNoFailure(); // and answering No
    void doneSaysWhatIsLost_data();
    void doneSaysWhatIsLost();
    void pdftkJavaStartsLean_data();
    void pdftkJavaStartsLean();
    void oldOutputAsInput();
    void secondStartAnsweredNoGoesOn();
    void stepFailureReportsItsNumber_data();
    void stepFailureReportsItsNumber();
    void wrongPasswordIsAskedAgain_data();
    void wrongPasswordIsAskedAgain();
    void filesReadAheadOfStart_data();
    void filesReadAheadOfStart();

private:
    // The list to join, and whether passwords are asked for.
    void listed(const QStringList &paths, bool promptForPasswords = false);
    QString input(const QString &name, int mark, int pages);
    // OK for "Done.", then the answer to the question that follows it.
    void answerDoneThen(MessageAnswer answer);
    FakeDialogs &dialogs() { return m_fixture->host.fakeDialogs; }
    // The window is idle again: progress 0, default pointer, no join.
    void verifyIdle();

    std::unique_ptr<JoinFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_inputs;
};

void JoinRunTest::init()
{
    QVERIFY(emptyIsolatedDesktop());
    m_fixture = std::make_unique<JoinFixture>();
    m_inputs = std::make_unique<QTemporaryDir>();
}

void JoinRunTest::cleanup()
{
    m_fixture.reset();
}

void JoinRunTest::answerDoneThen(MessageAnswer answer)
{
    dialogs().messageAnswers << MessageAnswer::Ok << answer;
}

void JoinRunTest::listed(const QStringList &paths, bool promptForPasswords)
{
    m_fixture->host.paths = paths;
    m_fixture->host.prompts = promptForPasswords;
}

void JoinRunTest::verifyIdle()
{
    QCOMPARE(m_fixture->host.progress, 0.0);
    QVERIFY(!m_fixture->host.busy().underWay());
    QVERIFY(!m_fixture->isRunning());
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
    QVERIFY(writeFile(isolatedDesktop() + "/joined.pdf", "old"));
    m_fixture->host.progress = 42;
    m_fixture->start();
    QCOMPARE(transcript(dialogs()), "message|Corvanta|No files added.");
    QCOMPARE(fileBytes(isolatedDesktop() + "/joined.pdf"), QByteArray("old"));
    QCOMPARE(m_fixture->host.progress, 42.0);
    QVERIFY(!m_fixture->host.busy().underWay());
    QVERIFY(!m_fixture->isRunning());
}

void JoinRunTest::realJoinInOrder()
{
    // A Desktop that does not exist yet is made.
    QVERIFY(QDir(isolatedDesktop()).removeRecursively());
    listed({input("one.pdf", 1, 2), input("two.pdf", 2, 1), input("three.pdf", 3, 3)});
    answerDoneThen(MessageAnswer::Yes);
    m_fixture->start();

    QCOMPARE(transcript(dialogs()), "message|Corvanta|Done.\nmessage|Corvanta|" + openJoinedFileQuestion(isolatedOutputPath()));
    QCOMPARE(dialogs().asked.at(1).style, MessageStyle::YesNo);
    QVERIFY(isolatedOutputPath().endsWith(QString(QDir::separator()) + QDir::separator() + "joined.pdf"));
    QCOMPARE(m_fixture->host.fakeShell.opened, QStringList{isolatedOutputPath()});
    QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{1, 2}, {2, 1}, {3, 3}}));
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    verifyIdle();
}

void JoinRunTest::blankPromptsEqualOptionOff()
{
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    const QStringList files{input("a.pdf", 1, 1), input("b.pdf", 2, 1), input("c.pdf", 3, 1)};

    listed(files, false);
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    const QStringList off = readLines(log);
    QFile::remove(log);

    listed(files, true);
    QList<double> progress;
    QList<bool> busy;
    dialogs().onAsk = [&](const FakeDialogs::Asked &asked) {
        if (asked.kind == "input") {
            progress.append(m_fixture->host.progress);
            busy.append(m_fixture->host.busy().underWay());
            QCOMPARE(asked.title, "Input Password");
            QVERIFY(asked.masked);
        }
    };
    // A blank field and Cancel both come back as "".
    dialogs().inputAnswers << "" << "" << "";
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    const QStringList on = readLines(log);

    QCOMPARE(progress.size(), 3);
    QVERIFY(qFuzzyCompare(progress.at(0), 100.0 / 3));
    QVERIFY(qFuzzyCompare(progress.at(1), 200.0 / 3));
    QCOMPARE(progress.at(2), 100.0);
    QCOMPARE(busy, QList<bool>(3, true));
    QCOMPARE(dialogs().asked.at(2).text, passwordPrompt(files.at(0)));
    QCOMPARE(dialogs().asked.at(4).text, passwordPrompt(files.at(2)));

    QCOMPARE(off.size(), 6);
    QCOMPARE(off.mid(0, 5), files + QStringList({"cat", "output"}));
    QCOMPARE(on.mid(0, 5), off.mid(0, 5));
    // pdftk writes beside joined.pdf, under a name of its own.
    const QFileInfo written(on.at(5));
    QCOMPARE(QDir(written.absolutePath()), QDir(isolatedDesktop()));
    QVERIFY(written.fileName() != "joined.pdf");
    QVERIFY(written.fileName().startsWith('.'));
}

void JoinRunTest::passwordsForFirstAndThird()
{
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    const QStringList files{input("a.pdf", 1, 1), input("b.pdf", 2, 1), input("c.pdf", 3, 1)};
    listed(files, true);
    dialogs().inputAnswers << "one" << "" << "three";
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    const QStringList arguments = readLines(log);
    QCOMPARE(arguments.mid(0, 9), QStringList({"A=" + files.at(0), files.at(1), "B=" + files.at(2), "input_pw",
                                                "A=one", "input_pw", "B=three", "cat", "output"}));
    QCOMPARE(arguments.size(), 10);
}

void JoinRunTest::argumentsArriveIntact()
{
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
#ifdef Q_OS_WIN
    // No quotes in Windows file names; what cmd.exe would act on instead.
    const QString odd = input(R"(dir with ^carets & %PATH%/my odd file 'y' ;x.pdf)", 1, 1);
#else
    const QString odd = input(R"(dir with "quotes"/my "odd" file $HOME `x` 'y'.pdf)", 1, 1);
#endif
    const QString password = R"( a "b" c = 'd' \e \\" \)";
    listed({odd}, true);
    dialogs().inputAnswers << password;
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    const QStringList arguments = readLines(log);
    QCOMPARE(arguments.mid(0, 5), QStringList({"A=" + odd, "input_pw", "A=" + password, "cat", "output"}));
    // What runs is the argument list the command builder gives, but for the
    // temporary output name.
    QCOMPARE(arguments, BuildJoinCommand("pdftk", {{odd, password}}, arguments.last()).arguments);
    QCOMPARE(dialogs().messageTexts().value(0), "Done.");
}

void JoinRunTest::realProtectedFile()
{
    const QString password = R"(pa ss "word")";
    const QString secret = QDir::toNativeSeparators(m_inputs->filePath("secret.pdf"));
    QVERIFY(encryptPdf(input("plain-1.pdf", 1, 2), secret, password));
    QVERIFY(markedPages(secret).isEmpty()); // it opens only with its password
    QCOMPARE(markedPages(secret, password), pagesOf({{1, 2}}));

    listed({input("plain-2.pdf", 2, 1), secret}, true);
    dialogs().inputAnswers << "" << password;
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    // pdftk warns about passwords on its command line and still exits 0.
    QCOMPARE(dialogs().messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{2, 1}, {1, 2}}));
}

void JoinRunTest::handlesPastZWithRealPdftk()
{
    const QString secret = QDir::toNativeSeparators(m_inputs->filePath("secret.pdf"));
    QVERIFY(encryptPdf(input("plain.pdf", 5, 1), secret, "pw"));
    QStringList files;
    for (int i = 0; i < 27; ++i) {
        files.append(secret);
        dialogs().inputAnswers << "pw";
    }
    listed(files, true);
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QCOMPARE(dialogs().messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(isolatedOutputPath()).size(), 27);
}

void JoinRunTest::nonAsciiNamesWithPlainLocale()
{
    // The program itself may run in a plain C locale; pdftk still gets UTF-8.
    ScopedEnv all("LC_ALL", "C");
    ScopedEnv lang("LANG", "C");
    listed({input("Données/Résumé ü.pdf", 1, 1), input("日本.pdf", 2, 2)});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QCOMPARE(dialogs().messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{1, 1}, {2, 2}}));
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
    // A stream whose stated length is wrong, which pdftk reads whole.
    const QString wrongLength = QDir::toNativeSeparators(m_inputs->filePath("wrong length.pdf"));
    QList<QByteArray> objects = formPageObjects("Pay 100 EUR");
    objects[3] = "<< /Length 3 >>\nstream\nq /X0 Do Q\nendstream";
    QVERIFY(writeFile(wrongLength, pdfOfObjects(objects)));
    listed({ownerOnly, repairable, wrongLength, input("last.pdf", 3, 1)});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QCOMPARE(dialogs().messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(isolatedOutputPath()).mid(0, 5), pagesOf({{1, 2}, {2, 3}}));

    // A page tree that states one page more than it holds: pdftk joins the
    // two that are there.
    const QString miscounted = input("miscounted.pdf", 4, 2);
    QByteArray miscountedBytes = fileBytes(miscounted);
    QVERIFY(miscountedBytes.contains("/Count 2 "));
    miscountedBytes.replace("/Count 2 ", "/Count 3 ");
    QVERIFY(writeFile(miscounted, miscountedBytes));
    listed({miscounted, input("after.pdf", 5, 1)});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QCOMPARE(dialogs().messageTexts().value(2), "Done.");
    QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{4, 2}, {5, 1}}));
    QCOMPARE(dialogs().messageTexts().size(), 4);
}

void JoinRunTest::failureKeepsOldOutput_data()
{
    // Adds the row's files to the list after plain.pdf, or replaces the list.
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("prompts");
    QTest::addColumn<QStringList>("answers"); // typed passwords
    QTest::addColumn<QStringList>("contains"); // fragments of the warning, %name% for a file's path
    QTest::addColumn<QStringList>("lacks");
    QTest::addColumn<bool>("pdftkRuns");

    const auto fake = [](const Steps &steps) {
        return Setup([steps](Scenario &s) { writeFakePdftk(s.fixture->appFolder, steps); });
    };
    using Encryption = QpdfRewrite::Encryption;
    const auto secret = [](Scenario &s) {
        QVERIFY(encryptPdf(s.plain(), s.named("secret.pdf"), "right"));
        s.files << s.named("secret.pdf");
    };

    // Found before any prompt.
    QTest::newRow("owner-only file and a renamed picture")
        << Setup([](Scenario &s) {
               QVERIFY(protectPdfForOwner(s.plain(), s.named("owner.pdf"), "secret"));
               QImage picture(40, 30, QImage::Format_RGB32);
               picture.fill(Qt::darkCyan);
               QVERIFY(picture.save(s.named("photo.pdf"), "PNG"));
               s.files = {s.named("owner.pdf"), s.named("photo.pdf")};
           })
        << false << QStringList() << QStringList{"this file cannot be used.\n\n%photo.pdf% — is not a PDF file"}
        << QStringList{"%owner.pdf%", "tick"} << false;
    QTest::newRow("a dynamic XFA form") << Setup([](Scenario &s) {
        QList<QByteArray> objects = formPageObjects("Please wait");
        objects[0] = "<< /Type /Catalog /Pages 2 0 R /NeedsRendering true /AcroForm << /Fields [] /XFA (<xdp/>) >> >>";
        QVERIFY(writeFile(s.named("dynamic.pdf"), pdfOfObjects(objects)));
        s.files << s.named("dynamic.pdf");
    }) << false << QStringList()
        << QStringList{"%dynamic.pdf% — holds its pages in a dynamic XFA form, which pdftk cannot copy"}
        << QStringList() << false;
    QTest::newRow("missing input") << Setup([](Scenario &s) { s.files << s.named("gone.pdf"); }) << false
                                   << QStringList() << QStringList{"%gone.pdf% — does not exist"} << QStringList()
                                   << false;
    QTest::newRow("FIFO") << Setup([](Scenario &s) {
#ifdef Q_OS_WIN
        s.skip = "Windows has no named pipes among the files of a folder.";
#else
        QCOMPARE(QProcess::execute("mkfifo", {s.named("fifo.pdf")}), 0);
        s.files << s.named("fifo.pdf");
#endif
    }) << false << QStringList()
                          << QStringList{"%fifo.pdf% — is not a regular file"} << QStringList() << false;
    QTest::newRow("protected, option off")
        << Setup(secret) << false << QStringList()
        << QStringList{"%secret.pdf% — is password protected", "tick \"Prompt for password"} << QStringList()
        << false;
    QTest::newRow("twelve files listed as ten") << Setup([](Scenario &s) {
        for (int i = 1; i <= 12; ++i)
            s.files << s.named(QStringLiteral("gone-%1.pdf").arg(i));
    }) << false << QStringList()
                                                << QStringList{"these files cannot be used.",
                                                               "gone-10.pdf — does not exist\n… and 2 more"}
                                                << QStringList{"gone-11.pdf"} << false;
    QTest::newRow("AES-256, deeply nested, a bomb") << Setup([](Scenario &s) {
        QVERIFY(rewriteWithQpdf(s.plain(), s.named("aes.pdf"), {Encryption::Aes256, "", "owner"}));
        writeDeepPageTree(s.named("deep.pdf"), 50000);
        writeObjectStreamBomb(s.named("bomb.pdf"));
        s.files << s.named("aes.pdf") << s.named("deep.pdf") << s.named("bomb.pdf");
    }) << false << QStringList()
        << QStringList{"%aes.pdf% — is encrypted in a way that pdftk cannot open",
                       "%deep.pdf% — has its pages nested more deeply than pdftk can follow",
                       childMemoryLimitsHold()
                           ? "%bomb.pdf% — could not be checked safely: it needs more memory than allowed"
                           : "%bomb.pdf% — could not be checked safely"}
        << QStringList{"%plain.pdf%"} << false;
    QTest::newRow("missing pdftk") << Setup([](Scenario &s) {
        for (const QString &name : QDir(s.fixture->appFolder).entryList({"pdftk*"}))
            QVERIFY(QFile::remove(s.fixture->appFolder + '/' + name));
        // The rest stays: on Windows the checker finds its libraries there.
        QStringList kept;
        for (const QString &folder : qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
            if (QDir(folder).entryList({"pdftk", "pdftk.exe"}, QDir::Files).isEmpty())
                kept.append(folder);
        }
        s.path = std::make_unique<ScopedEnv>("PATH", kept.join(QDir::listSeparator()).toUtf8());
    }) << false << QStringList()
#ifdef Q_OS_WIN
                                   << QStringList{"pdftk was not found", "Put pdftk.exe in Corvanta's folder"}
#else
                                   << QStringList{"pdftk was not found", "sudo apt install pdftk-java"}
#endif
                                   << QStringList() << false;
    // Found after the prompts.
    QTest::newRow("passwords pdftk cannot pass on") << Setup([](Scenario &s) {
        // The Cyrillic password as its UTF-8 bytes.
        QVERIFY(rewriteWithQpdf(s.plain(), s.named("cyrillic.pdf"), {Encryption::Aes128, QString("пароль").toUtf8(), "owner"}));
        QVERIFY(rewriteWithQpdf(s.plain(), s.named("prompt.pdf"), {Encryption::Aes128, "PROMPT", "owner"}));
        s.files = {s.named("cyrillic.pdf"), s.named("prompt.pdf")};
    }) << true << QStringList{"пароль", "PROMPT"}
        << QStringList{"%cyrillic.pdf% — the password typed for it has characters that pdftk cannot pass on",
                       "%prompt.pdf% — pdftk cannot be given the password PROMPT"}
        << QStringList() << false;
    // Found in what pdftk did.
    QTest::newRow("damaged input pdftk cannot repair")
        << Setup([](Scenario &s) {
               QVERIFY(writeFile(s.named("damaged.pdf"), "%PDF-1.4\nthe rest is lost\n"));
               s.files << s.named("damaged.pdf");
           })
        << false << QStringList()
        << QStringList{"pdftk could not repair this damaged file:\n%damaged.pdf%", "pdftk reported:", "startxref"}
        << QStringList{"Done."} << true;
    QTest::newRow("exit 0 without a file") << fake({{"exit", "0"}}) << false << QStringList()
                                           << QStringList{"pdftk reported success but wrote no file"}
                                           << QStringList() << true;
    QTest::newRow("exit 0 with a truncated file")
        << fake({{"pdftk"}, {"truncate", "300"}})
        << false << QStringList()
        << QStringList{"pdftk reported success, but the file it wrote is incomplete or damaged."} << QStringList()
        << true;
    QTest::newRow("exit 0 with pages missing") << Setup([](Scenario &s) {
        writeMarkedPdf(s.named("two-pages.pdf"), 2, 2);
        s.files << s.named("two-pages.pdf");
        writeFakePdftk(s.fixture->appFolder, {{"copy-first"}});
    }) << false << QStringList()
                                               << QStringList{"the file it wrote has the wrong number of pages: "
                                                              "1 instead of 3.",
                                                              "not all in it:\n%two-pages.pdf%"}
                                               << QStringList() << true;
    // Every page of the result is compared with the page it stands for.
    const auto twoPages = [](const Steps &steps) {
        return Setup([steps](Scenario &s) {
            writeMarkedPdf(s.named("two-pages.pdf"), 2, 2);
            s.files << s.named("two-pages.pdf");
            writeFakePdftk(s.fixture->appFolder, steps);
        });
    };
    // Runs the real pdftk on the two inputs, as A and B, with these page ranges.
    const auto pdftkWithPages = [](const QString &ranges) {
        return QStringList{"pdftk"} + ranges.split(' ');
    };
    QTest::newRow("pages in reverse order")
        << twoPages({pdftkWithPages("Bend-1 A")}) << false << QStringList()
        << QStringList{"page 1 of the file it wrote is not page 1 of\n%plain.pdf%"} << QStringList() << true;
    QTest::newRow("a page written twice")
        << twoPages({pdftkWithPages("A B B2")}) << false << QStringList()
        << QStringList{"the file it wrote has the wrong number of pages: 4 instead of 3.",
                       "not all in it:\n%two-pages.pdf%"}
        << QStringList() << true;
    // The same drawing instructions, and another form behind them.
    QTest::newRow("form swapped after the check") << Setup([](Scenario &s) {
        QVERIFY(writeFile(s.named("invoice.pdf"), pdfOfObjects(formPageObjects("Pay 100 EUR"))));
        s.files << s.named("invoice.pdf");
        writeFakePdftk(s.fixture->appFolder, {{"pdftk"}, {"replace", "Pay 100 EUR", "Pay 999 EUR"}});
    }) << false << QStringList()
        << QStringList{"page 2 of the file it wrote is not page 1 of\n%invoice.pdf%\n\nWhat differs: the fonts, "
                       "images or drawings it uses."}
        << QStringList() << true;
    QTest::newRow("one page, counted as three")
        << twoPages({pdftkWithPages("A"), {"replace", "/Count 1", "/Count 3"}})
        << false << QStringList() << QStringList{"the file it wrote has the wrong number of pages: 1 instead of 3."}
        << QStringList() << true;
    QTest::newRow("long error text is shortened")
        << fake({{"lines", "200", "line"}, {"exit", "1"}}) << false << QStringList()
        << QStringList{"pdftk reported:\nline 1\nline 2\n", "line 12 …"} << QStringList() << true;
    // Its words name no file: the input it fails on alone is named.
    QTest::newRow("pdftk fails inside itself")
        << fake({{"stderr", "Error: Unexpected Exception in open_reader()"},
                 {"stderr", "java.lang.ClassCastException: class PdfNull cannot be cast"},
                 {"stderr", "    at com.gitlab.pdftk_java.pdftk.main(pdftk.java:46)"},
                 {"exit", "2"}})
        << false << QStringList()
        << QStringList{"pdftk cannot read this file:\n%plain.pdf%",
                       "pdftk reported:\nError: Unexpected Exception in open_reader()"}
        << QStringList{"java.lang", "at com."} << true;
    QTest::newRow("fake pdftk fails") << fake({{"stderr", "boom"}, {"exit", "3"}}) << false << QStringList()
                                      << QStringList{"pdftk ended with exit code 3", "pdftk reported:\nboom"}
                                      << QStringList() << true;
}

void JoinRunTest::failureKeepsOldOutput()
{
    QFETCH(Setup, setup);
    QFETCH(bool, prompts);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, contains);
    QFETCH(QStringList, lacks);
    QFETCH(bool, pdftkRuns);

    const QByteArray old = "%PDF old result";
    QVERIFY(writeFile(isolatedDesktop() + "/joined.pdf", old));
    Scenario scenario{m_inputs.get(), m_fixture.get(), {input("plain.pdf", 1, 1)}, nullptr, QString()};
    // Unless a row brings its own, a pdftk that leaves a trace if it starts.
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    setup(scenario);
    if (!scenario.skip.isEmpty())
        QSKIP(qPrintable(scenario.skip));
    listed(scenario.files, prompts);
    dialogs().inputAnswers << answers;
    m_fixture->start();

    const QStringList messages = dialogs().messageTexts();
    QCOMPARE(messages.size(), 1);
    const QString warning = messages.first();
    QCOMPARE(dialogs().asked.last().style, MessageStyle::Warning);
    QCOMPARE(dialogs().asked.last().title, "Corvanta");
    QVERIFY2(warning.startsWith("The PDF files were not joined: "), qPrintable(warning));
    const auto withPaths = [this](QString fragment) {
        for (const QString &name : QDir(m_inputs->path()).entryList(QDir::Files | QDir::System))
            fragment.replace('%' + name + '%', QDir::toNativeSeparators(m_inputs->filePath(name)));
        return fragment.replace("%gone.pdf%", QDir::toNativeSeparators(m_inputs->filePath("gone.pdf")));
    };
    for (const QString &fragment : contains)
        QVERIFY2(warning.contains(withPaths(fragment)), qPrintable(warning + "\n--- lacks ---\n" + fragment));
    for (const QString &fragment : lacks + QStringList{"Use the keyword PROMPT"})
        QVERIFY2(!warning.contains(withPaths(fragment)), qPrintable(warning + "\n--- has ---\n" + fragment));
    QVERIFY2(warning.count('\n') < 25, qPrintable(warning));
    if (!pdftkRuns)
        QVERIFY2(!QFile::exists(log), "pdftk was started");
    QVERIFY(m_fixture->host.fakeShell.opened.isEmpty());
    QCOMPARE(fileBytes(isolatedDesktop() + "/joined.pdf"), old);
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    verifyIdle();
}

// An input swapped for another file between its check and pdftk: the same
// drawing in other bytes joins; whatever a reader would show otherwise is
// refused, and the warning says what differs.
void JoinRunTest::swappedAfterTheCheck_data()
{
    QTest::addColumn<QList<QByteArray>>("checked"); // the objects of the file checked
    QTest::addColumn<QList<QByteArray>>("swapped"); // of the file pdftk gets; none: the checked one, rewritten
    QTest::addColumn<QString>("rewrite");
    QTest::addColumn<QString>("differs"); // "" for a join that is done

    const QList<QByteArray> invoice = formPageObjects("Pay 100 EUR");
    QTest::newRow("Flate streams packed anew") << invoice << QList<QByteArray>() << "repacked" << "";
    QTest::newRow("streams unpacked") << invoice << QList<QByteArray>() << "unpacked" << "";
    const auto annotated = [&invoice](const QByteArray &annotation, const QByteArray &catalog = {}) {
        QList<QByteArray> objects = invoice;
        objects[0] = "<< /Type /Catalog /Pages 2 0 R " + catalog + " >>";
        objects[2].replace("/Contents", "/Annots [7 0 R] /Contents");
        return objects << annotation
                       << streamObject("/Type /XObject /Subtype /Form /BBox [0 0 50 50]", "0 0 50 50 re f")
                       << streamObject("/Type /XObject /Subtype /Form /BBox [0 0 50 50]", "");
    };
    const QString annotations = "its annotations or form fields";
    const QByteArray stamp = "<< /Type /Annot /Subtype /Stamp /Rect [10 10 60 60] /F 4 /AP << /N 8 0 R >> >>";
    QTest::newRow("a stamp moved onto the text")
        << annotated(stamp) << annotated(QByteArray(stamp).replace("[10 10 60 60]", "[50 150 100 200]")) << ""
        << annotations;
    QTest::newRow("a hidden stamp shown") << annotated(QByteArray(stamp).replace("/F 4", "/F 2")) << annotated(stamp)
                                          << "" << annotations;
    const QByteArray checkBox = "<< /Type /Annot /Subtype /Widget /FT /Btn /T (agree) /Rect [10 10 60 60] /F 4 "
                                "/V /Off /AS /Off /AP << /N << /Yes 8 0 R /Off 9 0 R >> >> >>";
    const QByteArray form = "/AcroForm << /Fields [7 0 R] >>";
    QTest::newRow("a check box ticked")
        << annotated(checkBox, form) << annotated(QByteArray(checkBox).replace("/Off /AS /Off", "/Yes /AS /Yes"), form)
        << "" << annotations;
    QTest::newRow("a square without appearance added")
        << invoice << annotated("<< /Type /Annot /Subtype /Square /Rect [20 20 80 80] /C [1 0 0] >>") << ""
        << annotations;
    const QByteArray note = "<< /Type /Annot /Subtype /FreeText /Rect [10 10 150 40] /Contents (100 EUR) "
                            "/DA (/Helv 12 Tf 0 g) >>";
    QTest::newRow("a note without appearance changed")
        << annotated(note) << annotated(QByteArray(note).replace("(100 EUR)", "(999999 EUR)")) << "" << annotations;
}

void JoinRunTest::swappedAfterTheCheck()
{
    QFETCH(QList<QByteArray>, checked);
    QFETCH(QList<QByteArray>, swapped);
    QFETCH(QString, rewrite);
    QFETCH(QString, differs);
    // Both as a PDF writer leaves them: streams packed with Flate.
    const auto written = [this](const QString &name, const QList<QByteArray> &objects, const QpdfRewrite &how) {
        const QString raw = m_inputs->filePath(name + ".raw");
        const QString path = QDir::toNativeSeparators(m_inputs->filePath(name));
        return writeFile(raw, pdfOfObjects(objects)) && rewriteWithQpdf(raw, path, how) ? path : QString();
    };
    const QString invoice = written("invoice.pdf", checked, {});
    QpdfRewrite how;
    how.unpacked = rewrite == "unpacked";
    how.repacked = rewrite == "repacked";
    QString other = QDir::toNativeSeparators(m_inputs->filePath("other.pdf"));
    if (swapped.isEmpty())
        QVERIFY(rewriteWithQpdf(invoice, other, how));
    else
        other = written("other.pdf", swapped, {});
    QVERIFY(!invoice.isEmpty() && !other.isEmpty());
    QVERIFY(fileBytes(invoice) != fileBytes(other));
    writeFakePdftk(m_fixture->appFolder, {{"swap", other, invoice}, {"pdftk"}});
    listed({input("plain.pdf", 1, 1), invoice});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    const QString said = dialogs().messageTexts().value(0);
    if (differs.isEmpty()) {
        QCOMPARE(said, "Done.");
        return;
    }
    QVERIFY2(said.contains("page 2 of the file it wrote is not page 1 of\n" + invoice + "\n\nWhat differs: "
                           + differs + "."),
             qPrintable(said));
    QCOMPARE(desktopEntries(), QStringList());
}

// A long result is read by two checkers, each fingerprinting its share of
// the pages: its verdict is the one a single reading gives.
void JoinRunTest::longResultSharedOut_data()
{
    QTest::addColumn<QString>("changed"); // a page's text pdftk's result gets instead of its own; "" for none
    QTest::addColumn<QString>("said");
    QTest::newRow("sound") << "" << "Done.";
    QTest::newRow("a page in the first share") << "(file 2 page 3)" << "page 4 of the file it wrote is not page 3 of";
    QTest::newRow("a page in the second share") << "(file 2 page 290)"
                                               << "page 291 of the file it wrote is not page 290 of";
}

void JoinRunTest::longResultSharedOut()
{
    QFETCH(QString, changed);
    QFETCH(QString, said);
    const QString longer = input("long.pdf", 2, 300);
    writeFakePdftk(m_fixture->appFolder, changed.isEmpty() ? Steps{{"pdftk"}}
                                                           : Steps{{"pdftk"}, {"replace", changed, "(file 2 page 999)"}});
    listed({input("plain.pdf", 1, 1), longer});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    const QString first = dialogs().messageTexts().value(0);
    QVERIFY2(first.startsWith(said) || first.contains(said), qPrintable(first));
    if (!changed.isEmpty())
        QVERIFY(first.contains(longer + "\n\nWhat differs: what it draws."));
}

void JoinRunTest::warningsWithSuccessAreNoFailure()
{
    recordingPdftk(m_fixture->appFolder, m_inputs->filePath("argv"),
                   {{"stderr", "Warning: something odd in the input, repaired"}});
    listed({input("a.pdf", 1, 1)});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QCOMPARE(dialogs().messageTexts(), QStringList({"Done.", openJoinedFileQuestion(isolatedOutputPath())}));
    QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{1, 1}}));
    // No: nothing is opened, and the window is idle again.
    QVERIFY(m_fixture->host.fakeShell.opened.isEmpty());
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    verifyIdle();
}

// A sound join that left parts of an input behind says so after "Done.",
// and before the question; otherwise nothing more is said.
void JoinRunTest::doneSaysWhatIsLost_data()
{
    QTest::addColumn<QByteArray>("catalog"); // more entries of the second input's catalog
    QTest::addColumn<QByteArray>("page");    // more entries of its page
    QTest::addColumn<QString>("note");       // after "path — "; "" for no note

    QTest::newRow("nothing lost") << QByteArray() << QByteArray() << "";
    // What is put back is no loss; what cannot be is.
    QTest::newRow("hidden layer, put back")
        << QByteArray("/OCProperties << /OCGs [7 0 R] /D << /OFF [7 0 R] >> >>") << QByteArray() << "";
    QTest::newRow("a signature") << QByteArray("/AcroForm << /Fields [] /SigFlags 3 >>") << QByteArray()
                                 << "its digital signature no longer applies";
    QTest::newRow("XFA form data, page labels") << QByteArray("/AcroForm << /Fields [] /XFA (<xdp/>) >> "
                                                              "/PageLabels << /Nums [0 << /S /r >>] >>")
                                                << QByteArray() << "its XFA form data is lost; its form fields remain";
    QTest::newRow("page nested too deeply") << QByteArray()
                                            << QByteArray("/Deep " + QByteArray(600, '[') + QByteArray(600, ']'))
                                            << "its pages could not all be checked";
}

void JoinRunTest::doneSaysWhatIsLost()
{
    QFETCH(QByteArray, catalog);
    QFETCH(QByteArray, page);
    QFETCH(QString, note);
    QList<QByteArray> objects = formPageObjects("Pay 100 EUR");
    objects[0].replace(">>", catalog + " >>");
    objects[2].replace("/Contents", page + " /Contents");
    objects.append("<< /Type /OCG /Name (Draft) >>");
    const QString second = QDir::toNativeSeparators(m_inputs->filePath("second.pdf"));
    QVERIFY(writeFile(second, pdfOfObjects(objects)));
    listed({input("first.pdf", 1, 1), second, input("third.pdf", 3, 1)});
    if (!note.isEmpty())
        dialogs().messageAnswers << MessageAnswer::Ok;
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QStringList expected{"Done.", openJoinedFileQuestion(isolatedOutputPath())};
    if (!note.isEmpty())
        expected.insert(1, "joined.pdf does not show everything of this file as the file itself does:\n\n" + second
                               + " — " + note);
    QCOMPARE(dialogs().messageTexts(), expected);
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    verifyIdle();
}

// pdftk-java starts with options and a class-data archive of its own; the
// join and its messages are the same as without them, whatever state the
// archive's folder is in, and nothing is left in the folder the user works in.
void JoinRunTest::pdftkJavaStartsLean_data()
{
    QTest::addColumn<QString>("before"); // what the cache folder holds or is before the join
    QTest::addColumn<QByteArray>("ownOptions"); // the user's own JAVA_TOOL_OPTIONS
    QTest::addColumn<bool>("damagedInput");
    QTest::addColumn<QString>("after"); // the archive: "made", "none", or "given up" with every lean start

    QTest::newRow("first join makes it") << "" << QByteArray() << false << "made";
    QTest::newRow("made by an earlier join") << "made" << QByteArray() << false << "made";
    QTest::newRow("not an archive, as after a Java update") << "not an archive" << QByteArray() << false << "made";
    QTest::newRow("cut short") << "cut short" << QByteArray() << false << "made";
    QTest::newRow("another file in its place") << "replaced" << QByteArray() << false << "made";
    QTest::newRow("an older pdftk's archive") << "older" << QByteArray() << false << "made";
    QTest::newRow("cache on a read-only drive") << "read-only" << QByteArray() << false << "none";
    QTest::newRow("cache on a full drive") << "full" << QByteArray() << false << "none";
    // Java writes the joined file, then fails the run.
    QTest::newRow("Java cannot write the archive") << "unwritable name" << QByteArray() << false << "given up";
    QTest::newRow("sharing turned off by the user") << "" << QByteArray("-Xshare:off") << false << "given up";
    QTest::newRow("pdftk fails") << "" << QByteArray() << true << "none";
}

void JoinRunTest::pdftkJavaStartsLean()
{
    QFETCH(QString, before);
    QFETCH(QByteArray, ownOptions);
    QFETCH(bool, damagedInput);
    QFETCH(QString, after);
    const QString program = findPdftk(m_fixture->appFolder);
    if (!runsOnJava(program))
        QSKIP("This pdftk is not a Java program.");
    const QString cache = isolatedCache();
    QVERIFY(QDir(cache).removeRecursively() && QDir().mkpath(cache));
    const QString archive = PdftkStart::forProgram(program, cache).archive;
    QVERIFY(!archive.isEmpty());
    QStringList files{input("one.pdf", 1, 2), input("two.pdf", 2, 1)};
    const auto join = [&] {
        listed(files);
        answerDoneThen(MessageAnswer::No);
        m_fixture->start();
        QCOMPARE(dialogs().messageTexts().value(0), "Done.");
        dialogs().asked.clear();
    };
    const QString older = QDir(cache).filePath("pdftk-0123456789abcdef.jsa");
    bool mounted = false;
    const auto unmount = qScopeGuard([&] {
        if (mounted)
            QProcess::execute("umount", {cache});
    });
    if (before == "made" || before == "cut short" || before == "replaced")
        join();
    if (before == "not an archive")
        QVERIFY(writeFile(archive, "not an archive"));
    else if (before == "cut short")
        QVERIFY(QFile::resize(archive, QFileInfo(archive).size() / 2));
    else if (before == "replaced")
        QVERIFY(QFile::remove(archive) && writeFile(archive, QByteArray(1000, 'x')));
    else if (before == "older")
        QVERIFY(writeFile(older, "an archive") && writeFile(older + ".id", "1 2 3 4 5"));
    else if (before == "unwritable name")
        QVERIFY(QDir().mkpath(archive + ".part/inside"));
    else if (before == "read-only" || before == "full") {
        const QString options = before == "full" ? "size=64k" : "ro,size=64m";
        mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", cache}) == 0;
        if (!mounted)
            QSKIP("Making a small drive needs the right to mount one.");
    }
    const ScopedEnv options("JAVA_TOOL_OPTIONS", ownOptions);
    if (ownOptions.isEmpty())
        qunsetenv("JAVA_TOOL_OPTIONS");
    QTemporaryDir userFolder;
    const QString folder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(userFolder.path()));
    const auto back = qScopeGuard([&folder] { QDir::setCurrent(folder); });
    if (damagedInput) {
        QVERIFY(writeFile(m_inputs->filePath("damaged.pdf"), "%PDF-1.4\nthe rest is lost\n"));
        files << QDir::toNativeSeparators(m_inputs->filePath("damaged.pdf"));
        listed(files);
        m_fixture->start();
        const QString said = dialogs().messageTexts().value(0);
        QVERIFY2(said.contains("pdftk could not repair this damaged file"), qPrintable(said));
        for (const char *jvm : {"Picked up", "-XX:", "[warning]"})
            QVERIFY2(!said.contains(jvm), qPrintable(said));
    } else {
        join();
        QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{1, 2}, {2, 1}}));
    }
    QCOMPARE(QFileInfo(archive).isFile(), after == "made");
    QCOMPARE(QFileInfo::exists(archive + ".off"), after == "given up");
    QCOMPARE(PdftkStart::forProgram(program, cache).lean, after != "given up");
    QVERIFY(!QFile::exists(older));
    QVERIFY(!QFile::exists(archive + ".part") || before == "unwritable name");
    QCOMPARE(QDir(userFolder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QCOMPARE(QDir(cache).entryList({"hs_err*", "replay*", "core*"}, QDir::AllEntries), QStringList());
    QCOMPARE(desktopEntries(), damagedInput ? QStringList() : QStringList{"joined.pdf"});
    verifyIdle();
}

void JoinRunTest::oldOutputAsInput()
{
    writeMarkedPdf(isolatedDesktop() + "/joined.pdf", 9, 2);
    listed({isolatedOutputPath(), input("a.pdf", 1, 1), isolatedOutputPath()});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QCOMPARE(dialogs().messageTexts().value(0), "Done.");
    QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{9, 2}, {1, 1}, {9, 2}}));
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
}

void JoinRunTest::secondStartAnsweredNoGoesOn()
{
    const QString calls = m_inputs->filePath("calls");
    const QString release = m_inputs->filePath("release");
    recordingPdftk(m_fixture->appFolder, m_inputs->filePath("argv"), {{"append", calls, "call"}, {"wait-for", release}});
    listed({input("a.pdf", 1, 1)});
    dialogs().messageAnswers << MessageAnswer::No; // do not stop
    answerDoneThen(MessageAnswer::No);

    bool wasRunning = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (readLines(calls).isEmpty())
            return;
        poll.stop();
        wasRunning = m_fixture->isRunning();
        m_fixture->start();
        QVERIFY(writeFile(release, ""));
    });
    poll.start(10);
    m_fixture->start();

    QVERIFY(wasRunning);
    QCOMPARE(dialogs().messageTexts(),
             QStringList({stopRunningJoinQuestion(), "Done.", openJoinedFileQuestion(isolatedOutputPath())}));
    // A stray Enter must not stop a join.
    QCOMPARE(dialogs().asked.first().style, MessageStyle::YesNoDefaultNo);
    QCOMPARE(readLines(calls).size(), 1);
    QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{1, 1}}));
    QVERIFY(!m_fixture->isRunning());
}

void JoinRunTest::stepFailureReportsItsNumber_data()
{
    QTest::addColumn<QString>("desktop"); // under the inputs' folder; "" for none at all
    QTest::addColumn<QString>("report");  // %name% for a path under the inputs' folder
    QTest::newRow("no Desktop") << "" << "No Desktop here.\nin Velmira5/20/2014.Form1.Start at line 104\n";
    QTest::newRow("a file in the Desktop's place")
        << "blocker/Desktop" << "\nin Velmira5/20/2014.Form1.Start at line 110\n";
    // Only the Desktop itself is ever made, never the drive it should be on.
    QTest::newRow("on a drive that is not there")
        << "media/stick/Desktop"
        << "The Desktop folder %media/stick/Desktop% cannot be made: the folder it belongs in,\n%media/stick%,\n"
           "does not exist.";
}

void JoinRunTest::stepFailureReportsItsNumber()
{
    QFETCH(QString, desktop);
    QFETCH(QString, report);
    QVERIFY(writeFile(m_inputs->filePath("blocker"), "a file where a folder should be"));
    const QString folder = QDir::toNativeSeparators(m_inputs->filePath(desktop));
    m_fixture->environment.desktopFolder = [desktop, folder]() -> QString {
        if (desktop.isEmpty())
            throw std::runtime_error("No Desktop here.");
        return folder + QDir::separator();
    };
    for (const QString &name : {QStringLiteral("media/stick/Desktop"), QStringLiteral("media/stick")})
        report.replace('%' + name + '%', QDir::toNativeSeparators(m_inputs->filePath(name)));
    const QString log = m_inputs->filePath("argv");
    recordingPdftk(m_fixture->appFolder, log);
    listed({input("a.pdf", 1, 1)}, true);
    m_fixture->start();

    // The report is the only message: nothing after it can succeed, so
    // nothing is asked for and pdftk never starts.
    QCOMPARE(dialogs().asked.size(), 1);
    const FakeDialogs::Asked &asked = dialogs().asked.first();
    QCOMPARE(asked.title, "Application Error");
    QCOMPARE(asked.style, MessageStyle::Warning);
    QVERIFY2(asked.text.contains(report), qPrintable(asked.text));
    QVERIFY(!QFile::exists(log));
    QVERIFY(!QFile::exists(m_inputs->filePath("media")));
    verifyIdle();
}

void JoinRunTest::wrongPasswordIsAskedAgain_data()
{
    // The list is one.pdf (password "one"), plain.pdf, two.pdf ("two").
    QTest::addColumn<QStringList>("answers");
    // The files prompted for; "!": saying the password was wrong, "?": that one is needed.
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("said"); // the first message, or a part of it; "" for none
    QTest::newRow("both wrong, asked again in list order")
        << QStringList{"1", "", "2", "one", "two"} << QStringList{"one", "plain", "two", "one!", "two!"} << "Done.";
    QTest::newRow("wrong twice") << QStringList{"one", "", "2", "zwei", "two"}
                                 << QStringList{"one", "plain", "two", "two!", "two!"} << "Done.";
    QTest::newRow("Cancel there ends the join")
        << QStringList{"1", "", "two", ""} << QStringList{"one", "plain", "two", "one!"} << "";
    QTest::newRow("left blank for a protected file, asked at once")
        << QStringList{"", "one", "", "two"} << QStringList{"one", "one?", "plain", "two"} << "Done.";
    QTest::newRow("Cancel there ends the join at once")
        << QStringList{"", ""} << QStringList{"one", "one?"} << "";
    QTest::newRow("retyped with a tab")
        << QStringList{"1", "", "two", "o\tne"} << QStringList{"one", "plain", "two", "one!"}
        << "characters that pdftk cannot pass on";
}

void JoinRunTest::wrongPasswordIsAskedAgain()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, asked);
    QFETCH(QString, said);
    const bool joined = said == "Done.";
    const QByteArray old = "%PDF old result";
    QVERIFY(writeFile(isolatedDesktop() + "/joined.pdf", old));
    QMap<QString, QString> files{{"plain", input("plain.pdf", 2, 1)}};
    for (const QString &name : {QStringLiteral("one"), QStringLiteral("two")}) {
        files[name] = QDir::toNativeSeparators(m_inputs->filePath(name + ".pdf"));
        QVERIFY(encryptPdf(input(name + "-open.pdf", name == "one" ? 1 : 3, 1), files[name], name));
    }
    listed({files["one"], files["plain"], files["two"]}, true);
    dialogs().inputAnswers << answers;
    if (joined)
        answerDoneThen(MessageAnswer::No);
    m_fixture->start();

    QStringList expected;
    for (const QString &name : asked)
        expected << (name.endsWith('!')   ? wrongPasswordPrompt(files[name.chopped(1)])
                     : name.endsWith('?') ? neededPasswordPrompt(files[name.chopped(1)])
                                          : passwordPrompt(files[name]));
    QStringList prompts;
    for (const FakeDialogs::Asked &question : dialogs().asked) {
        if (question.kind == "input" && question.masked && question.title == "Input Password")
            prompts << question.text;
    }
    QCOMPARE(prompts, expected);
    if (said.isEmpty())
        QCOMPARE(dialogs().messageTexts(), QStringList()); // Cancel: nothing more is said
    else
        QVERIFY2(dialogs().messageTexts().value(0).contains(said), qPrintable(transcript(dialogs())));
    if (joined)
        QCOMPARE(markedPages(isolatedOutputPath()), pagesOf({{1, 1}, {2, 1}, {3, 1}}));
    else
        QCOMPARE(fileBytes(isolatedDesktop() + "/joined.pdf"), old);
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    verifyIdle();
}

CORVANTA_TEST_MAIN(JoinRunTest)
// Files are read while they are listed; Start takes what was found while
// the file is the one that was read. A file rewritten in place, even with its
// old size and time, is read again: shared out between the checkers by the
// pages it had, and read whole where it has too few for the shares.
void JoinRunTest::filesReadAheadOfStart_data()
{
    QTest::addColumn<QString>("change"); // after the reading ahead
    QTest::addColumn<bool>("keptAhead"); // before the change
    QTest::addColumn<int>("pages");      // before the change
    QTest::addColumn<int>("pagesAfter");
    QTest::newRow("unchanged: the kept check is used") << "" << true << 1 << 1;
    QTest::newRow("rewritten: read again") << "rewrite" << true << 1 << 1;
    // Its change time moved, whatever its modification time says.
    QTest::newRow("rewritten with its old size and time") << "rewrite, old time" << true << 1 << 1;
    QTest::newRow("made anew with its old size and time") << "remake, old time" << true << 1 << 1;
    QTest::newRow("unlisted before it was read: nothing pending") << "unlisted" << false << 1 << 1;
    QTest::newRow("rewritten, many pages") << "rewrite" << true << 400 << 401;
    QTest::newRow("rewritten, fewer pages than a share") << "rewrite" << true << 400 << 150;
}

void JoinRunTest::filesReadAheadOfStart()
{
    QFETCH(QString, change);
    QFETCH(bool, keptAhead);
    QFETCH(int, pages);
    QFETCH(int, pagesAfter);
    const QString file = input("listed.pdf", 3, pages);
    const auto setOldTime = [&file] {
        QFile opened(file);
        return opened.open(QIODevice::ReadWrite)
            && opened.setFileTime(QDateTime::fromMSecsSinceEpoch(1700000000000), QFileDevice::FileModificationTime);
    };
    QVERIFY(setOldTime());
    const qint64 size = QFileInfo(file).size();
    m_fixture->joiner = std::make_unique<Joiner>(m_fixture->host, m_fixture->environment);
    KeptChecks &kept = m_fixture->joiner->keptChecks();
    kept.resume();
    kept.listed({file});
    if (change == "unlisted") {
        kept.unlisted({file});
        QVERIFY(!kept.isReading());
    }
    QTRY_VERIFY(!kept.isReading());
    QCOMPARE(kept.find(file).has_value(), keptAhead);
    if (change.startsWith("remake"))
        QVERIFY(QFile::remove(file));
    if (change.startsWith("rewrite") || change.startsWith("remake")) {
        writeMarkedPdf(file, 4, pagesAfter);
        if (pagesAfter == pages)
            QCOMPARE(QFileInfo(file).size(), size);
        if (change.endsWith("old time"))
            QVERIFY(setOldTime());
    }
    listed({file});
    answerDoneThen(MessageAnswer::No);
    m_fixture->start();
    QCOMPARE(dialogs().messageTexts(), QStringList({"Done.", openJoinedFileQuestion(isolatedOutputPath())}));
    QCOMPARE(markedPages(isolatedOutputPath()).size(), pagesAfter);
}

#include "test_join_run.moc"
