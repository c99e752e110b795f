// The folder walk and the listing of one folder, on real folder trees.
#include "filelist/FolderScan.h"
#include "support/FolderTrees.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/types.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

namespace {

QString entryOf(const QString &root, const QString &relative = QString())
{
    return FolderEntry(relative.isEmpty() ? root : root + QLatin1Char('/') + relative);
}

QStringList collectAll(const QString &root)
{
    QStringList folders{FolderEntry(root)};
    CollectSubfolders(folders, true);
    return folders;
}

QStringList scanAll(const QString &root, const QString &pattern)
{
    QStringList paths;
    ScanFolderTree(root, pattern, [&paths](const QStringList &files) { paths.append(files); });
    return paths;
}

// Restores a folder's permissions so the temporary tree can be removed.
struct ModeGuard
{
    QString path;
    ~ModeGuard()
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

class FolderScanTest : public QObject
{
    Q_OBJECT

private slots:
    void breadthFirstAcrossLevels()
    {
        QTemporaryDir root;
        // Made deepest-first and against name order, so neither creation nor
        // directory order can produce the expected result by accident.
        makeTree(root.path(), {"b/d/f/f1.pdf", "c/e/e1.pdf", "c/c1.pdf", "b/d/d1.pdf",
                               "b/b1.pdf", "a.pdf", "b/d/g/", "c/e/e2.pdf"});

        QCOMPARE(collectAll(root.path()),
                 (QStringList{entryOf(root.path()), entryOf(root.path(), "b"), entryOf(root.path(), "c"),
                              entryOf(root.path(), "b/d"), entryOf(root.path(), "c/e"),
                              entryOf(root.path(), "b/d/f"), entryOf(root.path(), "b/d/g")}));
        QCOMPARE(scanAll(root.path(), "*.pdf"),
                 underRoot(root.path(), {"a.pdf", "b/b1.pdf", "c/c1.pdf", "b/d/d1.pdf", "c/e/e1.pdf",
                                         "c/e/e2.pdf", "b/d/f/f1.pdf"}));

        QStringList oneLevel{entryOf(root.path())};
        QVERIFY(CollectSubfolders(oneLevel, false));
        QCOMPARE(oneLevel, (QStringList{entryOf(root.path()), entryOf(root.path(), "b"),
                                        entryOf(root.path(), "c")}));
    }

