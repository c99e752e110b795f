#pragma once

#include <QIcon>
#include <QString>

namespace corvanta {

// The icons are our own and ship inside the program as Qt resources, so the
// bars look the same on every desktop whatever its icon theme.

// The joined-pages icon of the application, in every size the resources
// hold up to `largest` pixels.
QIcon applicationIcon(int largest = 256);

// A window's title bar and task bar show its icon at 64 pixels at the most;
// every size more is read, and handed to the window manager, at start-up.
inline constexpr int kLargestWindowIcon = 64;

// The image stored for a command id: 48 x 48 for toolbar buttons, 16 x 16 for
// menu entries. An id without a command gets an empty icon.
QIcon commandIcon(int id);

// Resource path of a command's image, e.g. ":/icons/48/add-files.png"; empty
// for an id without a command.
QString commandIconPath(int id);

// Sizes at which the application icon is drawn.
inline constexpr int kApplicationIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace corvanta
