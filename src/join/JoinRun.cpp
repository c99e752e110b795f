#include "join/JoinRun.h"

#include "core/ErrorReport.h"
#include "core/Files.h"
#include "core/Host.h"
#include "core/Seams.h"
#include "join/JoinBatches.h"
#include "join/JoinChecks.h"
#include "join/JoinCommand.h"
#include "join/JoinMessages.h"
#include "join/JoinOutcome.h"
#include "join/Pdftk.h"
#include "join/SaveResult.h"
#include "process/Checker.h"
#include "process/ProcessRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <stdexcept>

namespace corvanta {

JoinEnvironment JoinEnvironment::standard()
{
    JoinEnvironment environment;
    environment.desktopFolder = [] { return DesktopFolder(); };
    environment.findPdftk = [](const QString &appFolder) { return corvanta::findPdftk(appFolder); };
    environment.argumentLimit = [](const QProcessEnvironment &pdftkEnvironment) {
        return corvanta::argumentLimit(pdftkEnvironment);
    };
    environment.helperFolder = QCoreApplication::applicationDirPath();
    environment.cacheFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return environment;
}

QString AskPassword(Dialogs &dialogs, QWidget *owner, const QString &path)
{
    return dialogs.inputBox(owner, passwordPrompt(path), passwordPromptTitle(), true);
}

namespace {

QString helperProgram(const QString &folder, const QString &name)
{
#ifdef Q_OS_WIN
    return QDir(folder).filePath(name + QStringLiteral(".exe"));
#else
    return QDir(folder).filePath(name);
#endif
}

// Reading ahead of Start takes one checker, at low priority: the window,
// a folder scan and the user's other programs come first.
CheckLimits readingAhead(CheckLimits limits)
{
    limits.workers = 1;
    limits.lowPriority = true;
    return limits;
}

// A drive that has let pdftk fill it has less than this left.
constexpr qint64 kFullDrive = 1024 * 1024;

// The steps that can fail, by the numbers the error report quotes.
enum class Step : int {
    OutputPath = 104,   // the Desktop folder is looked up
    OutputFolder = 110, // the Desktop folder is made if missing
};

} // namespace

// One join, in phases. A phase that ends the join says why (or, when the
// join was stopped, nothing) and returns false; whatever way the join ends,
// nothing that pdftk half wrote stays behind, and the window is idle again.
class Joiner::Run
{
public:
    Run(Host &host, const JoinEnvironment &environment, KeptChecks &kept)
        : m_host(host)
        , m_environment(environment)
        , m_kept(kept)
        , m_dialogs(host.dialogs())
        , m_turns(host.eventTurns([this] { return !m_cancelled; }))
        , m_checker(helperProgram(environment.helperFolder, QStringLiteral("corvanta-check")), environment.checkLimits)
    {
    }

    void join();
    void cancel();

private:
    bool prepareOutput();
    void findPrograms();
    bool screenInputs();
    bool askPasswords();
    bool askAgainWhileWrong(JoinEntry &input);
    bool planRuns();
    JoinOutcome runPdftk();
    Verification verifyResult(QList<quint32> &lost);
    void keep(JoinOutcome &outcome);
    void giveUp(JoinOutcome &outcome);
    void report(const JoinOutcome &outcome);

    bool stopped() const { return m_cancelled || m_host.isClosing(); }
    template <typename Body> bool step(Step number, Body &&body);
    void warn(const QString &text);
    // Removes what pdftk wrote, unless it has become the result.
    void discardWritten();

    Host &m_host;
    const JoinEnvironment &m_environment;
    KeptChecks &m_kept;
    Dialogs &m_dialogs;
    ProcessRunner m_runner;
    bool m_cancelled = false;
    // Long lists are checked and walked with the window still responsive.
    EventTurns m_turns;

