#include "support/BuildTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace corvanta::testing {

QString sourceDir()
{
    return qEnvironmentVariable("CORVANTA_SOURCE_DIR");
}

QString binaryDir()
{
    return qEnvironmentVariable("CORVANTA_BINARY_DIR");
}

QString cacheValue(const QString &name)
{
    QFile cache(binaryDir() + QStringLiteral("/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QRegularExpression line(QStringLiteral("^%1:[A-Z]+=(.*)$").arg(QRegularExpression::escape(name)));
    while (!cache.atEnd()) {
        const auto match = line.match(QString::fromUtf8(cache.readLine()).trimmed());
        if (match.hasMatch())
            return match.captured(1);
    }
    return QString();
}

QStringList filesUnder(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

QString linkText(const QString &path)
{
#ifdef Q_OS_UNIX
    char buffer[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return length < 0 ? QString() : QFile::decodeName(QByteArray(buffer, int(length)));
#else
    Q_UNUSED(path);
    return QString();
#endif
}

ToolRun runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    const bool finished = process.waitForFinished(120000);
    run.output = process.readAll();
    run.ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return run;
}

} // namespace corvanta::testing
