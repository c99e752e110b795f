// What the checker makes of real files of every kind a list can hold,
// hostile ones among them.

#include "check/PdfReading.h"
#include "process/Checker.h"
#include "join/JoinChecks.h"
#include "support/Fixture.h"
#include "support/HostilePdfs.h"
#include "support/PdftkSupport.h"
#include "support/PlatformFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace corvanta;
using namespace corvanta::testing;

Q_DECLARE_METATYPE(Verification::Finding)

namespace {

// Threads that keep every core busy for as long as they live.
class CoresBusy
{
public:
    explicit CoresBusy(int threads)
    {
        for (int i = 0; i < threads; ++i)
            m_threads.emplace_back([this] {
                while (!m_stop)
                    ;
            });
    }
    ~CoresBusy()
    {
        m_stop = true;
        for (std::thread &thread : m_threads)
            thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

} // namespace

class PdfCheckTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void check_data();
    void check();
    void fingerprints_data();
    void fingerprints();
    void expectedPages_data();
    void expectedPages();
    void verdicts_data();
    void verdicts();
    void checkerKeepsItsLimits_data();
    void checkerKeepsItsLimits();

private:
    QString file(const QString &name) const { return m_folder.filePath(name); }
    QTemporaryDir m_folder;
    std::unique_ptr<TestLink> m_link;
};

void PdfCheckTest::initTestCase()
{
    writeMarkedPdf(file("plain.pdf"), 1, 3);
    QVERIFY(encryptPdf(file("plain.pdf"), file("user.pdf"), "right"));
    QVERIFY(encryptPdf(file("plain.pdf"), file("accented.pdf"), QStringLiteral("p\u00e9 1")));
    QVERIFY(protectPdfForOwner(file("plain.pdf"), file("owner.pdf"), "boss"));
    writeRepairablePdf(file("repairable.pdf"), 2, 2);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(file("photo.pdf"), "PNG"));
    QFile(file("empty.pdf")).open(QIODevice::WriteOnly);
    QFile plain(file("plain.pdf"));
    QVERIFY(plain.open(QIODevice::ReadOnly));
    QFile cut(file("truncated.pdf"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(plain.read(plain.size() / 2));
    cut.close();
    QVERIFY(QDir().mkpath(file("folder.pdf")));
#ifdef Q_OS_UNIX
    QCOMPARE(QProcess::execute("mkfifo", {file("fifo.pdf")}), 0);
#endif
    m_link = std::make_unique<TestLink>(file("plain.pdf"), file("link.pdf"));
    QVERIFY(m_link->made());
    using Encryption = QpdfRewrite::Encryption;
    QVERIFY(rewriteWithQpdf(file("plain.pdf"), file("aes256.pdf"), {Encryption::Aes256, "u", "o"}));
    QVERIFY(rewriteWithQpdf(file("plain.pdf"), file("aes256-owner.pdf"), {Encryption::Aes256, "", "o"}));
    QpdfRewrite objectStreams;
    objectStreams.objectStreams = true;
    QVERIFY(rewriteWithQpdf(file("plain.pdf"), file("objects.pdf"), objectStreams));
    writeDeepPageTree(file("deep.pdf"), 50000);
    writeDeepPageTree(file("deep but honest.pdf"), kDeepestPageTree - 1);
    writeObjectStreamBomb(file("bomb.pdf"));
    // Its page tree packed with a filter that nothing here unpacks.
    writeObjectStreamBomb(file("unknown filter.pdf"), 1);
    QByteArray unknownFilter = fileBytes(file("unknown filter.pdf"));
    QVERIFY(unknownFilter.contains("/FlateDecode"));
    QVERIFY(writeFile(file("unknown filter.pdf"), unknownFilter.replace("/FlateDecode", "/JBIG2Decode")));
    writeObjectStreamBomb(file("unpacks slowly.pdf"), 100);
    QList<QByteArray> objects = formPageObjects("Pay 100 EUR");
    objects[3] = "<< /Length 3 >>\nstream\nq /X0 Do Q\nendstream";
    QVERIFY(writeFile(file("wrong length.pdf"), pdfOfObjects(objects)));
    objects = formPageObjects("Pay 100 EUR");
    objects[2].replace("/Contents", "/Deep " + QByteArray(600, '[') + QByteArray(600, ']') + " /Contents");
    QVERIFY(writeFile(file("nested.pdf"), pdfOfObjects(objects)));
    QByteArray looped = pdfOfObjects(formPageObjects("Pay 100 EUR"));
    const QByteArray xref = looped.mid(looped.lastIndexOf("startxref\n") + 10).split('\n').first();
    QVERIFY(writeFile(file("xref loop.pdf"), looped.replace("/Root 1 0 R >>", "/Root 1 0 R /Prev " + xref + " >>")));
    objects = formPageObjects("Pay 100 EUR");
    objects[2].replace("/MediaBox [0 0 200 200] ", "");
    QVERIFY(writeFile(file("no size.pdf"), pdfOfObjects(objects)));
}

void PdfCheckTest::check_data()
{
    QTest::addColumn<QString>("path"); // "@" stands for the test folder
    QTest::addColumn<QString>("password");
    QTest::addColumn<PdfProblem>("problem");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("encrypted");

    QTest::newRow("plain") << "@/plain.pdf" << "" << PdfProblem::None << 3 << false;
    QTest::newRow("object streams") << "@/objects.pdf" << "" << PdfProblem::None << 3 << false;
    // pdftk opens no AES-256 file, whatever the password.
    QTest::newRow("AES-256, right password") << "@/aes256.pdf" << "u" << PdfProblem::UnsupportedEncryption << -1
                                             << true;
    QTest::newRow("AES-256, no password") << "@/aes256.pdf" << "" << PdfProblem::UnsupportedEncryption << -1 << true;
    QTest::newRow("AES-256, owner only") << "@/aes256-owner.pdf" << "" << PdfProblem::UnsupportedEncryption << -1
                                         << true;
    // Walked without recursion, and stopped where pdftk's own stack ends.
    QTest::newRow("deep page tree") << "@/deep.pdf" << "" << PdfProblem::PageTreeTooDeep << -1 << false;
    QTest::newRow("deep but honest") << "@/deep but honest.pdf" << "" << PdfProblem::None << 1 << false;
    QTest::newRow("plain, a password is ignored") << "@/plain.pdf" << "x" << PdfProblem::None << 3 << false;
    QTest::newRow("link to a PDF") << "@/link.pdf" << "" << PdfProblem::None << 3 << false;
    QTest::newRow("owner-only, no password") << "@/owner.pdf" << "" << PdfProblem::None << 3 << true;
    QTest::newRow("owner-only, owner password") << "@/owner.pdf" << "boss" << PdfProblem::None << 3 << true;
    QTest::newRow("owner-only, wrong password") << "@/owner.pdf" << "nope" << PdfProblem::WrongPassword << -1 << true;
    QTest::newRow("user password, none") << "@/user.pdf" << "" << PdfProblem::NeedsPassword << -1 << true;
    QTest::newRow("user password, right") << "@/user.pdf" << "right" << PdfProblem::None << 3 << true;
    QTest::newRow("user password, wrong") << "@/user.pdf" << "wrong" << PdfProblem::WrongPassword << -1 << true;
    // pdftk stores "é" in a single byte, and takes it as typed.
    QTest::newRow("accented password, right") << "@/accented.pdf" << QStringLiteral("p\u00e9 1") << PdfProblem::None
                                              << 3 << true;
    QTest::newRow("accented password, wrong") << "@/accented.pdf" << "pe 1" << PdfProblem::WrongPassword << -1
                                              << true;
    QTest::newRow("picture named .pdf") << "@/photo.pdf" << "" << PdfProblem::NotPdf << -1 << false;
    QTest::newRow("empty file") << "@/empty.pdf" << "" << PdfProblem::NotPdf << -1 << false;
    QTest::newRow("truncated") << "@/truncated.pdf" << "" << PdfProblem::Damaged << -1 << false;
    // Read with repairs, as pdftk reads it: its pages are known, and it is still damaged.
    QTest::newRow("needs repair") << "@/repairable.pdf" << "" << PdfProblem::Damaged << 2 << false;
    // The strict reading cannot take the stream; the repairing one finds it.
    QTest::newRow("stream length wrong") << "@/wrong length.pdf" << "" << PdfProblem::Damaged << 1 << false;
    // The library cannot read the page at all; pdftk copies it.
    QTest::newRow("page nested too deeply") << "@/nested.pdf" << "" << PdfProblem::Damaged << 1 << false;
    // pdftk gives it a size of its own.
    QTest::newRow("page without a size") << "@/no size.pdf" << "" << PdfProblem::Damaged << 1 << false;
    // pdftk follows the loop for ever.
    QTest::newRow("cross-reference loop") << "@/xref loop.pdf" << "" << PdfProblem::CrossReferenceLoop << -1 << false;
    QTest::newRow("unknown compression") << "@/unknown filter.pdf" << "" << PdfProblem::UnsupportedCompression << -1
                                         << false;
    QTest::newRow("missing") << "@/gone.pdf" << "" << PdfProblem::Missing << -1 << false;
    QTest::newRow("below a file") << "@/plain.pdf/inner.pdf" << "" << PdfProblem::Missing << -1 << false;
    QTest::newRow("folder") << "@/folder.pdf" << "" << PdfProblem::NotRegularFile << -1 << false;
    // Opening either would block or read forever.
    QTest::newRow("FIFO") << "@/fifo.pdf" << "" << PdfProblem::NotRegularFile << -1 << false;
#ifdef Q_OS_WIN
    // Wine does not see the device as a file at all.
    QTest::newRow("device") << "NUL" << "" << (runsUnderWine() ? PdfProblem::Missing : PdfProblem::NotRegularFile) << -1
                            << false;
#else
    QTest::newRow("device") << "/dev/zero" << "" << PdfProblem::NotRegularFile << -1 << false;
#endif
}

void PdfCheckTest::check()
{
    QFETCH(QString, path);
    QFETCH(QString, password);
    QFETCH(PdfProblem, problem);
    QFETCH(int, pages);
    QFETCH(bool, encrypted);
#ifndef Q_OS_UNIX
    if (QTest::currentDataTag() == QByteArray("FIFO"))
        QSKIP("Windows has no named pipes among the files of a folder.");
#endif
    path.replace('@', m_folder.path());
    const PdfCheck check = readPdf(path, password);
    QCOMPARE(int(check.problem), int(problem));
    QCOMPARE(check.pages, pages);
    QCOMPARE(check.encrypted, encrypted);
}

// A page's fingerprint follows what it draws, not how the file spells it.
void PdfCheckTest::fingerprints_data()
{
    QTest::addColumn<QList<QByteArray>>("second"); // the objects of formPageObjects("Pay 100 EUR"), changed
    QTest::addColumn<bool>("same");

    const QList<QByteArray> first = formPageObjects("Pay 100 EUR");
    QList<QByteArray> renumbered = first;
    renumbered[2] = "<< /Resources << /XObject << /X0 6 0 R >> >> /MediaBox [0 0 200 200] /Type /Page "
                    "/Contents 4 0 R /Parent 2 0 R >>";
    std::swap(renumbered[4], renumbered[5]);
    renumbered[5].replace("6 0 R", "5 0 R");
    QTest::newRow("other numbers, other key order") << renumbered << true;
    QList<QByteArray> lineEnd = first;
    lineEnd[3] = streamObject("", "q /X0 Do Q\n");
    QTest::newRow("one more end of line") << lineEnd << true;
    QTest::newRow("form swapped") << formPageObjects("Pay 999 EUR") << false;
    QList<QByteArray> font = first;
    font[5].replace("/Helvetica", "/Courier");
    QTest::newRow("font of the form swapped") << font << false;
    QList<QByteArray> annotated = first;
    annotated[2].replace("/Contents", "/Annots [7 0 R] /Contents");
    QList<QByteArray> otherAnnotation = annotated;
    annotated << "<< /Type /Annot /Subtype /Stamp /Rect [0 0 50 50] /P 3 0 R /AP << /N 8 0 R >> >>"
              << streamObject("/Type /XObject /Subtype /Form /BBox [0 0 50 50]", "0 0 50 50 re f");
    otherAnnotation << annotated.at(6) << streamObject("/Type /XObject /Subtype /Form /BBox [0 0 50 50]", "0 0 5 5 re f");
    QTest::newRow("annotation appears") << annotated << false;
    QTest::newRow("annotation's appearance swapped") << otherAnnotation << false;
}

void PdfCheckTest::fingerprints()
{
    QFETCH(QList<QByteArray>, second);
    QFETCH(bool, same);
    QVERIFY(writeFile(file("first.pdf"), pdfOfObjects(formPageObjects("Pay 100 EUR"))));
    QVERIFY(writeFile(file("second.pdf"), pdfOfObjects(second)));
    const PdfCheck one = readPdf(file("first.pdf"));
    const PdfCheck other = readPdf(file("second.pdf"));
    QCOMPARE(int(other.problem), int(PdfProblem::None));
    QCOMPARE(other.pages, 1);
    QCOMPARE(one.fingerprints == other.fingerprints, same);
}

void PdfCheckTest::expectedPages_data()
{
    QTest::addColumn<QList<int>>("inputPages"); // -1: could not be counted
    QTest::addColumn<int>("written");
    QTest::addColumn<bool>("matches");

    QTest::newRow("all counted, equal") << QList<int>{2, 3} << 5 << true;
    QTest::newRow("all counted, one short") << QList<int>{2, 3} << 4 << false;
    QTest::newRow("all counted, one more") << QList<int>{2, 3} << 6 << false;
    QTest::newRow("uncounted adds at least one") << QList<int>{2, -1, -1} << 4 << true;
    QTest::newRow("uncounted, more is fine") << QList<int>{2, -1} << 9 << true;
    QTest::newRow("uncounted, too few") << QList<int>{2, -1, -1} << 3 << false;
}

void PdfCheckTest::expectedPages()
{
    QFETCH(QList<int>, inputPages);
    QFETCH(int, written);
    QFETCH(bool, matches);
    QList<PdfCheck> checks;
    for (int pages : inputPages) {
        PdfCheck check;
        check.pages = pages;
        check.problem = pages < 0 ? PdfProblem::Damaged : PdfProblem::None;
        checks.append(check);
    }
    QCOMPARE(expectedPagesOf(checks).matches(written), matches);
}

// What a written file's check says of the join: only a file whose pages
// are the inputs' is sound, and a check cut short blames no one.
void PdfCheckTest::verdicts_data()
{
    // A letter a page (upper case: one the library repaired), "?" one that could not be read, "|" between files.
    QTest::addColumn<QByteArray>("inputs");
    QTest::addColumn<QByteArray>("written"); // a letter a page
    QTest::addColumn<PdfProblem>("problem");  // of the written file
    QTest::addColumn<Verification::Finding>("finding");
    QTest::addColumn<int>("blamed"); // the input named, from 0; -1 for none

    using Finding = Verification::Finding;
    QTest::newRow("sound") << QByteArray("ab|c") << QByteArray("abc") << PdfProblem::None << Finding::Sound << -1;
    QTest::newRow("repaired on the way") << QByteArray("ab|c") << QByteArray("abc") << PdfProblem::Damaged
                                         << Finding::Sound << -1;
    QTest::newRow("an unread page stands for any") << QByteArray("a?|c") << QByteArray("abc") << PdfProblem::None
                                                   << Finding::Sound << -1;
    QTest::newRow("a repaired page pdftk read otherwise") << QByteArray("aB|c") << QByteArray("axc")
                                                          << PdfProblem::Damaged << Finding::Sound << -1;
    QTest::newRow("an unrepaired page pdftk wrote otherwise") << QByteArray("aB|c") << QByteArray("xbc")
                                                              << PdfProblem::None << Finding::WrongPage << 0;
    QTest::newRow("too long to check") << QByteArray("ab|c") << QByteArray() << PdfProblem::TakesTooLong
                                       << Finding::NotChecked << -1;
    QTest::newRow("too large to check") << QByteArray("ab|c") << QByteArray() << PdfProblem::NeedsTooMuchMemory
                                        << Finding::NotChecked << -1;
    QTest::newRow("not a PDF") << QByteArray("ab|c") << QByteArray() << PdfProblem::NotPdf << Finding::Unreadable
                               << -1;
    QTest::newRow("first file short") << QByteArray("ab|c") << QByteArray("ac") << PdfProblem::None
                                      << Finding::WrongPageCount << 0;
    QTest::newRow("last file doubled") << QByteArray("ab|c") << QByteArray("abcc") << PdfProblem::None
                                       << Finding::WrongPageCount << 1;
    QTest::newRow("page swapped") << QByteArray("ab|c") << QByteArray("acb") << PdfProblem::None
                                  << Finding::WrongPage << 0;
}

void PdfCheckTest::verdicts()
{
    QFETCH(QByteArray, inputs);
    QFETCH(QByteArray, written);
    QFETCH(PdfProblem, problem);
    QFETCH(Verification::Finding, finding);
    QFETCH(int, blamed);
    const auto checkOf = [](const QByteArray &pages) {
        PdfCheck check;
        check.pages = pages.size();
        for (char page : pages) {
            const char lower = QChar::fromLatin1(page).toLower().toLatin1();
            check.fingerprints += page == '?' ? uncheckedPage() : QByteArray(kFingerprintBytes, lower);
            check.repairedPages += page == lower ? '\0' : '\1';
        }
        return check;
    };
    QList<JoinEntry> joined;
    for (const QByteArray &pages : inputs.split('|')) {
        joined.append({QStringLiteral("file %1").arg(joined.size()), QString()});
        joined.last().check = checkOf(pages);
    }
    PdfCheck result = checkOf(written);
    result.problem = problem;
    const Verification verification = compareJoinedPages(result, joined);
    QCOMPARE(int(verification.finding), int(finding));
    QCOMPARE(verification.input, blamed < 0 ? QString() : joined.at(blamed).Path);
}

// Hostile files cost the checker process alone: each ends in seconds with
// a reason, and the files after it are read by a new checker.
void PdfCheckTest::checkerKeepsItsLimits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("memoryMegabytes");
    QTest::addColumn<int>("cpuMilliseconds");
    QTest::addColumn<QString>("program"); // "" for the checker
    QTest::addColumn<PdfProblem>("problem");
    QTest::addColumn<bool>("warmedUp");

    QTest::newRow("object-stream bomb")
        << "bomb.pdf" << qint64(256) << 60000 << "" << PdfProblem::NeedsTooMuchMemory << false;
    QTest::newRow("too slow") << "bomb.pdf" << qint64(8192) << 300 << "" << PdfProblem::TakesTooLong << false;
    // Its own CPU time counts, not the time the machine's other work takes.
    QTest::newRow("cores busy") << "unpacks slowly.pdf" << qint64(1024) << 1000 << "" << PdfProblem::None << false;
    QTest::newRow("deep page tree") << "deep.pdf" << qint64(512) << 60000 << "" << PdfProblem::PageTreeTooDeep << false;
    QTest::newRow("no checker") << "plain.pdf" << qint64(512) << 60000 << "/no/such/checker"
                                  << PdfProblem::CheckFailed << false;
    // A checker started ahead of its call reads under the same limits.
    QTest::newRow("bomb, checker started ahead")
        << "bomb.pdf" << qint64(256) << 60000 << "" << PdfProblem::NeedsTooMuchMemory << true;
    QTest::newRow("no checker to start ahead")
        << "plain.pdf" << qint64(512) << 60000 << "/no/such/checker" << PdfProblem::CheckFailed << true;
}

void PdfCheckTest::checkerKeepsItsLimits()
{
    QFETCH(QString, name);
    QFETCH(qint64, memoryMegabytes);
    QFETCH(int, cpuMilliseconds);
    QFETCH(QString, program);
    QFETCH(PdfProblem, problem);
    QFETCH(bool, warmedUp);
    if (problem == PdfProblem::NeedsTooMuchMemory && !childMemoryLimitsHold())
        QSKIP("Wine accepts a job's memory limit but does not enforce it; Windows does.");
    CheckLimits limits;
    limits.memoryBytes = memoryMegabytes << 20;
    limits.cpuMilliseconds = cpuMilliseconds;
    Checker checker(program.isEmpty() ? helperFolder() + "/corvanta-check" : program, limits);
    if (warmedUp) {
        checker.warmUp();
        QTest::qWait(100);
    }
    const CoresBusy busy(QTest::currentDataTag() == QByteArray("cores busy") ? 3 * QThread::idealThreadCount() : 0);
    QElapsedTimer clock;
    clock.start();
    QList<JoinEntry> checks{{file(name), {}}, {file("plain.pdf"), {}}};
    QVERIFY(checker.check(checks));
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(int(checks.at(0).check.problem), int(problem));
    if (program.isEmpty()) {
        QCOMPARE(int(checks.at(1).check.problem), int(PdfProblem::None));
        QCOMPARE(checks.at(1).check.pages, 3);
    }
}

CORVANTA_TEST_MAIN(PdfCheckTest)
#include "test_pdf_check.moc"
