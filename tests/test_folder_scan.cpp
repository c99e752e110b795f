// The folder walk and the listing of one folder, on real folder trees.
#include "core/EventTurns.h"
#include "core/Files.h"
#include "filelist/FolderScan.h"
#include "support/FolderTrees.h"
#include "support/PlatformFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#ifndef Q_OS_WIN
#include <climits>
#include <sys/stat.h>
#include <sys/types.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

namespace {

QString entryOf(const QString &root, const QString &relative = QString())
{
    return folderEntry(relative.isEmpty() ? root : root + QLatin1Char('/') + relative);
}

QStringList collectAll(const QString &root)
{
    QStringList folders{folderEntry(root)};
    CollectSubfolders(folders, true);
    return folders;
}

QStringList scanAll(const QString &root, const QString &pattern, LeftOut *leftOut = nullptr)
{
    QStringList paths;
    scanFolderTree(root, pattern, [&paths](const QStringList &files) { paths.append(files); }, {},
                   leftOut);
    return paths;
}

QStringList shownPaths(const LeftOut &leftOut)
{
    QStringList shown;
    for (const LeftOut::Item &item : leftOut.named())
        shown.append(item.shownPath);
    return shown;
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
        QVERIFY(naturalLess(lower, higher));
        QVERIFY(!naturalLess(higher, lower));
        QVERIFY(!naturalLess(lower, lower));
    }

    // Large folders are sorted in pieces, between turns of the event loop.
    void manyNamesComeOutInNaturalOrder()
    {
        QTemporaryDir root;
        QStringList expected;
        for (int number = 1; number <= 10000; ++number) {
            expected.append(QStringLiteral("scan %1.pdf").arg(number));
            QVERIFY(QFile(root.filePath(expected.last())).open(QIODevice::WriteOnly));
        }
        int turns = 0;
        QCOMPARE(ListFolderFiles(root.path(), "*.pdf", [&turns] { return ++turns > 0; }), expected);
        QVERIFY(turns > expected.size());
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
#ifdef Q_OS_WIN
        // Windows keeps folders of its own, marked as the system's, that are not entered either.
        makeTree(root.path(), {"System Volume Information/s.pdf"});
        QVERIFY(markAsSystem(root.path() + "/System Volume Information"));
#endif
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
#ifdef Q_OS_WIN
        // Windows allows neither "?" nor "*" in a name.
        makeTree(root.path(), {"what¿/q.pdf", "Ünïcødé 日本/u.pdf", "a+b [c]/s.pdf", "naïve¿.pdf"});
        QCOMPARE(scanAll(root.path(), "*.pdf"),
                 underRoot(root.path(), {"naïve¿.pdf", "a+b [c]/s.pdf", "what¿/q.pdf", "Ünïcødé 日本/u.pdf"}));
#else
        makeTree(root.path(), {"what?/q.pdf", "Ünïcødé 日本/u.pdf", "a*b [c]/s.pdf", "naïve?.pdf"});
        QCOMPARE(scanAll(root.path(), "*.pdf"),
                 underRoot(root.path(), {"naïve?.pdf", "a*b [c]/s.pdf", "what?/q.pdf", "Ünïcødé 日本/u.pdf"}));
#endif
    }

#ifdef Q_OS_WIN
    void driveRootsHaveOneSeparator()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"a.pdf", "sub/b.pdf"});
        const TestDrive drive(root.path());
        QVERIFY(!drive.letter().isEmpty());
        const QString top = drive.letter() + QStringLiteral("\\");
        QCOMPARE(collectAll(top), (QStringList{top, top + "sub\\"}));
        QCOMPARE(scanAll(top, "*.pdf"), (QStringList{top + "a.pdf", top + "sub\\b.pdf"}));
        QVERIFY(isEnterableFolder(top));
    }

