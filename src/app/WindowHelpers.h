#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace corvanta {

// Left (or top) edge, in twips, that centres a window of the given outer
// extent on a screen of the given extent. Halves are kept.
double centeredEdge(double screenTwips, double windowTwips);
void CenterOnScreen(QWidget *window);

// Gives the window and the listed controls the button-face colour when the
// skin file x/o.cjs is an ordinary file in the application folder; otherwise
// they stay white. Returns whether the skin was applied.
bool ApplySkin(const QString &appFolder, QWidget *window, const QList<QWidget *> &controls);

} // namespace corvanta
