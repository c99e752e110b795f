// The Debian package: built with cpack as scripts/package.sh builds it, then
// read with dpkg-deb and unpacked into a temporary root.

#include "support/BuildTree.h"
#include "support/Fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace corvanta::testing;

namespace {

const QString kAppId = QStringLiteral(CORVANTA_APP_ID);

QString version()
{
    return qEnvironmentVariable("CORVANTA_VERSION");
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controlFields_data();
    void controlFields();
    void installsExactlyTheProgramsFiles();
    void removingLeavesNothingBehind();
    void launcherResolvesToTheProgram();
    void appStreamMetadataIsValid();

private:
    QTemporaryDir m_work;
    QString m_package;
    QString m_root;
};

void TestPackage::initTestCase()
{
#ifndef Q_OS_LINUX
    QSKIP("the Debian package is built on Linux only");
#endif
    QVERIFY(m_work.isValid());
    const QString cpack = cacheValue(QStringLiteral("CMAKE_CPACK_COMMAND"));
    QVERIFY2(QFileInfo(cpack).isExecutable(), qPrintable(cpack));
    const QString out = m_work.filePath(QStringLiteral("out"));
    const ToolRun build = runTool(cpack, {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                                          binaryDir() + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"),
                                          out});
    QVERIFY2(build.ok, build.output.constData());

    const ToolRun arch = runTool(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")});
    QVERIFY(arch.ok);
    // The name the README promises: corvanta_<version>_<arch>.deb.
    const QString name =
        QStringLiteral("corvanta_%1_%2.deb").arg(version(), QString::fromUtf8(arch.output).trimmed());
    QCOMPARE(QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files), QStringList{name});
    m_package = out + QLatin1Char('/') + name;

    m_root = m_work.filePath(QStringLiteral("root"));
    const ToolRun unpack = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_package, m_root});
    QVERIFY2(unpack.ok, unpack.output.constData());
}

void TestPackage::controlFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("name") << "Package" << "^corvanta$";
    QTest::newRow("version from the one definition") << "Version" << QStringLiteral("^%1$").arg(version());
    QTest::newRow("maintainer") << "Maintainer" << "^.+ <[^@ ]+@[^@ ]+>$";
    QTest::newRow("summary and description") << "Description" << "^\\S[^\\n]*\\n \\S";
    // Named by hand: the join tool, the fonts the window asks for and Qt's own translations.
    for (const char *depends : {"pdftk-java", "fonts-crosextra-carlito", "fonts-liberation2", "qt6-translations-l10n"})
        QTest::addRow("depends on %s", depends) << "Depends" << QStringLiteral("(^|, )%1(,|$)").arg(depends);
    QTest::newRow("recommends what opens files and pages") << "Recommends" << "(^|, )xdg-utils(,|$)";
    // Found by dpkg-shlibdeps, with the versions the program was built against.
    // The PDF library's package name carries its soname (libqpdf29, libqpdf29t64, ...).
    for (const char *library : {"libqt6widgets6", "libqt6core6", "libc6", "libqpdf[0-9a-z]+"})
        QTest::addRow("depends on %s", library)
            << "Depends" << QStringLiteral("(^|, )%1 \\((>=|>>) [0-9.~]+\\)(,|$)").arg(library);
}

void TestPackage::controlFields()
{
    QFETCH(QString, field);
    QFETCH(QString, pattern);
    const ToolRun read = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), m_package, field});
    QVERIFY2(read.ok, read.output.constData());
    const QString value = QString::fromUtf8(read.output).trimmed();
    QVERIFY2(QRegularExpression(pattern).match(value).hasMatch(), qPrintable(field + QStringLiteral(": ") + value));
}

