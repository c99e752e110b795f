#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <functional>

namespace corvanta {

class Form1;

// The message texts of a join.
QString NoFilesAddedMessage();
QString DoneMessage();
QString OpenJoinedFileQuestion(const QString &outputPath);
QString StopRunningJoinQuestion();
QString FilesStillBeingAddedMessage();
// "Done." when the result took the output's place; otherwise also why it could
// not, and where the result went.
QString JoinSavedMessage(const QString &outputPath, const QString &savedPath, const QString &reason);

// Where a join finds the Desktop and pdftk, and how long pdftk's argument
// list may be. Form1::Start uses the real ones; a test can make either
// fail, or force batches with a few files.
struct JoinEnvironment
{
    // The Desktop folder with a trailing separator; throws when unknown.
    std::function<QString()> desktopFolder;
    // The pdftk to run for an application folder, "" when there is none.
    std::function<QString(const QString &appFolder)> findPdftk;
    // The room for one pdftk run's arguments in that environment.
    std::function<qsizetype(const QProcessEnvironment &pdftkEnvironment)> argumentLimit;

    static JoinEnvironment standard();
};

// One whole join on the window's list: what Form1::Start does. While it runs,
// `runningJoin` holds a function that ends it (the window calls it when it
// closes); a second call while it is set offers to stop the running join.
void RunJoin(Form1 &form, std::function<void()> &runningJoin, const JoinEnvironment &environment);

} // namespace corvanta
