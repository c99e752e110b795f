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
    return ns == QLatin1String("http://www.aiim.org/pdfa/ns/id/")
        || ns == QLatin1String("http://www.aiim.org/pdfua/ns/id/");
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
void writeMissing(QXmlStreamWriter &out, const std::map<Property, QString> &values, const std::set<Property> &written,
                  const QString &title, bool titleWritten)
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
        out.writeAttribute(attribute.qualifiedName().toString(),
                           value == values.end() ? attribute.value().toString() : value->second);
    }
}

} // namespace

namespace {

// Copies a packet token by token, setting the facts on the way.
class XmpRewriter
{
public:
    XmpRewriter(const QByteArray &xmp, const XmpFacts &facts)
        : m_facts(facts)
        , m_values(valuesOf(facts))
        , m_xml(xmp)
        , m_out(&m_rewritten)
    {
    }

    QByteArray rewritten()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartDocument:
            case QXmlStreamReader::EndDocument:
            case QXmlStreamReader::Invalid:
            case QXmlStreamReader::NoToken:
                break;
            case QXmlStreamReader::StartElement:
                start();
                break;
            case QXmlStreamReader::EndElement:
                end();
                break;
            default:
                m_out.writeCurrentToken(m_xml);
                break;
            }
        }
        return m_xml.hasError() || !m_described ? QByteArray() : m_rewritten;
    }

private:
    void start()
    {
        if (isClaim(m_xml.namespaceUri())) {
            m_xml.skipCurrentElement();
            return;
        }
        const auto value = m_values.find({m_xml.namespaceUri().toString(), m_xml.name().toString()});
        const bool titleText = m_inTitle && m_xml.name() == QLatin1String("li") && !m_facts.title.isEmpty();
        writeStart(m_out, m_xml, m_values, m_written);
        ++m_depth;
        if (!m_described && isDescription(m_xml)) {
            m_described = true;
            m_firstDescription = m_depth;
        }
        if (isTitle(m_xml)) {
            m_inTitle = true;
            m_titleWritten = true;
        }
        if (value == m_values.end() && !titleText)
            return;
        // A property the facts set: its text is theirs.
        if (value != m_values.end())
            m_written.insert(value->first);
        m_xml.readElementText(QXmlStreamReader::SkipChildElements);
        m_out.writeCharacters(titleText ? m_facts.title : value->second);
        m_out.writeEndElement();
        --m_depth;
    }

    void end()
    {
        m_inTitle = m_inTitle && !isTitle(m_xml);
        if (m_depth == m_firstDescription) {
            writeMissing(m_out, m_values, m_written, m_facts.title, m_titleWritten);
            m_firstDescription = 0;
        }
        --m_depth;
        m_out.writeEndElement();
    }

    const XmpFacts &m_facts;
    const std::map<Property, QString> m_values;
    QXmlStreamReader m_xml;
    QByteArray m_rewritten;
    QXmlStreamWriter m_out;
    std::set<Property> m_written;
    bool m_inTitle = false;
    bool m_titleWritten = false;
    int m_depth = 0;
    int m_firstDescription = 0; // its depth, while the writer is in it
    bool m_described = false;
};

} // namespace

QByteArray rewrittenXmp(const QByteArray &xmp, const XmpFacts &facts)
{
    return XmpRewriter(xmp, facts).rewritten();
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
    static const QRegularExpression date(
        QStringLiteral(R"(^D:(\d{4})(\d{2})?(\d{2})?(\d{2})?(\d{2})?(\d{2})?(?:([Zz])|([+-])(\d{2})'?(\d{2})?'?)?)"));
    const QRegularExpressionMatch match = date.match(QString::fromStdString(pdfDate));
    if (!match.hasMatch())
        return QString();
    const auto part = [&match](int n, const char *fallback) {
        return match.captured(n).isEmpty() ? QString::fromLatin1(fallback) : match.captured(n);
    };
    QString text =
        QStringLiteral("%1-%2-%3T%4:%5:%6")
            .arg(match.captured(1), part(2, "01"), part(3, "01"), part(4, "00"), part(5, "00"), part(6, "00"));
    if (!match.captured(7).isEmpty())
        text += QLatin1Char('Z');
    else if (!match.captured(8).isEmpty())
        text += match.captured(8) + match.captured(9) + QLatin1Char(':') + part(10, "00");
    return text;
}

} // namespace corvanta
