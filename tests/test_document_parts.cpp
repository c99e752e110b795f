// What a document holds beyond its pages, through whole joins with the real
// pdftk: what pdftk leaves behind is put back, each input's in its place,
// and what cannot be is named after "Done.".

#include "join/JoinRun.h"
#include "join/JoinMessages.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageLabelDocumentHelper.hh>

#include <functional>
#include <memory>

using namespace corvanta;
using namespace corvanta::testing;

namespace {

// One input: a file of two pages (a page object and its content each,
// objects 3 on), with these entries in its catalog, each page, and its
// trailer, these objects after the pages, and this content on each page.
// In every text, {oN} stands for the number of the Nth object after the
// pages, {pN} for page N's, and {n} for the page's own index.
struct Input
{
    Input(QByteArray catalog = {}, QList<QByteArray> objects = {}, QByteArray page = {}, QByteArray trailer = {},
          QByteArray content = {})
        : catalog(std::move(catalog)), objects(std::move(objects)), page(std::move(page)), trailer(std::move(trailer)),
          content(std::move(content))
    {
    }

    QByteArray catalog;
    QList<QByteArray> objects;
    QByteArray page;
    QByteArray trailer;
    QByteArray content;
    int pages = 2;
};
using Inputs = QList<Input>;

// Asks the joined file (read with the library, its pages in order) and
// returns what is not as it should be; "" when all is.
using Check = std::function<QString(QPDF &joined, std::vector<QPDFObjectHandle> &pages)>;

QByteArray numbered(QByteArray text, int pages)
{
    for (int n = 9; n >= 1; --n) {
        text.replace("{o" + QByteArray::number(n) + "}", QByteArray::number(2 + 2 * pages + n));
        text.replace("{p" + QByteArray::number(n) + "}", QByteArray::number(1 + 2 * n));
    }
    return text;
}

QByteArray pdfOf(const Input &input, int mark)
{
    QList<QByteArray> objects;
    QByteArray kids;
    for (int page = 1; page <= input.pages; ++page)
        kids += QByteArray::number(1 + 2 * page) + " 0 R ";
    objects << numbered("<< /Type /Catalog /Pages 2 0 R " + input.catalog + " >>", input.pages)
            << "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(input.pages) + " >>";
    for (int page = 1; page <= input.pages; ++page) {
        objects << numbered("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + QByteArray::number(100 + mark) + " "
                                + QByteArray::number(100 + page) + "] /Contents "
                                + QByteArray::number(2 + 2 * page) + " 0 R "
                                + QByteArray(input.page).replace("{n}", QByteArray::number(page - 1)) + " >>",
                            input.pages)
                << streamObject("", "BT 10 10 Td (file " + QByteArray::number(mark) + ") Tj ET " + input.content);
    }
    for (const QByteArray &object : input.objects)
        objects << numbered(object, input.pages);
    return pdfOfObjects(objects, numbered(input.trailer, input.pages));
}

std::vector<QPDFObjectHandle> pagesOf(QPDF &pdf)
{
    std::vector<QPDFObjectHandle> pages;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages())
        pages.push_back(page.getObjectHandle());
    return pages;
}

long long indexOf(QPDFObjectHandle page, std::vector<QPDFObjectHandle> &pages)
{
    for (size_t i = 0; i < pages.size(); ++i) {
        if (page.isIndirect() && pages[i].getObjGen() == page.getObjGen())
            return (long long)i;
    }
    return -1;
}

QString differs(const QString &what, const std::string &found, const std::string &wanted)
{
    return found == wanted ? QString()
                           : QStringLiteral("%1: %2 instead of %3")
                                 .arg(what, QString::fromStdString(found), QString::fromStdString(wanted));
}

// The label a page shows: its style, prefix and number.
std::string labelOf(QPDF &pdf, long long page)
{
    QPDFObjectHandle label = QPDFPageLabelDocumentHelper(pdf).getLabelForPage(page);
    if (label.isNull())
        return "none";
    return label.getKey("/S").unparse() + " " + label.getKey("/P").unparse() + " " + label.getKey("/St").unparse();
}

// The page a named destination leads to, or -1.
long long destinationPage(QPDF &pdf, std::vector<QPDFObjectHandle> &pages, const std::string &name)
{
    QPDFObjectHandle tree = pdf.getRoot().getKey("/Names").getKey("/Dests");
    QPDFObjectHandle destination;
    if (!tree.isDictionary() || !QPDFNameTreeObjectHelper(tree, pdf).findObject(name, destination))
        return -1;
    return indexOf(destination.getArrayItem(0), pages);
}

