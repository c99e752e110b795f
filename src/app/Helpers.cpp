#include "app/Helpers.h"

#include "app/Seams.h"
#include "app/Site.h"
#include "app/Twips.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include <stdexcept>

namespace corvanta {

QString ApplicationTitle()
{
    return QStringLiteral("Corvanta").left(39);
}

QString ApplicationFolder(const QString &dirPath)
{
    QString folder = QDir::toNativeSeparators(QDir::cleanPath(dirPath));
    if (folder.endsWith(QDir::separator()) && !QDir(dirPath).isRoot())
        folder.chop(1);
    return folder;
}

QString JoinPath(const QString &folder, const QString &name)
{
    const QChar sep = QDir::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + sep + name;
}

QString CollapseDriveRootSeparator(QString path)
{
    return path.replace(QStringLiteral(":\\\\"), QStringLiteral(":\\"));
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo::exists(path);
}

void DeleteFileQuietly(const QString &path)
{
    QFile::remove(path);
}

QString DesktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty())
        throw std::runtime_error("The Desktop folder cannot be determined.");
    return QDir::toNativeSeparators(desktop) + QDir::separator();
}

double CenteredEdge(double screenTwips, double windowTwips)
{
    return (screenTwips - windowTwips) / 2.0;
}

void CenterOnScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QRect outer = window->frameGeometry();
    const double left = CenteredEdge(pixelsToTwips(area.width()), pixelsToTwips(outer.width()));
    const double top = CenteredEdge(pixelsToTwips(area.height()), pixelsToTwips(outer.height()));
    window->move(area.x() + twipsToPixels(left), window->y());
    window->move(window->x(), area.y() + twipsToPixels(top));
}

bool ApplySkin(const QString &appFolder, QWidget *window, const QList<QWidget *> &controls)
{
    const QFileInfo skin(appFolder + QStringLiteral("/x/o.cjs"));
    const bool applied = skin.isFile() && !skin.isHidden();
    const QColor colour = applied ? window->palette().color(QPalette::Button) : QColor(Qt::white);
    // The controls are not filled themselves: they share the window's colour,
    // which shows through, so the frame's panel has no band behind its caption.
    QList<QWidget *> targets = controls;
    targets.prepend(window);
    for (QWidget *widget : targets) {
        QPalette palette = widget->palette();
        // Buttons, the check box among them, paint their background in the
        // Button role rather than Window.
        palette.setColor(widget->backgroundRole(), colour);
        widget->setPalette(palette);
    }
    return applied;
}

void OpenWithShell(Shell &shell, const QString &target)
{
    shell.open(target);
}

QString ErrorReportText(const QString &description, const QString &module,
                        const QString &procedure, int step)
{
    return description + QStringLiteral("\r\n") + QStringLiteral("in Velmira5/20/2014.") + module
        + QLatin1Char('.') + procedure + QLatin1Char(' ') + QStringLiteral("at line ")
        + QString::number(step) + QStringLiteral("\r\r")
        + QStringLiteral("Please email screenshot of this message to ")
        + QLatin1String(site::kSupportEmail);
}

void ErrorReport(Dialogs &dialogs, QWidget *owner, const QString &description,
                 const QString &module, const QString &procedure, int step)
{
    // A message box shows a lone CR as nothing at all, so each line break
    // becomes a newline on screen while the text itself stays as it is.
    QString shown = ErrorReportText(description, module, procedure, step);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    dialogs.message(owner, shown, MessageStyle::Warning, QStringLiteral("Application Error"));
}

} // namespace corvanta
