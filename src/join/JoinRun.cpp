#include "join/JoinRun.h"

#include "app/Form1.h"
#include "app/Helpers.h"
#include "filelist/FileListModel.h"
#include "filelist/FolderScan.h"
#include "join/JoinBatches.h"
#include "join/JoinChecks.h"
#include "join/JoinCommand.h"
#include "join/Pdftk.h"
#include "join/ProcessRunner.h"
#include "join/SaveResult.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <optional>
#include <stdexcept>

namespace corvanta {

QString NoFilesAddedMessage()
{
    return QStringLiteral("No files added.");
}

QString DoneMessage()
{
    return QStringLiteral("Done.");
}

QString OpenJoinedFileQuestion(const QString &outputPath)
{
    return QStringLiteral("Joined PDF was saved on the Desktop. Would you like to open the joined "
                          "file to view the results? (")
        + outputPath + QLatin1Char(')');
}

QString StopRunningJoinQuestion()
{
    return QStringLiteral("A join is already running. Would you like to stop it?\n\n"
                          "Stopping throws away what has been joined so far; an existing joined.pdf is left as it was.");
}

QString FilesStillBeingAddedMessage()
{
    return QStringLiteral("Files are still being added to the list. Please start joining when they are all in.");
}

QString JoinSavedMessage(const QString &outputPath, const QString &savedPath, const QString &reason)
{
    if (savedPath == outputPath)
        return DoneMessage();
    // The doubled separator the paths keep elsewhere is only noise here.
    const auto shown = [](const QString &path) { return QDir::toNativeSeparators(QDir::cleanPath(path)); };
    return DoneMessage()
        + QStringLiteral("\n\n%1 could not be replaced (%2), so the joined file was saved as\n%3")
              .arg(shown(outputPath), reason, shown(savedPath));
}

JoinEnvironment JoinEnvironment::standard()
{
    JoinEnvironment environment;
    environment.desktopFolder = [] { return DesktopFolder(); };
    environment.findPdftk = [](const QString &appFolder) { return FindPdftk(appFolder); };
    environment.argumentLimit = [](const QProcessEnvironment &pdftkEnvironment) {
        return ArgumentLimit(pdftkEnvironment);
    };
    return environment;
}

namespace {

// One join. Every step carries the number that the error report quotes; a
// step that fails shows the report and the run goes on with the step that
// would have come next, with the values that step was to set unchanged.
class JoinRun
{
public:
    JoinRun(Form1 &form, const JoinEnvironment &environment)
        : m_form(form)
        , m_environment(environment)
        , m_dialogs(*form.services().dialogs)
        , m_turns([this] { return !m_cancelled && !m_form.isClosing(); })
    {
    }

    void start(std::function<void()> &runningJoin);

private:
    template <typename Body>
    bool step(int number, Body &&body);
    void cancel();
    void warn(const QString &text);
    bool inputsUsable(const QStringList &items);
    bool passwordsAccepted(const QStringList &items);
    bool stopped() const { return m_cancelled || m_form.isClosing(); }
    void endStopped();
    JoinOutcome runPdftk();
    void finish();

    Form1 &m_form;
    const JoinEnvironment &m_environment;
    Dialogs &m_dialogs;
    ProcessRunner m_runner;
    bool m_cancelled = false;
    std::optional<Form1::LongWork> m_busy;
    // Long lists are checked and walked with the window still responsive.
    EventTurns m_turns;

