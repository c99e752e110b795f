#include "join/JoinMessages.h"

#include "core/Text.h"
#include "join/JoinChecks.h"
#include "join/JoinOutcome.h"
#include "join/Pdftk.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>

#include <algorithm>

namespace corvanta {

namespace {

constexpr int kListedFiles = 10;
constexpr int kQuoteLines = 12;
constexpr int kQuoteChars = 700;

QString doneMessage()
{
    return Text::tr("Done.");
}

// What the error report says when the Desktop folder cannot be made.
QString cannotCreateFolderText(const QString &folder)
{
    return Text::tr("Cannot create the folder %1.").arg(QDir::toNativeSeparators(folder));
}

// How to get pdftk on this system, in one sentence.
QString pdftkInstallHint()
{
#if defined(Q_OS_WIN)
    return Text::tr("Put pdftk.exe in Corvanta's folder, or install pdftk and add its folder to the PATH.");
#elif defined(Q_OS_MACOS)
    return Text::tr("To install it with Homebrew: brew install pdftk-java");
#else
    const QString system = QSysInfo::productType();
    if (system == QLatin1String("debian") || system == QLatin1String("ubuntu"))
        return Text::tr("To install it on Debian or Ubuntu: sudo apt install pdftk-java");
    return Text::tr("Install the package pdftk-java (or pdftk) with your system's package manager.");
#endif
}

// Every warning of a join that fails starts the same way.
QString notJoinedMessage(const QString &why)
{
    return Text::tr("The PDF files were not joined: %1").arg(why);
}

// One line per file, the first ten of them, then "… and N more".
QString listedFiles(const QStringList &lines)
{
    QString text = lines.mid(0, kListedFiles).join(QLatin1Char('\n'));
    if (lines.size() > kListedFiles)
        text += Text::tr("\n… and %1 more").arg(lines.size() - kListedFiles);
    return text;
}

// At most `maxLines` lines and `maxChars` characters of `text`, with "…"
// where it was cut.
QString shortenedText(const QString &text, int maxLines, int maxChars)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    bool cut = false;
    if (lines.size() > maxLines) {
        lines = lines.mid(0, maxLines);
        cut = true;
    }
    QString result = lines.join(QLatin1Char('\n'));
    if (result.size() > maxChars) {
        result.truncate(maxChars);
        cut = true;
    }
    if (cut)
        result = result.trimmed() + QStringLiteral(" …");
    return result;
}

QString couldNotBeChecked(const QString &why)
{
    return Text::tr("could not be checked safely: %1").arg(why);
}

// Why the checker could not read a file to its end.
QString limitReason(PdfProblem limit, const QString &detail)
{
    if (limit == PdfProblem::NeedsTooMuchMemory)
        return Text::tr("it needs more memory than allowed");
    if (limit == PdfProblem::TakesTooLong)
        return Text::tr("reading it takes too long");
    return detail.isEmpty() ? Text::tr("reading it failed") : detail;
}

QString reasonFor(const RefusedFile &file)
{
    switch (file.reason) {
    case RefusedFile::Reason::NoPasswordTyped:
        return Text::tr("needs a password; none was typed");
    case RefusedFile::Reason::PasswordCharacters:
        return Text::tr("the password typed for it has characters that pdftk cannot pass on; pdftk takes only "
                        "the letters and signs of Western European languages");
    case RefusedFile::Reason::PasswordPrompt:
        return Text::tr("pdftk cannot be given the password PROMPT: it takes that word as a request to ask for "
                        "the password");
    case RefusedFile::Reason::Problem:
        break;
    }
    switch (file.check.problem) {
    case PdfProblem::Missing:
        return Text::tr("does not exist");
    case PdfProblem::NotRegularFile:
        return Text::tr("is not a regular file");
    case PdfProblem::Unreadable:
        return Text::tr("cannot be read: %1").arg(file.check.detail);
    case PdfProblem::NotPdf:
        return Text::tr("is not a PDF file");
    case PdfProblem::NeedsPassword:
        return Text::tr("is password protected");
    case PdfProblem::WrongPassword:
        return Text::tr("the password typed for it is wrong");
    case PdfProblem::Damaged:
        return Text::tr("is damaged");
    case PdfProblem::UnsupportedEncryption:
        return Text::tr("is encrypted in a way that pdftk cannot open (such as AES-256)");
    case PdfProblem::PageTreeTooDeep:
        return Text::tr("has its pages nested more deeply than pdftk can follow");
    case PdfProblem::PageTreeLoop:
        return Text::tr("has a list of pages that leads back into itself");
    case PdfProblem::MalformedPage:
        return Text::tr("page %1 has a size that pdftk cannot read").arg(file.check.detail);
    case PdfProblem::UnsupportedCompression:
        return Text::tr("is compressed in a way that pdftk cannot read");
    case PdfProblem::DynamicXfa:
        return Text::tr("holds its pages in a dynamic XFA form, which pdftk cannot copy: the joined file would show "
                        "only a \"Please wait\" page");
    case PdfProblem::CrossReferenceLoop:
        return Text::tr("has cross-reference tables that lead back into themselves; pdftk would read it without end");
    case PdfProblem::NeedsTooMuchMemory:
    case PdfProblem::TakesTooLong:
    case PdfProblem::CheckFailed:
        return couldNotBeChecked(limitReason(file.check.problem, file.check.detail));
    case PdfProblem::None:
        break;
    }
    return QString();
}

QStringList linesOf(const QList<RefusedFile> &refused)
{
    QStringList lines;
    for (const RefusedFile &file : refused)
        lines.append(Text::tr("%1 — %2").arg(file.path, reasonFor(file)));
    return lines;
}

// pdftk says this whenever a password is given on its command line; it is
// advice about its own prompt, not about the join. Its closing "Done." would
// read as success in a warning. Its JVM names the options it was started
// with.
bool isPdftkChatter(const QString &line)
{
    return line.startsWith(QLatin1String("Warning: Using a password on the command line"))
        || line.startsWith(QLatin1String("Use the keyword PROMPT")) || line.startsWith(QLatin1String("Done."))
        || line.startsWith(QLatin1String("Picked up JAVA_TOOL_OPTIONS:"));
}

// pdftk's words as text a message box can show: a control character (or
// a byte that was not UTF-8, already U+FFFD) shows as U+FFFD, and a line
// longer than a message box is wide is cut.
QString readableLine(const QString &line)
{
    constexpr qsizetype kLongestLine = 160;
    QString clean;
    for (QChar c : line) {
        if (c == QLatin1Char('\r'))
            continue;
        clean +=
            c.category() == QChar::Other_Control && c != QLatin1Char('\t') ? QChar(QChar::ReplacementCharacter) : c;
    }
    return clean.size() > kLongestLine ? clean.left(kLongestLine) + QStringLiteral(" …") : clean;
}

QString quotedPdftkText(const JoinOutcome &outcome, const QString &outputPath, const QString &writtenPath)
{
    QString text = outcome.pdftkText;
    if (!writtenPath.isEmpty())
        text.replace(writtenPath, outputPath);
    QStringList kept;
    bool trace = false;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString clean = readableLine(line);
        trace = trace || isJavaStackFrame(clean);
        if (!isPdftkChatter(clean) && !clean.trimmed().isEmpty())
            kept.append(clean);
    }
    // Of a trace, only its first line says what went wrong.
    if (trace)
        kept = kept.mid(0, 1);
    const QString shortened = shortenedText(kept.join(QLatin1Char('\n')).trimmed(), kQuoteLines, kQuoteChars);
    if (shortened.isEmpty())
        return QString();
    return Text::tr("\n\npdftk reported:\n") + shortened;
}

