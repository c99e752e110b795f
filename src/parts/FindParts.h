#pragma once

#include <QtGlobal>

class QPDF;
class QPDFObjectHandle;

namespace corvanta {

// The DocumentPart flags of a document: what it holds beyond its pages,
// read without repairing anything, so that reading them is no damage.
quint32 documentParts(QPDF &pdf);

// Whether a document's XMP description claims that it meets PDF/A or PDF/UA.
bool claimsConformance(QPDFObjectHandle metadata);

} // namespace corvanta
