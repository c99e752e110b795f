// The corpus check: the real join (real pdftk, real checker, scripted
// dialogs) on every PDF of the folders given, alone and in pairs, each
// result judged by an independent reader, poppler's pdfinfo and pdftotext,
// page by page. pdftk is also run alone on each input, so that a refusal
// can be told apart from a file pdftk would have joined well.
//
//   bench_corpus [--limit N] [--pairs N] [--out FILE.tsv] [--helpers DIR]
//                [--timeout SECONDS] [--keep DIR] FOLDER...
//
// poppler-utils is needed by this check only, never by the program.

#include "join/JoinRun.h"
#include "support/FakeHost.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <qpdf/QPDF.hh>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

namespace {

struct Options
{
    QStringList folders;
    int limit = -1;
    int pairs = 200;
    int timeoutSeconds = 60;
    QString tsv;
    QString helpers;
    QString keep; // where pdftk's own joins are kept, for a closer look
};

struct ToolRun
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};

// Any outside program, with its input closed and a bound on its time: a
// hostile file must not hang the check.
ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutSeconds)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Debian's pdftk is a shell script that starts Java without exec: only
    // ending its whole group ends the work.
    process.setChildProcessModifier([] { setpgid(0, 0); });
#endif
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted(timeoutSeconds * 1000))
        return run;
    run.finished = process.waitForFinished(timeoutSeconds * 1000);
    if (!run.finished) {
#ifdef Q_OS_UNIX
        ::kill(-pid_t(process.processId()), SIGKILL);
#endif
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = run.finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.error = process.readAllStandardError();
    return run;
}

// What poppler sees in a file: its page count and each page's text.
struct PopplerView
{
    bool readable = false;
    QStringList pages; // whitespace-normalized text, one entry a page
    QString problem;
};

int popplerPageCount(const QString &path, int timeoutSeconds, QString &problem)
{
    const ToolRun info = runTool(QStringLiteral("pdfinfo"), {path}, timeoutSeconds);
    const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pagesLine.match(QString::fromUtf8(info.output));
    if (info.exitCode != 0 || !match.hasMatch()) {
        problem = info.finished ? QString::fromUtf8(info.error).simplified().left(120)
                                : QStringLiteral("pdfinfo timed out");
        return -1;
    }
    return match.captured(1).toInt();
}

// pdftotext ends every page with a form feed, so one run gives every page's
// text, the same as one run per page would.
PopplerView readWithPoppler(const QString &path, int timeoutSeconds)
{
    PopplerView view;
    const int count = popplerPageCount(path, timeoutSeconds, view.problem);
    if (count < 0)
        return view;
    const ToolRun text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                                               QStringLiteral("-")},
                                 timeoutSeconds);
    if (text.exitCode != 0) {
        view.problem = text.finished ? QStringLiteral("pdftotext: ") + QString::fromUtf8(text.error).simplified().left(120)
                                     : QStringLiteral("pdftotext timed out");
        return view;
    }
    QStringList pages = QString::fromUtf8(text.output).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    while (pages.size() < count)
        pages.append(QString());
    for (QString &page : pages)
        page = page.simplified();
    view.pages = pages.mid(0, count);
    view.readable = true;
    return view;
}

// "" when the result shows what the inputs show; otherwise the first difference.
QString differenceFrom(const QList<PopplerView> &inputs, const PopplerView &result)
{
    if (!result.readable)
        return QStringLiteral("poppler cannot read the result: ") + result.problem;
    QStringList expected;
    for (const PopplerView &input : inputs)
        expected += input.pages;
    if (expected.size() != result.pages.size())
        return QStringLiteral("%1 pages instead of %2").arg(result.pages.size()).arg(expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected.at(i) != result.pages.at(i))
            return QStringLiteral("the text of page %1 differs").arg(i + 1);
    }
    return QString();
}

// Document-wide settings a join can lose without a page changing.
struct CatalogMarks
{
    bool readable = false;
    bool encrypted = false;
    QStringList present;
};

