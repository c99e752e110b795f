#include "join/Pdftk.h"

#include "check/FileIdentity.h"
#include "core/Files.h"
#include "join/JoinCommand.h"
#include "join/JoinOutcome.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>

namespace corvanta {

namespace {

#ifdef Q_OS_WIN
// Only the program itself: a pdftk.bat or pdftk.cmd would run through
// cmd.exe, which parses the arguments again, so a path or a password could
// be taken apart or run as a command.
const QString kPdftkName = QStringLiteral("pdftk.exe");
#else
const QString kPdftkName = QStringLiteral("pdftk");
#endif

} // namespace

QString findPdftk(const QString &appFolder)
{
    QStringList folders{appFolder};
    folders += qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        const QFileInfo program(QDir(folder).filePath(kPdftkName));
        if (program.isFile() && program.isExecutable())
            return QDir::toNativeSeparators(program.absoluteFilePath());
    }
    return QString();
}

QProcessEnvironment pdftkEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

bool runsOnJava(const QString &program)
{
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4096);
    return head.startsWith("#!") && head.contains("java");
}

namespace {

// Measured on a 2-core machine: the JVM's quick compiler alone cuts the
// CPU time of a 2-file join by a tenth and of a 20 x 75-page join by a
// third; the archive cuts a 2-file join's by a third more. The JVM's own
// log lines (about the archive) must never reach a message.
const QString kLeanOptions = QStringLiteral("-XX:TieredStopAtLevel=1 -Xlog:disable");

// pdftk's archive takes about 2.5 MB; Java fails the whole run, after the
// joined file is written, when it cannot write all of it.
constexpr qint64 kArchiveRoom = 32 * 1024 * 1024;

// Beside an archive: the identity it had when it was made, so that a file
// cut short or put in its place is never handed to Java, which would abort
// on it; and the mark that the lean start was given up.
const QString kIdentitySuffix = QStringLiteral(".id");
const QString kGivenUpSuffix = QStringLiteral(".off");
const QString kPartSuffix = QStringLiteral(".part");

// The archive's name follows the pdftk and the java it was made with, so
// that an update of either makes a new one.
QString archiveFor(const QString &program, const QString &cacheFolder)
{
    const QString java = QStandardPaths::findExecutable(QStringLiteral("java"));
    if (cacheFolder.isEmpty() || java.isEmpty() || cacheFolder.contains(QLatin1Char('"')))
        return QString();
    const QFileInfo pdftk(program);
    const QFileInfo jvm(QFileInfo(java).canonicalFilePath());
    const QString identity =
        QStringList{pdftk.absoluteFilePath(), QString::number(pdftk.size()),
                    QString::number(pdftk.lastModified().toMSecsSinceEpoch()), jvm.absoluteFilePath(),
                    QString::number(jvm.lastModified().toMSecsSinceEpoch())}
            .join(QLatin1Char('\n'));
    const QByteArray key = QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(cacheFolder).filePath(QStringLiteral("pdftk-%1.jsa").arg(QString::fromLatin1(key)));
}

QByteArray identityText(const FileIdentity &identity)
{
    return QByteArray::number(identity.size) + ' ' + QByteArray::number(identity.modified) + ' '
        + QByteArray::number(identity.changed) + ' ' + QByteArray::number(identity.volume) + ' '
        + QByteArray::number(identity.file);
}

void removeArchive(const QString &archive)
{
    for (const QString &suffix : {QString(), kIdentitySuffix, kPartSuffix})
        QFile::remove(archive + suffix);
}

// Whether the archive is there as it was made; one that is not is removed.
bool archiveIntact(const QString &archive)
{
    const FileIdentity identity = identityOf(archive);
    if (!identity.isKnown())
        return false;
    QFile recorded(archive + kIdentitySuffix);
    if (recorded.open(QIODevice::ReadOnly) && recorded.read(256).trimmed() == identityText(identity))
        return true;
    removeArchive(archive);
    return false;
}

// Where an archive can be made whole: a folder that can be written, with room.
bool roomForArchive(const QString &cacheFolder)
{
    if (!QDir().mkpath(cacheFolder) || !QFileInfo(cacheFolder).isWritable())
        return false;
    const QStorageInfo drive(cacheFolder);
    return drive.isValid() && drive.bytesAvailable() >= kArchiveRoom;
}

// The archives of other pdftks and Javas, and what lies beside them.
void removeOtherArchives(const QString &archive)
{
    QDir folder = QFileInfo(archive).absoluteDir();
    const QString own = QFileInfo(archive).fileName();
    for (const QString &name : folder.entryList({QStringLiteral("pdftk-*.jsa*")}, QDir::Files | QDir::Hidden)) {
        if (!name.startsWith(own))
            folder.remove(name);
    }
}

// Corvanta's own folder for pdftk to run in: the cache folder, or else the
// system's folder for temporary files.
QString workingFolderFor(const QString &cacheFolder)
{
    if (!cacheFolder.isEmpty() && QDir().mkpath(cacheFolder) && QFileInfo(cacheFolder).isWritable())
        return cacheFolder;
    return QDir::tempPath();
}

} // namespace