    void severalStartFoldersKeepTheirOrder()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"z/z1/", "a/a1/a2/"});
        QStringList folders{entryOf(root.path(), "z"), entryOf(root.path(), "a")};
        QVERIFY(CollectSubfolders(folders, true));
        QCOMPARE(folders, (QStringList{entryOf(root.path(), "z"), entryOf(root.path(), "a"),
                                       entryOf(root.path(), "z/z1"), entryOf(root.path(), "a/a1"),
                                       entryOf(root.path(), "a/a1/a2")}));
    }

    void namesInNaturalOrder_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");
        QTest::newRow("numbers by value") << "Chapter 2.pdf" << "Chapter 10.pdf";
        QTest::newRow("case ignored") << "apple.pdf" << "Banana.pdf";
        QTest::newRow("case ignored, other way") << "Apple.pdf" << "banana.pdf";
        QTest::newRow("prefix first") << "report" << "report 2";
        QTest::newRow("leading zeros") << "chapter 007" << "chapter 8";
        QTest::newRow("same letters, case decides") << "A.pdf" << "a.pdf";
        QTest::newRow("same value, zeros decide") << "01.pdf" << "1.pdf";
        QTest::newRow("long numbers") << "scan 99999999999999999998" << "scan 99999999999999999999";
        QTest::newRow("non-ASCII") << "Zürich 2" << "Zürich 10";
    }

    void namesInNaturalOrder()
    {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        QVERIFY(NaturalLess(lower, higher));
        QVERIFY(!NaturalLess(higher, lower));
        QVERIFY(!NaturalLess(lower, lower));
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("expected");
        const QStringList pdfs{".hidden.pdf", "doc1.pdf", "doc2.pdf", "doc12.pdf", "~draft.pdf",
                               "über.pdf", "Über2.PDF", "日本.pdf"};
        QTest::newRow("extension, any case") << "*.pdf" << pdfs;
        QTest::newRow("upper-case pattern") << "*.PDF" << pdfs;
        QTest::newRow("one character") << "doc?.pdf" << QStringList{"doc1.pdf", "doc2.pdf"};
        QTest::newRow("one character is not one byte") << "??.pdf" << QStringList{"日本.pdf"};
        QTest::newRow("prefix") << "doc*" << QStringList{"doc1.pdf", "doc2.pdf", "doc12.pdf"};
        QTest::newRow("non-ASCII, other case") << "ÜBER*" << QStringList{"über.pdf", "Über2.PDF"};
        QTest::newRow("non-ASCII inside") << "*本.pdf" << QStringList{"日本.pdf"};
        QTest::newRow("several dots") << "*.c" << QStringList{"a.b.c"};
        QTest::newRow("exact name") << "A.B.C" << QStringList{"a.b.c"};
        QTest::newRow("no match") << "*.doc" << QStringList{};
        const QStringList everything{".hidden.pdf", "a.b.c", "doc1.pdf", "doc2.pdf", "doc12.pdf", "plain",
                                     "~draft.pdf", "über.pdf", "Über2.PDF", "日本.pdf"};
        QTest::newRow("every file") << "*.*" << everything;
        QTest::newRow("star") << "*" << everything;
    }

    void patterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, expected);
        QTemporaryDir root;
        // Files in natural order, not in text order (doc12 before doc2).
        makeTree(root.path(), {"doc12.pdf", "doc2.pdf", "doc1.pdf", "über.pdf", "Über2.PDF", "plain",
                               "a.b.c", "日本.pdf", ".hidden.pdf", "~draft.pdf", "sub.pdf/"});
        QCOMPARE(ListFolderFiles(root.path(), pattern), expected);
        QCOMPARE(ListFolderFiles(root.path() + "/", pattern), expected);
    }

    void hiddenFoldersAndTildeNames()
    {
        QTemporaryDir root;
        makeTree(root.path(), {".hidden.pdf", "~lock.pdf", "keep.pdf", ".git/x.pdf", ".git/sub/y.pdf",
                               "docs/~tmp.pdf", "docs/.cache/z.pdf", "docs/d.pdf", "~folder/w.pdf"});
        // "~" only rules out file names; a folder so named is entered.
        QCOMPARE(collectAll(root.path()),
                 (QStringList{entryOf(root.path()), entryOf(root.path(), "docs"),
                              entryOf(root.path(), "~folder")}));
        QCOMPARE(scanAll(root.path(), "*.pdf"),
                 underRoot(root.path(), {".hidden.pdf", "keep.pdf", "docs/d.pdf", "~folder/w.pdf"}));
    }

    void foldersWithAnyName()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"what?/q.pdf", "Ünïcødé 日本/u.pdf", "a*b [c]/s.pdf", "naïve?.pdf"});
        QCOMPARE(scanAll(root.path(), "*.pdf"),
                 underRoot(root.path(), {"naïve?.pdf", "a*b [c]/s.pdf", "what?/q.pdf", "Ünïcødé 日本/u.pdf"}));
    }

    void linkLoopsEnd()
    {
        QTemporaryDir root;
        QTemporaryDir outside;
        makeTree(root.path(), {"top.pdf", "sub/inner.pdf"});
        makeTree(outside.path(), {"real.pdf", "far/far.pdf"});
        const QString sub = root.path() + "/sub";
        QVERIFY(QFile::link(root.path(), sub + "/up"));        // back to the top
        QVERIFY(QFile::link(sub, sub + "/self"));              // to itself
        QVERIFY(QFile::link(outside.path() + "/far", sub + "/far"));
        QVERIFY(QFile::link(outside.path() + "/real.pdf", root.path() + "/linked.pdf"));
        QVERIFY(QFile::link(outside.path() + "/gone.pdf", root.path() + "/dangling.pdf"));

        QCOMPARE(collectAll(root.path()), (QStringList{entryOf(root.path()), entryOf(root.path(), "sub")}));
        // A link to a file stands for that file; one that leads nowhere is left out.
        QCOMPARE(scanAll(root.path(), "*.pdf"),
                 underRoot(root.path(), {"linked.pdf", "top.pdf", "sub/inner.pdf"}));
    }

#ifndef Q_OS_WIN
    void specialFilesAreNotListed()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"a.pdf"});
        QVERIFY(::mkfifo(QFile::encodeName(root.path() + "/pipe.pdf").constData(), 0600) == 0);
        QCOMPARE(ListFolderFiles(root.path(), "*.*"), QStringList{"a.pdf"});
    }
