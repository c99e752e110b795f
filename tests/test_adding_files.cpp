// Adding files to the list: the open-file dialog, the folder command, drops
// from the file manager, start-up paths and the sample files.
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "app/StartupArguments.h"
#include "filelist/FolderScan.h"
#include "process/Checker.h"
#include "join/JoinMessages.h"
#include "support/FolderTrees.h"
#include "support/Fixture.h"
#include "support/PlatformFiles.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include <cstdio>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

const QString kSamplesQuestion = QStringLiteral(
    "Would you like this software to open the folder where these sample files are stored (so "
    "that you can view them before working with them)?");

std::unique_ptr<QMimeData> fileDrag(const QStringList &paths)
{
    auto mime = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime->setUrls(urls);
    return mime;
}

bool dragOver(Form1 &form, const QMimeData *mime)
{
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, mime,
                          Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.ListView1->viewport(), &enter);
    return enter.isAccepted();
}

// Drags the data over the list and lets go; returns whether the list took the drop.
bool dropOnList(Form1 &form, const QMimeData *mime)
{
    if (!dragOver(form, mime))
        return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, mime,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.ListView1->viewport(), &drop);
    return drop.isAccepted();
}

// Runs `action` at the first turn of the event loop that the next scan allows.
void duringTheScan(std::function<void()> action)
{
    QTimer::singleShot(0, std::move(action));
}

QString samplesSource()
{
    return qEnvironmentVariable("CORVANTA_SOURCE_DIR") + QStringLiteral("/resources/Samples");
}

// A folder name with a character that means something to patterns; Windows
// allows no "?" in a name.
#ifdef Q_OS_WIN
const QString kOddFolder = QStringLiteral("what\u00BF");
#else
const QString kOddFolder = QStringLiteral("what?");
#endif

} // namespace

class AddingFilesTest : public QObject
{
    Q_OBJECT

private slots:

