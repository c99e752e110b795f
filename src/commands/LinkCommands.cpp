#include "commands/LinkCommands.h"

#include "app/Helpers.h"
#include "app/Site.h"
#include "filelist/FolderScan.h"

#include <QDir>

#include <algorithm>

namespace corvanta {

QString DemoVideoTarget(const QString &appFolder)
{
    const QString videoFolder = JoinPath(appFolder, QStringLiteral("Video"));
    // Without QDir::Hidden and QDir::System: hidden files, pipes, sockets,
    // devices and dangling links are not offered.
    QStringList names = QDir(videoFolder).entryList(QDir::Files, QDir::NoSort);
    std::sort(names.begin(), names.end(), NaturalLess);
    const QString folderWithSeparator = FolderEntry(videoFolder);
    if (names.isEmpty())
        return folderWithSeparator;
    return folderWithSeparator + names.first();
}

QString ContactMessageText()
{
    return QStringLiteral("Questions? Please contact Team Quillmoor at ")
        + QLatin1String(site::kContactPage);
}

} // namespace corvanta
