#pragma once

#include <QByteArray>
#include <QString>

class QFileInfo;

namespace corvanta {

// The executable's folder in native form, without a trailing separator except at a root.
QString applicationFolder(const QString &dirPath);

// Folder plus name with exactly one separator between them, even after a root.
QString joinPath(const QString &folder, const QString &name);

// A folder path as scans and the shell get it: native separators and
// exactly one trailing separator ("/" stays "/").
QString folderEntry(const QString &folder);

// Replaces every ":\\" by ":\", which removes the doubled separator after a drive root.
QString collapseDriveRootSeparator(QString path);

// Whether a file or folder counts as hidden where the program skips hidden
// entries: on POSIX systems its name starts with a dot; on Windows it has
// the hidden or the system attribute.
bool isHiddenEntry(const QFileInfo &info);

// True for existing files and folders; false for "", missing paths and bad names.
bool FileExists(const QString &path);

// Deletes a file; every failure is ignored.
void DeleteFileQuietly(const QString &path);

// Whether `path` names nothing or a regular file: a pipe or a device put in
// the place of a small file of settings would make a reader wait for ever.
bool isRegularFileOrAbsent(const QString &path);

// The user's Desktop folder with a trailing native separator. Throws
// std::runtime_error when the platform names no Desktop, or (on Linux and
// the like) one whose name is not UTF-8.
QString DesktopFolder();

// The order in which the names of one folder are listed: case-insensitive,
// with runs of digits compared by their value ("Chapter 2" before
// "Chapter 10"). Names that differ only in case or leading zeros are still
// strictly ordered.
bool naturalLess(const QString &a, const QString &b);

} // namespace corvanta