// Which parts of a page differ, in words, so that a reader can tell a file
// swapped behind pdftk's back from a page drawn the same in other bytes.
QString differingPartsText(quint32 parts)
{
    QStringList differs;
    if (parts & (1u << int(PagePart::Geometry)))
        differs.append(Text::tr("its size or rotation"));
    if (parts & (1u << int(PagePart::Content)))
        differs.append(Text::tr("what it draws"));
    if (parts & (1u << int(PagePart::Resources)))
        differs.append(Text::tr("the fonts, images or drawings it uses"));
    if (parts & (1u << int(PagePart::Annotations)))
        differs.append(Text::tr("its annotations or form fields"));
    return differs.join(Text::tr("; "));
}

QString verificationText(const Verification &verification)
{
    if (verification.finding == Verification::Finding::Unreadable)
        return Text::tr("pdftk reported success, but the file it wrote is incomplete or damaged.");
    if (verification.finding == Verification::Finding::NotChecked) {
        return Text::tr("pdftk reported success, but the file it wrote could not be verified (%1), so it was not "
                        "kept. An existing joined.pdf is left as it was.")
            .arg(limitReason(verification.limit, QString()));
    }
    if (verification.finding == Verification::Finding::WrongPage) {
        const QString differs = differingPartsText(verification.differingParts);
        return Text::tr("pdftk reported success, but page %1 of the file it wrote is not page %2 of\n%3")
                   .arg(QString::number(verification.page), QString::number(verification.inputPage), verification.input)
            + (differs.isEmpty() ? QString() : Text::tr("\n\nWhat differs: %1.").arg(differs));
    }
    const ExpectedPages &expected = verification.expected;
    const QString wanted = QString::number(expected.counted + expected.uncounted);
    return (expected.uncounted
                ? Text::tr("pdftk reported success, but the file it wrote has the wrong number of pages: "
                           "%1 instead of at least %2.")
                : Text::tr("pdftk reported success, but the file it wrote has the wrong number of pages: "
                           "%1 instead of %2."))
               .arg(QString::number(verification.pages), wanted)
        + Text::tr("\n\nThe first file whose pages are not all in it:\n%1").arg(verification.input);
}

