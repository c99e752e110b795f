#pragma once

#include "check/PdfCheck.h"
#include "parts/PdfValues.h"

#include <QByteArray>

#include <qpdf/QPDFObjectHandle.hh>

#include <memory>

class QCryptographicHash;

namespace corvanta {

struct ReadingWork;

// Objects nested deeper than this, through arrays, dictionaries and
// references, are not followed; the page that holds them is not checked.
inline constexpr int kDeepestObject = 1000;

// What a page takes from the nodes above it, unless it has its own.
struct Inherited
{
    QPDFObjectHandle mediaBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle cropBox = QPDFObjectHandle::newNull();
    QPDFObjectHandle rotate = QPDFObjectHandle::newNull();
    QPDFObjectHandle resources = QPDFObjectHandle::newNull();
};

// The fingerprints of the pages of one file, in the form pdftk's copy of
// them keeps: references followed and hashed by what they hold, so object
// numbers and key order do not count; streams by what they hold, not how
// they are packed; back references left out. Objects that many pages share,
// such as fonts, are hashed once per file.
class PageFingerprints
{
public:
    enum class Read { Whole, Unchecked, Malformed };

    explicit PageFingerprints(ReadingWork *work);
    ~PageFingerprints();
    PageFingerprints(const PageFingerprints &) = delete;
    PageFingerprints &operator=(const PageFingerprints &) = delete;

    // Appends the fingerprint of `page` to `out`: kFingerprintBytes, or
    // uncheckedPage() where it could not be read whole. Malformed (nothing
    // appended) for a page whose size is not four numbers.
    Read add(QPDFObjectHandle page, const Inherited &inherited, QByteArray &out);
    // Whether a page added holds a form field's widget: pdftk makes a field
    // of each, whether the form lists it or not.
    bool sawWidgets() const { return m_widgets; }

private:
    class Drawn;
    bool addAnnotations(QPDFObjectHandle page, QCryptographicHash &hash);

    std::unique_ptr<Drawn> m_drawn;
    bool m_widgets = false;
};

} // namespace corvanta
