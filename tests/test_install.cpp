// `cmake --install` lays out a program that runs from PATH, finds its
// Samples/ and Video/ beside the executable and is known to the desktop.

#include "support/BuildTree.h"
#include "support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>

namespace {

using namespace corvanta::testing;

const QString kAppId = QStringLiteral(CORVANTA_APP_ID);

// The keys of a desktop entry's [Desktop Entry] group.
QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.contains(QLatin1Char('=')) && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return keys;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installLayout_data();
    void installLayout();

private:
    QString m_cmake;
};

void TestInstall::initTestCase()
{
#ifdef Q_OS_WIN
    QSKIP("On Windows the program is installed by its installer, which scripts/test-windows-installer.sh tests.");
#endif
    QVERIFY2(!binaryDir().isEmpty(), "CORVANTA_BINARY_DIR is not set");
    m_cmake = cacheValue(QStringLiteral("CMAKE_COMMAND"));
    QVERIFY2(QFileInfo(m_cmake).isExecutable(), qPrintable(m_cmake));
    QVERIFY2(QFileInfo::exists(binaryDir() + QStringLiteral("/app/corvanta")),
             "build the program before testing its installation");
}

void TestInstall::installLayout_data()
{
    QTest::addColumn<bool>("staged");
    QTest::newRow("into a prefix") << false;
    // As a package build does it: --prefix /usr, files staged under DESTDIR.
    QTest::newRow("staged with DESTDIR") << true;
}

void TestInstall::installLayout()
{
    QFETCH(bool, staged);

    QTemporaryDir target;
    QVERIFY(target.isValid());
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString prefix = target.path();
    QString root = target.path();
    if (staged) {
        prefix = QStringLiteral("/usr");
        root = target.path() + prefix;
        environment.insert(QStringLiteral("DESTDIR"), target.path());
    }
    install.setProcessEnvironment(environment);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(m_cmake, {QStringLiteral("--install"), binaryDir(), QStringLiteral("--prefix"), prefix});
    QVERIFY(install.waitForFinished(120000));
    const QByteArray log = install.readAll();
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0, log.constData());

    // The executable, with its folders beside it.
    const QString appDir = root + QLatin1Char('/') + cacheValue(QStringLiteral("CMAKE_INSTALL_LIBDIR"))
        + QStringLiteral("/corvanta");
    const QFileInfo program(appDir + QStringLiteral("/corvanta"));
    QVERIFY2(program.isFile() && program.isExecutable(), qPrintable(program.filePath()));

    const QString videoSource = sourceDir() + QStringLiteral("/resources/Video");
    QCOMPARE(filesUnder(appDir + QStringLiteral("/Video")), filesUnder(videoSource));
    const QString samplesSource = sourceDir() + QStringLiteral("/resources/Samples");
    if (QFileInfo(samplesSource).isDir()) {
        QVERIFY(!filesUnder(samplesSource).isEmpty());
        QCOMPARE(filesUnder(appDir + QStringLiteral("/Samples")), filesUnder(samplesSource));
    } else {
        qWarning("resources/Samples does not exist (yet); its installation is not checked");
    }

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The launcher on PATH: a relative link, so the tree can move, that leads
    // to the executable. The program resolves it when it looks for its folder.
    const QString bin = root + QLatin1Char('/') + cacheValue(QStringLiteral("CMAKE_INSTALL_BINDIR"));
    const QFileInfo launcher(bin + QStringLiteral("/corvanta"));
    QVERIFY2(launcher.isSymLink(), qPrintable(launcher.filePath()));
    QVERIFY(QFileInfo(QFile::symLinkTarget(launcher.filePath())).exists());
    QVERIFY(QDir::isRelativePath(linkText(launcher.filePath())));
    QCOMPARE(launcher.canonicalFilePath(), program.canonicalFilePath());

    // The desktop entry and its icon share the application's id.
    const QString data = root + QLatin1Char('/') + cacheValue(QStringLiteral("CMAKE_INSTALL_DATAROOTDIR"));
    const auto entry = desktopEntry(data + QStringLiteral("/applications/") + kAppId + QStringLiteral(".desktop"));
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("Corvanta"));
    QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("corvanta %F"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), kAppId);
    QCOMPARE(entry.value(QStringLiteral("MimeType")), QStringLiteral("application/pdf;"));
    QVERIFY(entry.value(QStringLiteral("Categories")).endsWith(QLatin1Char(';')));
    QVERIFY(!entry.value(QStringLiteral("Categories")).isEmpty());
    QCOMPARE(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString icon = data + QStringLiteral("/icons/hicolor/%1x%1/apps/").arg(size) + kAppId
            + QStringLiteral(".png");
        QImageReader reader(icon);
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), QSize(size, size));
    }
#endif

    // Nothing lands outside the prefix (or the staging folder).
    const QRegularExpression installed(QStringLiteral("^-- (?:Installing|Up-to-date): (\\S+)"),
                                       QRegularExpression::MultilineOption);
    int files = 0;
    for (auto it = installed.globalMatch(QString::fromLocal8Bit(log)); it.hasNext(); ++files) {
        const QString path = it.next().captured(1);
        QVERIFY2(path.startsWith(target.path() + QLatin1Char('/')), qPrintable(path));
    }
    QVERIFY(files > 10);
}

CORVANTA_TEST_MAIN(TestInstall)
#include "test_install.moc"