    QString m_outputPath;
    // pdftk writes here; only a complete result replaces the output file.
    QString m_writtenPath;
    // Where the result went: the output path, or a free name beside it.
    SavedFile m_saved;
    QString m_program;
    // Per list item: what the checks found, and the file with the password
    // typed for it.
    QList<PdfCheck> m_checks;
    QList<JoinEntry> m_entries;
    JoinPlan m_plan;
};

template <typename Body>
bool JoinRun::step(int number, Body &&body)
{
    QString failure;
    try {
        body();
        return true;
    } catch (const std::exception &error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("Unknown error");
    }
    ErrorReport(m_dialogs, &m_form, failure, QStringLiteral("Form1"), QStringLiteral("Start"), number);
    return false;
}

void JoinRun::cancel()
{
    m_cancelled = true;
    m_runner.cancel();
    if (!m_writtenPath.isEmpty())
        DeleteFileQuietly(m_writtenPath);
}

void JoinRun::warn(const QString &text)
{
    m_dialogs.message(&m_form, text, MessageStyle::Warning, ApplicationTitle());
}

// Before any prompt: every input must be a PDF that can be opened, unless
// only a password is missing and there will be a prompt for it.
bool JoinRun::inputsUsable(const QStringList &items)
{
    m_checks = CheckInputs(items, m_turns.asYield());
    if (stopped())
        return false;
    const QList<RefusedFile> refused = RefusedInputs(items, m_checks, m_form.passwordOption() == 1);
    if (!refused.isEmpty()) {
        warn(RefusedInputsMessage(refused));
        return false;
    }
    if (m_program.isEmpty()) {
        JoinOutcome notFound;
        notFound.kind = JoinOutcome::Kind::PdftkNotFound;
        warn(JoinFailureMessage(notFound, {}, m_outputPath, m_writtenPath, m_form.services().appFolder));
        return false;
    }
    return true;
}

// After the prompts and before pdftk: every typed password must open its file.
bool JoinRun::passwordsAccepted(const QStringList &items)
{
    QStringList passwords;
    for (const JoinEntry &entry : m_entries)
        passwords.append(entry.Password);
    const QList<RefusedFile> refused = RefusedPasswords(items, passwords, m_checks, m_turns.asYield());
    if (stopped())
        return false;
    if (refused.isEmpty())
        return true;
    warn(RefusedPasswordsMessage(refused));
    return false;
}

void JoinRun::start(std::function<void()> &runningJoin)
{
    if (runningJoin) {
        const bool stop = m_dialogs.message(&m_form, StopRunningJoinQuestion(), MessageStyle::YesNoDefaultNo,
                                            ApplicationTitle())
            == MessageAnswer::Yes;
        // The join may have ended while the question was open.
        if (stop && runningJoin)
            runningJoin();
        return;
    }
    // Nothing is joined from a list that is still growing.
    if (m_form.isAddingFiles()) {
        m_dialogs.message(&m_form, FilesStillBeingAddedMessage(), MessageStyle::Ok, ApplicationTitle());
        return;
    }
    FileListModel &list = *m_form.fileList();

    bool empty = false;
    step(100, [&] { empty = !(list.count() > 0); });
    if (empty) {
        step(168, [&] {
            m_dialogs.message(&m_form, NoFilesAddedMessage(), MessageStyle::Ok, ApplicationTitle());
        });
        return;
    }

    runningJoin = [this] { cancel(); };
    const auto idle = qScopeGuard([&runningJoin] { runningJoin = nullptr; });

    step(102, [&] { m_busy.emplace(m_form); });
    step(104, [&] { m_outputPath = JoinOutputPathFor(m_environment.desktopFolder()); });
    bool noOutputPath = false;
    step(108, [&] { noOutputPath = m_outputPath.isEmpty(); });
    if (noOutputPath) {
        finish();
        return;
    }
    // The existing output stays until pdftk has written a complete new one
    // beside it; here the Desktop is made if missing and that name chosen.
    // Without a Desktop there is nothing more to try: the report says why.
    const bool outputFolderReady = step(110, [&] {
        m_writtenPath = TemporaryOutputPath(m_outputPath);
        const QString folder = QFileInfo(m_writtenPath).absolutePath();
        if (!QDir().mkpath(folder))
            throw std::runtime_error(
                QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(folder)).toStdString());
    });
    if (!outputFolderReady) {
        finish();
        return;
    }
    step(112, [&] { m_program = m_environment.findPdftk(m_form.services().appFolder); });
    // 114 to 118, the handle counter and the empty file and password
    // sections: the command is composed from the files and passwords at 150.

    // The list as it stands now is what gets joined, whatever happens to it
    // while the prompts and pdftk run.
    QStringList items;
    int n = 0;
    step(120, [&] {
        items = list.paths();
        n = int(items.size());
    });
    if (!inputsUsable(items)) {
        stopped() ? endStopped() : finish();
        return;
    }
    QString path;
    QString answer;
    for (int i = 1; i <= n && m_turns(); ++i) {
        step(122, [&] { m_form.setProgressValue(double(i) / n * 100.0); });
        step(124, [&] { m_form.setMousePointer(Form1::kBusyPointer); });
        step(126, [&] { path = items.at(i - 1); });
        bool prompt = true;
        step(128, [&] { prompt = m_form.passwordOption() == 1; });
        answer.clear();
        if (prompt)
            step(130, [&] { answer = AskPassword(m_dialogs, &m_form, path); });
        // 132 to 142: the file joins with the password typed for it, if any.
        step(134, [&] { m_entries.append({path, answer}); });
        // 148: next i
    }
    if (stopped()) {
        endStopped();
        return;
    }
    if (!passwordsAccepted(items)) {
        stopped() ? endStopped() : finish();
        return;
    }