CatalogMarks catalogMarks(const QString &path)
{
    CatalogMarks marks;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        marks.readable = true;
        marks.encrypted = pdf.isEncrypted();
        QPDFObjectHandle root = pdf.getRoot();
        QPDFObjectHandle off = root.getKey("/OCProperties").getKey("/D").getKey("/OFF");
        if (off.isArray() && off.getArrayNItems() > 0)
            marks.present << QStringLiteral("hidden layers");
        QPDFObjectHandle appearances = root.getKey("/AcroForm").getKey("/NeedAppearances");
        if (appearances.isBool() && appearances.getBoolValue())
            marks.present << QStringLiteral("NeedAppearances");
        if (root.hasKey("/PageLabels"))
            marks.present << QStringLiteral("page labels");
        // Only the modes that open a panel or full screen; readers ignore others.
        QPDFObjectHandle mode = root.getKey("/PageMode");
        for (const char *view : {"/UseOutlines", "/UseThumbs", "/FullScreen", "/UseOC", "/UseAttachments"}) {
            if (mode.isNameAndEquals(view))
                marks.present << QStringLiteral("page mode ") + QString::fromLatin1(view).mid(1);
        }
    } catch (const std::exception &) {
        // An encrypted or broken file shows no marks; its judgement comes from poppler.
    }
    return marks;
}

QStringList lostMarks(const QList<CatalogMarks> &inputs, const CatalogMarks &result)
{
    QStringList lost;
    for (const CatalogMarks &input : inputs) {
        for (const QString &mark : input.present) {
            if (!result.present.contains(mark) && !lost.contains(mark))
                lost.append(mark);
        }
    }
    return lost;
}

// What the program did with one list: every message it showed, in order.
struct ProgramJoin
{
    QStringList messages;
    bool done = false;
    bool timedOut = false;
    PopplerView result;
    CatalogMarks resultMarks;
};

ProgramJoin joinWithProgram(const JoinEnvironment &environment, const QStringList &files, int timeoutSeconds)
{
    ProgramJoin join;
    emptyIsolatedDesktop();
    QTemporaryDir appFolder;
    FakeHost host;
    host.folder = QDir::toNativeSeparators(appFolder.path());
    host.paths = files;
    // Messages are acknowledged; the offer to open the result is declined.
    host.fakeDialogs.onAsk = [&host](const FakeDialogs::Asked &question) {
        if (question.kind == QLatin1String("message") && isQuestion(question.style))
            host.fakeDialogs.messageAnswers.enqueue(MessageAnswer::No);
        else if (question.kind == QLatin1String("input"))
            host.fakeDialogs.inputAnswers.enqueue(QString());
    };
    Joiner joiner(host, environment);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        join.timedOut = true;
        joiner.stop();
    });
    deadline.start(timeoutSeconds * 1000 * qMax<qsizetype>(1, files.size()));
    joiner.Start();
    deadline.stop();
    for (const FakeDialogs::Asked &question : host.fakeDialogs.asked)
        join.messages.append(question.text);
    join.done = join.messages.value(0).startsWith(QLatin1String("Done."));
    if (join.done) {
        join.result = readWithPoppler(isolatedOutputPath(), timeoutSeconds);
        join.resultMarks = catalogMarks(isolatedOutputPath());
    }
    return join;
}

// Whether some message after "Done." (other than the offer to open the
// result) tells of what the named inputs lost.
bool lossWasSaid(const ProgramJoin &join, const QStringList &files)
{
    for (qsizetype i = 1; i < join.messages.size(); ++i) {
        const QString &text = join.messages.at(i);
        if (text.startsWith(QLatin1String("Joined PDF was saved on the Desktop.")))
            continue;
        for (const QString &file : files) {
            if (text.contains(QFileInfo(file).fileName()))
                return true;
        }
    }
    return false;
}

// pdftk alone, the way anyone would call it: "" when it makes a file that
// shows what the inputs show, otherwise why not.
QString pdftkAloneVerdict(const QStringList &files, const QList<PopplerView> &inputs, const QString &output,
                          int timeoutSeconds)
{
    QFile::remove(output);
    const ToolRun run = runTool(realPdftk(), QStringList(files) << QStringLiteral("cat") << QStringLiteral("output")
                                                                   << output,
                                timeoutSeconds);
    if (!run.finished)
        return QStringLiteral("pdftk timed out");
    if (run.exitCode != 0) {
        const QString said = QString::fromUtf8(run.error).simplified();
        return QStringLiteral("pdftk exit %1: %2").arg(run.exitCode).arg(said.left(160));
    }
    for (const PopplerView &input : inputs) {
        if (!input.readable)
            return QStringLiteral("poppler cannot read the input: ") + input.problem;
    }
    return differenceFrom(inputs, readWithPoppler(output, timeoutSeconds));
}

