#include "app/WindowHelpers.h"

#include "app/Twips.h"
#include "core/Files.h"

#include <QColor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace corvanta {

double centeredEdge(double screenTwips, double windowTwips)
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
    const double left = centeredEdge(pixelsToTwips(area.width()), pixelsToTwips(outer.width()));
    const double top = centeredEdge(pixelsToTwips(area.height()), pixelsToTwips(outer.height()));
    window->move(area.x() + twipsToPixels(left), window->y());
    window->move(window->x(), area.y() + twipsToPixels(top));
}

bool ApplySkin(const QString &appFolder, QWidget *window, const QList<QWidget *> &controls)
{
    const QFileInfo skin(appFolder + QStringLiteral("/x/o.cjs"));
    const bool applied = skin.isFile() && !isHiddenEntry(skin);
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

} // namespace corvanta
