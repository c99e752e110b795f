#pragma once

#include "core/Host.h"
#include "support/Fakes.h"

#include <QStringList>

namespace corvanta::testing {

// A host for the file list's adding operations and for joins, without a
// window: a plain list of paths, the password option, and a record of the
// progress and the busy pointer.
class FakeHost : public Host
{
public:
    FakeDialogs fakeDialogs;
    FakeShell fakeShell;
    QString folder;       // the application folder
    QStringList paths;    // the list, top to bottom
    bool prompts = false; // the password option is ticked
    double progress = 0;
    bool closing = false;

    QWidget *dialogOwner() override { return nullptr; }
    Dialogs &dialogs() override { return fakeDialogs; }
    Shell &shell() override { return fakeShell; }
    QString appFolder() const override { return folder; }
    QStringList listedPaths() const override { return paths; }
    bool promptsForPasswords() const override { return prompts; }
    void setProgress(double percent) override { progress = percent; }
    WorkCount &busy() override { return m_busy; }
    WorkCount &adding() override { return m_adding; }
    bool isClosing() const override { return closing; }
    // Every step of long work turns the event loop.
    EventTurns eventTurns(KeepGoing keepGoing = {}) override
    {
        return EventTurns(0, [this, keepGoing] { return !closing && goesOn(keepGoing); });
    }

private:
    WorkCount m_busy;
    WorkCount m_adding;
};

} // namespace corvanta::testing
