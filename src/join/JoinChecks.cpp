#include "join/JoinChecks.h"

#include "process/Checker.h"
#include "process/KeptChecks.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <optional>

namespace corvanta {

namespace {

// pdftk's single-byte encoding for passwords beyond Latin-1: the PDF's own
// encoding of these characters, which it maps as they are.
bool isPdfDocSpecial(char16_t c)
{
    static constexpr char16_t kSpecial[] = {0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2039, 0x203A,
                                            0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x201A, 0x2122, 0x0152,
                                            0x0160, 0x0178, 0x017D, 0x0153, 0x0161, 0x017E, 0x20AC, 0x02C6, 0x02DC};
    return std::find(std::begin(kSpecial), std::end(kSpecial), c) != std::end(kSpecial);
}

// Where the pages of `stretch` stand in `written` at or after page `from`, or -1.
qint64 find(const QByteArray &written, const QByteArray &stretch, qint64 from)
{
    for (qint64 at = written.indexOf(stretch, from * kFingerprintBytes); at >= 0;
         at = written.indexOf(stretch, at + 1)) {
        if (at % kFingerprintBytes == 0)
            return at / kFingerprintBytes;
    }
    return -1;
}

bool samePage(const QByteArray &written, qint64 page, const QByteArray &own, qint64 ownPage)
{
    const QByteArrayView expected = QByteArrayView(own).sliced(ownPage * kFingerprintBytes, kFingerprintBytes);
    return isUncheckedPage(expected)
        || QByteArrayView(written).sliced(page * kFingerprintBytes, kWholePageBytes) == expected.first(kWholePageBytes);
}

bool hasUncheckedPages(const PdfCheck &check)
{
    if (check.pages < 0)
        return true;
    for (qint64 page = 0; page < check.pages; ++page) {
        if (isUncheckedPage(QByteArrayView(check.fingerprints).sliced(page * kFingerprintBytes, kFingerprintBytes)))
            return true;
    }
    return false;
}

const JoinEntry &firstUncounted(const QList<JoinEntry> &inputs)
{
    for (const JoinEntry &input : inputs) {
        if (input.check.fingerprints.isEmpty())
            return input;
    }
    return inputs.constLast();
}

Verification wrongCount(Verification verification, const JoinEntry &input)
{
    verification.finding = Verification::Finding::WrongPageCount;
    verification.input = input.Path;
    return verification;
}

QByteArrayView fingerprintOf(const QByteArray &fingerprints, qint64 page)
{
    return QByteArrayView(fingerprints).sliced(page * kFingerprintBytes, kFingerprintBytes);
}

// The parts whose tags differ between two fingerprints, as PagePart bits.
quint32 differingParts(QByteArrayView one, QByteArrayView other)
{
    quint32 parts = 0;
    for (int part = 0; part < kPageParts; ++part) {
        const qsizetype at = kWholePageBytes + part * kPartTagBytes;
        if (one.sliced(at, kPartTagBytes) != other.sliced(at, kPartTagBytes))
            parts |= 1u << part;
    }
    return parts;
}

Verification wrongPage(Verification verification, const QByteArray &written, qint64 page, const JoinEntry &input,
                       qint64 inputPage)
{
    verification.finding = Verification::Finding::WrongPage;
    verification.page = page + 1;
    verification.input = input.Path;
    verification.inputPage = inputPage + 1;
    if (page < written.size() / kFingerprintBytes && inputPage < input.check.fingerprints.size() / kFingerprintBytes)
        verification.differingParts =
            differingParts(fingerprintOf(written, page), fingerprintOf(input.check.fingerprints, inputPage));
    return verification;
}

} // namespace

QList<JoinEntry> entriesOf(const QStringList &paths, const KeepGoing &keepGoing)
{
    QList<JoinEntry> inputs;
    inputs.reserve(paths.size());
    for (const QString &path : paths) {
        if (!goesOn(keepGoing))
            return {};
        inputs.append({path, QString()});
    }
    return inputs;
}

bool checkInputs(QList<JoinEntry> &inputs, Checker &checker, KeptChecks *kept, const KeepGoing &keepGoing)
{
    // The first input of each file that had no check kept: what is found
    // of it is kept.
    QList<qsizetype> unkept;
    if (kept) {
        QHash<QString, std::optional<PdfCheck>> keptFor;
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            if (!goesOn(keepGoing))
                return false;
            JoinEntry &input = inputs[i];
            auto known = keptFor.constFind(input.Path);
            if (known == keptFor.constEnd()) {
                known = keptFor.insert(input.Path, kept->find(input.Path));
                if (!known->has_value())
                    unkept.append(i);
            }
            input.check = known->has_value() ? **known : PdfCheck();
        }
    }
    // A kept check is known by its file's identity, which a check that
    // never happened lacks.
    const auto unread = [](const JoinEntry &input) { return !input.check.identity.isKnown(); };
    if (unkept.size() == 1 && kept) {
        // One file alone, such as one changed since it was read ahead, is
        // shared out between the checkers by the pages it had then.
        const QString path = inputs.at(unkept.first()).Path;
        const PdfCheck check = checker.checkFile(path, 0, kept->pagesLastFound(path));
        if (checker.isCancelled())
            return false;
        for (JoinEntry &input : inputs) {
            if (input.Path == path)
                input.check = check;
        }
    } else if (!checker.check(inputs, unread, 0, keepGoing)) {
        return false;
    }
    for (const qsizetype i : std::as_const(unkept))
        kept->keep(inputs.at(i).Path, inputs.at(i).check);
    return true;
}