    QString m_outputPath;
    // pdftk writes here; only a complete result replaces the output file.
    QString m_writtenPath;
    // The mended copy of pdftk's result, while it is being made and checked.
    QString m_mendedPath;
    bool m_resultKept = false; // the written file is the result, no longer ours to remove
    // Where the result went: the output path, or a free name beside it.
    SavedFile m_saved;
    QString m_program;
    // Every PDF is opened in the checker's processes, never here.
    Checker m_checker;
    QList<JoinEntry> m_inputs;
    PdftkStart m_start;
    JoinPlan m_plan;
    qint64 m_spaceNeeded = 0;
};

void Joiner::Run::join()
{
    // The busy pointer shows from here until the join is over, unless
    // other long work still goes on then.
    const WorkCount::Hold busy(m_host.busy());
    const auto finish = qScopeGuard([this] {
        discardWritten();
        m_host.setProgress(0);
    });
    if (!prepareOutput())
        return;
    findPrograms();
    if (!screenInputs() || !askPasswords() || !planRuns())
        return;
    const JoinOutcome outcome = runPdftk();
    if (outcome.kind != JoinOutcome::Kind::Cancelled && !stopped())
        report(outcome);
}

// Stopped by the user, or the window is closing: nothing more is said, and
// nothing half-written is left behind, even if the program ends right away.
void Joiner::Run::cancel()
{
    m_cancelled = true;
    m_checker.cancel();
    m_runner.cancel();
    discardWritten();
}

template <typename Body> bool Joiner::Run::step(Step number, Body &&body)
{
    QString failure;
    try {
        body();
        return true;
    } catch (const std::exception &error) {
        failure = QString::fromUtf8(error.what());
    }
    ErrorReport(m_dialogs, m_host.dialogOwner(), failure, QStringLiteral("Form1"), QStringLiteral("Start"),
                int(number));
    return false;
}

void Joiner::Run::warn(const QString &text)
{
    m_host.say(text, MessageStyle::Warning);
}

void Joiner::Run::discardWritten()
{
    if (!m_resultKept && !m_writtenPath.isEmpty())
        DeleteFileQuietly(m_writtenPath);
    if (!m_mendedPath.isEmpty())
        DeleteFileQuietly(m_mendedPath);
    m_resultKept = true;
}

// The existing output stays until pdftk has written a complete new one
// beside it: here the Desktop is made if missing and that name chosen.
// Without a Desktop there is nothing more to try; the report says why.
bool Joiner::Run::prepareOutput()
{
    step(Step::OutputPath, [this] { m_outputPath = JoinOutputPath(m_environment.desktopFolder()); });
    if (m_outputPath.isEmpty()) // the error report has said why
        return false;
    const bool folderReady = step(Step::OutputFolder, [this] {
        const QString folder = QFileInfo(m_outputPath).absolutePath();
        if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder))
            throw std::runtime_error(desktopFolderFailureText(folder).toStdString());
        corvanta::removeLeftovers(m_outputPath);
        m_writtenPath = temporaryOutputPath(m_outputPath);
    });
    return folderReady;
}

// pdftk, and the guard it runs under where there is one. A missing pdftk
// is said only once the inputs are known to be fine.
void Joiner::Run::findPrograms()
{
    m_program = m_environment.findPdftk(m_host.appFolder());
    const QString guard = helperProgram(m_environment.helperFolder, QStringLiteral("corvanta-guard"));
    if (QFileInfo(guard).isExecutable())
        m_runner.setGuard(guard);
}

// Before any prompt: every input must be a PDF that can be opened, unless
// only a password is missing and there will be a prompt for it.
bool Joiner::Run::screenInputs()
{
    // The list as it stands now is what gets joined, whatever happens
    // to it while the prompts and pdftk run.
    m_inputs = entriesOf(m_host.listedPaths(), m_turns.asKeepGoing());
    if (stopped())
        return false;
    if (!QFileInfo(m_checker.program()).isExecutable()) {
        warn(checkerMissingMessage(m_checker.program()));
        return false;
    }
    if (!checkInputs(m_inputs, m_checker, &m_kept, m_turns.asKeepGoing()) || stopped())
        return false;
    const QList<RefusedFile> refused = refusedInputs(m_inputs, m_host.promptsForPasswords());
    if (!refused.isEmpty()) {
        warn(refusedInputsMessage(refused));
        return false;
    }
    if (m_program.isEmpty()) {
        warn(pdftkNotFoundMessage(m_host.appFolder()));
        return false;
    }
    return true;
}

// A prompt for each file's password, then every typed password must open its file
// before pdftk is given it. A wrong one is asked for again at once, for
// that file alone; the other answers stand.
bool Joiner::Run::askPasswords()
{
    const qsizetype count = m_inputs.size();
    for (qsizetype i = 0; i < count && m_turns(); ++i) {
        m_host.setProgress(double(i + 1) / double(count) * 100.0);
        JoinEntry &input = m_inputs[i];
        if (!m_host.promptsForPasswords())
            continue;
        input.Password = AskPassword(m_dialogs, m_host.dialogOwner(), input.Path);
        // A file known to need a password is asked for it once more, at
        // once; a blank answer or Cancel there stops the join.
        if (input.Password.isEmpty() && input.check.problem == PdfProblem::NeedsPassword) {
            input.Password =
                m_dialogs.inputBox(m_host.dialogOwner(), neededPasswordPrompt(input.Path), passwordPromptTitle(), true);
            if (input.Password.isEmpty() || stopped())
                return false;
        }
    }
    if (stopped() || !checkPasswords(m_inputs, m_checker, m_turns.asKeepGoing()) || stopped())
        return false;
    for (JoinEntry &input : m_inputs) {
        if (!askAgainWhileWrong(input))
            return false;
    }
    const QList<RefusedFile> refused = refusedPasswords(m_inputs);
    if (refused.isEmpty())
        return true;
    warn(refusedPasswordsMessage(refused));
    return false;
}

