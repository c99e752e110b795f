#include "join/JoinRun.h"

#include "app/Form1.h"
#include "app/Helpers.h"
#include "filelist/FileListModel.h"
#include "join/JoinChecks.h"
#include "join/JoinCommand.h"
#include "join/Pdftk.h"
#include "join/ProcessRunner.h"

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

QString JoinAlreadyRunningMessage()
{
    return QStringLiteral("A join is already running. Please wait until it has finished.");
}

JoinEnvironment JoinEnvironment::standard()
{
    JoinEnvironment environment;
    environment.desktopFolder = [] { return DesktopFolder(); };
    environment.findPdftk = [](const QString &appFolder) { return FindPdftk(appFolder); };
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
    JoinOutcome runPdftk();
    void finish();

    Form1 &m_form;
    const JoinEnvironment &m_environment;
    Dialogs &m_dialogs;
    ProcessRunner m_runner;
    bool m_cancelled = false;
    std::optional<Form1::LongWork> m_busy;

    QString m_outputPath;
    // pdftk writes here; only a complete result replaces the output file.
    QString m_writtenPath;
    QString m_program;
    int m_handles = 0;
    QStringList m_fileArguments;
    QStringList m_passwordArguments;
    // Per list item: what the checks found, and the password typed for it.
    QList<PdfInspection> m_inspections;
    QStringList m_passwords;
    JoinProcessCommand m_command;
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
    m_inspections = InspectInputs(items);
    const QList<RefusedFile> refused = RefusedInputs(items, m_inspections, m_form.passwordOption() == 1);
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
    const QList<RefusedFile> refused = RefusedPasswords(items, m_passwords, m_inspections);
    if (refused.isEmpty())
        return true;
    warn(RefusedPasswordsMessage(refused));
    return false;
}

void JoinRun::start(std::function<void()> &runningJoin)
{
    if (runningJoin) {
        m_dialogs.message(&m_form, JoinAlreadyRunningMessage(), MessageStyle::Ok, ApplicationTitle());
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
    step(114, [&] { m_handles = 0; });
    step(116, [&] { m_fileArguments.clear(); });
    step(118, [&] { m_passwordArguments.clear(); });

    // The list as it stands now is what gets joined, whatever happens to it
    // while the prompts and pdftk run.
    QStringList items;
    int n = 0;
    step(120, [&] {
        items = list.paths();
        n = int(items.size());
    });
    if (!inputsUsable(items)) {
        finish();
        return;
    }
    m_passwords = QStringList(items.size());
    QString path;
    QString answer;
    // The plain file token, for a file without a password.
    const auto appendPlainFile = [&] { m_fileArguments.append(path); };
    for (int i = 1; i <= n && !m_cancelled; ++i) {
        step(122, [&] { m_form.setProgressValue(double(i) / n * 100.0); });
        step(124, [&] { m_form.setMousePointer(Form1::kBusyPointer); });
        step(126, [&] { path = items.at(i - 1); });
        bool prompt = true;
        step(128, [&] { prompt = m_form.passwordOption() == 1; });
        if (!prompt) {
            step(142, appendPlainFile);
            continue; // 148
        }
        step(130, [&] {
            answer = AskPassword(m_dialogs, &m_form, path);
            m_passwords[i - 1] = answer;
        });
        bool protectedFile = true;
        step(132, [&] { protectedFile = !answer.isEmpty(); });
        if (!protectedFile) {
            step(140, appendPlainFile);
            continue; // 148
        }
        step(134, [&] { m_fileArguments.append(HandleFileArgument(JoinHandle(m_handles), path)); });
        step(136, [&] { m_passwordArguments.append(PasswordArguments(JoinHandle(m_handles), answer)); });
        step(138, [&] { ++m_handles; });
        // 148: next i
    }
    if (m_cancelled || m_form.isClosing()) {
        DeleteFileQuietly(m_writtenPath);
        return;
    }
    if (!passwordsAccepted(items)) {
        finish();
        return;
    }

    step(150, [&] {
        m_command = {m_program, m_fileArguments + m_passwordArguments + TargetArguments(m_writtenPath)};
    });
    JoinOutcome outcome;
    outcome.kind = JoinOutcome::Kind::PdftkNotStarted;
    step(152, [&] { outcome = runPdftk(); });
    if (outcome.kind == JoinOutcome::Kind::Cancelled || m_cancelled || m_form.isClosing()) {
        // The window is closing: nothing more to say, nothing half-written left.
        DeleteFileQuietly(m_writtenPath);
        return;
    }

    const bool joined = outcome.kind == JoinOutcome::Kind::Joined;
    step(158, [&] {
        if (joined) {
            m_dialogs.message(&m_form, DoneMessage(), MessageStyle::Ok, ApplicationTitle());
        } else {
            warn(JoinFailureMessage(outcome, DamagedInputs(items, m_inspections), m_outputPath, m_writtenPath,
                                    m_form.services().appFolder));
        }
    });
    if (joined) {
        bool open = true;
        step(160, [&] {
            open = m_dialogs.message(&m_form, OpenJoinedFileQuestion(m_outputPath), MessageStyle::YesNo,
                                     ApplicationTitle())
                == MessageAnswer::Yes;
        });
        if (open)
            step(162, [&] { OpenWithShell(*m_form.services().shell, m_outputPath); });
    }
    finish();
}

JoinOutcome JoinRun::runPdftk()
{
    m_runner.setEnvironment(PdftkEnvironment());
    const ProcessRunner::Result result = m_runner.run(m_command.program, m_command.arguments, kHiddenWindow);
    JoinOutcome outcome = ExamineJoin(result, m_writtenPath);
    if (outcome.kind == JoinOutcome::Kind::Joined) {
        HideTemporaryFile(m_writtenPath);
        // Only a file with every page of every input replaces the output.
        outcome.reason = VerifyJoinedPdf(m_writtenPath, ExpectedPagesOf(m_inspections));
        if (!outcome.reason.isEmpty())
            outcome.kind = JoinOutcome::Kind::Unverified;
    }
    if (outcome.kind == JoinOutcome::Kind::Joined) {
        outcome.reason = ReplaceFile(m_writtenPath, m_outputPath);
        if (!outcome.reason.isEmpty())
            outcome.kind = JoinOutcome::Kind::NotSaved;
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