std::string attachment(QPDF &pdf, const std::string &name)
{
    std::shared_ptr<QPDFFileSpecObjectHelper> file = QPDFEmbeddedFileDocumentHelper(pdf).getEmbeddedFile(name);
    if (!file)
        return "none";
    return file->getEmbeddedFileStream().getStreamData()->getSize() > 0
        ? std::string(reinterpret_cast<const char *>(file->getEmbeddedFileStream().getStreamData()->getBuffer()),
                      file->getEmbeddedFileStream().getStreamData()->getSize())
        : std::string();
}

// Whether the group a page's /Properties names /L1 is off by default.
std::string layerOf(QPDF &pdf, QPDFObjectHandle page)
{
    QPDFObjectHandle group = page.getKey("/Resources").getKey("/Properties").getKey("/L1");
    QPDFObjectHandle properties = pdf.getRoot().getKey("/OCProperties");
    if (!group.isIndirect() || !properties.isDictionary())
        return "no layers";
    bool listed = false;
    for (QPDFObjectHandle item : properties.getKey("/OCGs").getArrayAsVector())
        listed = listed || item.getObjGen() == group.getObjGen();
    bool off = false;
    QPDFObjectHandle hidden = properties.getKey("/D").getKey("/OFF");
    for (int i = 0; hidden.isArray() && i < hidden.getArrayNItems(); ++i)
        off = off || hidden.getArrayItem(i).getObjGen() == group.getObjGen();
    return !listed ? "not listed" : off ? "off" : "on";
}

std::string metadataOf(QPDF &pdf)
{
    QPDFObjectHandle stream = pdf.getRoot().getKey("/Metadata");
    if (!stream.isStream())
        return std::string();
    std::shared_ptr<Buffer> data = stream.getStreamData();
    return std::string(reinterpret_cast<const char *>(data->getBuffer()), data->getSize());
}

const QByteArray kLabelsRoman = "/PageLabels << /Nums [0 << /S /r >>] >>";
const QByteArray kDestination = "/Names << /Dests << /Names [(intro) [{p2} 0 R /XYZ 0 50 null]] >> >>";
const QByteArray kAttachment = "/Names << /EmbeddedFiles << /Names [(notes.txt) {o1} 0 R] >> >>";
const QByteArray kLayer = "/OCProperties << /OCGs [{o1} 0 R] /D << /Order [{o1} 0 R] /OFF [{o1} 0 R] >> >>";
const QByteArray kLayerOn = "/OCProperties << /OCGs [{o1} 0 R] /D << /Order [{o1} 0 R] >> >>";
const QByteArray kLayerOnPage = "/Resources << /Properties << /L1 {o1} 0 R >> >>";

QList<QByteArray> attached(const QByteArray &text)
{
    return {"<< /Type /Filespec /F (notes.txt) /UF (notes.txt) /EF << /F {o2} 0 R >> >>",
            streamObject("/Type /EmbeddedFile", text)};
}

// A tagged file: a Document of a heading (through the role map), a section
// of a figure with its alternative text and a link, and a paragraph, over
// its two pages.
const Input kTagged{"/StructTreeRoot {o1} 0 R /MarkInfo << /Marked true >> /Lang (en)",
                    {"<< /Type /StructTreeRoot /K {o2} 0 R /RoleMap << /Heading /H1 >> /ParentTree << /Nums [0 [{o3} "
                     "0 R {o4} 0 R] 1 [{o5} 0 R {o5} 0 R] 2 {o6} 0 R] >> /ParentTreeNextKey 3 >>",
                     "<< /Type /StructElem /S /Document /P {o1} 0 R /K [{o3} 0 R {o8} 0 R {o5} 0 R] >>",
                     "<< /Type /StructElem /S /Heading /P {o2} 0 R /Pg {p1} 0 R /K 0 >>",
                     "<< /Type /StructElem /S /Figure /P {o8} 0 R /Pg {p1} 0 R /K 1 /Alt (A chart) >>",
                     "<< /Type /StructElem /S /P /P {o2} 0 R /Pg {p2} 0 R /K [0 1] >>",
                     "<< /Type /StructElem /S /Link /P {o8} 0 R /Pg {p2} 0 R /K << /Type /OBJR /Obj {o7} 0 R >> >>",
                     "<< /Type /Annot /Subtype /Link /Rect [10 10 50 20] /StructParent 2 /Border [0 0 0] "
                     "/A << /S /URI /URI (https://example.org/) >> >>",
                     "<< /Type /StructElem /S /Sect /P {o2} 0 R /K [{o4} 0 R {o6} 0 R] >>"},
                    "/StructParents {n} /Tabs /S /Annots [{o7} 0 R]",
                    "",
                    "/P << /MCID 0 >> BDC BT 10 20 Td (text) Tj ET EMC /Figure << /MCID 1 >> BDC 0 0 5 5 re f EMC"};