// Asks for the password of a file whose typed password is wrong until one
// opens it. A blank answer or Cancel ends the join, as does a stop; one
// that pdftk cannot pass on is left for the warning that says so.
bool Joiner::Run::askAgainWhileWrong(JoinEntry &input)
{
    while (input.check.problem == PdfProblem::WrongPassword && pdftkPassesPassword(input.Password)) {
        input.Password =
            m_dialogs.inputBox(m_host.dialogOwner(), wrongPasswordPrompt(input.Path), passwordPromptTitle(), true);
        if (input.Password.isEmpty() || stopped())
            return false;
        QList<JoinEntry> alone{input};
        if (!checkPasswords(alone, m_checker) || stopped())
            return false;
        input = alone.first();
    }
    return true;
}

// One pdftk run, or batches where one run's arguments would not fit:
// each run gives its protected files their own handles from A.
bool Joiner::Run::planRuns()
{
    m_start = PdftkStart::forProgram(m_program, m_environment.cacheFolder);
    const QProcessEnvironment &environment = m_start.environment;
    m_runner.setEnvironment(environment);
    m_runner.setWorkingFolder(m_start.workingFolder);
    m_plan = planJoin(
        m_program, m_inputs, m_writtenPath, m_environment.argumentLimit(environment),
        [this] { return temporaryOutputPath(m_outputPath); }, m_turns.asKeepGoing());
    if (stopped())
        return false;
    // A drive too full for the result would only be found out by pdftk,
    // which then blames whichever input it was copying.
    m_spaceNeeded = spaceNeeded(m_inputs, m_plan, mendingNeeded(m_inputs), m_turns.asKeepGoing());
    if (stopped())
        return false;
    const QStorageInfo drive(QFileInfo(m_outputPath).absolutePath());
    if (drive.isValid() && drive.bytesAvailable() < m_spaceNeeded) {
        warn(notEnoughSpaceMessage(m_spaceNeeded, drive.bytesAvailable(), drive.rootPath()));
        return false;
    }
    return true;
}

// pdftk's runs, then the result is checked before it replaces the
// output: only a file with every page of every input does.
JoinOutcome Joiner::Run::runPdftk()
{
    // The check of the result need not wait for its checker to start.
    m_checker.warmUp();
    JoinOutcome outcome = examineJoin(
        runPdftkPlan(m_runner, m_plan, m_start, m_writtenPath, [this] { return stopped(); }), m_writtenPath);
    if (outcome.kind == JoinOutcome::Kind::Joined) {
        QList<quint32> lost;
        const Verification verification = verifyResult(lost);
        outcome.verified(verification, lost);
    }
    if (outcome.kind == JoinOutcome::Kind::Joined)
        keep(outcome);
    else
        giveUp(outcome);
    return outcome;
}

// A finished, verified join is never thrown away: where no name takes it,
// it stays where pdftk wrote it, and the warning says where that is.
void Joiner::Run::keep(JoinOutcome &outcome)
{
    m_saved = saveJoinedFile(m_writtenPath, m_outputPath);
    if (m_saved.path.isEmpty())
        outcome.notSaved(m_saved.error, m_writtenPath);
    m_resultKept = true;
}

// What a failed join says of the drive and the folder is measured before
// what pdftk wrote is removed, which frees the drive again. Where pdftk's
// words name no file, the input it fails on alone is found; where the
// folder cannot be written, every run would fail, so none is tried.
void Joiner::Run::giveUp(JoinOutcome &outcome)
{
    const QString folder = QFileInfo(m_outputPath).absolutePath();
    const QStorageInfo drive(folder);
    outcome.spaceNeeded = m_spaceNeeded;
    outcome.folderWritable = QFileInfo(folder).isWritable();
    outcome.driveFull = (drive.isValid() && drive.bytesAvailable() < kFullDrive)
        || outcome.pdftkText.contains(QLatin1String("No space left on device"));
    discardWritten();
    const bool named = std::any_of(m_inputs.cbegin(), m_inputs.cend(), [&outcome](const JoinEntry &input) {
        return outcome.pdftkText.contains(input.Path);
    });
    if (!failedInsidePdftk(outcome) || outcome.driveFull || !outcome.folderWritable || named)
        return;
    // Each named like the join's own output, so that a leftover is removed like one.
    const FailingInput failing = findFailingInput(
        m_runner, m_program, m_inputs, [this] { return temporaryOutputPath(m_outputPath); }, m_start,
        [this] { return stopped(); });
    if (!failing.path.isEmpty()) {
        outcome.failingInput = failing.path;
        outcome.pdftkText = failing.pdftkText;
    }
}

