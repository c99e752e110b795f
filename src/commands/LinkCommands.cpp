#include "commands/LinkCommands.h"

#include "core/Files.h"
#include "core/Site.h"
#include "core/Text.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace corvanta {

QString demoVideoTarget(const QString &appFolder)
{
    const QString videoFolder = joinPath(appFolder, QStringLiteral("Video"));
    // Without QDir::Hidden and QDir::System: hidden files, pipes, sockets,
    // devices and dangling links are not offered; nor, on Windows, files
    // marked as the system's own.
    QStringList names;
    for (const QFileInfo &file : QDir(videoFolder).entryInfoList(QDir::Files, QDir::NoSort)) {
        if (!isHiddenEntry(file))
            names.append(file.fileName());
    }
    std::sort(names.begin(), names.end(), naturalLess);
    const QString folderWithSeparator = folderEntry(videoFolder);
    if (names.isEmpty())
        return folderWithSeparator;
    return folderWithSeparator + names.first();
}

QString contactMessageText()
{
    return Text::tr("Questions? Please contact Team Quillmoor at ") + QLatin1String(site::kContactPage);
}

} // namespace corvanta