// kTagged in another language, its heading mapped to `heading`, with an id
// on its figure that every such file shares.
Input taggedAs(const QByteArray &language, const QByteArray &heading)
{
    Input input = kTagged;
    input.catalog.replace("/Lang (en)", "/Lang (" + language + ")");
    input.objects[0].replace("/Heading /H1", "/Heading " + heading);
    input.objects[3].replace("/Alt (A chart)", "/Alt (A chart) /ID (chart)");
    return input;
}


// kTagged without its Document: the heading, the section and the paragraph
// stand right under the tree's root.
Input taggedWithoutDocument()
{
    Input input = kTagged;
    input.objects[0].replace("/K {o2} 0 R", "/K [{o3} 0 R {o8} 0 R {o5} 0 R]");
    for (const int element : {2, 4, 7})
        input.objects[element].replace("/P {o2} 0 R", "/P {o1} 0 R");
    return input;
}

// The elements poppler finds in a file's structure, in order, each after
// dots for its depth; "untagged" when poppler does not call the file tagged.
QString structureOf(const QString &path)
{
    const auto output = [&path](const QStringList &options) {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), options + QStringList{path});
        return info.waitForFinished(60000) ? QString::fromUtf8(info.readAllStandardOutput()) : QString();
    };
    if (!QRegularExpression(QStringLiteral("(?m)^Tagged: +yes$")).match(output({})).hasMatch())
        return QStringLiteral("untagged");
    QStringList elements;
    for (const QString &line : output({QStringLiteral("-struct")}).split(QLatin1Char('\n'))) {
        const QString element = line.trimmed().section(QLatin1Char(' '), 0, 0).remove(QLatin1Char(':'));
        // Attributes and text follow their element, and start otherwise.
        if (!element.isEmpty() && !element.startsWith(QLatin1Char('/')) && !element.startsWith(QLatin1Char('"')))
            elements << QString(line.indexOf(element), QLatin1Char('.')) + element;
    }
    return elements.join(QLatin1Char(' '));
}

QByteArray xmp(const QByteArray &inside)
{
    return "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?><x:xmpmeta xmlns:x=\"adobe:ns:meta/\">"
           "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description rdf:about=\"\" "
           "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" "
           "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\" "
           "xmp:CreateDate=\"2001-01-01T00:00:00Z\">"
        + inside + "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>";
}

} // namespace

Q_DECLARE_METATYPE(Inputs)
Q_DECLARE_METATYPE(Check)

class DocumentPartsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void partsSurviveTheJoin_data();
    void partsSurviveTheJoin();

private:
    std::unique_ptr<JoinFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_inputs;
};

void DocumentPartsTest::init()
{
    QVERIFY(emptyIsolatedDesktop());
    m_fixture = std::make_unique<JoinFixture>();
    m_inputs = std::make_unique<QTemporaryDir>();
}