enum class Judgement { Verified, RefusedRightly, HonestRefused, WrongDone, BadReason, Unjudged };

const char *judgementTitle(Judgement judgement)
{
    switch (judgement) {
    case Judgement::Verified:
        return "1 joined and verified correctly";
    case Judgement::RefusedRightly:
        return "2 refused correctly, with a reason";
    case Judgement::HonestRefused:
        return "3 honest file refused, although pdftk alone joins it well";
    case Judgement::WrongDone:
        return "4 \"Done.\" although the result differs, or lost something unsaid";
    case Judgement::BadReason:
        return "5 refused with a wrong or no reason (flagged)";
    case Judgement::Unjudged:
        return "- \"Done.\", but poppler cannot read the input to judge it";
    }
    return "";
}

// One judged join: a single file or a pair.
struct Case
{
    QStringList files;
    Judgement judgement = Judgement::Unjudged;
    QString message;      // the program's first message, on one line
    QString pdftkAlone;   // "" when pdftk alone makes a good file
    QString resultIssue;  // what is wrong with the program's "Done."
    QStringList flags;    // why a refusal's reason looks wrong
    QList<PopplerView> inputs;
    QList<CatalogMarks> inputMarks;
};

bool hasEncryptKey(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains("/Encrypt");
}

// What a human reviewer should look at twice in a refusal.
QStringList refusalFlags(const Case &item, const QString &text)
{
    QStringList flags;
    bool named = false;
    for (const QString &file : item.files)
        named = named || text.contains(QFileInfo(file).fileName());
    if (!named)
        flags << QStringLiteral("names no file");
    const bool claimsEncryption = text.contains(QLatin1String("encrypted")) || text.contains(QLatin1String("password"));
    bool anyEncrypted = false;
    for (const QString &file : item.files)
        anyEncrypted = anyEncrypted || hasEncryptKey(file);
    if (claimsEncryption && !anyEncrypted)
        flags << QStringLiteral("speaks of encryption, but no input has /Encrypt");
    if (text.contains(QLatin1String("is not a PDF file")) && item.pdftkAlone.isEmpty())
        flags << QStringLiteral("\"not a PDF\", but pdftk joins it");
    return flags;
}

void judge(Case &item, const ProgramJoin &join)
{
    // Every message but the offer to open the result.
    QStringList said = join.messages;
    if (join.done && !said.isEmpty())
        said.removeLast();
    item.message = said.join(QStringLiteral(" | ")).simplified();
    if (join.timedOut)
        item.message = QStringLiteral("[join stopped after the time limit] ") + item.message;
    if (!join.done) {
        item.flags = refusalFlags(item, join.messages.value(0));
        item.judgement = item.pdftkAlone.isEmpty() ? Judgement::HonestRefused
            : item.flags.isEmpty()                 ? Judgement::RefusedRightly
                                                   : Judgement::BadReason;
        return;
    }
    for (const PopplerView &input : item.inputs) {
        if (!input.readable) {
            item.judgement = Judgement::Unjudged;
            return;
        }
    }
    item.resultIssue = differenceFrom(item.inputs, join.result);
    const QStringList lost = lostMarks(item.inputMarks, join.resultMarks);
    // Without /NeedAppearances a reader shows a form's fields as their old
    // appearances draw them: that is what the note says.
    if (!item.resultIssue.isEmpty() && lost.contains(QStringLiteral("NeedAppearances"))
        && lossWasSaid(join, item.files))
        item.resultIssue.clear();
    if (item.resultIssue.isEmpty() && !lost.isEmpty() && !lossWasSaid(join, item.files))
        item.resultIssue = QStringLiteral("lost unsaid: ") + lost.join(QStringLiteral(", "));
    item.judgement = item.resultIssue.isEmpty() ? Judgement::Verified : Judgement::WrongDone;
}

// Everything known about one input, read once and reused by its pairs.
struct InputFacts
{
    PopplerView view;
    CatalogMarks marks;
};