#endif
    void linkLoopsEnd()
    {
        QTemporaryDir root;
        QTemporaryDir outside;
        makeTree(root.path(), {"top.pdf", "sub/inner.pdf"});
        makeTree(outside.path(), {"real.pdf", "far/far.pdf"});
        const QString sub = root.path() + "/sub";
        const TestLink up(root.path(), sub + "/up");  // back to the top
        const TestLink self(sub, sub + "/self");      // to itself
        const TestLink far(outside.path() + "/far", sub + "/far");
        const TestLink linked(outside.path() + "/real.pdf", root.path() + "/linked.pdf");
        const TestLink dangling(outside.path() + "/gone.pdf", root.path() + "/dangling.pdf");
        for (const TestLink *link : {&up, &self, &far, &linked})
            QVERIFY(link->made());
        // Wine would not show a link that leads nowhere, so there none is made.
        QVERIFY(dangling.made() || runsUnderWine());

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
#ifdef Q_OS_WIN
        QSKIP("Wine cannot take the right to list a folder from its owner.");
#endif
        QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));

        WithoutFolderAccessOverride unprivileged;
        if (!unprivileged.active() || canListFolder(locked))
            QSKIP("This process can read a folder with no permissions at all.");

        QCOMPARE(collectAll(root.path()),
                 (QStringList{entryOf(root.path()), entryOf(root.path(), "locked"),
                              entryOf(root.path(), "open"), entryOf(root.path(), "open/deeper")}));
        LeftOut leftOut;
        QCOMPARE(scanAll(root.path(), "*.pdf", &leftOut),
                 underRoot(root.path(), {"a.pdf", "open/o.pdf", "open/deeper/p.pdf"}));
        // Said once, naming the folder and the system's reason.
        QCOMPARE(leftOut.count(), 1);
        QCOMPARE(leftOut.named().first().shownPath, entryOf(root.path(), "locked"));
        QCOMPARE(leftOut.named().first().reason, LeftOutReason::FolderUnreadable);
        QVERIFY(!leftOut.named().first().detail.isEmpty());
    }

