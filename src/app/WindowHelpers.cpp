#include "app/WindowHelpers.h"

#include "app/Twips.h"
#include "core/Files.h"

#include <QColor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

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
    const QRect area = screen->availableGeometry();
    const QRect outer = window->frameGeometry();
    const double left = centeredEdge(pixelsToTwips(area.width()), pixelsToTwips(outer.width()));
    const double top = centeredEdge(pixelsToTwips(area.height()), pixelsToTwips(outer.height()));
    window->move(area.x() + twipsToPixels(left), window->y());
    window->move(window->x(), area.y() + twipsToPixels(top));
}

void FitOnScreen(QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const QSize fitting =
        (screen->availableGeometry().size() - frame).boundedTo(window->size()).expandedTo(window->minimumSize());
    if (fitting != window->size())
        window->resize(fitting);
}

namespace {

double relativeLuminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// What the guidelines ask of ordinary text; disabled text may read fainter.
constexpr double kReadable = 4.5;
constexpr double kReadableDisabled = 2.5;

QColor readableOn(const QColor &background, const QColor &own, double enough)
{
    if (contrastRatio(own, background) >= enough)
        return own;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void keepTextReadable(QWidget *widget, const QColor &background)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const double enough = group == QPalette::Disabled ? kReadableDisabled : kReadable;
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
            QColor text = readableOn(background, palette.color(group, role), enough);
            if (group == QPalette::Disabled && text != palette.color(group, role))
                text = QColor::fromRgbF((text.redF() + background.redF()) / 2, (text.greenF() + background.greenF()) / 2,
                                        (text.blueF() + background.blueF()) / 2);
            palette.setColor(group, role, text);
        }
        // A tool button under the mouse is drawn in the button colour, behind
        // the same text.
        palette.setColor(group, QPalette::Button, background);
    }
    widget->setPalette(palette);
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
    for (QWidget *control : controls)
        keepTextReadable(control, colour);
    return applied;
}

} // namespace corvanta