class CorpusCheck
{
public:
    explicit CorpusCheck(const Options &options);
    void run(const QStringList &files);
    void report(const QString &heading, const QList<Case> &cases, double seconds) const;
    void writeTsv(const QString &path) const;

private:
    Case judgeList(const QStringList &files);
    const InputFacts &factsOf(const QString &file);
    QString keptPath(const QStringList &files) const;
    static void progress(const Case &item, qsizetype done, qsizetype total);

    Options m_options;
    JoinEnvironment m_environment;
    QTemporaryDir m_scratch;
    std::map<QString, InputFacts> m_facts;
    QList<Case> m_singles;
    QList<Case> m_pairs;
};

CorpusCheck::CorpusCheck(const Options &options)
    : m_options(options)
    , m_environment(JoinEnvironment::standard())
{
    m_environment.desktopFolder = [] { return QDir::toNativeSeparators(isolatedDesktop()) + QDir::separator(); };
    m_environment.helperFolder = options.helpers.isEmpty() ? helperFolder() : options.helpers;
    if (!options.keep.isEmpty())
        QDir().mkpath(options.keep);
}

const InputFacts &CorpusCheck::factsOf(const QString &file)
{
    auto known = m_facts.find(file);
    if (known == m_facts.end())
        known = m_facts.emplace(file, InputFacts{readWithPoppler(file, m_options.timeoutSeconds), catalogMarks(file)})
                    .first;
    return known->second;
}

QString CorpusCheck::keptPath(const QStringList &files) const
{
    QStringList stems;
    for (const QString &file : files)
        stems.append(QFileInfo(file).completeBaseName());
    const QString folder = m_options.keep.isEmpty() ? m_scratch.path() : m_options.keep;
    return QDir(folder).filePath(stems.join(QStringLiteral("+")) + QStringLiteral(".pdf"));
}

QString namesOf(const Case &item);
QString shortened(const QString &text, int length = 200);

// Each join as it is judged, on the error stream, so that a long run can be
// followed, or stopped with something to show for it.
void CorpusCheck::progress(const Case &item, qsizetype done, qsizetype total)
{
    std::fprintf(stderr, "%lld/%lld [%c] %s: %s\n", static_cast<long long>(done), static_cast<long long>(total),
                 judgementTitle(item.judgement)[0], qPrintable(namesOf(item)),
                 qPrintable(shortened(item.message, 120)));
}

Case CorpusCheck::judgeList(const QStringList &files)
{
    Case item;
    item.files = files;
    for (const QString &file : files) {
        item.inputs.append(factsOf(file).view);
        item.inputMarks.append(factsOf(file).marks);
    }
    item.pdftkAlone = pdftkAloneVerdict(files, item.inputs, keptPath(files), m_options.timeoutSeconds);
    judge(item, joinWithProgram(m_environment, files, m_options.timeoutSeconds));
    return item;
}

void CorpusCheck::run(const QStringList &files)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString &file : files) {
        m_singles.append(judgeList({file}));
        progress(m_singles.last(), m_singles.size(), files.size());
    }
    const double singleSeconds = timer.elapsed() / 1000.0;
    // Pairs of neighbours that joined well alone.
    QStringList good;
    for (const Case &item : m_singles) {
        if (item.judgement == Judgement::Verified)
            good.append(item.files.first());
    }
    timer.restart();
    const qsizetype pairs = qMin<qsizetype>(m_options.pairs, qMax<qsizetype>(0, good.size() - 1));
    for (qsizetype i = 0; i < pairs; ++i) {
        m_pairs.append(judgeList({good.at(i), good.at(i + 1)}));
        progress(m_pairs.last(), m_pairs.size(), pairs);
    }
    report(QStringLiteral("Single files"), m_singles, singleSeconds);
    report(QStringLiteral("Pairs of files that joined well alone"), m_pairs, timer.elapsed() / 1000.0);
}

QString shortened(const QString &text, int length)
{
    return text.size() <= length ? text : text.left(length - 1) + QChar(0x2026);
}

QString namesOf(const Case &item)
{
    QStringList names;
    for (const QString &file : item.files)
        names.append(QFileInfo(file).fileName());
    return names.join(QStringLiteral(" + "));
}