#ifndef Q_OS_WIN
    // Names are bytes here; only what is valid UTF-8 can be listed and
    // handed to pdftk as it is. Everything else is left out and noted, never
    // listed with a replacement character in it.
    void namesThatAreNotUtf8_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QList<QByteArray>>("entries");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QList<QByteArray>>("leftOut");
        QTest::newRow("file") << "*.pdf" << QList<QByteArray>{"ok.pdf", "bad\xFFname.pdf"}
                              << QStringList{"ok.pdf"} << QList<QByteArray>{"bad\xFFname.pdf"};
        QTest::newRow("folder and all inside it")
            << "*.pdf" << QList<QByteArray>{"a.pdf", "dir\xFE/in.pdf", "dir\xFE/sub/deep.pdf"}
            << QStringList{"a.pdf"} << QList<QByteArray>{"dir\xFE/"};
        QTest::newRow("overlong form of \"/\"") << "*.*" << QList<QByteArray>{"a\xC0\xAF" "b.pdf"}
                                                 << QStringList{} << QList<QByteArray>{"a\xC0\xAF" "b.pdf"};
        QTest::newRow("cut-off sequence") << "*.*" << QList<QByteArray>{"sub/\xE2\x82"}
                                          << QStringList{} << QList<QByteArray>{"sub/\xE2\x82"};
        QTest::newRow("replacement character itself is a name")
            << "*.pdf" << QList<QByteArray>{"\xEF\xBF\xBD.pdf", "\xC3\xBC.pdf"}
            << QStringList{"\u00FC.pdf", "\uFFFD.pdf"} << QList<QByteArray>{};
        QTest::newRow("not wanted anyway: nothing to say")
            << "*.pdf" << QList<QByteArray>{"bad\xFF.txt", "a.pdf"} << QStringList{"a.pdf"}
            << QList<QByteArray>{};
        QTest::newRow("file-system metadata, without a word")
            << "*.*"
            << QList<QByteArray>{"._a.pdf", ".DS_Store", "Thumbs.db", "desktop.ini", "DESKTOP.INI",
                                 "thumbs.DB", "a.pdf", "sub/._b.pdf", "sub/b.pdf", "._dir/c.pdf",
                                 ".hidden.pdf", "x._y.pdf"}
            << QStringList{".hidden.pdf", "a.pdf", "x._y.pdf", "sub/b.pdf"} << QList<QByteArray>{};
        QTest::newRow("metadata under *.pdf") << "*.pdf" << QList<QByteArray>{"._a.pdf", "a.pdf"}
                                              << QStringList{"a.pdf"} << QList<QByteArray>{};
    }

    void namesThatAreNotUtf8()
    {
        QFETCH(QString, pattern);
        QFETCH(QList<QByteArray>, entries);
        QFETCH(QStringList, listed);
        QFETCH(QList<QByteArray>, leftOut);
        RawTree root;
        root.make(entries);

        LeftOut noted;
        QCOMPARE(scanAll(root.path(), pattern, &noted), underRoot(root.path(), listed));
        QStringList expected;
        for (const QByteArray &raw : leftOut)
            expected.append(QDir::toNativeSeparators(root.path() + QLatin1Char('/') + corvanta::shownBytes(raw)));
        QCOMPARE(shownPaths(noted), expected);
        QCOMPARE(noted.count(), expected.size());
        for (const LeftOut::Item &item : noted.named())
            QCOMPARE(item.reason, LeftOutReason::NameNotUtf8);
    }

    void pathsTooLongToOpen()
    {
        // Folders nested until their paths pass the system's limit, each
        // holding one PDF with a long name.
        RawTree root;
        const QByteArray folderName(200, 'd');
        const QByteArray fileName = QByteArray(246, 'f') + ".pdf";
        QByteArray relative;
        QStringList listed;
        QStringList tooLong;
        while (true) {
            relative += folderName + '/';
            root.make({relative + fileName});
            const QByteArray folder = root.rawPath() + '/' + relative;
            if (folder.size() - 1 >= PATH_MAX) {
                // Cannot even be opened; the walk finds it before it lists files.
                tooLong.prepend(QFile::decodeName(folder));
                break;
            }
            const QString file = QFile::decodeName(folder + fileName);
            if (folder.size() + fileName.size() >= PATH_MAX)
                tooLong.append(file);
            else
                listed.append(file);
        }
        QVERIFY(listed.size() > 1);
        QCOMPARE(tooLong.size(), 2);

        LeftOut noted;
        QCOMPARE(scanAll(root.path(), "*.pdf", &noted), listed);
        QCOMPARE(shownPaths(noted), tooLong);
        for (const LeftOut::Item &item : noted.named())
            QCOMPARE(item.reason, LeftOutReason::PathTooLong);
    }
