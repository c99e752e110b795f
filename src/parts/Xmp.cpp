#include "parts/Xmp.h"

#include <QRegularExpression>
#include <QUuid>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <map>
#include <set>
#include <utility>

namespace corvanta {

namespace {

const QString kXmp = QStringLiteral("http://ns.adobe.com/xap/1.0/");
const QString kPdf = QStringLiteral("http://ns.adobe.com/pdf/1.3/");
const QString kMedia = QStringLiteral("http://ns.adobe.com/xap/1.0/mm/");
const QString kDc = QStringLiteral("http://purl.org/dc/elements/1.1/");

bool isClaim(QStringView ns)
{
    return ns == QLatin1String("http://www.aiim.org/pdfa/ns/id/") || ns == QLatin1String("http://www.aiim.org/pdfua/ns/id/");
}

using Property = std::pair<QString, QString>; // namespace, local name

// The simple properties that follow the facts, and where each fact goes.
std::map<Property, QString> valuesOf(const XmpFacts &facts)
{
    std::map<Property, QString> values;
    const auto set = [&values](const QString &ns, const char *name, const QString &value) {
        if (!value.isEmpty())
            values[{ns, QLatin1String(name)}] = value;
    };
    set(kXmp, "CreateDate", facts.created);
    set(kXmp, "ModifyDate", facts.modified);
    set(kXmp, "MetadataDate", facts.modified);
    set(kXmp, "CreatorTool", facts.creatorTool);
    set(kPdf, "Producer", facts.producer);
    set(kMedia, "InstanceID", QStringLiteral("uuid:") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    return values;
}

const QString kRdf = QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#");

bool isTitle(const QXmlStreamReader &xml)
{
    return xml.namespaceUri() == kDc && xml.name() == QLatin1String("title");
}

bool isDescription(const QXmlStreamReader &xml)
{
    return xml.namespaceUri() == kRdf && xml.name() == QLatin1String("Description");
}

// The facts a packet lacks, as properties of their own, each declaring its
// namespace, so that no prefix of the packet need be known.
void writeMissing(QXmlStreamWriter &out, const std::map<Property, QString> &values,
                  const std::set<Property> &written, const QString &title, bool titleWritten)
{
    static const std::map<QString, QString> prefixes{
        {kXmp, QStringLiteral("xmp")}, {kPdf, QStringLiteral("pdf")}, {kMedia, QStringLiteral("xmpMM")}};
    for (const auto &[property, value] : values) {
        if (written.count(property))
            continue;
        const QString prefix = prefixes.at(property.first);
        out.writeStartElement(prefix + QLatin1Char(':') + property.second);
        out.writeAttribute(QStringLiteral("xmlns:") + prefix, property.first);
        out.writeCharacters(value);
        out.writeEndElement();
    }
    if (titleWritten || title.isEmpty())
        return;
    out.writeStartElement(QStringLiteral("dc:title"));
    out.writeAttribute(QStringLiteral("xmlns:dc"), kDc);
    out.writeStartElement(QStringLiteral("rdf:Alt"));
    out.writeAttribute(QStringLiteral("xmlns:rdf"), kRdf);
    out.writeStartElement(QStringLiteral("rdf:li"));
    out.writeAttribute(QStringLiteral("xml:lang"), QStringLiteral("x-default"));
    out.writeCharacters(title);
    out.writeEndElement();
    out.writeEndElement();
    out.writeEndElement();
}

// Writes the start of the element the reader is at, with its own prefixes
// and declarations, leaving out claims and setting what `values` names.
void writeStart(QXmlStreamWriter &out, const QXmlStreamReader &xml, const std::map<Property, QString> &values,
                std::set<Property> &written)
{
    out.writeStartElement(xml.qualifiedName().toString());
    for (const QXmlStreamNamespaceDeclaration &declaration : xml.namespaceDeclarations()) {
        const QString prefix = declaration.prefix().toString();
        out.writeAttribute(prefix.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + prefix,
                           declaration.namespaceUri().toString());
    }
    for (const QXmlStreamAttribute &attribute : xml.attributes()) {
        if (isClaim(attribute.namespaceUri()))
            continue;
        const auto value = values.find({attribute.namespaceUri().toString(), attribute.name().toString()});
        if (value != values.end())
            written.insert(value->first);
        out.writeAttribute(attribute.qualifiedName().toString(), value == values.end() ? attribute.value().toString()
                                                                                        : value->second);
    }
}

} // namespace

QByteArray rewrittenXmp(const QByteArray &xmp, const XmpFacts &facts)
{
    const std::map<Property, QString> values = valuesOf(facts);
    QXmlStreamReader xml(xmp);
    QByteArray rewritten;
    QXmlStreamWriter out(&rewritten);
    bool inTitle = false;
    bool titleWritten = false;
    std::set<Property> written;
    int depth = 0;
    int firstDescription = 0; // its depth, while the writer is in it
    bool described = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
        case QXmlStreamReader::NoToken:
            break;
        case QXmlStreamReader::StartElement: {
            if (isClaim(xml.namespaceUri())) {
                xml.skipCurrentElement();
                break;
            }
            const auto value = values.find({xml.namespaceUri().toString(), xml.name().toString()});
            const bool titleText = inTitle && xml.name() == QLatin1String("li") && !facts.title.isEmpty();
            writeStart(out, xml, values, written);
            ++depth;
            if (!described && isDescription(xml)) {
                described = true;
                firstDescription = depth;
            }
            if (isTitle(xml)) {
                inTitle = true;
                titleWritten = true;
            }
            if (value != values.end() || titleText) {
                if (value != values.end())
                    written.insert(value->first);
                xml.readElementText(QXmlStreamReader::SkipChildElements);
                out.writeCharacters(titleText ? facts.title : value->second);
                out.writeEndElement();
                --depth;
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            inTitle = inTitle && !isTitle(xml);
            if (depth == firstDescription) {
                writeMissing(out, values, written, facts.title, titleWritten);
                firstDescription = 0;
            }
            --depth;
            out.writeEndElement();
            break;
        default:
            out.writeCurrentToken(xml);
            break;
        }
    }
    return xml.hasError() || !described ? QByteArray() : rewritten;
}

XmpFacts xmpFacts(const QByteArray &xmp)
{
    std::map<Property, QString> found;
    QXmlStreamReader xml(xmp);
    bool inTitle = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && isTitle(xml))
            inTitle = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        for (const QXmlStreamAttribute &attribute : xml.attributes())
            found[{attribute.namespaceUri().toString(), attribute.name().toString()}] = attribute.value().toString();
        if (isTitle(xml)) {
            inTitle = true;
        } else if (inTitle && xml.name() == QLatin1String("li")) {
            found[{kDc, QStringLiteral("title")}] = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (xml.namespaceUri() == kXmp || xml.namespaceUri() == kPdf) {
            const Property property{xml.namespaceUri().toString(), xml.name().toString()};
            found[property] = xml.readElementText(QXmlStreamReader::SkipChildElements);
        }
    }
    const auto get = [&found](const QString &ns, const char *name) { return found[{ns, QLatin1String(name)}]; };
    return {get(kXmp, "CreateDate"), get(kXmp, "ModifyDate"), get(kPdf, "Producer"), get(kXmp, "CreatorTool"),
            get(kDc, "title")};
}

QString xmpDate(const std::string &pdfDate)
{
    static const QRegularExpression date(QStringLiteral(
        R"(^D:(\d{4})(\d{2})?(\d{2})?(\d{2})?(\d{2})?(\d{2})?(?:([Zz])|([+-])(\d{2})'?(\d{2})?'?)?)"));
    const QRegularExpressionMatch match = date.match(QString::fromStdString(pdfDate));
    if (!match.hasMatch())
        return QString();
    const auto part = [&match](int n, const char *fallback) {
        return match.captured(n).isEmpty() ? QString::fromLatin1(fallback) : match.captured(n);
    };
    QString text = QStringLiteral("%1-%2-%3T%4:%5:%6")
                       .arg(match.captured(1), part(2, "01"), part(3, "01"), part(4, "00"), part(5, "00"),
                            part(6, "00"));
    if (!match.captured(7).isEmpty())
        text += QLatin1Char('Z');
    else if (!match.captured(8).isEmpty())
        text += match.captured(8) + match.captured(9) + QLatin1Char(':') + part(10, "00");
    return text;
}

} // namespace corvanta
