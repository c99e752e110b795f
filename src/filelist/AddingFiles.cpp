#include "app/Form1.h"

#include "app/Helpers.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

namespace corvanta {

namespace {

const QString kAddFilesTitle = QStringLiteral("Add File(s) - Hold Ctrl to select multiple files");
const QString kPdfFilter = QStringLiteral("PDF Files (*.pdf)");
const QString kPickFolderPrompt = QStringLiteral("Please select folder:");
const QString kOpenSamplesQuestion = QStringLiteral(
    "Would you like this software to open the folder where these sample files are stored (so "
    "that you can view them before working with them)?");

// Turns of the event loop during a scan; the scan stops once the window is
// closing or gone.
EventTurns eventTurnsFor(Form1 &form)
{
    QPointer<Form1> guard(&form);
    return EventTurns([guard] { return guard && !guard->isClosing(); });
}

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
        if (IsValidUtf8(bytes))
            dropped.paths.append(QDir::toNativeSeparators(url.toLocalFile()));
        else
            dropped.leftOut.add(QDir::toNativeSeparators(ShownBytes(bytes)), LeftOutReason::NameNotUtf8);
    }
    return dropped;
}

// Says once, after the work, what was left out and why.
void reportLeftOut(Form1 &form, const LeftOut &leftOut)
{
    if (leftOut.isEmpty() || form.isClosing())
        return;
    form.services().dialogs->message(&form, LeftOutMessage(leftOut), MessageStyle::Warning,
                                     ApplicationTitle());
}

// Appends each path as a drop does: a folder with every file of its tree
// (names beginning with "~" and file-system metadata left out), anything
// else as it is. What was left out, here or before, is reported at the end.
void appendDropped(Form1 &form, const QStringList &paths, LeftOut leftOut)
{
    const Form1::AddingFiles adding(form);
    QPointer<Form1> guard(&form);
    for (const QString &path : paths) {
        if (!guard || guard->isClosing())
            return;
        if (IsEnterableFolder(path)) {
            EventTurns turns = eventTurnsFor(form);
            FileListModel *list = form.fileList();
            const bool finished = ScanFolderTree(
                path, QStringLiteral("*.*"), [list](const QStringList &files) { list->append(files); },
                turns.asYield(), &leftOut);
            if (!finished)
                return;
        } else {
            form.fileList()->append(path);
        }
    }
    reportLeftOut(form, leftOut);
}

} // namespace

void Form1::AddFiles()
{
    const QStringList chosen = m_services.dialogs->openFiles(this, kAddFilesTitle, kPdfFilter);
    LeftOut leftOut;
    for (const QString &path : chosen) {
        if (isMangled(path))
            leftOut.add(QDir::toNativeSeparators(path), LeftOutReason::NameNotUtf8);
        else
            m_fileList->append(CollapseDriveRootSeparator(QDir::toNativeSeparators(path)));
    }
    reportLeftOut(*this, leftOut);
}

void Form1::AddFolder()
{
    const QString folder = m_services.dialogs->pickFolder(this, kPickFolderPrompt);
    if (folder.isEmpty())
        return;
    LeftOut leftOut;
    if (isMangled(folder)) {
        leftOut.add(FolderEntry(folder), LeftOutReason::NameNotUtf8);
        reportLeftOut(*this, leftOut);
        return;
    }
    const LongWork busy(*this);
    const AddingFiles adding(*this);
    EventTurns turns = eventTurnsFor(*this);
    FileListModel *list = m_fileList;
    const bool finished = ScanFolderTree(
        folder, QStringLiteral("*.pdf"),
        [list](const QStringList &files) {
            QStringList items;
            items.reserve(files.size());
            for (const QString &file : files)
                items.append(CollapseDriveRootSeparator(file));
            list->append(items);
        },
        turns.asYield(), &leftOut);
    if (finished)
        reportLeftOut(*this, leftOut);
}

void Form1::LoadSampleFiles()
{
    const QString samples = JoinPath(m_services.appFolder, QStringLiteral("Samples"));
    QStringList items;
    for (const QString &name : ListFolderFiles(samples, QStringLiteral("*.*")))
        items.append(JoinPath(samples, name));
    m_fileList->append(items);

    const MessageAnswer answer = m_services.dialogs->message(this, kOpenSamplesQuestion,
                                                             MessageStyle::YesNo, ApplicationTitle());
    if (answer == MessageAnswer::Yes)
        OpenWithShell(*m_services.shell, FolderEntry(samples));
}

bool Form1::ListView1_OLEDragOver(const QMimeData *data) const
{
    return !droppedPaths(data).isEmpty();
}

void Form1::ListView1_OLEDragDrop(const QMimeData *data)
{
    const Dropped dropped = droppedPaths(data);
    appendDropped(*this, dropped.paths, dropped.leftOut);
}

void Form1::AddStartupPaths(const QStringList &paths, const LeftOut &leftOut)
{
    const LongWork busy(*this);
    // Relative paths are taken from the folder the program was started in,
    // as a shell would; an empty argument names nothing.
    QStringList absolute;
    for (const QString &path : paths) {
        if (!path.isEmpty())
            absolute.append(QDir::toNativeSeparators(
                QDir::cleanPath(QDir::current().absoluteFilePath(path))));
    }
    appendDropped(*this, absolute, leftOut);
}

} // namespace corvanta
