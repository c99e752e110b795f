#include "app/Form1.h"

#include "app/Helpers.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"

#include <QDir>
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

// The paths a drag from the file manager carries, in its order.
QStringList droppedPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    }
    return paths;
}

// Appends each path as a drop does: a folder with every file of its tree
// (names beginning with "~" left out), anything else as it is.
void appendDropped(Form1 &form, const QStringList &paths)
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
                turns.asYield());
            if (!finished)
                return;
        } else {
            form.fileList()->append(path);
        }
    }
}

} // namespace

void Form1::AddFiles()
{
    const QStringList chosen = m_services.dialogs->openFiles(this, kAddFilesTitle, kPdfFilter);
    for (const QString &path : chosen)
        m_fileList->append(CollapseDriveRootSeparator(QDir::toNativeSeparators(path)));
}

void Form1::AddFolder()
{
    const QString folder = m_services.dialogs->pickFolder(this, kPickFolderPrompt);
    if (folder.isEmpty())
        return;
    const LongWork busy(*this);
    const AddingFiles adding(*this);
    EventTurns turns = eventTurnsFor(*this);
    FileListModel *list = m_fileList;
    ScanFolderTree(
        folder, QStringLiteral("*.pdf"),
        [list](const QStringList &files) {
            QStringList items;
            items.reserve(files.size());
            for (const QString &file : files)
                items.append(CollapseDriveRootSeparator(file));
            list->append(items);
        },
        turns.asYield());
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
    appendDropped(*this, droppedPaths(data));
}

void Form1::AddStartupPaths(const QStringList &paths)
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
    appendDropped(*this, absolute);
}

} // namespace corvanta