    void addFiles_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("added");
        // The dialog names files with "/"; the list shows them in native form.
        QTest::newRow("one file") << QStringList{"/docs/a.pdf"} << QStringList{nativePath("/docs/a.pdf")};
        QTest::newRow("three files, dialog order")
            << QStringList{"/docs/c.pdf", "/docs/a.pdf", "/docs/b.pdf"}
            << QStringList{nativePath("/docs/c.pdf"), nativePath("/docs/a.pdf"), nativePath("/docs/b.pdf")};
        QTest::newRow("cancel") << QStringList{} << QStringList{};
        QTest::newRow("files in the root") << QStringList{"/a.pdf", "/b.pdf"}
                                           << QStringList{nativePath("/a.pdf"), nativePath("/b.pdf")};
        QTest::newRow("drive root, doubled separator")
            << QStringList{"C:\\\\a.pdf", "C:\\\\sub\\b.pdf"}
            << QStringList{"C:\\a.pdf", "C:\\sub\\b.pdf"};
    }

    void addFiles()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, added);
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(QStringLiteral("/first.pdf"));
        fixture.dialogs.openAnswers.enqueue(chosen);

        form.AddFiles();

        QCOMPARE(fileListOf(form)->paths(), QStringList{"/first.pdf"} + added);
        QCOMPARE(fixture.dialogs.asked.size(), 1);
        QCOMPARE(fixture.dialogs.asked.first().kind, QStringLiteral("open"));
        QCOMPARE(fixture.dialogs.asked.first().title,
                 QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"));
        QCOMPARE(fixture.dialogs.asked.first().filter, QStringLiteral("PDF Files (*.pdf)"));
        QCOMPARE(fixture.dialogs.unexpected, QStringList());
    }

    void addFolderCancelChangesNothing()
    {
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(QStringLiteral("/first.pdf"));
        form.setMousePointer(MousePointer::Busy);
        fixture.dialogs.folderAnswers.enqueue(QString());

        form.AddFolder();

        QCOMPARE(fileListOf(form)->paths(), QStringList{"/first.pdf"});
        QCOMPARE(shownPointer(form), MousePointer::Busy);
        QCOMPARE(fixture.dialogs.asked.size(), 1);
        QCOMPARE(fixture.dialogs.asked.first().kind, QStringLiteral("folder"));
        QCOMPARE(fixture.dialogs.asked.first().title, QStringLiteral("Please select folder:"));
    }

    void addFolderAppendsTheTreesPdfs()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"b/b.pdf", "b/deep/deep.PDF", "a.pdf", "~lock.pdf", ".hidden.pdf",
                               "notes.txt", ".git/g.pdf", "b/~tmp.pdf", "c/c.Pdf", "c/readme.md",
                               "c/" + kOddFolder + "/q.pdf", "empty/"});
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(QStringLiteral("/first.pdf"));
        fixture.dialogs.folderAnswers.enqueue(nativePath(root.path()));
        auto pointerDuringScan = MousePointer(-1);
        duringTheScan([&] { pointerDuringScan = shownPointer(form); });

        form.AddFolder();

        QCOMPARE(fileListOf(form)->paths(),
                 QStringList{"/first.pdf"}
                     + underRoot(root.path(), {".hidden.pdf", "a.pdf", "b/b.pdf", "c/c.Pdf",
                                               "b/deep/deep.PDF", "c/" + kOddFolder + "/q.pdf"}));
        QCOMPARE(pointerDuringScan, MousePointer::Busy);
        QCOMPARE(shownPointer(form), MousePointer::Default);
        QCOMPARE(fixture.dialogs.unexpected, QStringList());
    }

    void secondFolderCommandDuringAScan()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        makeTree(first.path(), {"1.pdf", "sub/2.pdf"});
        makeTree(second.path(), {"x.pdf", "sub/y.pdf"});
        FormFixture fixture;
        Form1 &form = fixture.load();
        fixture.dialogs.folderAnswers.enqueue(first.path());
        fixture.dialogs.folderAnswers.enqueue(second.path());
        auto pointerAfterInner = MousePointer(-1);
        duringTheScan([&] {
            form.AddFolder();
            pointerAfterInner = shownPointer(form);
        });

        form.AddFolder();

        // The inner command ran to its end inside the outer one's walk; the
        // outer one then went on appending at the end.
        QCOMPARE(fileListOf(form)->paths(),
                 underRoot(second.path(), {"x.pdf", "sub/y.pdf"})
                     + underRoot(first.path(), {"1.pdf", "sub/2.pdf"}));
        QCOMPARE(pointerAfterInner, MousePointer::Busy);
        QCOMPARE(shownPointer(form), MousePointer::Default);
    }

    void startDuringAScanKeepsTheBusyPointer()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"1.pdf", "sub/2.pdf"});
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(root.filePath("1.pdf"));
        fixture.dialogs.folderAnswers.enqueue(root.path());
        auto pointerAfterStart = MousePointer(-1);
        duringTheScan([&] {
            form.Start();
            pointerAfterStart = shownPointer(form);
        });

        form.AddFolder();

        // The join is refused while the list is still growing.
        QCOMPARE(fixture.dialogs.messageTexts(), QStringList{filesStillBeingAddedMessage()});
        QCOMPARE(pointerAfterStart, MousePointer::Busy);
        QCOMPARE(shownPointer(form), MousePointer::Default);
    }

    void clearingDuringAScan()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"a.pdf", "s1/b.pdf", "s2/c.pdf"});
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(QStringLiteral("/first.pdf"));
        fixture.dialogs.folderAnswers.enqueue(root.path());
        bool cleared = false;
        QObject::connect(fileListOf(form), &QAbstractItemModel::rowsInserted, fileListOf(form), [&] {
            if (!cleared && fileListOf(form)->count() > 1) {
                cleared = true;
                duringTheScan([&] { form.ClearList(); });
            }
        });

        form.AddFolder();

        QVERIFY(cleared);
        QCOMPARE(fileListOf(form)->paths(), underRoot(root.path(), {"s1/b.pdf", "s2/c.pdf"}));
    }

    void dropTwoFoldersAndAFile()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"one/a.pdf", "one/notes.txt", "one/.hidden.pdf", "one/~lock.pdf",
                               "one/.cache/skip.pdf", "one/sub/b.doc", "one/sub/plain",
                               "two/c.pdf", "two/sub/d.PDF", "~single.txt"});
        FormFixture fixture;
        Form1 &form = fixture.load();
        fileListOf(form)->append(QStringLiteral("/first.pdf"));
        auto pointerDuringScan = MousePointer(-1);
        duringTheScan([&] { pointerDuringScan = shownPointer(form); });

        const auto mime = fileDrag({root.path() + "/one", root.path() + "/two/", root.path() + "/~single.txt"});
        QVERIFY(dropOnList(form, mime.get()));

        QCOMPARE(fileListOf(form)->paths(),
                 QStringList{"/first.pdf"}
                     + underRoot(root.path(), {"one/.hidden.pdf", "one/a.pdf", "one/notes.txt",
                                               "one/sub/b.doc", "one/sub/plain", "two/c.pdf",
                                               "two/sub/d.PDF", "~single.txt"}));
        QCOMPARE(pointerDuringScan, MousePointer::Default);
        QCOMPARE(shownPointer(form), MousePointer::Default);
    }

    void droppedItemsThatAreNotEntered()
    {
        QTemporaryDir root;
        makeTree(root.path(), {".hidden/inside.pdf", "docs/d.pdf"});
        const TestLink link(root.path() + "/docs", root.path() + "/docs-link");
        QVERIFY(link.made());
        FormFixture fixture;
        Form1 &form = fixture.load();

        const auto mime = fileDrag({root.path() + "/.hidden", root.path() + "/missing.pdf",
                                    root.path() + "/docs-link"});
        QVERIFY(dropOnList(form, mime.get()));

        // A hidden folder is one item; a path that is gone is kept as it is;
        // a link the user dropped is entered like the folder it names.
        QCOMPARE(fileListOf(form)->paths(),
                 underRoot(root.path(), {".hidden", "missing.pdf", "docs-link/d.pdf"}));
    }

    void dragsWithoutFilesAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::newRow("text") << "/tmp/a.pdf" << QList<QUrl>();
        QTest::newRow("web address") << QString() << QList<QUrl>{QUrl("https://example.com/a.pdf")};
        QTest::newRow("nothing") << QString() << QList<QUrl>();
    }

    void dragsWithoutFilesAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(QList<QUrl>, urls);
        FormFixture fixture;
        Form1 &form = fixture.load();
        QMimeData mime;
        if (!text.isEmpty())
            mime.setText(text);
        if (!urls.isEmpty())
            mime.setUrls(urls);

        QVERIFY(!dragOver(form, &mime));
        QVERIFY(!form.ListView1_OLEDragOver(&mime));
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.ListView1->viewport(), &drop);
        QCOMPARE(fileListOf(form)->count(), 0);
    }

    void startupPathsAreAddedLikeDroppedOnes()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"given.pdf", "folder/x.pdf", "folder/~skip.pdf", "y.pdf"});
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root.path()));
        FormFixture fixture;
        Form1 &form = fixture.load();

        form.addStartupPaths({"given.pdf", "folder", "--help", "", "folder/../y.pdf",
                              root.path() + "/gone.pdf"});
        QDir::setCurrent(before);

        const QString here = QDir(root.path()).canonicalPath();
        QCOMPARE(fileListOf(form)->paths(),
                 underRoot(here, {"given.pdf", "folder/x.pdf", "--help", "y.pdf"})
                     + underRoot(root.path(), {"gone.pdf"}));
    }

