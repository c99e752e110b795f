#pragma once

#include "process/Checker.h"
#include "process/KeptChecks.h"

#include <QProcessEnvironment>
#include <QString>

#include <functional>

class QWidget;

namespace corvanta {

class Dialogs;
class Host;

// Where a join finds the Desktop and pdftk, and how long pdftk's argument
// list may be. The program uses the real ones; a test can make either
// fail, point the Desktop elsewhere, or force batches with a few files.
struct JoinEnvironment
{
    // The Desktop folder with a trailing separator; throws when unknown.
    std::function<QString()> desktopFolder;
    // The pdftk to run for an application folder, "" when there is none.
    std::function<QString(const QString &appFolder)> findPdftk;
    // The room for one pdftk run's arguments in that environment.
    std::function<qsizetype(const QProcessEnvironment &pdftkEnvironment)> argumentLimit;
    // The folder of the program's helpers: corvanta-check, which opens
    // every PDF, and corvanta-guard (POSIX), which pdftk runs under.
    QString helperFolder;
    CheckLimits checkLimits;
    // Where pdftk-java's class-data archive is kept; "" for none.
    QString cacheFolder;

    static JoinEnvironment standard();
};

// Asks for the password of one file with a masked input box titled
// "Input Password". Returns the text as typed; "" for a blank field or Cancel.
QString AskPassword(Dialogs &dialogs, QWidget *owner, const QString &path);

// The joins of one window, one at a time.
class Joiner
{
public:
    explicit Joiner(Host &host, JoinEnvironment environment = JoinEnvironment::standard());
    ~Joiner();
    Joiner(const Joiner &) = delete;
    Joiner &operator=(const Joiner &) = delete;

    // What "Start Joining" does: joins the listed files, from the top of the
    // list to the bottom, into joined.pdf on the Desktop. While a join runs,
    // it offers to stop that join instead.
    void Start();
    bool isRunning() const { return m_running != nullptr; }
    // Ends a running join at once: pdftk and everything it started end, and
    // nothing half-written is left behind. Does nothing when idle.
    void stop();
    // Removes what joins of programs that were killed outright left on the
    // Desktop; a Desktop that cannot be found is left alone.
    void removeLeftovers() const;
    // The list tells it what joins and leaves, so that files are read
    // before Start; reading waits until resume().
    KeptChecks &keptChecks() { return m_kept; }

private:
    class Run;

    Host &m_host;
    JoinEnvironment m_environment;
    KeptChecks m_kept;
    Run *m_running = nullptr;
};

} // namespace corvanta
