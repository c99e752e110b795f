#pragma once

#include <QString>

namespace corvanta {

// What "&Watch Old Demo Video" hands to the shell: the first plain file of
// the application folder's Video folder, or the Video folder itself (with a
// trailing separator) when it holds none. Plain means not a folder, not
// hidden and not a device, pipe or socket. "First" is the first in the order
// in which the program lists every folder (naturalLess: case-insensitive,
// numbers by value), so the choice is the same on every platform and file
// system.
QString demoVideoTarget(const QString &appFolder);

// The text of "&Additional Help".
QString contactMessageText();

} // namespace corvanta
