#pragma once

#include "core/EventTurns.h"
#include "core/Seams.h"
#include "join/JoinRun.h"

#include <QString>

#include <functional>

namespace corvanta {

// The real dialogs: Qt's message boxes, input box and file dialogs.
class QtDialogs : public Dialogs
{
public:
    MessageAnswer message(QWidget *owner, const QString &text, MessageStyle style, const QString &title) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &title, bool masked) override;
    QStringList openFiles(QWidget *owner, const QString &title, const QString &filter) override;
    QString pickFolder(QWidget *owner, const QString &title) override;
};

// The desktop's own way of opening files, folders and web addresses.
class DesktopShell : public Shell
{
public:
    void open(const QString &target) override;
};

// What the window needs from the outside world. Tests replace each piece.
struct Services
{
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    // Folder of the executable, native form; Samples/, Video/, pdftk and the skin live here.
    QString appFolder;
    // Settings file; empty means the user's own store.
    QString settingsFile;
    // Draw of a whole number from 1 to 100 for the home page reminder.
    std::function<int()> reminderDraw;
    // Ends the program once the window has closed. Tests leave it empty: an
    // application-wide exit would also end every event loop the test runs later.
    std::function<void()> endProgram;
    // Where joins find the Desktop and pdftk.
    JoinEnvironment joinEnvironment = JoinEnvironment::standard();
    // Milliseconds between the turns of the event loop that long work takes;
    // tests set 0 so that what they post runs at a known point of a scan.
    int eventTurnInterval = EventTurns::kStandardInterval;
};

// Services for the real program: real dialogs, the desktop's shell, the
// executable's folder, the user's settings and a time-seeded draw.
Services defaultServices();

} // namespace corvanta
