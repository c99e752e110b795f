#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace corvanta {

// The platform's message box styles, by the numbers the program has always
// used: OK; Yes and No with Yes as the default; the same with No as the
// default (4 plus 256, the second button); OK with a warning sign.
enum class MessageStyle { Ok = 0, YesNo = 4, YesNoDefaultNo = 260, Warning = 48 };
enum class MessageAnswer { Ok, Yes, No };

// Whether a style asks Yes or No rather than only telling.
inline bool isQuestion(MessageStyle style)
{
    return style == MessageStyle::YesNo || style == MessageStyle::YesNoDefaultNo;
}

// Every question the program asks goes through here, so tests can answer it.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(QWidget *owner, const QString &text, MessageStyle style, const QString &title) = 0;
    // Returns the typed text, or "" on Cancel.
    virtual QString inputBox(QWidget *owner, const QString &prompt, const QString &title, bool masked) = 0;
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

// Hands a document, folder or web address to the shell. Nothing is reported:
// a target that opens nothing leaves the program as it was.
inline void OpenWithShell(Shell &shell, const QString &target)
{
    shell.open(target);
}

} // namespace corvanta
