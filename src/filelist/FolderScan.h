#pragma once

#include "core/KeepGoing.h"
#include "filelist/LeftOut.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace corvanta {

// Hands over the full paths of one folder's files, folder by folder.
using FolderFilesSink = std::function<void(const QStringList &paths)>;

// Expands `folders` (entries as folderEntry makes them) in place; with
// `recursive` set, by every sub-folder at every depth, breadth-first, each
// parent's in naturalLess order. Hidden folders and links to folders are not
// entered, so the walk always ends. Unreadable folders and names that are not
// UTF-8 are skipped and noted in `leftOut`. Returns false if `keepGoing`,
// asked before each folder and for each entry, stopped the walk.
bool CollectSubfolders(QStringList &folders, bool recursive, const KeepGoing &keepGoing = {},
                       LeftOut *leftOut = nullptr);

// The names, in naturalLess order, of the files in `folder` (with or without
// a trailing separator) that match `pattern` case-insensitively ("*.*" is
// every file, dotted or not). Hidden files and links to files count; folders,
// special files and dangling links do not. Names not UTF-8 or too long to
// open are noted in `leftOut`; an unreadable folder gives none. Once
// `keepGoing`, asked for every entry and while sorting, says stop, the names
// so far come back, in no set order.
QStringList ListFolderFiles(const QString &folder, const QString &pattern, const KeepGoing &keepGoing = {},
                            LeftOut *leftOut = nullptr);

// Walks the tree under `folder` (CollectSubfolders) and hands `sink`, folder
// by folder in walk order, the full paths of the files that match `pattern`,
// leaving out names that begin with "~" and file-system metadata ("._*",
// ".DS_Store", "Thumbs.db", "desktop.ini"); a folder with none is not handed
// over. Returns false if `keepGoing` stopped the walk. What the walk had to
// leave out is noted in `leftOut`.
bool scanFolderTree(const QString &folder, const QString &pattern, const FolderFilesSink &sink,
                    const KeepGoing &keepGoing = {}, LeftOut *leftOut = nullptr);

// Whether a dropped path is a folder to expand: an existing folder (or a link
// to one) that is not hidden.
bool isEnterableFolder(const QString &path);

} // namespace corvanta
