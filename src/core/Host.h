#pragma once

#include "core/ErrorReport.h"
#include "core/EventTurns.h"
#include "core/Seams.h"
#include "core/WorkCount.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace corvanta {

class Shell;

// What the adding operations and the join need from the window they work
// for. The main window provides it; tests provide a fake one.
class Host
{
public:
    virtual ~Host() = default;

    // The owner of every message box and dialog.
    virtual QWidget *dialogOwner() = 0;
    virtual Dialogs &dialogs() = 0;
    virtual Shell &shell() = 0;
    // A message box over the window, titled with the program's name.
    MessageAnswer say(const QString &text, MessageStyle style = MessageStyle::Ok)
    {
        return dialogs().message(dialogOwner(), text, style, applicationTitle());
    }
    // The folder of the executable, in native form: Samples/, Video/ and a
    // bundled pdftk live there.
    virtual QString appFolder() const = 0;

    // The listed paths, from the top of the list to the bottom.
    virtual QStringList listedPaths() const = 0;
    // Whether a password is asked for each file before joining.
    virtual bool promptsForPasswords() const = 0;
    // The progress bar, in percent with its fraction (33.33…).
    virtual void setProgress(double percent) = 0;

    // Long work holds the busy pointer while any piece of it lasts.
    virtual WorkCount &busy() = 0;
    // Adding files with the event loop running: the list is not complete yet.
    virtual WorkCount &adding() = 0;
    // Set once the window has begun to close; long work stops at its next turn.
    virtual bool isClosing() const = 0;
    // Turns of the event loop for long work, stopping once `keepGoing` (or
    // the closing window) says so.
    virtual EventTurns eventTurns(KeepGoing keepGoing = {}) = 0;
};

} // namespace corvanta
