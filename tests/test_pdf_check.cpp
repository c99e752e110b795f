// What the PDF library makes of real files of every kind a list can hold.

#include "join/JoinChecks.h"
#include "join/PdfCheck.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

using namespace corvanta;
using namespace corvanta::testing;

class PdfCheckTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void inspect_data();
    void inspect();
    void expectedPages_data();
    void expectedPages();

private:
    QString file(const QString &name) const { return m_folder.filePath(name); }
    QTemporaryDir m_folder;
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
    QVERIFY(picture.save(file("photo.pdf"), "JPG"));
    QFile(file("empty.pdf")).open(QIODevice::WriteOnly);
    QFile plain(file("plain.pdf"));
    QVERIFY(plain.open(QIODevice::ReadOnly));
    QFile cut(file("truncated.pdf"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(plain.read(plain.size() / 2));
    cut.close();
    QVERIFY(QDir().mkpath(file("folder.pdf")));
    QCOMPARE(QProcess::execute("mkfifo", {file("fifo.pdf")}), 0);
    QVERIFY(QFile::link(file("plain.pdf"), file("link.pdf")));
}

void PdfCheckTest::inspect_data()
{
    QTest::addColumn<QString>("path"); // "@" stands for the test folder
    QTest::addColumn<QString>("password");
    QTest::addColumn<PdfProblem>("problem");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("encrypted");

    QTest::newRow("plain") << "@/plain.pdf" << "" << PdfProblem::None << 3 << false;
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
    QTest::newRow("JPEG named .pdf") << "@/photo.pdf" << "" << PdfProblem::NotPdf << -1 << false;
    QTest::newRow("empty file") << "@/empty.pdf" << "" << PdfProblem::NotPdf << -1 << false;
    QTest::newRow("truncated") << "@/truncated.pdf" << "" << PdfProblem::Damaged << -1 << false;
    QTest::newRow("needs repair") << "@/repairable.pdf" << "" << PdfProblem::Damaged << -1 << false;
    QTest::newRow("missing") << "@/gone.pdf" << "" << PdfProblem::Missing << -1 << false;
    QTest::newRow("below a file") << "@/plain.pdf/inner.pdf" << "" << PdfProblem::Missing << -1 << false;
    QTest::newRow("folder") << "@/folder.pdf" << "" << PdfProblem::NotRegularFile << -1 << false;
    // Opening either would block or read forever.
    QTest::newRow("FIFO") << "@/fifo.pdf" << "" << PdfProblem::NotRegularFile << -1 << false;
    QTest::newRow("device") << "/dev/zero" << "" << PdfProblem::NotRegularFile << -1 << false;
}

void PdfCheckTest::inspect()
{
    QFETCH(QString, path);
    QFETCH(QString, password);
    QFETCH(PdfProblem, problem);
    QFETCH(int, pages);
    QFETCH(bool, encrypted);
    path.replace('@', m_folder.path());
    const PdfCheck check = checkPdf(path, password);
    QCOMPARE(int(check.problem), int(problem));
    QCOMPARE(check.pages, pages);
    QCOMPARE(check.encrypted, encrypted);
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

CORVANTA_TEST_MAIN(PdfCheckTest)
#include "test_pdf_check.moc"