    // One pdftk run, or batches where one run's arguments would not fit:
    // each run gives its protected files their own handles from A.
    step(150, [&] {
        const QProcessEnvironment pdftkEnvironment = PdftkEnvironment();
        m_runner.setEnvironment(pdftkEnvironment);
        m_plan = PlanJoin(m_program, m_entries, m_writtenPath, m_environment.argumentLimit(pdftkEnvironment),
                          [this] { return TemporaryOutputPath(m_outputPath); }, m_turns.asYield());
    });
    if (stopped()) {
        endStopped();
        return;
    }
    JoinOutcome outcome;
    outcome.kind = JoinOutcome::Kind::PdftkNotStarted;
    step(152, [&] { outcome = runPdftk(); });
    if (outcome.kind == JoinOutcome::Kind::Cancelled || stopped()) {
        endStopped();
        return;
    }

    const bool joined = outcome.kind == JoinOutcome::Kind::Joined;
    step(158, [&] {
        if (joined) {
            m_dialogs.message(&m_form, JoinSavedMessage(m_outputPath, m_saved.path, m_saved.error), MessageStyle::Ok,
                              ApplicationTitle());
        } else {
            warn(JoinFailureMessage(outcome, DamagedInputs(items, m_checks), m_outputPath, m_writtenPath,
                                    m_form.services().appFolder));
        }
    });
    if (joined) {
        bool open = true;
        step(160, [&] {
            open = m_dialogs.message(&m_form, OpenJoinedFileQuestion(m_saved.path), MessageStyle::YesNo,
                                     ApplicationTitle())
                == MessageAnswer::Yes;
        });
        if (open)
            step(162, [&] { OpenWithShell(*m_form.services().shell, m_saved.path); });
    }
    finish();
}

// Stopped by the user, or the window is closing: nothing more is said, and
// nothing half-written is left behind.
void JoinRun::endStopped()
{
    DeleteFileQuietly(m_writtenPath);
    finish();
}

JoinOutcome JoinRun::runPdftk()
{
    const ProcessRunner::Result result = RunJoinPlan(m_runner, m_plan);
    JoinOutcome outcome = ExamineJoin(result, m_writtenPath);
    if (outcome.kind == JoinOutcome::Kind::Joined) {
        // Only a file with every page of every input replaces the output.
        outcome.reason = VerifyJoinedPdf(m_writtenPath, m_entries, m_checks);
        if (!outcome.reason.isEmpty())
            outcome.kind = JoinOutcome::Kind::Unverified;
    }
    if (outcome.kind == JoinOutcome::Kind::Joined) {
        m_saved = SaveJoinedFile(m_writtenPath, m_outputPath);
        if (m_saved.path.isEmpty()) {
            // A finished, verified join is never thrown away: it stays where
            // pdftk wrote it, and the warning says where that is.
            outcome.kind = JoinOutcome::Kind::NotSaved;
            outcome.reason = m_saved.error + QStringLiteral("\n\nThe joined file is kept as\n") + m_writtenPath;
            m_writtenPath.clear();
            return outcome;
        }
    }
    if (outcome.kind != JoinOutcome::Kind::Joined)
        DeleteFileQuietly(m_writtenPath);
    return outcome;
}

void JoinRun::finish()
{
    step(164, [&] { m_form.setProgressValue(0); });
    // The default pointer returns unless a folder scan is still at work.
    step(166, [&] { m_busy.reset(); });
}

} // namespace

void RunJoin(Form1 &form, std::function<void()> &runningJoin, const JoinEnvironment &environment)
{
    JoinRun run(form, environment);
    run.start(runningJoin);
}

void Form1::Start()
{
    RunJoin(*this, m_cancelRunningJoin, JoinEnvironment::standard());
}

} // namespace corvanta