PdftkStart PdftkStart::forProgram(const QString &program, const QString &cacheFolder)
{
    PdftkStart start;
    start.plainEnvironment = pdftkEnvironment();
    start.environment = start.plainEnvironment;
    start.workingFolder = workingFolderFor(cacheFolder);
    if (!runsOnJava(program))
        return start;
    const QString archive = archiveFor(program, cacheFolder);
    start.archive = archive;
    if (!archive.isEmpty() && QFileInfo::exists(archive + kGivenUpSuffix))
        return start;
    QString options = kLeanOptions;
    if (!archive.isEmpty() && archiveIntact(archive)) {
        options += QStringLiteral(" -XX:SharedArchiveFile=\"%1\"").arg(archive);
    } else if (!archive.isEmpty() && roomForArchive(cacheFolder)) {
        removeOtherArchives(archive);
        start.makesArchive = true;
        options += QStringLiteral(" -XX:ArchiveClassesAtExit=\"%1%2\"").arg(archive, kPartSuffix);
    }
    start.lean = true;
    // The user's own options come last, and so win.
    const QString own = start.environment.value(QStringLiteral("JAVA_TOOL_OPTIONS"));
    start.environment.insert(QStringLiteral("JAVA_TOOL_OPTIONS"),
                             own.isEmpty() ? options : options + QLatin1Char(' ') + own);
    return start;
}

void PdftkStart::settle(bool endedWell) const
{
    if (!makesArchive)
        return;
    const QString made = archive + kPartSuffix;
    if (!endedWell || !QFile::rename(made, archive)) {
        QFile::remove(made);
        return;
    }
    QFile recorded(archive + kIdentitySuffix);
    if (!recorded.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || recorded.write(identityText(identityOf(archive))) < 0 || !recorded.flush())
        removeArchive(archive);
}

void PdftkStart::giveUpLean() const
{
    if (archive.isEmpty())
        return;
    removeArchive(archive);
    QFile(archive + kGivenUpSuffix).open(QIODevice::WriteOnly);
}

ProcessRunner::Result runPdftkPlan(ProcessRunner &runner, const JoinPlan &plan, const PdftkStart &start,
                                   const QString &written, const std::function<bool()> &stopped)
{
    const auto ranWell = [&written](const ProcessRunner::Result &result) {
        return result.ending == ProcessRunner::Ending::Exited && result.code == 0 && QFileInfo(written).isFile();
    };
    const ProcessRunner::Result lean = runJoinPlan(runner, plan);
    start.tidy();
    start.settle(ranWell(lean));
    if (!start.lean || ranWell(lean) || lean.ending == ProcessRunner::Ending::Cancelled || stopped())
        return lean;
    runner.setEnvironment(start.plainEnvironment);
    const ProcessRunner::Result plain = runJoinPlan(runner, plan);
    start.tidy();
    if (ranWell(plain))
        start.giveUpLean();
    return plain;
}

FailingInput findFailingInput(ProcessRunner &runner, const QString &program, const QList<JoinEntry> &inputs,
                              const std::function<QString()> &probeName, const PdftkStart &start,
                              const std::function<bool()> &stopped)
{
    constexpr int kMostTried = 20;
    QSet<QString> tried;
    for (const JoinEntry &input : inputs) {
        if (stopped() || tried.size() >= kMostTried)
            break;
        if (tried.contains(input.Path))
            continue;
        tried.insert(input.Path);
        const QString probe = probeName();
        const JoinProcessCommand alone = BuildJoinCommand(program, {input}, probe);
        const ProcessRunner::Result result = runner.run(alone.program, alone.arguments, kHiddenWindow);
        DeleteFileQuietly(probe);
        start.tidy();
        if (result.ending == ProcessRunner::Ending::Exited && result.code != 0)
            return {input.Path, pdftkTextOf(result)};
    }
    return {};
}

void PdftkStart::tidy() const
{
    QDir folder(workingFolder);
    for (const QString &name :
         folder.entryList({QStringLiteral("hs_err_pid*.log"), QStringLiteral("replay_pid*.log")}, QDir::Files))
        folder.remove(name);
}

} // namespace corvanta
