#pragma once

#include <QString>

namespace corvanta {

// What "&Watch Old Demo Video" hands to the shell: the first plain file (not
// a folder, not hidden, not a device, pipe or socket) of the application
// folder's Video folder in naturalLess order, so the same on every file
// system; or the Video folder itself, with a trailing separator, when it
// holds none.
QString demoVideoTarget(const QString &appFolder);

// The text of "&Additional Help".
QString contactMessageText();

} // namespace corvanta