QString lostPartsText(const InputNote &note)
{
    // In the order a reader meets them; hidden layers shown say more than
    // layers lost.
    const quint32 lost = note.lostParts & ~((note.lostParts & HiddenLayers) ? quint32(Layers) : 0u);
    const std::pair<DocumentPart, const char *> texts[] = {
        {HiddenLayers, QT_TRANSLATE_NOOP("Corvanta", "its hidden layers are visible")},
        {Layers, QT_TRANSLATE_NOOP("Corvanta", "its layers can no longer be shown or hidden")},
        {NeedsAppearances, QT_TRANSLATE_NOOP("Corvanta", "form fields may show old values")},
        {FormDefaults,
         QT_TRANSLATE_NOOP("Corvanta",
                           "its form fields may show their text in another style, or "
                           "calculate in another order")},
        {RenamedFields,
         QT_TRANSLATE_NOOP("Corvanta",
                           "its form fields were renamed, because another file used "
                           "the same names")},
        {XfaForm, QT_TRANSLATE_NOOP("Corvanta", "its XFA form data is lost; its form fields remain")},
        {Signature, QT_TRANSLATE_NOOP("Corvanta", "its digital signature no longer applies")},
        {PageLabels, QT_TRANSLATE_NOOP("Corvanta", "page numbers such as i, ii are lost")},
        {NamedDestinations,
         QT_TRANSLATE_NOOP("Corvanta",
                           "the named places in it, which links from other files "
                           "can lead to, are lost")},
        {Attachments, QT_TRANSLATE_NOOP("Corvanta", "its attached files are lost")},
        {Tags, QT_TRANSLATE_NOOP("Corvanta", "its accessibility tags, which screen readers follow, are lost")},
        {Scripts, QT_TRANSLATE_NOOP("Corvanta", "its scripts are left out")},
        {ConformanceClaim,
         QT_TRANSLATE_NOOP("Corvanta",
                           "its claim to meet PDF/A or PDF/UA is left out, since the "
                           "joined file does not meet it")},
        {OpeningView, QT_TRANSLATE_NOOP("Corvanta", "the view it opens with, such as its bookmarks shown, is lost")},
        {OpeningPlace, QT_TRANSLATE_NOOP("Corvanta", "the page it opens at is lost")},
        {PageLayout, QT_TRANSLATE_NOOP("Corvanta", "how it lays out its pages, such as two side by side, is lost")},
        {ViewerPreferences, QT_TRANSLATE_NOOP("Corvanta", "its settings for the viewer are lost")},
        {Language, QT_TRANSLATE_NOOP("Corvanta", "its language setting is lost")},
        {DocumentInfo, QT_TRANSLATE_NOOP("Corvanta", "its title, author, subject and keywords are lost")},
        {Metadata, QT_TRANSLATE_NOOP("Corvanta", "its description (XMP metadata) is lost")},
    };
    QStringList said;
    for (const auto &[part, text] : texts) {
        if (lost & part)
            said.append(Text::tr(text));
    }
    if (note.unchecked)
        said.append(Text::tr("its pages could not all be checked"));
    return said.join(Text::tr("; "));
}

} // namespace

