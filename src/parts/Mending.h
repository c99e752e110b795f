#pragma once

#include "parts/DocumentParts.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <memory>
#include <vector>

namespace corvanta {

// One input of a join whose result is to be mended.
struct MendInput
{
    QString path;
    QString password;
    qint64 pages = 0;
    quint32 parts = 0; // its DocumentParts, as its check found them
};

// pdftk's result `written`, joined from `inputs` in their order, and where
// the mended copy goes.
struct MendRequest
{
    QString written;
    QString mended;
    QList<MendInput> inputs;
};

// What came of putting back what pdftk left behind.
struct MendReport
{
    // The mended copy was written and, read back, holds every part it was
    // to hold; pdftk's result is then the one to throw away.
    bool mended = false;
    // For each input, the parts it has that the kept file lacks
    // (DocumentParts), among them RenamedFields.
    QList<quint32> lost;
    // For each input, the parts the mended copy holds and pdftk's result
    // lacks: lost too where pdftk's result is kept after all.
    QList<quint32> putBack;
    // Why nothing was mended, in the library's words, for a closer look.
    QString detail;
};

// What is lost when nothing is mended: every part the join must put back or
// name, in each input.
inline MendReport nothingMended(const MendRequest &request, const QString &detail = QString())
{
    MendReport report;
    report.detail = detail;
    for (qsizetype i = 0; i < request.inputs.size(); ++i)
        report.lost.append(partsToCarry(request.inputs.at(i).parts, i));
    return report;
}

// Writes the mended copy of a join where some input has a part that pdftk
// left behind: each input's page labels, named destinations, attachments,
// layers and form settings, and the first input's language, view, opening
// place, document information and XMP description. What cannot be put back,
// or does not hold once written and read back, is reported lost; then
// nothing is written. `work` counts the objects gone through. Throws
// std::bad_alloc when memory runs out.
// `structures` keeps the library's hold of the files, for the caller to
// free once it has answered: freeing them takes a third of the mending.
MendReport mendJoin(const MendRequest &request, std::atomic<qint64> *work = nullptr,
                    std::vector<std::shared_ptr<void>> *structures = nullptr);

// Whether a join of inputs with these parts calls for mending: one of them
// has a part to put back, or two have form fields that pdftk may rename.
inline bool needsMending(const QList<quint32> &inputParts)
{
    int withFields = 0;
    for (qsizetype i = 0; i < inputParts.size(); ++i) {
        if (partsToCarry(inputParts.at(i), i) & (kEveryInputParts | kFirstInputParts))
            return true;
        if (inputParts.at(i) & FormFields)
            ++withFields;
    }
    return withFields > 1;
}

} // namespace corvanta
