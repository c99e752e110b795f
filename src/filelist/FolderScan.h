#pragma once

#include "core/KeepGoing.h"
#include "filelist/LeftOut.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace corvanta {

// Hands over the full paths of one folder's files, folder by folder.
using FolderFilesSink = std::function<void(const QStringList &paths)>;

// Expands `folders` (entries as folderEntry makes them) in place. With
// `recursive` set it gains every sub-folder at every depth, breadth-first:
// the given entries, then the direct sub-folders of all of them grouped by
// parent in the parents' order, then the next level, and so on.
// Hidden folders and links to folders are not entered, so a link that points
// back up the tree cannot make the walk endless. A folder that cannot be read
// contributes nothing and the walk goes on. Folders are entered whatever
// characters their names hold, as long as those are valid UTF-8. Within one
// parent, sub-folders come in naturalLess order. `keepGoing` is called before
// each folder is read and for every entry found; returns false if `keepGoing`
// stopped the walk. Folders that cannot be read and sub-folders whose names
// are not UTF-8 are noted in `leftOut`.
bool CollectSubfolders(QStringList &folders, bool recursive, const KeepGoing &keepGoing = {},
                       LeftOut *leftOut = nullptr);

// Names (without folder part) of the files in `folder` that match the
// wildcard `pattern` ("*.pdf"; "*.*" is every file, with or without a dot in
// its name), case-insensitively, in naturalLess order. Hidden files count,
// folders do not; a link to a file counts as the file. Special files (pipes,
// sockets, devices) and dangling links are left out. A folder that cannot be
// read gives no names. `folder` may or may not end with a separator.
// `keepGoing` is called for every entry; once it says stop, the names found so
// far are returned. Matching names that are not UTF-8, or whose full path is
// too long to open, are left out and noted in `leftOut`.
QStringList ListFolderFiles(const QString &folder, const QString &pattern,
                            const KeepGoing &keepGoing = {}, LeftOut *leftOut = nullptr);

// Walks the tree under `folder` (CollectSubfolders) and hands `sink` the full
// paths of each folder's files that match `pattern`, skipping names that
// begin with "~" and file-system metadata ("._*", ".DS_Store", "Thumbs.db",
// "desktop.ini"), folder by folder in walk order; folders without such files
// are not handed over. Returns false if `keepGoing` stopped the walk; paths
// handed over before that stay handed over. What the walk had to leave out
// is noted in `leftOut`.
bool scanFolderTree(const QString &folder, const QString &pattern, const FolderFilesSink &sink,
                    const KeepGoing &keepGoing = {}, LeftOut *leftOut = nullptr);

// Whether a dropped path is a folder to expand: an existing folder (or a link
// to one) that is not hidden.
bool isEnterableFolder(const QString &path);

} // namespace corvanta
