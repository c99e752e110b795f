#pragma once

#include <QList>
#include <QString>

class QColor;
class QWidget;

namespace corvanta {

// Left (or top) edge, in twips, that centres a window of the given outer
// extent on a screen of the given extent. Halves are kept.
double centeredEdge(double screenTwips, double windowTwips);
// Centres the window on the primary screen's available area: the screen
// without the desktop's panels, so that the title bar is never under one.
// A window larger than the area starts at its top left corner.
void CenterOnScreen(QWidget *window);
// Shrinks a window too large for that area to fit it, no smaller than its
// minimum size.
void FitOnScreen(QWidget *window);

// WCAG's contrast ratio of two colours: 1 for the same colour, 21 for black
// on white.
double contrastRatio(const QColor &a, const QColor &b);
// Gives the controls painted on the window's own colour `surface` a look
// made for that kind of surface, light or dark: the application's palette
// where it is made for it, otherwise the standard palette of a style that
// paints with its palette; the surface's colour behind them, and texts
// that read on it. A style made for the other kind of surface paints its
// own fills and boxes whatever the palette says (a dark style's button under
// the mouse, its unticked check box a dark square), so that style gives way
// on these controls to one that paints with the palette.
void suitSurface(const QList<QWidget *> &controls, const QColor &surface);

// Gives the window and the listed controls the button-face colour when the
// skin file x/o.cjs is an ordinary file in the application folder; otherwise
// they stay white. The controls' texts stay readable on that colour.
// Returns whether the skin was applied.
bool ApplySkin(const QString &appFolder, QWidget *window, const QList<QWidget *> &controls);

} // namespace corvanta
