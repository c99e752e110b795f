#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace corvanta {

// The platform's message box styles, by the numbers the program has always
// used: OK; Yes and No with Yes as the default; the same with No as the
// default (4 plus 256, the second button); OK with a warning sign.
enum class MessageStyle { Ok = 0, YesNo = 4, YesNoDefaultNo = 260, Warning = 48 };
enum class MessageAnswer { Ok, Yes, No };

// Whether a style asks Yes or No rather than only telling.
inline bool IsQuestion(MessageStyle style)
{
    return style == MessageStyle::YesNo || style == MessageStyle::YesNoDefaultNo;
}

// Every question the program asks goes through here, so tests can answer it.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(QWidget *owner, const QString &text, MessageStyle style,
                                  const QString &title) = 0;
    // Returns the typed text, or "" on Cancel.
    virtual QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                             bool masked) = 0;
    // Returns full paths in the order the dialog gives them; empty on Cancel.
    virtual QStringList openFiles(QWidget *owner, const QString &title, const QString &filter) = 0;
    // Returns the chosen folder, or "" on Cancel.
    virtual QString pickFolder(QWidget *owner, const QString &title) = 0;
};

// Opens a file, folder or web address with whatever the desktop associates with it.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString &target) = 0;
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
};

class QtDialogs : public Dialogs
{
public:
    MessageAnswer message(QWidget *owner, const QString &text, MessageStyle style,
                          const QString &title) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                     bool masked) override;
    QStringList openFiles(QWidget *owner, const QString &title, const QString &filter) override;
    QString pickFolder(QWidget *owner, const QString &title) override;
};

class DesktopShell : public Shell
{
public:
    void open(const QString &target) override;
};

// Services for the real program: real dialogs, the desktop's shell, the
// executable's folder, the user's settings and a time-seeded draw.
Services defaultServices();

} // namespace corvanta