void DocumentPartsTest::partsSurviveTheJoin_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<Check>("check");
    QTest::addColumn<QStringList>("notes"); // what the note after "Done." says of each input; "" for nothing

    const Input plain;
    // pdftk's own file: its header, not the library's.
    QTest::newRow("nothing to put back, nothing rewritten")
        << Inputs{plain, plain} << Check([](QPDF &, std::vector<QPDFObjectHandle> &) {
               return fileBytes(isolatedOutputPath()).mid(9, 5) == QByteArray("%\xe2\xe3\xcf\xd3")
                   ? QString()
                   : QStringLiteral("the file was rewritten");
           })
        << QStringList{"", ""};

    QTest::newRow("page labels, one input") << Inputs{{kLabelsRoman}, plain}
                                            << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &) {
                                                   return differs("page 2", labelOf(joined, 1), "/r null 2")
                                                       + differs("page 3", labelOf(joined, 2), "/D null 1");
                                               })
                                            << QStringList{"", ""};
    QTest::newRow("page labels, both inputs")
        << Inputs{{kLabelsRoman}, {"/PageLabels << /Nums [1 << /S /D /P (A-) /St 5 >>] >>"}}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &) {
               return differs("page 3", labelOf(joined, 2), "/D null 1")
                   + differs("page 4", labelOf(joined, 3), "/D (A-) 5");
           })
        << QStringList{"", ""};

    QTest::newRow("a named destination")
        << Inputs{plain, {kDestination}} << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &pages) {
               return differs("intro", std::to_string(destinationPage(joined, pages, "intro")), "3");
           })
        << QStringList{"", ""};
    QTest::newRow("one destination name in both inputs")
        << Inputs{{kDestination}, {kDestination}}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &pages) {
               return differs("intro", std::to_string(destinationPage(joined, pages, "intro")), "1")
                   + differs("intro-2", std::to_string(destinationPage(joined, pages, "intro-2")), "3");
           })
        << QStringList{"", ""};

    QTest::newRow("an attachment") << Inputs{plain, {kAttachment, attached("hello")}}
                                   << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &) {
                                          return differs("notes.txt", attachment(joined, "notes.txt"), "hello");
                                      })
                                   << QStringList{"", ""};
    QTest::newRow("two attachments of one name")
        << Inputs{{kAttachment, attached("first")}, {kAttachment, attached("second")}}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &) {
               return differs("notes.txt", attachment(joined, "notes.txt"), "first")
                   + differs("notes.txt-2", attachment(joined, "notes.txt-2"), "second");
           })
        << QStringList{"", ""};

    const QList<QByteArray> draft{"<< /Type /OCG /Name (Draft) >>"};
    QTest::newRow("a hidden layer") << Inputs{plain, {kLayer, draft, kLayerOnPage}}
                                    << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &pages) {
                                           return differs("layer", layerOf(joined, pages[2]), "off");
                                       })
                                    << QStringList{"", ""};
    QTest::newRow("two layer configurations")
        << Inputs{{kLayer, draft, kLayerOnPage}, {kLayerOn, {"<< /Type /OCG /Name (Notes) >>"}, kLayerOnPage}}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &pages) {
               return differs("first layer", layerOf(joined, pages[0]), "off")
                   + differs("second layer", layerOf(joined, pages[2]), "on");
           })
        << QStringList{"", ""};

    const QByteArray field = "<< /Type /Annot /Subtype /Widget /FT /Tx /T (name) /Rect [10 10 90 30] /V (x) >>";
    QTest::newRow("form settings")
        << Inputs{{"/AcroForm << /Fields [{o1} 0 R] /NeedAppearances true /DA (/Helv 10 Tf 0 g) /Q 1 >>", {field},
                   "/Annots [{o1} 0 R]"},
                  plain}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &) {
               QPDFObjectHandle form = joined.getRoot().getKey("/AcroForm");
               return differs("form", form.getKey("/NeedAppearances").unparse() + " " + form.getKey("/DA").unparse()
                                          + " " + form.getKey("/Q").unparse(),
                              "true (/Helv 10 Tf 0 g) 1");
           })
        << QStringList{"", ""};
    // A field drawn from its own appearance, in a font its form's resources
    // share with that appearance; beside it, a font no field uses, of a name
    // the first input's form gives another font.
    const QList<QByteArray> drawnField{
        "<< /Type /Annot /Subtype /Widget /FT /Tx /T (other) /Rect [10 10 90 30] /V (x) /DA (/Helv 9 Tf 0 g) "
        "/AP << /N {o2} 0 R >> >>",
        streamObject("/Type /XObject /Subtype /Form /BBox [0 0 80 20] /Resources << /Font {o3} 0 R >>",
                     "BT /Helv 10 Tf (x) Tj ET"),
        "<< /Helv << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> "
        "/F9 << /Type /Font /Subtype /Type1 /BaseFont /Courier >> >>"};
    // The first input's fields ask to be drawn anew, the second's do not:
    // asked of the whole form, the second's would be redrawn too.
    QTest::newRow("form settings of two inputs")
        << Inputs{{"/AcroForm << /Fields [{o1} 0 R] /NeedAppearances true /DA (/Helv 10 Tf 0 g) /Q 1 "
                   "/DR << /Font << /F9 << /Type /Font /Subtype /Type1 /BaseFont /Times-Roman >> >> >> >>",
                   {field}, "/Annots [{o1} 0 R]"},
                  {"/AcroForm << /Fields [{o1} 0 R] /DR << /Font {o3} 0 R >> >>", drawnField, "/Annots [{o1} 0 R]"}}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &pages) {
               QPDFObjectHandle second = pages[2].getKey("/Annots").getArrayItem(0);
               QPDFObjectHandle form = joined.getRoot().getKey("/AcroForm");
               // Aligned left, as the form it came from had it.
               return differs("alignment", second.getKey("/Q").unparse(), "0")
                   + differs("font", std::to_string(form.getKey("/DR").getKey("/Font").hasKey("/Helv")), "1")
                   + differs("redrawn", form.getKey("/NeedAppearances").unparse(), "null");
           })
        << QStringList{"form fields may show old values", ""};
    // pdftk makes a field of every widget on the pages, listed or not.
    QTest::newRow("one field name in both inputs")
        << Inputs{{"/AcroForm << /Fields [{o1} 0 R] >>", {field}, "/Annots [{o1} 0 R]"},
                  {"", {field}, "/Annots [{o1} 0 R]"}}
        << Check() << QStringList{"", "its form fields were renamed, because another file used the same names"};

    // The joined file is one document: its first input names it.
    const Input described{"/Lang (de-DE) /PageLayout /TwoColumnLeft /ViewerPreferences << /DisplayDocTitle true >> "
                          "/OpenAction [{p2} 0 R /Fit] /Metadata {o2} 0 R",
                          {"<< /Title (Bericht) /Author (Ada) >>",
                           streamObject("/Type /Metadata /Subtype /XML",
                                        xmp("<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Old</rdf:li></rdf:Alt>"
                                            "</dc:title><pdfaid:part>2</pdfaid:part>"))},
                          "",
                          "/Info {o1} 0 R"};
    QTest::newRow("the first input's language, view and description")
        << Inputs{described, {"/Lang (fr)"}} << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &pages) {
               QPDFObjectHandle root = joined.getRoot();
               QPDFObjectHandle info = joined.getTrailer().getKey("/Info");
               const std::string xml = metadataOf(joined);
               const std::string producer = info.getKey("/Producer").getUTF8Value();
               return differs("catalog",
                              root.getKey("/Lang").unparse() + " " + root.getKey("/PageLayout").unparse() + " "
                                  + root.getKey("/ViewerPreferences").unparseResolved(),
                              "(de-DE) /TwoColumnLeft << /DisplayDocTitle true >>")
                   + differs("opening page", std::to_string(indexOf(root.getKey("/OpenAction").getArrayItem(0), pages)),
                             "1")
                   + differs("information", info.getKey("/Title").unparse() + " " + info.getKey("/Author").unparse(),
                             "(Bericht) (Ada)")
                   + differs("XMP", std::to_string(xml.find(">Bericht<") != std::string::npos) + " "
                                        + std::to_string(xml.find(producer) != std::string::npos) + " "
                                        + std::to_string(xml.find("pdfaid:part") != std::string::npos),
                             "1 1 0");
           })
        << QStringList{"its claim to meet PDF/A or PDF/UA is left out, since the joined file does not meet it", ""};

    QTest::newRow("a title only the XMP gives, and nothing to run")
        << Inputs{{"/Metadata {o1} 0 R /AA << >> " + kLabelsRoman,
                   {streamObject("/Type /Metadata /Subtype /XML",
                                 xmp("<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">Notes</rdf:li></rdf:Alt>"
                                     "</dc:title>"))}},
                  plain}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &) {
               return differs("title", joined.getTrailer().getKey("/Info").getKey("/Title").getUTF8Value(), "Notes")
                   + differs("page 1", labelOf(joined, 0), "/r null 1");
           })
        << QStringList{"", ""};
    QTest::newRow("what no join keeps")
        << Inputs{{"/AcroForm << /Fields [] /SigFlags 3 >>"},
                  {"/Names << /JavaScript << /Names [(hello) << /S /JavaScript /JS (app.alert(1)) >>] >> >>"}}
        << Check() << QStringList{"its digital signature no longer applies", "its scripts are left out"};

    const QString tagged = "Document ..H1 ..Sect ....Figure ....Link ......Object ..P";
    QTest::newRow("tags, one input") << Inputs{plain, kTagged}
                                     << Check([tagged](QPDF &, std::vector<QPDFObjectHandle> &) {
                                            return differs("structure", structureOf(isolatedOutputPath()).toStdString(),
                                                           tagged.toStdString());
                                        })
                                     << QStringList{"", ""};
    QTest::newRow("tags, both inputs")
        << Inputs{kTagged, kTagged} << Check([](QPDF &, std::vector<QPDFObjectHandle> &pages) {
               QString keys;
               for (QPDFObjectHandle page : pages)
                   keys += QString::fromStdString(page.getKey("/StructParents").unparse()) + ' ';
               return differs("structure", structureOf(isolatedOutputPath()).toStdString(),
                              "Document ..H1 ..Sect ....Figure ....Link ......Object ..P "
                              "..H1 ..Sect ....Figure ....Link ......Object ..P")
                   + differs("keys", keys.toStdString(), "0 1 3 4 ")
                   + differs("link", pages[3].getKey("/Annots").getArrayItem(0).getKey("/StructParent").unparse(), "5");
           })
        << QStringList{"", ""};
    // Where one input has no Document, the inputs' trees stand side by side.
    QTest::newRow("tags, one input without a Document")
        << Inputs{kTagged, taggedWithoutDocument()} << Check([](QPDF &, std::vector<QPDFObjectHandle> &) {
               return differs("structure", structureOf(isolatedOutputPath()).toStdString(),
                              "Document ..H1 ..Sect ....Figure ....Link ......Object ..P "
                              "H1 Sect ..Figure ..Link ....Object P");
           })
        << QStringList{"", ""};
    QTest::newRow("tags of two inputs whose role maps, ids and languages clash")
        << Inputs{taggedAs("en", "/H1"), taggedAs("de", "/H2")}
        << Check([](QPDF &joined, std::vector<QPDFObjectHandle> &) {
               QPDFObjectHandle root = joined.getRoot().getKey("/StructTreeRoot");
               QPDFObjectHandle ids = root.getKey("/IDTree").getKey("/Names");
               QPDFObjectHandle secondHeading = root.getKey("/K").getArrayItem(0).getKey("/K").getArrayItem(3);
               return differs("structure", structureOf(isolatedOutputPath()).toStdString(),
                              "Document ..H1 ..Sect ....Figure ....Link ......Object ..P "
                              "..H2 ..Sect ....Figure ....Link ......Object ..P")
                   + differs("role map", root.getKey("/RoleMap").unparse(), "<< /Heading /H1 /Heading-2 /H2 >>")
                   + differs("ids", ids.getArrayItem(0).unparse() + ids.getArrayItem(2).unparse(),
                             "(chart)(chart-2)")
                   + differs("second heading",
                             secondHeading.getKey("/S").unparse() + secondHeading.getKey("/Lang").unparse(),
                             "/Heading-2(de)");
           })
        << QStringList{"", ""};
}