void TestPackage::installsExactlyTheProgramsFiles()
{
    const ToolRun list = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), m_package});
    QVERIFY2(list.ok, list.output.constData());

    // Every entry but the folders, as "path" or "path -> link target".
    QStringList entries;
    const QRegularExpression line(QStringLiteral("^(\\S)\\S+ \\S+ +\\d+ \\S+ \\S+ \\./(.*)$"));
    for (const QString &text : QString::fromUtf8(list.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const auto match = line.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        QVERIFY2(match.captured(2).startsWith(QLatin1String("usr/")), qPrintable(text));
        if (match.captured(1) != QLatin1String("d"))
            entries << match.captured(2);
    }
    entries.sort();

    const QString appDir = QStringLiteral("usr/lib/corvanta/");
    QStringList expected = {
        QStringLiteral("usr/bin/corvanta -> ../lib/corvanta/corvanta"),
        appDir + QStringLiteral("corvanta"),
        appDir + QStringLiteral("corvanta-guard"),
        appDir + QStringLiteral("corvanta-check"),
        QStringLiteral("usr/share/applications/") + kAppId + QStringLiteral(".desktop"),
        QStringLiteral("usr/share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"),
        QStringLiteral("usr/share/doc/corvanta/copyright"),
    };
    for (const QString &folder : {QStringLiteral("Samples"), QStringLiteral("Video")}) {
        for (const QString &file : filesUnder(sourceDir() + QStringLiteral("/resources/") + folder))
            expected << appDir + folder + QLatin1Char('/') + file;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        expected << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId);
    expected.sort();
    QCOMPARE(entries, expected);
}

void TestPackage::removingLeavesNothingBehind()
{
    // dpkg removes every file it unpacked. Only maintainer scripts could
    // create files it does not know of, and only conffiles outlive a removal:
    // the package has neither.
    const QString control = m_work.filePath(QStringLiteral("control"));
    const ToolRun extract = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--control"), m_package, control});
    QVERIFY2(extract.ok, extract.output.constData());
    QCOMPARE(QDir(control).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{QStringLiteral("control"), QStringLiteral("md5sums")}));
}

void TestPackage::launcherResolvesToTheProgram()
{
    const QFileInfo launcher(m_root + QStringLiteral("/usr/bin/corvanta"));
    QVERIFY(launcher.isSymLink());
    // Relative, so it leads to the unpacked program here and to /usr/lib/... when installed.
    QVERIFY(QDir::isRelativePath(linkText(launcher.filePath())));
    const QFileInfo program(launcher.canonicalFilePath());
    QCOMPARE(program.absoluteFilePath(), QFileInfo(m_root + QStringLiteral("/usr/lib/corvanta/corvanta")).canonicalFilePath());
    QVERIFY(program.isFile() && program.isExecutable());

    // The program's own folder holds what it looks up at run time.
    for (const QString &folder : {QStringLiteral("Samples"), QStringLiteral("Video")}) {
        const QString beside = program.absolutePath() + QLatin1Char('/') + folder;
        QVERIFY2(!filesUnder(beside).isEmpty(), qPrintable(beside));
        QCOMPARE(filesUnder(beside), filesUnder(sourceDir() + QStringLiteral("/resources/") + folder));
    }
}

void TestPackage::appStreamMetadataIsValid()
{
    // validate-tree also checks that the entry's launchable desktop file is there.
    const ToolRun validate =
        runTool(QStringLiteral("appstreamcli"), {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), m_root});
    QVERIFY2(validate.ok, validate.output.constData());

    const QString metainfo = QString::fromUtf8(fileBytes(m_root + QStringLiteral("/usr/share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml")));
    QVERIFY(metainfo.contains(QStringLiteral("<id>%1</id>").arg(kAppId)));
    QVERIFY(metainfo.contains(QStringLiteral("<release version=\"%1\" date=\"").arg(version())));
    QVERIFY(metainfo.contains(QStringLiteral("<mediatype>application/pdf</mediatype>")));
}

CORVANTA_TEST_MAIN(TestPackage)
#include "test_package.moc"
