#pragma once

#include <QString>

#include <functional>

namespace corvanta {

class Form1;

// The message texts of a join.
QString NoFilesAddedMessage();
QString DoneMessage();
QString OpenJoinedFileQuestion(const QString &outputPath);
QString JoinAlreadyRunningMessage();

// Where a join finds the Desktop and pdftk. Form1::Start uses the real ones;
// a test can make either fail.
struct JoinEnvironment
{
    // The Desktop folder with a trailing separator; throws when unknown.
    std::function<QString()> desktopFolder;
    // The pdftk to run for an application folder, "" when there is none.
    std::function<QString(const QString &appFolder)> findPdftk;

    static JoinEnvironment standard();
};

// One whole join on the window's list: what Form1::Start does. While it runs,
// `runningJoin` holds a function that ends it (the window calls it when it
// closes); a second call while it is set is refused.
void RunJoin(Form1 &form, std::function<void()> &runningJoin, const JoinEnvironment &environment);

} // namespace corvanta