#ifndef Q_OS_WIN
    // Whatever the way in, files are left out for reasons the list cannot
    // show are named once, after the work; nothing else is said.
    void leftOutFilesAreNamedOnce_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("named"); // what the one message names; empty: no message
        QTest::newRow("folder command") << "folder" << QStringList{"tree/ok.pdf"}
                                        << QStringList{"tree/bad\\xFF.pdf", "tree/dir\\xFE/"};
        QTest::newRow("dropped folder and files")
            << "drop" << QStringList{"tree/notes.txt", "tree/ok.pdf", "plain.pdf"}
            << QStringList{"tree/bad\\xFF.pdf", "tree/dir\\xFE/", "single\\xFF.pdf"};
        QTest::newRow("start-up paths") << "start-up" << QStringList{"tree/notes.txt", "tree/ok.pdf", "plain.pdf"}
                                        << QStringList{"single\\xFF.pdf", "tree/bad\\xFF.pdf", "tree/dir\\xFE/"};
        QTest::newRow("nothing left out, nothing said") << "clean drop" << QStringList{"plain.pdf"}
                                                        << QStringList{};
    }

    void leftOutFilesAreNamedOnce()
    {
        QFETCH(QString, way);
        QFETCH(QStringList, added);
        QFETCH(QStringList, named);
        RawTree root;
        root.make({"tree/ok.pdf", "tree/bad\xFF.pdf", "tree/dir\xFE/in.pdf", "tree/notes.txt",
                   "tree/._ok.pdf", "tree/.DS_Store", "plain.pdf", "single\xFF.pdf"});
        const QString tree = root.path() + QStringLiteral("/tree");
        const QString plain = root.path() + QStringLiteral("/plain.pdf");
        const QByteArray single = root.rawPath() + "/single\xFF.pdf";
        FormFixture fixture;
        Form1 &form = fixture.load();
        fixture.dialogs.messageAnswers.enqueue(MessageAnswer::Ok);

        if (way == QLatin1String("folder")) {
            fixture.dialogs.folderAnswers.enqueue(tree);
            form.AddFolder();
        } else if (way == QLatin1String("start-up")) {
            QByteArray program("corvanta");
            QByteArray treeArgument = QFile::encodeName(tree);
            QByteArray plainArgument = QFile::encodeName(plain);
            QByteArray singleArgument = single;
            char *argv[] = {program.data(), singleArgument.data(), treeArgument.data(), plainArgument.data(), nullptr};
            const StartupPaths given = startupPathArguments(4, argv);
            form.addStartupPaths(given.paths, given.leftOut);
        } else {
            QMimeData mime;
            QList<QUrl> urls{QUrl::fromLocalFile(plain)};
            if (way == QLatin1String("drop")) {
                urls.prepend(QUrl::fromLocalFile(tree));
                urls.append(QUrl::fromEncoded("file://" + single.toPercentEncoding("/")));
            }
            mime.setUrls(urls);
            QVERIFY(dropOnList(form, &mime));
        }

        QCOMPARE(fileListOf(form)->paths(), underRoot(root.path(), added));
        const QStringList messages = fixture.dialogs.messageTexts();
        QCOMPARE(messages.size(), named.isEmpty() ? 0 : 1);
        if (!named.isEmpty()) {
            QVERIFY2(messages.first().startsWith(QStringLiteral("%1 files or folders were left out:").arg(named.size())),
                     qPrintable(messages.first()));
            for (const QString &path : underRoot(root.path(), named))
                QVERIFY2(messages.first().contains(path + QStringLiteral(": the name is not valid UTF-8")),
                         qPrintable(messages.first()));
            QCOMPARE(fixture.dialogs.asked.last().title, QStringLiteral("Corvanta"));
        }
    }