QList<RefusedFile> refusedInputs(const QList<JoinEntry> &inputs, bool passwordsPrompted)
{
    QList<RefusedFile> refused;
    for (const JoinEntry &input : inputs) {
        switch (input.check.problem) {
        case PdfProblem::None:
        case PdfProblem::Damaged:
        case PdfProblem::WrongPassword: // never, without a password
            continue;
        case PdfProblem::NeedsPassword:
            if (passwordsPrompted)
                continue;
            break;
        case PdfProblem::Missing:
        case PdfProblem::NotRegularFile:
        case PdfProblem::Unreadable:
        case PdfProblem::NotPdf:
        case PdfProblem::UnsupportedEncryption:
        case PdfProblem::PageTreeTooDeep:
        case PdfProblem::PageTreeLoop:
        case PdfProblem::MalformedPage:
        case PdfProblem::UnsupportedCompression:
        case PdfProblem::CrossReferenceLoop:
        case PdfProblem::DynamicXfa:
        case PdfProblem::NeedsTooMuchMemory:
        case PdfProblem::TakesTooLong:
        case PdfProblem::CheckFailed:
            break;
        }
        refused.append({input.Path, input.check});
    }
    return refused;
}

bool pdftkPassesPassword(const QString &password)
{
    if (password == QLatin1String("PROMPT"))
        return false;
    return std::all_of(password.cbegin(), password.cend(), [](QChar c) {
        const char16_t unit = c.unicode();
        return (unit >= 0x20 && unit <= 0x7E) || (unit >= 0xA0 && unit <= 0xFF) || isPdfDocSpecial(unit);
    });
}

bool checkPasswords(QList<JoinEntry> &inputs, Checker &checker, const KeepGoing &keepGoing)
{
    // A file without encryption ignores a password; pdftk does too. Without
    // a password, pdftk opens a file exactly when the first check did.
    return checker.check(
        inputs,
        [](const JoinEntry &input) {
            return input.check.encrypted && !input.Password.isEmpty() && pdftkPassesPassword(input.Password);
        },
        0, keepGoing);
}

QList<RefusedFile> refusedPasswords(const QList<JoinEntry> &inputs)
{
    QList<RefusedFile> refused;
    for (const JoinEntry &input : inputs) {
        if (!input.Password.isEmpty() && !pdftkPassesPassword(input.Password))
            refused.append({input.Path, input.check,
                            input.Password == QLatin1String("PROMPT") ? RefusedFile::Reason::PasswordPrompt
                                                                      : RefusedFile::Reason::PasswordCharacters});
        else if (input.check.problem == PdfProblem::WrongPassword)
            refused.append({input.Path, input.check});
        else if (input.check.problem == PdfProblem::NeedsPassword && input.Password.isEmpty())
            refused.append({input.Path, input.check, RefusedFile::Reason::NoPasswordTyped});
        else if (input.check.encrypted && isCheckLimit(input.check.problem))
            refused.append({input.Path, input.check});
    }
    return refused;
}

QStringList damagedInputs(const QList<JoinEntry> &inputs)
{
    QStringList damaged;
    for (const JoinEntry &input : inputs) {
        if (input.check.problem == PdfProblem::Damaged && !damaged.contains(input.Path))
            damaged.append(input.Path);
    }
    return damaged;
}

bool ExpectedPages::matches(qint64 pages) const
{
    return uncounted == 0 ? pages == counted : pages >= counted + uncounted;
}

ExpectedPages expectedPagesOf(const QList<PdfCheck> &checks)
{
    ExpectedPages expected;
    for (const PdfCheck &check : checks) {
        if (check.pages >= 0)
            expected.counted += check.pages;
        else
            ++expected.uncounted;
    }
    return expected;
}

Verification verifyJoinedPdf(const QString &path, const QList<JoinEntry> &inputs, Checker &checker)
{
    QList<PdfCheck> checks;
    for (const JoinEntry &input : inputs)
        checks.append(input.check);
    const PdfCheck written = checker.checkFile(path, resultCheckMilliseconds(inputs, checker.limits().cpuMilliseconds),
                                               expectedPagesOf(checks).counted);
    if (checker.isCancelled()) {
        Verification stopped;
        stopped.finding = Verification::Finding::Stopped;
        return stopped;
    }
    return compareJoinedPages(written, inputs);
}