// The result, mended first where an input has a part that pdftk leaves
// behind, checked page by page. The mended copy is kept only when it is
// sound; otherwise pdftk's own result is checked, and every part counts as
// lost. Never a result worse than pdftk's.
Verification Joiner::Run::verifyResult(QList<quint32> &lost)
{
    const MendRequest request = mendRequest(m_inputs, m_writtenPath, temporaryOutputPath(m_outputPath));
    const MendReport untouched = nothingMended(request);
    lost = untouched.lost;
    if (mendingNeeded(m_inputs)) {
        m_mendedPath = request.mended;
        const MendReport report =
            m_checker.mend(request, resultCheckMilliseconds(m_inputs, m_checker.limits().cpuMilliseconds));
        lost = report.lost.size() == m_inputs.size() ? report.lost : untouched.lost;
        if (report.mended && !m_checker.isCancelled()) {
            hideTemporaryFile(m_mendedPath);
            const Verification mended = verifyJoinedPdf(m_mendedPath, m_inputs, m_checker);
            if (mended.finding == Verification::Finding::Sound) {
                DeleteFileQuietly(m_writtenPath);
                m_writtenPath = std::exchange(m_mendedPath, QString());
                return mended;
            }
            // pdftk's own result is kept, without any part put back.
            for (qsizetype i = 0; i < lost.size() && i < report.putBack.size(); ++i)
                lost[i] |= report.putBack.at(i);
        }
        DeleteFileQuietly(m_mendedPath);
        m_mendedPath.clear();
    }
    return verifyJoinedPdf(m_writtenPath, m_inputs, m_checker);
}

// "Done." and the offer to open the result, or what went wrong.
// What the result could not keep of its inputs is said between the two.
void Joiner::Run::report(const JoinOutcome &outcome)
{
    if (outcome.kind != JoinOutcome::Kind::Joined) {
        warn(joinFailureMessage(outcome, damagedInputs(m_inputs), m_outputPath, m_writtenPath));
        return;
    }
    m_host.say(joinSavedMessage(m_outputPath, m_saved.path, m_saved.error));
    const QList<InputNote> notes = notesAfterJoin(m_inputs, outcome.verification, outcome.lostParts);
    if (!notes.isEmpty())
        warn(notesAfterJoinMessage(notes, m_saved.path));
    if (m_host.say(openJoinedFileQuestion(m_saved.path), MessageStyle::YesNo) == MessageAnswer::Yes)
        OpenWithShell(m_host.shell(), m_saved.path);
}

Joiner::Joiner(Host &host, JoinEnvironment environment)
    : m_host(host)
    , m_environment(std::move(environment))
    , m_kept(helperProgram(m_environment.helperFolder, QStringLiteral("corvanta-check")),
             readingAhead(m_environment.checkLimits))
{
    m_kept.pause();
}

Joiner::~Joiner()
{
    stop();
}

void Joiner::Start()
{
    if (isRunning()) {
        // The join may have ended while the question was open.
        if (m_host.say(stopRunningJoinQuestion(), MessageStyle::YesNoDefaultNo) == MessageAnswer::Yes)
            stop();
        return;
    }
    // Nothing is joined from a list that is still growing.
    if (m_host.adding().underWay()) {
        m_host.say(filesStillBeingAddedMessage());
        return;
    }
    if (m_host.listedPaths().isEmpty()) {
        m_host.say(noFilesAddedMessage());
        return;
    }
    // The join reads what is not kept yet itself, at full speed.
    m_kept.pause();
    Run run(m_host, m_environment, m_kept);
    m_running = &run;
    const auto idle = qScopeGuard([this] {
        m_running = nullptr;
        m_kept.resume();
    });
    run.join();
}

void Joiner::stop()
{
    if (m_running)
        m_running->cancel();
}

void Joiner::removeLeftovers() const
{
    try {
        corvanta::removeLeftovers(JoinOutputPath(m_environment.desktopFolder()));
    } catch (const std::exception &) {
        // No Desktop, nothing left on it.
    }
}

} // namespace corvanta
