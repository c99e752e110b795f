#include "app/WindowHelpers.h"

#include "app/Twips.h"
#include "core/Files.h"

#include <QApplication>
#include <QColor>
#include <QFileInfo>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
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
    // A window larger than the area would be centred past its edges; its
    // left edge and title bar stay on the screen instead, where the title bar
    // can still be taken to move it.
    const double left = std::max(0.0, centeredEdge(pixelsToTwips(area.width()), pixelsToTwips(outer.width())));
    const double top = std::max(0.0, centeredEdge(pixelsToTwips(area.height()), pixelsToTwips(outer.height())));
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

// Whether white text reads better on the colour than black: a colour of a
// dark surface.
bool isDark(const QColor &colour)
{
    return contrastRatio(Qt::white, colour) > contrastRatio(Qt::black, colour);
}

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

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

// The style that paints every control with its palette's colours. One for
// the whole program, which outlives every window.
QStyle *paletteStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        if (style)
            style->setParent(qApp);
    }
    return style;
}

bool madeForDark(const QPalette &palette)
{
    return isDark(palette.color(QPalette::Active, QPalette::Window));
}

// Every colour of `from`, set on its own, so that none is taken from the
// widget's parent.
QPalette everyColourOf(const QPalette &from)
{
    QPalette palette;
    for (QPalette::ColorGroup group : kGroups)
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            if (role != QPalette::NoRole)
                palette.setBrush(group, QPalette::ColorRole(role), from.brush(group, QPalette::ColorRole(role)));
    return palette;
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {

// Gives the texts of `widget` colours that read well on `background`: the
// palette's own where they do, otherwise black or white, whichever reads
// better. A dark palette's light texts would vanish on the window's white.
void keepTextReadable(QWidget *widget, const QColor &background)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : kGroups) {
        const double enough = group == QPalette::Disabled ? kReadableDisabled : kReadable;
        // Some styles draw a check box's caption in the Text role.
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            QColor text = readableOn(background, palette.color(group, role), enough);
            if (group == QPalette::Disabled && text != palette.color(group, role))
                text =
                    QColor::fromRgbF((text.redF() + background.redF()) / 2, (text.greenF() + background.greenF()) / 2,
                                     (text.blueF() + background.blueF()) / 2);
            palette.setColor(group, role, text);
        }
        // A tool button under the mouse is drawn in the button colour, behind
        // the same text.
        palette.setColor(group, QPalette::Button, background);
    }
    widget->setPalette(palette);
}

} // namespace

void suitSurface(const QList<QWidget *> &controls, const QColor &surface)
{
    const bool dark = isDark(surface);
    QStyle *stand = paletteStyle();
    QStyle *style = stand && madeForDark(QApplication::style()->standardPalette()) != dark ? stand : nullptr;
    QPalette colours = QApplication::palette();
    if (stand && madeForDark(colours) != dark)
        colours = stand->standardPalette();
    for (QWidget *control : controls) {
        if (style)
            control->setStyle(style);
        QPalette palette = everyColourOf(colours);
        // Bars and frames fill with the window colour, buttons with the button
        // colour; both are the surface here.
        for (QPalette::ColorGroup group : kGroups)
            for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, control->backgroundRole()})
                palette.setColor(group, role, surface);
        control->setPalette(palette);
        keepTextReadable(control, surface);
    }
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