#endif

    void unreadableFolderIsSkipped()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"a.pdf", "locked/x.pdf", "locked/inside/y.pdf", "open/o.pdf",
                               "open/deeper/p.pdf"});
        const QString locked = root.path() + "/locked";
        ModeGuard restore{locked};
        QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));

        WithoutFolderAccessOverride unprivileged;
        if (!unprivileged.active() || canListFolder(locked))
            QSKIP("This process can read a folder with no permissions at all.");

        QCOMPARE(collectAll(root.path()),
                 (QStringList{entryOf(root.path()), entryOf(root.path(), "locked"),
                              entryOf(root.path(), "open"), entryOf(root.path(), "open/deeper")}));
        QCOMPARE(scanAll(root.path(), "*.pdf"),
                 underRoot(root.path(), {"a.pdf", "open/o.pdf", "open/deeper/p.pdf"}));
    }

    void missingFolderIsSkipped()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"real/sub/s.pdf"});
        QStringList folders{entryOf(root.path(), "vanished"), entryOf(root.path(), "real")};
        QVERIFY(CollectSubfolders(folders, true));
        QCOMPARE(folders, (QStringList{entryOf(root.path(), "vanished"), entryOf(root.path(), "real"),
                                       entryOf(root.path(), "real/sub")}));
        QCOMPARE(scanAll(root.path() + "/vanished", "*.*"), QStringList());
        QCOMPARE(ListFolderFiles(root.path() + "/vanished", "*.*"), QStringList());
    }

    void stoppingAtAnyTurnEndsCleanly()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"f0.pdf", "1/f1.pdf", "1/f1b.pdf", "1/2/f2.pdf", "1/2/3/f3.pdf",
                               "1/x/fx.pdf", "1/x/y/fy.pdf"});
        int fullTurns = 0;
        QList<QStringList> fullHandOvers;
        QVERIFY(ScanFolderTree(
            root.path(), "*.pdf", [&](const QStringList &files) { fullHandOvers.append(files); },
            [&fullTurns] { ++fullTurns; return true; }));
        QCOMPARE(fullHandOvers.size(), 6);

        // Whatever turn says stop: no further turn is asked for, and only
        // whole folders, in walk order, have been handed over.
        for (int stopAt = 0; stopAt < fullTurns; ++stopAt) {
            int turns = 0;
            QList<QStringList> handOvers;
            const bool finished = ScanFolderTree(
                root.path(), "*.pdf", [&](const QStringList &files) { handOvers.append(files); },
                [&turns, stopAt] { return turns++ < stopAt; });
            QVERIFY(!finished);
            QCOMPARE(turns, stopAt + 1);
            QCOMPARE(handOvers, fullHandOvers.mid(0, handOvers.size()));
        }
    }

    void enterableFolders_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("enterable");
        QTest::newRow("folder") << "docs" << true;
        QTest::newRow("folder with separator") << "docs/" << true;
        QTest::newRow("link to folder") << "docs-link" << true;
        QTest::newRow("hidden folder") << ".hidden" << false;
        QTest::newRow("hidden folder with separator") << ".hidden/" << false;
        QTest::newRow("file") << "docs/a.pdf" << false;
        QTest::newRow("missing") << "missing" << false;
        QTest::newRow("folder named like a PDF") << "book.pdf" << true;
    }

    void enterableFolders()
    {
        QFETCH(QString, relative);
        QFETCH(bool, enterable);
        QTemporaryDir root;
        makeTree(root.path(), {"docs/a.pdf", ".hidden/", "book.pdf/"});
        QVERIFY(QFile::link(root.path() + "/docs", root.path() + "/docs-link"));
        QCOMPARE(IsEnterableFolder(QDir::toNativeSeparators(root.path() + "/" + relative)), enterable);
        QVERIFY(!IsEnterableFolder(QString()));
    }

    void eventTurnsRunPendingEvents()
    {
        const int saved = EventTurns::interval();
        int fired = 0;
        bool keepGoing = true;
        EventTurns turns([&keepGoing] { return keepGoing; });

        EventTurns::setInterval(60 * 60 * 1000);
        QTimer::singleShot(0, [&fired] { ++fired; });
        QVERIFY(turns());   // the first call always turns the loop
        QCOMPARE(fired, 1);
        QTimer::singleShot(0, [&fired] { ++fired; });
        QVERIFY(turns());   // within the interval: no turn
        QCOMPARE(fired, 1);

        EventTurns::setInterval(0);
        QVERIFY(turns());
        QCOMPARE(fired, 2);
        keepGoing = false;
        QVERIFY(!turns());
        EventTurns::setInterval(saved);
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "test_folder_scan.moc"
