#pragma once

#include "core/Seams.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvanta::testing {

// Dialogs with scripted answers. Every question is recorded. A question the
// test did not script fails the test; it is recorded in `unexpected` and
// answered as a cancel. A box that only tells, with OK as its one button,
// needs no script.
class FakeDialogs : public Dialogs
{
public:
    struct Asked
    {
        QString kind; // "message", "input", "open", "folder"
        QString text;
        QString title;
        MessageStyle style = MessageStyle::Ok;
        bool masked = false;
        QString filter;
    };

    QQueue<MessageAnswer> messageAnswers;
    QQueue<QString> inputAnswers;
    QQueue<QStringList> openAnswers;
    QQueue<QString> folderAnswers;
    // Called as each question is asked, before it is answered.
    std::function<void(const Asked &)> onAsk;

    QList<Asked> asked;
    QStringList unexpected;

    QStringList messageTexts() const;

    MessageAnswer message(QWidget *owner, const QString &text, MessageStyle style,
                          const QString &title) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                     bool masked) override;
    QStringList openFiles(QWidget *owner, const QString &title, const QString &filter) override;
    QString pickFolder(QWidget *owner, const QString &title) override;
};

class FakeShell : public Shell
{
public:
    QStringList opened;
    void open(const QString &target) override { opened.append(target); }
};

} // namespace corvanta::testing
