#pragma once

#include "check/PdfCheck.h"
#include "core/KeepGoing.h"
#include "join/JoinCommand.h"
#include "parts/Mending.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace corvanta {

class Checker;
class KeptChecks;

// A list of 800,000 inputs takes a while to make, so this asks keepGoing
// as it goes; stopped, it returns an empty list.
QList<JoinEntry> entriesOf(const QStringList &paths, const KeepGoing &keepGoing = {});

// A file that stops a join, and why.
struct RefusedFile
{
    enum class Reason {
        Problem,            // the check's problem
        NoPasswordTyped,    // a protected file with a blank password
        PasswordCharacters, // a password with characters pdftk cannot hand on as typed
        PasswordPrompt,     // the password "PROMPT", which pdftk takes for a request
    };
    QString path;
    PdfCheck check;
    Reason reason = Reason::Problem;
};

// Checks every input once, also when the list names a file twice, unless
// `kept` still holds a check of it; what is found is kept there too.
// `keepGoing` is asked for each input. Returns false when it or the
// checker stopped.
bool checkInputs(QList<JoinEntry> &inputs, Checker &checker, KeptChecks *kept = nullptr,
                 const KeepGoing &keepGoing = {});

// The inputs that cannot be joined whatever the user types. A file that
// needs a password only counts when there will be a prompt for it; a
// damaged file does not count, since pdftk may still repair it.
QList<RefusedFile> refusedInputs(const QList<JoinEntry> &inputs, bool passwordsPrompted);

// Whether pdftk hands `password` on to the PDF library as typed. It takes
// printable Latin-1 and the few other characters of the PDF's own
// single-byte encoding; anything else it refuses or quietly changes, and
// "PROMPT" it takes for a request to read the password from its input.
bool pdftkPassesPassword(const QString &password);

// Opens each encrypted input with the password typed for it, so that its
// check tells whether the password is right and what the pages are.
// Returns false when the checker or `keepGoing` stopped.
bool checkPasswords(QList<JoinEntry> &inputs, Checker &checker, const KeepGoing &keepGoing = {});

// The encrypted inputs whose password is wrong, missing where one is
// needed, or one that pdftk cannot pass on.
QList<RefusedFile> refusedPasswords(const QList<JoinEntry> &inputs);

// The paths of the inputs that are damaged, for naming when pdftk fails.
QStringList damagedInputs(const QList<JoinEntry> &inputs);

// The pages a joined file must have. Inputs whose pages could not be
// walked add at least one page each.
struct ExpectedPages
{
    qint64 counted = 0;
    qint64 uncounted = 0;

    bool matches(qint64 pages) const;
};
ExpectedPages expectedPagesOf(const QList<PdfCheck> &checks);

// How a file that pdftk wrote from `inputs` measures up to them, page by
// page: each page must be the page of the inputs, in list order, that it
// stands for. Inputs whose pages could not be counted stand for at least
// one page each, whatever they hold; a page that could not be read stands
// for any one page.
struct Verification
{
    enum class Finding {
        Sound,
        Unreadable,     // the written file is not a PDF whose pages can be walked
        NotChecked,     // reading it passed a limit of the checker; `limit` says which
        WrongPageCount, // `input` is the first whose pages are not all there
        WrongPage,
        Stopped,
    };
    Finding finding = Finding::Sound;
    qint64 pages = 0; // the pages of the written file
    ExpectedPages expected;
    // WrongPage: the first page that is not what it should be (from 1),
    // which page of which input it should have been, and which of its parts
    // differ (PagePart bits).
    qint64 page = 0;
    QString input;
    qint64 inputPage = 0;
    quint32 differingParts = 0;
    PdfProblem limit = PdfProblem::None;
    // Inputs with a page that the library had to repair and pdftk wrote
    // otherwise: neither reading is known to be the right one.
    QStringList unconfirmed;
};
Verification verifyJoinedPdf(const QString &path, const QList<JoinEntry> &inputs, Checker &checker);

// The same, from what the checker found in the written file.
Verification compareJoinedPages(const PdfCheck &written, const QList<JoinEntry> &inputs);

// The CPU time the written file's check may take before its own work earns
// it more: what its inputs took, with room to spare, since it holds all of
// their pages. It earns by its pages, objects and bytes as an input does.
qint64 resultCheckMilliseconds(const QList<JoinEntry> &inputs, qint64 perFile);

// What a sound join did not carry over from one input: the parts the kept
// result lacks, and whether some of its pages could not be checked.
struct InputNote
{
    QString path;
    quint32 lostParts = 0; // DocumentPart flags
    bool unchecked = false;
};
// Whether the result of a join of these inputs is to be mended: some input
// has a part that pdftk leaves behind, and every input's pages are known.
bool mendingNeeded(const QList<JoinEntry> &inputs);
// The join as mending takes it: pdftk's result `written`, the mended copy's
// name, and the inputs as their checks found them.
MendRequest mendRequest(const QList<JoinEntry> &inputs, const QString &written, const QString &mended);

// One note for each input, once, that has something to say; `lostParts`
// holds what each input lost, in list order.
QList<InputNote> notesAfterJoin(const QList<JoinEntry> &inputs, const Verification &verification,
                                const QList<quint32> &lostParts);

} // namespace corvanta
