#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace corvanta {

// What an XMP description says of its document that the document
// information dictionary says too.
struct XmpFacts
{
    QString created;
    QString modified;
    QString producer;
    QString creatorTool;
    QString title;

    friend bool operator==(const XmpFacts &a, const XmpFacts &b)
    {
        return a.created == b.created && a.modified == b.modified && a.producer == b.producer
            && a.creatorTool == b.creatorTool && a.title == b.title;
    }
};

// The XMP packet made true of a joined document: its dates, producer,
// creating tool and title (where `facts` has them) set to the facts, a new
// instance id, and no claim to meet PDF/A or PDF/UA, which the joined file
// does not. Empty when the packet is no XML that can be read.
QByteArray rewrittenXmp(const QByteArray &xmp, const XmpFacts &facts);

// What an XMP packet states of those facts; empty where it states nothing.
XmpFacts xmpFacts(const QByteArray &xmp);

// A PDF date ("D:20261209180000+01'00'") as XMP writes it
// ("2026-12-09T18:00:00+01:00"); "" when it is none.
QString xmpDate(const std::string &pdfDate);

} // namespace corvanta
