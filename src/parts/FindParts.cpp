#include "parts/FindParts.h"

#include "parts/DocumentParts.h"
#include "parts/PdfValues.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>

#include <memory>

namespace corvanta {

namespace {

// A name tree with at least one name in it (or below it).
bool hasNames(QPDFObjectHandle tree)
{
    return tree.isDictionary() && (isFilledArray(tree.getKey("/Names")) || isFilledArray(tree.getKey("/Kids")));
}

bool isTrue(QPDFObjectHandle value)
{
    return value.isBool() && value.getBoolValue();
}

bool isFilledString(QPDFObjectHandle value)
{
    return value.isString() && !value.getStringValue().empty();
}

// Page labels other than the plain 1, 2, 3 a reader shows without any.
bool hasOwnPageLabels(QPDFObjectHandle labels)
{
    if (!labels.isDictionary())
        return false;
    QPDFObjectHandle numbers = labels.getKey("/Nums");
    if (labels.hasKey("/Kids") || !numbers.isArray() || numbers.getArrayNItems() != 2)
        return hasNames(labels) || isFilledArray(numbers);
    QPDFObjectHandle first = numbers.getArrayItem(0);
    QPDFObjectHandle label = numbers.getArrayItem(1);
    const bool decimal = valueAt(label, {"/S"}).isNameAndEquals("/D");
    QPDFObjectHandle start = valueAt(label, {"/St"});
    const bool fromOne = start.isNull() || (start.isInteger() && start.getIntValue() == 1);
    return !(first.isInteger() && first.getIntValue() == 0 && decimal && fromOne
             && !isFilledString(valueAt(label, {"/P"})));
}

// An action that runs a script.
bool isScript(QPDFObjectHandle action)
{
    return valueAt(action, {"/S"}).isNameAndEquals("/JavaScript");
}

// An opening action that only goes to a place.
bool isDestination(QPDFObjectHandle action)
{
    return action.isArray() || valueAt(action, {"/S"}).isNameAndEquals("/GoTo");
}

// Whether some top-level field is a signature that has been signed.
bool isSigned(QPDFObjectHandle acroForm)
{
    QPDFObjectHandle flags = valueAt(acroForm, {"/SigFlags"});
    if (flags.isInteger() && (flags.getIntValue() & 1))
        return true;
    QPDFObjectHandle fields = valueAt(acroForm, {"/Fields"});
    if (!fields.isArray())
        return false;
    for (QPDFObjectHandle field : fields.getArrayAsVector()) {
        if (valueAt(field, {"/FT"}).isNameAndEquals("/Sig") && valueAt(field, {"/V"}).isDictionary())
            return true;
    }
    return false;
}

quint32 formParts(QPDFObjectHandle root)
{
    QPDFObjectHandle acroForm = root.getKey("/AcroForm");
    quint32 parts = 0;
    if (!acroForm.isDictionary())
        return 0;
    if (isFilledArray(acroForm.getKey("/Fields")))
        parts |= FormFields;
    if (isTrue(acroForm.getKey("/NeedAppearances")))
        parts |= NeedsAppearances;
    if (isFilledString(acroForm.getKey("/DA")) || acroForm.getKey("/Q").isInteger()
        || isFilledArray(acroForm.getKey("/CO")))
        parts |= FormDefaults;
    if (!acroForm.getKey("/XFA").isNull())
        parts |= isTrue(root.getKey("/NeedsRendering")) ? DynamicXfa : XfaForm;
    if (isSigned(acroForm))
        parts |= Signature;
    return parts;
}

quint32 viewParts(QPDFObjectHandle root)
{
    quint32 parts = 0;
    QPDFObjectHandle mode = root.getKey("/PageMode");
    for (const char *view : {"/UseOutlines", "/UseThumbs", "/FullScreen", "/UseOC", "/UseAttachments"}) {
        if (mode.isNameAndEquals(view))
            parts |= OpeningView;
    }
    if (root.getKey("/PageLayout").isName())
        parts |= PageLayout;
    QPDFObjectHandle preferences = root.getKey("/ViewerPreferences");
    if (preferences.isDictionary() && !preferences.getKeys().empty())
        parts |= ViewerPreferences;
    QPDFObjectHandle opening = root.getKey("/OpenAction");
    if (isDestination(opening))
        parts |= OpeningPlace;
    if (isFilledString(root.getKey("/Lang")))
        parts |= Language;
    return parts;
}

quint32 contentParts(QPDFObjectHandle root)
{
    quint32 parts = 0;
    QPDFObjectHandle layers = root.getKey("/OCProperties");
    if (isFilledArray(valueAt(layers, {"/OCGs"}))) {
        parts |= Layers;
        if (isFilledArray(valueAt(layers, {"/D", "/OFF"}))
            || valueAt(layers, {"/D", "/BaseState"}).isNameAndEquals("/OFF"))
            parts |= HiddenLayers;
    }
    if (hasOwnPageLabels(root.getKey("/PageLabels")))
        parts |= PageLabels;
    QPDFObjectHandle names = root.getKey("/Names");
    QPDFObjectHandle dests = root.getKey("/Dests");
    if (hasNames(valueAt(names, {"/Dests"})) || (dests.isDictionary() && !dests.getKeys().empty()))
        parts |= NamedDestinations;
    if (hasNames(valueAt(names, {"/EmbeddedFiles"})) || isFilledArray(root.getKey("/AF")))
        parts |= Attachments;
    QPDFObjectHandle actions = root.getKey("/AA");
    if (hasNames(valueAt(names, {"/JavaScript"})) || (actions.isDictionary() && !actions.getKeys().empty())
        || isScript(root.getKey("/OpenAction")))
        parts |= Scripts;
    if (root.getKey("/StructTreeRoot").isDictionary() || isTrue(valueAt(root, {"/MarkInfo", "/Marked"})))
        parts |= Tags;
    return parts;
}

quint32 describingParts(QPDF &pdf)
{
    quint32 parts = 0;
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    for (const char *key : {"/Title", "/Author", "/Subject", "/Keywords"}) {
        if (isFilledString(valueAt(info, {key})))
            parts |= DocumentInfo;
    }
    QPDFObjectHandle metadata = pdf.getRoot().getKey("/Metadata");
    if (metadata.isStream()) {
        parts |= Metadata;
        if (claimsConformance(metadata))
            parts |= ConformanceClaim;
    }
    return parts;
}

} // namespace

bool claimsConformance(QPDFObjectHandle metadata)
{
    Pl_Buffer buffer("xmp");
    if (!metadata.isStream() || !metadata.pipeStreamData(&buffer, nullptr, 0, qpdf_dl_generalized, true, false))
        return false;
    const std::unique_ptr<Buffer> bytes(buffer.getBuffer());
    QXmlStreamReader xml(QByteArray(reinterpret_cast<const char *>(bytes->getBuffer()), qsizetype(bytes->getSize())));
    const auto claims = [](QStringView ns) {
        return ns == QLatin1String("http://www.aiim.org/pdfa/ns/id/")
            || ns == QLatin1String("http://www.aiim.org/pdfua/ns/id/");
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (claims(xml.namespaceUri()))
            return true;
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            if (claims(attribute.namespaceUri()))
                return true;
        }
    }
    return false;
}

quint32 documentParts(QPDF &pdf)
{
    QPDFObjectHandle root = pdf.getRoot();
    return formParts(root) | viewParts(root) | contentParts(root) | describingParts(pdf);
}

} // namespace corvanta