#endif

    // A dialog hands over a name that is not UTF-8 with U+FFFD in it, a path
    // that names no file; it is left out and named, never listed.
    void dialogsNeverListAMangledName_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("open-file dialog") << false;
        QTest::newRow("folder picker") << true;
    }

    void dialogsNeverListAMangledName()
    {
        QFETCH(bool, folder);
        QTemporaryDir root;
        makeTree(root.path(), {"real \uFFFD.pdf"});
        const QString mangled = root.path() + QStringLiteral("/bad\uFFFDname");
        FormFixture fixture;
        Form1 &form = fixture.load();
        fixture.dialogs.messageAnswers.enqueue(MessageAnswer::Ok);
        if (folder) {
            fixture.dialogs.folderAnswers.enqueue(mangled);
            form.AddFolder();
        } else {
            fixture.dialogs.openAnswers.enqueue({mangled + ".pdf", root.path() + "/real \uFFFD.pdf"});
            form.AddFiles();
        }

        QCOMPARE(fileListOf(form)->paths(), folder ? QStringList{} : underRoot(root.path(), {"real \uFFFD.pdf"}));
        QCOMPARE(fixture.dialogs.messageTexts().size(), 1);
        QVERIFY(fixture.dialogs.messageTexts().first().contains(nativePath(mangled)));
        QCOMPARE(shownPointer(form), MousePointer::Default);
    }

    // A dropped file URL that is not absolute names nothing anyone can find;
    // it must never reach pdftk as a bare word such as "output".
    void relativeDropsAreRefused_data()
    {
        QTest::addColumn<QByteArrayList>("uris");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("added");
        QTest::newRow("only relative") << QByteArrayList{"file:output"} << false << 0;
        QTest::newRow("relative with a folder") << QByteArrayList{"file:docs/a.pdf"} << false << 0;
        QTest::newRow("relative beside an absolute one")
            << QByteArrayList{"file:output", "file:///tmp/real.pdf"} << true << 1;
    }

    void relativeDropsAreRefused()
    {
        QFETCH(QByteArrayList, uris);
        QFETCH(bool, taken);
        QFETCH(int, added);
        FormFixture fixture;
        Form1 &form = fixture.load();
        QMimeData mime;
        mime.setData(QStringLiteral("text/uri-list"), uris.join("\r\n") + "\r\n");

        QCOMPARE(dropOnList(form, &mime), taken);
        QCOMPARE(fileListOf(form)->count(), added);
        for (const QString &path : fileListOf(form)->paths())
            QVERIFY2(QDir::isAbsolutePath(path), qPrintable(path));
        QCOMPARE(fixture.dialogs.asked.size(), 0);
    }

    // Qt is handed none of the arguments, so none is taken as an option.
    void everyStartupArgumentIsAPath_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<int>("leftOut");
        QTest::newRow("Qt's own options")
            << QByteArrayList{"-reverse", "-style", "fusion", "-session", "s1", "-platformpluginpath", "/p",
                              "--", "-qwindowgeometry", "1x1"}
            << QStringList{"-reverse", "-style", "fusion", "-session", "s1", "-platformpluginpath", "/p",
                           "--", "-qwindowgeometry", "1x1"}
            << 0;
        QTest::newRow("non-ASCII") << QByteArrayList{"\xC3\xBC.pdf"} << QStringList{"\u00FC.pdf"} << 0;
        QTest::newRow("blanks, quotes and a closing backslash")
            << QByteArrayList{"My \"odd\" file.pdf", "a b.pdf", "folder\\"}
            << QStringList{"My \"odd\" file.pdf", "a b.pdf", "folder\\"} << 0;