QString noFilesAddedMessage()
{
    return Text::tr("No files added.");
}

QString openJoinedFileQuestion(const QString &outputPath)
{
    return Text::tr("Joined PDF was saved on the Desktop. Would you like to open the joined "
                    "file to view the results? (%1)")
        .arg(outputPath);
}

QString stopRunningJoinQuestion()
{
    return Text::tr("A join is already running. Would you like to stop it?\n\n"
                    "Stopping throws away what has been joined so far; an existing joined.pdf is left as it was.");
}

QString filesStillBeingAddedMessage()
{
    return Text::tr("Files are still being added to the list. Please start joining when they are all in.");
}

QString joinSavedMessage(const QString &outputPath, const QString &savedPath, const QString &reason)
{
    if (savedPath == outputPath)
        return doneMessage();
    // The doubled separator the paths keep elsewhere is only noise here.
    const auto shown = [](const QString &path) { return QDir::toNativeSeparators(QDir::cleanPath(path)); };
    return doneMessage()
        + Text::tr("\n\n%1 could not be replaced (%2), so the joined file was saved as\n%3")
              .arg(shown(outputPath), reason, shown(savedPath));
}

QString passwordPromptTitle()
{
    return Text::tr("Input Password");
}

QString passwordPrompt(const QString &path)
{
    return Text::tr("Enter password for file (%1): \r\nNote: Leave this box blank if file is not password protected")
        .arg(path);
}

QString checkerMissingMessage(const QString &checker)
{
    return notJoinedMessage(Text::tr("Corvanta's PDF checker is missing:\n%1\n\nPlease install Corvanta again.")
                                .arg(QDir::toNativeSeparators(checker)));
}

QString notEnoughSpaceMessage(qint64 needed, qint64 available, const QString &drive)
{
    const QLocale locale;
    return notJoinedMessage(Text::tr("there is not enough free space for the joined file on the Desktop's drive "
                                     "(%1).\n\nIt needs about %2; %3 are free.")
                                .arg(QDir::toNativeSeparators(drive), locale.formattedDataSize(needed),
                                     locale.formattedDataSize(available)));
}

QString refusedInputsMessage(const QList<RefusedFile> &refused)
{
    QString text = notJoinedMessage(
        (refused.size() == 1 ? Text::tr("this file cannot be used.\n\n") : Text::tr("these files cannot be used.\n\n"))
        + listedFiles(linesOf(refused)));
    const bool protectedFile = std::any_of(refused.begin(), refused.end(), [](const RefusedFile &file) {
        return file.check.problem == PdfProblem::NeedsPassword;
    });
    if (protectedFile) {
        text += Text::tr("\n\nTo join password-protected files, tick \"Prompt for password because "
                         "PDF files are password protected\" and type each file's password when asked.");
    }
    return text;
}

QString refusedPasswordsMessage(const QList<RefusedFile> &refused)
{
    return notJoinedMessage((refused.size() == 1 ? Text::tr("a password is missing or wrong.\n\n")
                                                 : Text::tr("passwords are missing or wrong.\n\n"))
                            + listedFiles(linesOf(refused)));
}

QString pdftkNotFoundMessage(const QString &appFolder)
{
    return notJoinedMessage(
        Text::tr("pdftk was not found.\n\nCorvanta looks for pdftk in its own folder (%1) and on the PATH.\n")
            .arg(appFolder)
        + pdftkInstallHint());
}

