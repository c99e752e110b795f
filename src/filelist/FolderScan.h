#pragma once

#include "filelist/LeftOut.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvanta {

// Called between the steps of a folder scan so that the window can process
// its pending events. Returns false when the scan should stop early (the
// program is closing).
using ScanYield = std::function<bool()>;

// Hands over the full paths of one folder's files, folder by folder.
using FolderFilesSink = std::function<void(const QStringList &paths)>;

// A folder path as a scan keeps it: native separators and exactly one
// trailing separator ("/" stays "/").
QString FolderEntry(const QString &folder);

// Expands `folders` (entries as FolderEntry makes them) in place. With
// `recursive` set it gains every sub-folder at every depth, breadth-first:
// the given entries, then the direct sub-folders of all of them grouped by
// parent in the parents' order, then the next level, and so on.
// Hidden folders and links to folders are not entered, so a link that points
// back up the tree cannot make the walk endless. A folder that cannot be read
// contributes nothing and the walk goes on. Folders are entered whatever
// characters their names hold, as long as those are valid UTF-8. Within one
// parent, sub-folders come in NaturalLess order. `yield` is called before
// each folder is read and for every entry found; returns false if `yield`
// stopped the walk. Folders that cannot be read and sub-folders whose names
// are not UTF-8 are noted in `leftOut`.
bool CollectSubfolders(QStringList &folders, bool recursive, const ScanYield &yield = {},
                       LeftOut *leftOut = nullptr);

// Names (without folder part) of the files in `folder` that match the
// wildcard `pattern` ("*.pdf"; "*.*" is every file, with or without a dot in
// its name), case-insensitively, in NaturalLess order. Hidden files count,
// folders do not; a link to a file counts as the file. Special files (pipes,
// sockets, devices) and dangling links are left out. A folder that cannot be
// read gives no names. `folder` may or may not end with a separator.
// `yield` is called for every entry; once it says stop, the names found so
// far are returned. Matching names that are not UTF-8, or whose full path is
// too long to open, are left out and noted in `leftOut`.
QStringList ListFolderFiles(const QString &folder, const QString &pattern,
                            const ScanYield &yield = {}, LeftOut *leftOut = nullptr);

// Walks the tree under `folder` (CollectSubfolders) and hands `sink` the full
// paths of each folder's files that match `pattern`, skipping names that
// begin with "~" and file-system metadata ("._*", ".DS_Store", "Thumbs.db",
// "desktop.ini"), folder by folder in walk order; folders without such files
// are not handed over. Returns false if `yield` stopped the walk; paths
// handed over before that stay handed over. What the walk had to leave out
// is noted in `leftOut`.
bool ScanFolderTree(const QString &folder, const QString &pattern, const FolderFilesSink &sink,
                    const ScanYield &yield = {}, LeftOut *leftOut = nullptr);

// Whether a dropped path is a folder to expand: an existing folder (or a link
// to one) that is not hidden.
bool IsEnterableFolder(const QString &path);

// The order in which names of one folder are listed: case-insensitive, with
// runs of digits compared by their value ("Chapter 2" before "Chapter 10"). Names
// that differ only in case or leading zeros are still strictly ordered.
bool NaturalLess(const QString &a, const QString &b);

// Lets the application process its pending events, but not more often than
// once per interval: a scan calls it for every directory entry, and a full
// turn of the event loop per entry would cost more than the scan itself. The
// first call always processes events. `keepGoing` is asked after each turn.
class EventTurns
{
public:
    explicit EventTurns(std::function<bool()> keepGoing = {});

    bool operator()();
    ScanYield asYield() { return [this] { return (*this)(); }; }

    // Milliseconds between two turns. 0 turns the loop at every call.
    static int interval();
    static void setInterval(int milliseconds);

private:
    std::function<bool()> m_keepGoing;
    QElapsedTimer m_sinceTurn;
};

} // namespace corvanta