#endif

    void leftOutMessage_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("name");
        QTest::newRow("nothing left out, nothing said") << 0 << QString() << "f";
        QTest::newRow("a long path keeps its two ends")
            << 1
            << QStringLiteral("1 file or folder was left out:\n\n/d/") + QString(37, 'x') + QChar(0x2026)
                + QString(75, 'x') + QStringLiteral("0.pdf: the name is not valid UTF-8")
            << QString(500, 'x');
        QTest::newRow("one") << 1
                             << QStringLiteral("1 file or folder was left out:\n\n"
                                               "/d/f0.pdf: the name is not valid UTF-8")
                             << "f";
        QTest::newRow("the first five, and how many in all")
            << 7
            << QStringLiteral("7 files or folders were left out:\n\n"
                              "/d/f0.pdf: the name is not valid UTF-8\n"
                              "/d/f1.pdf: the folder cannot be read (Permission denied)\n"
                              "/d/f2.pdf: the path is too long\n"
                              "/d/f3.pdf: the name is not valid UTF-8\n"
                              "/d/f4.pdf: the folder cannot be read (Permission denied)\n"
                              "… and 2 more.")
            << "f";
    }

    void leftOutMessage()
    {
        QFETCH(int, count);
        QFETCH(QString, message);
        QFETCH(QString, name);
        const LeftOutReason reasons[] = {LeftOutReason::NameNotUtf8, LeftOutReason::FolderUnreadable,
                                         LeftOutReason::PathTooLong};
        LeftOut leftOut;
        for (int index = 0; index < count; ++index) {
            const LeftOutReason reason = reasons[index % 3];
            leftOut.add(QStringLiteral("/d/%1%2.pdf").arg(name).arg(index), reason,
                        reason == LeftOutReason::FolderUnreadable ? QStringLiteral("Permission denied")
                                                                  : QString());
        }
        QCOMPARE(corvanta::leftOutMessage(leftOut), message);
    }

    void shownBytes_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QByteArray("a.pdf") << QStringLiteral("a.pdf");
        QTest::newRow("valid non-ASCII") << QByteArray("\xC3\xBC\xE6\x97\xA5.pdf") << QStringLiteral("\u00FC\u65E5.pdf");
        QTest::newRow("stray byte") << QByteArray("bad\xFFname") << QStringLiteral("bad\\xFFname");
        QTest::newRow("cut-off sequence at the end") << QByteArray("x\xE2\x82") << QStringLiteral("x\\xE2\\x82");
        QTest::newRow("four-byte character") << QByteArray("\xF0\x9F\x93\x84") << QStringLiteral("\U0001F4C4");
        QTest::newRow("surrogate encoded") << QByteArray("\xED\xA0\x80") << QStringLiteral("\\xED\\xA0\\x80");
    }

    void shownBytes()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, shown);
        QCOMPARE(corvanta::shownBytes(raw), shown);
        QCOMPARE(isValidUtf8(raw), !shown.contains(QStringLiteral("\\x")));
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
        QVERIFY(scanFolderTree(
            root.path(), "*.pdf", [&](const QStringList &files) { fullHandOvers.append(files); },
            [&fullTurns] { ++fullTurns; return true; }));
        QCOMPARE(fullHandOvers.size(), 6);

        // Whatever turn says stop: no further turn is asked for, and only
        // whole folders, in walk order, have been handed over.
        for (int stopAt = 0; stopAt < fullTurns; ++stopAt) {
            int turns = 0;
            QList<QStringList> handOvers;
            const bool finished = scanFolderTree(
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
#ifdef Q_OS_WIN
        QTest::newRow("system folder") << "system" << false;
#endif
    }

    void enterableFolders()
    {
        QFETCH(QString, relative);
        QFETCH(bool, enterable);
        QTemporaryDir root;
        makeTree(root.path(), {"docs/a.pdf", ".hidden/", "book.pdf/", "system/"});
        const TestLink link(root.path() + "/docs", root.path() + "/docs-link");
        QVERIFY(link.made());
#ifdef Q_OS_WIN
        QVERIFY(markAsSystem(root.path() + "/system"));
#endif
        QCOMPARE(isEnterableFolder(QDir::toNativeSeparators(root.path() + "/" + relative)), enterable);
        QVERIFY(!isEnterableFolder(QString()));
    }

    void eventTurnsRunPendingEvents()
    {
        int fired = 0;
        bool keepGoing = true;
        EventTurns hourly(60 * 60 * 1000, [&keepGoing] { return keepGoing; });
        QTimer::singleShot(0, [&fired] { ++fired; });
        QVERIFY(hourly());   // the first call always turns the loop
        QCOMPARE(fired, 1);
        QTimer::singleShot(0, [&fired] { ++fired; });
        QVERIFY(hourly());   // within the interval: no turn
        QCOMPARE(fired, 1);

        EventTurns always(0, [&keepGoing] { return keepGoing; });
        QVERIFY(always());
        QCOMPARE(fired, 2);
        keepGoing = false;
        QVERIFY(!always());
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "test_folder_scan.moc"