#ifndef Q_OS_WIN
        QTest::newRow("not UTF-8") << QByteArrayList{"a.pdf", "bad\xFF.pdf", "b.pdf"}
                                   << QStringList{"a.pdf", "b.pdf"} << 1;
#endif
        QTest::newRow("none") << QByteArrayList{} << QStringList{} << 0;
    }

    void everyStartupArgumentIsAPath()
    {
        QFETCH(QByteArrayList, arguments);
#ifdef Q_OS_WIN
        // Windows hands a program one command line, which it splits itself:
        // the test starts itself with these arguments and reads what it split.
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CORVANTA_SPLIT_ARGUMENTS"), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        QStringList texts;
        for (const QByteArray &argument : arguments)
            texts.append(QString::fromUtf8(argument));
        child.start(QCoreApplication::applicationFilePath(), texts);
        QVERIFY(child.waitForFinished(30000));
        QStringList paths = QString::fromUtf8(child.readAllStandardOutput()).split(QChar());
        paths.removeLast();
        QTEST(paths, "paths");
        return;
#endif
        QByteArray program("corvanta");
        std::vector<char *> argv{program.data()};
        for (QByteArray &argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const StartupPaths given = startupPathArguments(int(argv.size() - 1), argv.data());
        QTEST(given.paths, "paths");
        QTEST(int(given.leftOut.count()), "leftOut");
    }

    void loadSampleFiles_data()
    {
        QTest::addColumn<QStringList>("samples");
        QTest::addColumn<bool>("yes");
        QTest::newRow("no Samples folder, No") << QStringList{} << false;
        QTest::newRow("no Samples folder, Yes") << QStringList{} << true;
        QTest::newRow("every file, none skipped")
            << QStringList{"b.pdf", "~a.pdf", ".hidden", "A 10.pdf", "A 9.pdf", "sub/inner.pdf"} << true;
    }

    void loadSampleFiles()
    {
        QFETCH(QStringList, samples);
        QFETCH(bool, yes);
        FormFixture fixture;
        if (!samples.isEmpty())
            makeTree(fixture.appFolder + "/Samples", samples);
        Form1 &form = fixture.load();
        fileListOf(form)->append(QStringLiteral("/first.pdf"));
        fixture.dialogs.messageAnswers.enqueue(yes ? MessageAnswer::Yes : MessageAnswer::No);

        form.LoadSampleFiles();

        const QStringList expected = samples.isEmpty()
            ? QStringList{}
            : underRoot(fixture.appFolder + "/Samples", {".hidden", "A 9.pdf", "A 10.pdf", "b.pdf", "~a.pdf"});
        QCOMPARE(fileListOf(form)->paths(), QStringList{"/first.pdf"} + expected);
        QCOMPARE(fixture.dialogs.asked.size(), 1);
        QCOMPARE(fixture.dialogs.asked.first().text, kSamplesQuestion);
        QVERIFY(fixture.dialogs.asked.first().style == MessageStyle::YesNo);
        QCOMPARE(fixture.dialogs.asked.first().title, QStringLiteral("Corvanta"));
        QCOMPARE(fixture.shell.opened,
                 yes ? QStringList{nativePath(fixture.appFolder + "/Samples/")} : QStringList{});
    }

    void shippedSamplesAreRealPdfs()
    {
        const QDir source(samplesSource());
        const QStringList pdfs = source.entryList({"*.pdf"}, QDir::Files, QDir::Name);
        QVERIFY2(pdfs.size() >= 3, qPrintable(pdfs.join(", ")));
        const QRegularExpression protectedName(QStringLiteral(R"(\(password (\S+)\)\.pdf$)"));
        int protectedCount = 0;
        for (const QString &name : pdfs) {
            QFile file(source.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(file.read(5) == "%PDF-", qPrintable(name));
            QVERIFY2(file.size() < 100 * 1024, qPrintable(name));
            const auto match = protectedName.match(name);
            Checker checker(helperFolder() + QStringLiteral("/corvanta-check"));
            QList<JoinEntry> opened{{file.fileName(), QString()}, {file.fileName(), match.captured(1)}};
            QVERIFY(checker.check(opened));
            if (match.hasMatch()) {
                ++protectedCount;
                QCOMPARE(opened.at(0).check.problem, PdfProblem::NeedsPassword);
            } else {
                QCOMPARE(opened.at(0).check.problem, PdfProblem::None);
            }
            QCOMPARE(opened.at(1).check.problem, PdfProblem::None);
            QVERIFY(opened.at(1).check.pages > 0);
        }
        QCOMPARE(protectedCount, 1);
    }

    void samplesSitBesideTheProgram()
    {
        const QString app = qEnvironmentVariable("CORVANTA_BINARY_DIR") + QStringLiteral("/app");
        if (!QFile::exists(app + QStringLiteral("/corvanta")) && !QFile::exists(app + QStringLiteral("/corvanta.exe")))
            QSKIP("The program itself has not been built in this build folder.");
        const QDir copied(app + QStringLiteral("/Samples"));
        const QDir source(samplesSource());
        const QStringList names = source.entryList(QDir::Files, QDir::Name);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names) {
            QVERIFY2(QFileInfo::exists(copied.filePath(name)), qPrintable(name));
            QCOMPARE(QFileInfo(copied.filePath(name)).size(), QFileInfo(source.filePath(name)).size());
        }
    }

    void closingStopsTheScan()
    {
        QTemporaryDir root;
        makeTree(root.path(), {"a.pdf", "sub/b.pdf"});
        FormFixture fixture;
        Form1 &form = fixture.load();
        fixture.dialogs.folderAnswers.enqueue(root.path());
        duringTheScan([&] {
            int cancel = 1;
            form.Form_Unload(cancel);
        });

        form.AddFolder();

        QVERIFY(form.isClosing());
        QCOMPARE(fixture.programEnded, 1);
        QCOMPARE(fileListOf(form)->count(), 0);
        QCOMPARE(shownPointer(form), MousePointer::Default);
    }

private:
    int m_turnInterval = 0;
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("CORVANTA_SPLIT_ARGUMENTS")) {
        // As the program splits its command line, each path ended by a null
        // character: the console would turn a line's end into two.
        for (const QString &path : startupPathArguments(argc, argv).paths) {
            const QByteArray bytes = path.toUtf8();
            std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()) + 1, stdout);
        }
        return 0;
    }
    QTemporaryDir home;
    isolateHome(home.path());
    QApplication app(argc, argv);
    AddingFilesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_adding_files.moc"
