#pragma once

#include <QString>

class QWidget;

namespace corvanta {

class Dialogs;
class Shell;

// The program's name as message boxes show it: the product name cut to 39 characters.
QString ApplicationTitle();

// The executable's folder in native form, without a trailing separator except at a root.
QString ApplicationFolder(const QString &dirPath);

// Folder plus name with exactly one separator between them, even after a root.
QString JoinPath(const QString &folder, const QString &name);

// Replaces every ":\\" by ":\", which removes the doubled separator after a drive root.
QString CollapseDriveRootSeparator(QString path);

// True for existing files and folders; false for "", missing paths and bad names.
bool FileExists(const QString &path);

// Deletes a file; every failure is ignored.
void DeleteFileQuietly(const QString &path);

// The user's Desktop folder with a trailing native separator. Throws
// std::runtime_error when the platform names no Desktop.
QString DesktopFolder();

// Left (or top) edge, in twips, that centres a window of the given outer
// extent on a screen of the given extent. Halves are kept.
double CenteredEdge(double screenTwips, double windowTwips);
void CenterOnScreen(QWidget *window);

// Gives the window and the listed controls the button-face colour when the
// skin file x/o.cjs is an ordinary file in the application folder; otherwise
// they stay white. Returns whether the skin was applied.
bool ApplySkin(const QString &appFolder, QWidget *window, const QList<QWidget *> &controls);

void OpenWithShell(Shell &shell, const QString &target);

// The error report's exact text, CR/LF layout included.
QString ErrorReportText(const QString &description, const QString &module,
                        const QString &procedure, int step);
// Shows the report as a warning titled "Application Error".
void ErrorReport(Dialogs &dialogs, QWidget *owner, const QString &description,
                 const QString &module, const QString &procedure, int step);

} // namespace corvanta