QString joinFailureMessage(const JoinOutcome &outcome, const QStringList &damagedInputs, const QString &outputPath,
                           const QString &writtenPath)
{
    const QString quote = quotedPdftkText(outcome, outputPath, writtenPath);
    // A full drive makes pdftk fail on whichever input it was copying, and
    // its words then blame that input.
    if (outcome.driveFull && outcome.kind != JoinOutcome::Kind::Cancelled) {
        return notJoinedMessage(Text::tr("the Desktop's drive ran out of free space while pdftk wrote the joined "
                                         "file. It needs about %1.")
                                    .arg(QLocale().formattedDataSize(outcome.spaceNeeded)));
    }
    switch (outcome.kind) {
    case JoinOutcome::Kind::Joined:
    case JoinOutcome::Kind::Cancelled:
        return QString();
    case JoinOutcome::Kind::PdftkNotStarted:
        return notJoinedMessage(Text::tr("pdftk could not be started.\n\n") + outcome.reason);
    case JoinOutcome::Kind::PdftkCrashed:
        return notJoinedMessage(Text::tr("pdftk stopped unexpectedly.") + quote);
    case JoinOutcome::Kind::NoOutput:
        return notJoinedMessage(Text::tr("pdftk reported success but wrote no file.") + quote);
    case JoinOutcome::Kind::Unverified:
        return notJoinedMessage(verificationText(outcome.verification));
    case JoinOutcome::Kind::NotSaved:
        return Text::tr("The PDF files were joined, but the result could not be saved as\n%1\n\n%2"
                        "\n\nThe joined file is kept as\n%3")
            .arg(outputPath, outcome.reason, outcome.keptAs);
    case JoinOutcome::Kind::PdftkFailed:
        break;
    }
    if (!outcome.failingInput.isEmpty())
        return notJoinedMessage(Text::tr("pdftk cannot read this file:\n%1").arg(outcome.failingInput) + quote);
    if (!damagedInputs.isEmpty()) {
        return notJoinedMessage((damagedInputs.size() == 1 ? Text::tr("pdftk could not repair this damaged file:\n")
                                                           : Text::tr("pdftk could not repair these damaged files:\n"))
                                + listedFiles(damagedInputs) + quote);
    }
    if (!outcome.folderWritable)
        return notJoinedMessage(Text::tr("the joined file cannot be written to this folder:\n") + outputPath + quote);
    return notJoinedMessage(Text::tr("pdftk ended with exit code %1.").arg(outcome.exitCode) + quote);
}

QString notesAfterJoinMessage(const QList<InputNote> &notes, const QString &savedPath)
{
    QStringList lines;
    for (const InputNote &note : notes)
        lines.append(Text::tr("%1 — %2").arg(note.path, lostPartsText(note)));
    const QString saved = QFileInfo(savedPath).fileName();
    return (notes.size() == 1
                ? Text::tr("%1 does not show everything of this file as the file itself does:\n\n").arg(saved)
                : Text::tr("%1 does not show everything of these files as the files themselves do:\n\n").arg(saved))
        + listedFiles(lines);
}

QString desktopFolderFailureText(const QString &folder)
{
    const QString parent = QFileInfo(QDir::cleanPath(folder)).absolutePath();
    if (QFileInfo(parent).isDir())
        return cannotCreateFolderText(folder);
    return Text::tr("The Desktop folder %1 cannot be made: the folder it belongs in,\n%2,\ndoes not exist. Is a "
                    "drive or network share missing?")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)), QDir::toNativeSeparators(parent));
}

QString neededPasswordPrompt(const QString &path)
{
    return Text::tr("The file (%1) is password protected. Enter its password:\nNote: Leave this box blank or choose "
                    "Cancel to stop joining")
        .arg(path);
}

QString wrongPasswordPrompt(const QString &path)
{
    return Text::tr("The password typed for file (%1) is wrong. Enter its password again:\nNote: Leave this box "
                    "blank or choose Cancel to stop joining")
        .arg(path);
}

} // namespace corvanta