void DocumentPartsTest::partsSurviveTheJoin()
{
    QFETCH(Inputs, inputs);
    QFETCH(Check, check);
    QFETCH(QStringList, notes);
    QStringList files;
    QStringList said;
    for (const Input &input : inputs) {
        files << QDir::toNativeSeparators(m_inputs->filePath(QStringLiteral("input-%1.pdf").arg(files.size() + 1)));
        QVERIFY(writeFile(files.last(), pdfOf(input, int(files.size()))));
        if (!notes.at(files.size() - 1).isEmpty())
            said << files.last() + " — " + notes.at(files.size() - 1);
    }
    m_fixture->host.paths = files;
    FakeDialogs &dialogs = m_fixture->host.fakeDialogs;
    dialogs.messageAnswers << MessageAnswer::Ok << MessageAnswer::Ok << MessageAnswer::No;
    m_fixture->start();

    QStringList expected{"Done.", openJoinedFileQuestion(isolatedOutputPath())};
    if (!said.isEmpty())
        expected.insert(1, (said.size() == 1
                                ? "joined.pdf does not show everything of this file as the file itself does:\n\n"
                                : "joined.pdf does not show everything of these files as the files themselves do:\n\n")
                               + said.join('\n'));
    QCOMPARE(dialogs.messageTexts(), expected);
    QCOMPARE(desktopEntries(), QStringList{"joined.pdf"});
    QCOMPARE(markedPages(isolatedOutputPath()).size(), 2 * inputs.size());
    if (check) {
        QPDF joined;
        joined.processFile(isolatedOutputPath().toStdString().c_str());
        std::vector<QPDFObjectHandle> pages = pagesOf(joined);
        const QString wrong = check(joined, pages);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }
}

CORVANTA_TEST_MAIN(DocumentPartsTest)
#include "test_document_parts.moc"
