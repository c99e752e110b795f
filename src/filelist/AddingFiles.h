#pragma once

#include "filelist/LeftOut.h"

#include <QStringList>

class QMimeData;

namespace corvanta {

class FileListModel;
class Host;

// Every way of adding files to the list. Each appends at the end of `list`
// and says once, afterwards, what it had to leave out and why.

// The open-file dialog: every file chosen, in the dialog's order.
void addChosenFiles(Host &host, FileListModel &list);
// The folder picker: every PDF of the chosen folder's tree, with the busy
// pointer on while the tree is walked.
void addChosenFolder(Host &host, FileListModel &list);
// Every file of the application folder's Samples folder, then the offer to
// show that folder.
void addSampleFiles(Host &host, FileListModel &list);

// Whether a drag carries files from the file manager that a drop would add.
bool carriesFiles(const QMimeData *data);
// A drop: each dropped folder with every file of its tree, anything else as it is.
void addDroppedFiles(Host &host, FileListModel &list, const QMimeData *data);
// Paths the program was given when it started, appended like dropped files;
// `leftOut` holds arguments already refused, for the same message.
void addStartupPaths(Host &host, FileListModel &list, const QStringList &paths, const LeftOut &leftOut = LeftOut());

} // namespace corvanta