void CorpusCheck::report(const QString &heading, const QList<Case> &cases, double seconds) const
{
    const Judgement all[] = {Judgement::Verified,    Judgement::RefusedRightly, Judgement::HonestRefused,
                             Judgement::WrongDone,   Judgement::BadReason,      Judgement::Unjudged};
    std::printf("\n== %s: %lld joins in %.0f s\n", qPrintable(heading), static_cast<long long>(cases.size()), seconds);
    for (Judgement judgement : all) {
        const auto count = std::count_if(cases.begin(), cases.end(),
                                         [judgement](const Case &item) { return item.judgement == judgement; });
        std::printf("%5lld  %s\n", static_cast<long long>(count), judgementTitle(judgement));
    }
    for (Judgement judgement : all) {
        if (judgement == Judgement::Verified)
            continue;
        bool first = true;
        for (const Case &item : cases) {
            if (item.judgement != judgement)
                continue;
            if (std::exchange(first, false))
                std::printf("\n-- %s\n", judgementTitle(judgement));
            std::printf("%s\n    program: %s\n", qPrintable(namesOf(item)), qPrintable(shortened(item.message)));
            if (!item.resultIssue.isEmpty())
                std::printf("    result: %s\n", qPrintable(item.resultIssue));
            if (!item.flags.isEmpty())
                std::printf("    flagged: %s\n", qPrintable(item.flags.join(QStringLiteral("; "))));
            std::printf("    pdftk alone: %s\n",
                        item.pdftkAlone.isEmpty() ? "good" : qPrintable(shortened(item.pdftkAlone, 160)));
        }
    }
}

QString tsvField(QString text)
{
    return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void CorpusCheck::writeTsv(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "Cannot write %s:\n%s\n", qPrintable(path), qPrintable(file.errorString()));
        return;
    }
    file.write("files\tclass\tprogram\tresult\tflags\tpdftk alone\n");
    for (const QList<Case> *cases : {&m_singles, &m_pairs}) {
        for (const Case &item : *cases) {
            const QStringList fields{item.files.join(QStringLiteral(" + ")),
                                     QString::fromLatin1(judgementTitle(item.judgement)).left(1),
                                     item.message,
                                     item.resultIssue,
                                     item.flags.join(QStringLiteral("; ")),
                                     item.pdftkAlone.isEmpty() ? QStringLiteral("good") : item.pdftkAlone};
            QStringList cleaned;
            for (const QString &field : fields)
                cleaned.append(tsvField(field));
            file.write(cleaned.join(QLatin1Char('\t')).toUtf8() + '\n');
        }
    }
}

// Every PDF under the folders, in name order, so that runs can be compared.
QStringList pdfsUnder(const QStringList &folders, int limit)
{
    QStringList files;
    for (const QString &folder : folders) {
        QStringList here;
        QDirIterator walk(folder, {QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files,
                          QDirIterator::Subdirectories);
        while (walk.hasNext())
            here.append(walk.next());
        here.sort();
        files += here;
    }
    return limit >= 0 ? files.mid(0, limit) : files;
}

bool parseOptions(const QStringList &arguments, Options &options)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--limit") && hasValue)
            options.limit = arguments.at(++i).toInt();
        else if (argument == QLatin1String("--pairs") && hasValue)
            options.pairs = arguments.at(++i).toInt();
        else if (argument == QLatin1String("--timeout") && hasValue)
            options.timeoutSeconds = qMax(1, arguments.at(++i).toInt());
        else if (argument == QLatin1String("--out") && hasValue)
            options.tsv = arguments.at(++i);
        else if (argument == QLatin1String("--helpers") && hasValue)
            options.helpers = arguments.at(++i);
        else if (argument == QLatin1String("--keep") && hasValue)
            options.keep = arguments.at(++i);
        else if (argument.startsWith(QLatin1String("--")))
            return false;
        else
            options.folders.append(argument);
    }
    return !options.folders.isEmpty();
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    isolateHome(home.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    useRealPdftk();
    QDir().mkpath(isolatedDesktop());

    Options options;
    if (!parseOptions(app.arguments(), options)) {
        std::fprintf(stderr, "usage: bench_corpus [--limit N] [--pairs N] [--out FILE.tsv] [--helpers DIR] "
                             "[--timeout SECONDS] [--keep DIR] FOLDER...\n");
        return 2;
    }
    CorpusCheck check(options);
    check.run(pdfsUnder(options.folders, options.limit));
    if (!options.tsv.isEmpty())
        check.writeTsv(options.tsv);
    return 0;
}