namespace {

// Whether the written file cannot be compared page by page; the finding
// then says why.
bool cannotCompare(const PdfCheck &written, Verification &verification)
{
    if (isCheckLimit(written.problem)) {
        // Too much for the checker is no sign that pdftk's file is wrong.
        verification.finding = Verification::Finding::NotChecked;
        verification.limit = written.problem;
        return true;
    }
    // A file whose pages were all walked is judged by them, even where the
    // library had to repair something on the way.
    if (written.pages < 0 || (written.problem != PdfProblem::None && written.problem != PdfProblem::Damaged)) {
        verification.finding = Verification::Finding::Unreadable;
        return true;
    }
    return false;
}

} // namespace

Verification compareJoinedPages(const PdfCheck &written, const QList<JoinEntry> &inputs)
{
    Verification verification;
    if (cannotCompare(written, verification))
        return verification;
    QList<PdfCheck> checks;
    for (const JoinEntry &input : inputs)
        checks.append(input.check);
    verification.expected = expectedPagesOf(checks);
    verification.pages = written.pages;
    const bool rightCount = verification.expected.matches(written.pages);
    const QByteArray &pages = written.fingerprints;
    const auto wrong = [&](qint64 page, const JoinEntry &input, qint64 inputPage) {
        return rightCount ? wrongPage(verification, pages, page, input, inputPage) : wrongCount(verification, input);
    };
    // Each input's pages must come next, in list order. An input whose pages
    // could not be counted (no fingerprints) takes at least one page, as many
    // as it must for the next input's pages to be found after them.
    qint64 at = 0;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const JoinEntry &input = inputs.at(i);
        const QByteArray &own = input.check.fingerprints;
        if (own.isEmpty()) {
            ++at;
            continue;
        }
        const qint64 length = own.size() / kFingerprintBytes;
        const bool afterUnknown = i > 0 && inputs.at(i - 1).check.fingerprints.isEmpty();
        const bool last = i + 1 == inputs.size();
        qint64 found = at;
        if (afterUnknown)
            found = last ? written.pages - length : find(pages, own, at);
        if (found < at || found + length > written.pages)
            return wrong(at, input, 0);
        for (qint64 page = 0; page < length; ++page) {
            if (samePage(pages, found + page, own, page))
                continue;
            const QByteArray &repaired = input.check.repairedPages;
            if (page >= repaired.size() || repaired.at(page) != '\1')
                return wrong(found + page, input, page);
            if (!verification.unconfirmed.contains(input.Path))
                verification.unconfirmed.append(input.Path);
        }
        at = found + length;
    }
    if (!inputs.isEmpty() && !inputs.constLast().check.fingerprints.isEmpty() && at != written.pages)
        return wrong(at, inputs.constLast(), 0);
    if (!rightCount)
        return wrongCount(verification, firstUncounted(inputs));
    return verification;
}

qint64 resultCheckMilliseconds(const QList<JoinEntry> &inputs, qint64 perFile)
{
    // Each input's pages come once more in the result, and are read there
    // from a larger file: each brings what it was granted and twice what it
    // took, up to what one file may ever take.
    qint64 granted = perFile;
    for (const JoinEntry &input : inputs)
        granted += std::min(perFile + 2 * input.check.cpuMilliseconds, kCheckCeilingMilliseconds);
    return granted;
}

bool mendingNeeded(const QList<JoinEntry> &inputs)
{
    QList<quint32> parts;
    for (const JoinEntry &input : inputs) {
        if (input.check.pages < 0)
            return false;
        parts.append(input.check.parts);
    }
    return needsMending(parts);
}

MendRequest mendRequest(const QList<JoinEntry> &inputs, const QString &written, const QString &mended)
{
    MendRequest request{written, mended, {}};
    for (const JoinEntry &input : inputs)
        request.inputs.append({input.Path, input.Password, input.check.pages, input.check.parts});
    return request;
}

QList<InputNote> notesAfterJoin(const QList<JoinEntry> &inputs, const Verification &verification,
                                const QList<quint32> &lostParts)
{
    QList<InputNote> notes;
    QHash<QString, qsizetype> noted;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const JoinEntry &input = inputs.at(i);
        const InputNote note{input.Path, lostParts.value(i),
                             hasUncheckedPages(input.check) || verification.unconfirmed.contains(input.Path)};
        if (!note.lostParts && !note.unchecked)
            continue;
        // A file listed twice is named once, with all it lost.
        const auto known = noted.constFind(input.Path);
        if (known != noted.constEnd()) {
            notes[*known].lostParts |= note.lostParts;
            continue;
        }
        noted.insert(input.Path, notes.size());
        notes.append(note);
    }
    return notes;
}

} // namespace corvanta
