#include "filelist/AddingFiles.h"

#include "core/ErrorReport.h"
#include "core/Files.h"
#include "core/Host.h"
#include "core/Seams.h"
#include "core/Text.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace corvanta {

namespace {

// The dialogs hand names over as text: a name that is not UTF-8 arrives with
// U+FFFD in place of its odd bytes and names no file. A name that really
// holds U+FFFD exists.
bool isMangled(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path);
}

struct Dropped
{
    QStringList paths;
    LeftOut leftOut;
    bool isEmpty() const { return paths.isEmpty() && leftOut.isEmpty(); }
};

// The paths a drag from the file manager carries, in its order. A path that
// is not absolute names no file anyone can find again; it is not taken.
Dropped droppedPaths(const QMimeData *data)
{
    Dropped dropped;
    if (!data || !data->hasUrls())
        return dropped;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile() || !QDir::isAbsolutePath(url.toLocalFile()))
            continue;
        // A URL carries the name's bytes; decoding bytes that are not UTF-8
        // would give a path that does not exist.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (isValidUtf8(bytes))
            dropped.paths.append(QDir::toNativeSeparators(url.toLocalFile()));
        else
            dropped.leftOut.add(QDir::toNativeSeparators(shownBytes(bytes)), LeftOutReason::NameNotUtf8);
    }
    return dropped;
}

// Says once, after the work, what was left out and why.
void reportLeftOut(Host &host, const LeftOut &leftOut)
{
    if (leftOut.isEmpty() || host.isClosing())
        return;
    host.say(leftOutMessage(leftOut), MessageStyle::Warning);
}

// Appends each path as a drop does: a folder with every file of its tree
// (names beginning with "~" and file-system metadata left out), anything
// else as it is. What was left out, here or before, is reported at the end.
void appendDropped(Host &host, FileListModel &list, const QStringList &paths, LeftOut leftOut)
{
    const WorkCount::Hold adding(host.adding());
    for (const QString &path : paths) {
        if (host.isClosing())
            return;
        if (isEnterableFolder(path)) {
            EventTurns turns = host.eventTurns();
            const bool finished = scanFolderTree(
                path, QStringLiteral("*.*"), [&list](const QStringList &files) { list.append(files); },
                turns.asKeepGoing(), &leftOut);
            if (!finished)
                return;
        } else {
            list.append(path);
        }
    }
    reportLeftOut(host, leftOut);
}

} // namespace

void addChosenFiles(Host &host, FileListModel &list)
{
    const QStringList chosen =
        host.dialogs().openFiles(host.dialogOwner(), Text::tr("Add File(s) - Hold Ctrl to select multiple files"),
                                 Text::tr("PDF Files (*.pdf)"));
    LeftOut leftOut;
    for (const QString &path : chosen) {
        if (isMangled(path))
            leftOut.add(QDir::toNativeSeparators(path), LeftOutReason::NameNotUtf8);
        else
            list.append(collapseDriveRootSeparator(QDir::toNativeSeparators(path)));
    }
    reportLeftOut(host, leftOut);
}

void addChosenFolder(Host &host, FileListModel &list)
{
    const QString folder = host.dialogs().pickFolder(host.dialogOwner(), Text::tr("Please select folder:"));
    if (folder.isEmpty())
        return;
    LeftOut leftOut;
    if (isMangled(folder)) {
        leftOut.add(folderEntry(folder), LeftOutReason::NameNotUtf8);
        reportLeftOut(host, leftOut);
        return;
    }
    const WorkCount::Hold busy(host.busy());
    const WorkCount::Hold adding(host.adding());
    EventTurns turns = host.eventTurns();
    const bool finished = scanFolderTree(
        folder, QStringLiteral("*.pdf"),
        [&list](const QStringList &files) {
            QStringList items;
            items.reserve(files.size());
            for (const QString &file : files)
                items.append(collapseDriveRootSeparator(file));
            list.append(items);
        },
        turns.asKeepGoing(), &leftOut);
    if (finished)
        reportLeftOut(host, leftOut);
}

void addSampleFiles(Host &host, FileListModel &list)
{
    const QString samples = joinPath(host.appFolder(), QStringLiteral("Samples"));
    QStringList items;
    for (const QString &name : ListFolderFiles(samples, QStringLiteral("*.*")))
        items.append(joinPath(samples, name));
    list.append(items);

    const MessageAnswer answer =
        host.say(Text::tr("Would you like this software to open the folder where these sample files are stored (so "
                          "that you can view them before working with them)?"),
                 MessageStyle::YesNo);
    if (answer == MessageAnswer::Yes)
        OpenWithShell(host.shell(), folderEntry(samples));
}

bool carriesFiles(const QMimeData *data)
{
    return !droppedPaths(data).isEmpty();
}

void addDroppedFiles(Host &host, FileListModel &list, const QMimeData *data)
{
    const Dropped dropped = droppedPaths(data);
    appendDropped(host, list, dropped.paths, dropped.leftOut);
}

void addStartupPaths(Host &host, FileListModel &list, const QStringList &paths, const LeftOut &leftOut)
{
    const WorkCount::Hold busy(host.busy());
    // Relative paths are taken from the folder the program was started in,
    // as a shell would; an empty argument names nothing.
    QStringList absolute;
    for (const QString &path : paths) {
        if (!path.isEmpty())
            absolute.append(QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(path))));
    }
    appendDropped(host, list, absolute, leftOut);
}

} // namespace corvanta
