// The corpus check: the real join (real pdftk, real checker, scripted
// dialogs) on every PDF of the folders given, alone and in pairs, each
// result judged by an independent reader, poppler's pdfinfo and pdftotext,
// page by page. pdftk is also run alone on each input, so that a refusal
// can be told apart from a file pdftk would have joined well. What each
// input holds beyond its pages (labels, named places, attachments, layers,
// form settings, its catalog's and its description's entries) is counted
// part by part in pdftk's own join and in the program's result, and held
// to what the note after "Done." says is lost.
//
//   bench_corpus [--limit N] [--pairs N] [--out FILE.tsv] [--helpers DIR]
//                [--timeout SECONDS] [--keep DIR] FOLDER...
//
// poppler-utils is needed by this check only, never by the program.

#include "BenchSupport.h"
#include "join/JoinRun.h"
#include "support/FakeHost.h"
#include "support/Fixture.h"
#include "support/PdftkSupport.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFNumberTreeObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace corvanta;
using namespace corvanta::testing;

namespace {

struct Options
{
    QStringList folders;
    int limit = -1;
    int pairs = 200;
    int timeoutSeconds = 60;
    QString tsv;
    QString helpers;
    QString keep; // where pdftk's own joins and the program's are kept, for a closer look
};

struct ToolRun
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};

// Any outside program, with its input closed and a bound on its time: a
// hostile file must not hang the check.
ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutSeconds)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Debian's pdftk is a shell script that starts Java without exec: only
    // ending its whole group ends the work.
    process.setChildProcessModifier([] { setpgid(0, 0); });
#endif
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted(timeoutSeconds * 1000))
        return run;
    run.finished = process.waitForFinished(timeoutSeconds * 1000);
    if (!run.finished) {
#ifdef Q_OS_UNIX
        ::kill(-pid_t(process.processId()), SIGKILL);
#endif
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = run.finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.error = process.readAllStandardError();
    return run;
}

// What poppler sees in a file: its page count and each page's text.
struct PopplerView
{
    bool readable = false;
    QStringList pages; // whitespace-normalized text, one entry a page
    QString problem;
};

int popplerPageCount(const QString &path, int timeoutSeconds, QString &problem)
{
    const ToolRun info = runTool(QStringLiteral("pdfinfo"), {path}, timeoutSeconds);
    const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pagesLine.match(QString::fromUtf8(info.output));
    if (info.exitCode != 0 || !match.hasMatch()) {
        problem = info.finished ? QString::fromUtf8(info.error).simplified().left(120)
                                : QStringLiteral("pdfinfo timed out");
        return -1;
    }
    return match.captured(1).toInt();
}

// pdftotext ends every page with a form feed, so one run gives every page's
// text, the same as one run per page would.
PopplerView readWithPoppler(const QString &path, int timeoutSeconds)
{
    PopplerView view;
    const int count = popplerPageCount(path, timeoutSeconds, view.problem);
    if (count < 0)
        return view;
    const ToolRun text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                                               QStringLiteral("-")},
                                 timeoutSeconds);
    if (text.exitCode != 0) {
        view.problem = text.finished ? QStringLiteral("pdftotext: ") + QString::fromUtf8(text.error).simplified().left(120)
                                     : QStringLiteral("pdftotext timed out");
        return view;
    }
    QStringList pages = QString::fromUtf8(text.output).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    while (pages.size() < count)
        pages.append(QString());
    for (QString &page : pages)
        page = page.simplified();
    view.pages = pages.mid(0, count);
    view.readable = true;
    return view;
}

// "" when the result shows what the inputs show; otherwise the first difference.
QString differenceFrom(const QList<PopplerView> &inputs, const PopplerView &result)
{
    if (!result.readable)
        return QStringLiteral("poppler cannot read the result: ") + result.problem;
    QStringList expected;
    for (const PopplerView &input : inputs)
        expected += input.pages;
    if (expected.size() != result.pages.size())
        return QStringLiteral("%1 pages instead of %2").arg(result.pages.size()).arg(expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (expected.at(i) != result.pages.at(i))
            return QStringLiteral("the text of page %1 differs").arg(i + 1);
    }
    return QString();
}

// What a document holds beyond its pages, read with libqpdf on this
// check's own terms, never with the program's code: a result is held to
// what its inputs show a reader, not to what the program meant to write.
// Each file is read by this program started again with --facts, under a
// time and memory bound, so that a hostile file cannot stop the check.

// A place in a document: a page (from 0) and the view there.
struct Place
{
    long long page = -1;
    QString view;

    friend bool operator==(const Place &a, const Place &b) { return a.page == b.page && a.view == b.view; }
};

// A form widget as a reader draws it: its field's full name, the text
// style and alignment it inherits, and the font that style names, as the
// form's resources give it.
struct Widget
{
    QString name;
    QString style;
    long long alignment = 0;
    QString font;
};

using PagePosition = std::pair<long long, int>; // page, then annotation or layer place on it

struct DocumentFacts
{
    bool readable = false;
    QString problem;
    long long pages = 0;
    QStringList labels; // each page's label, as a reader shows it
    std::map<QString, Place> destinations;
    std::map<QString, QByteArray> attachments; // name, then the digest of what it holds
    QStringList associated;                    // digests of the catalog's /AF files
    bool layers = false;
    bool hiddenLayers = false;
    std::map<std::pair<long long, QString>, QString> layerStates; // page and where, then on, off or unlisted
    bool needAppearances = false;
    bool formDefaults = false;
    std::map<PagePosition, Widget> widgets;
    QList<std::tuple<long long, int, int>> calculationOrder; // each field's first widget, and levels up to it
    QString language;
    QString pageLayout;
    QString viewerPreferences;
    QString pageMode; // only a mode whose panel has something to show
    Place opening;
    std::map<QString, QString> info;
    bool xmp = false;
    bool xmpWellFormed = false;
    bool claim = false;
    QString xmpTitle;
    QString xmpProducer;
    QString xmpModified;
    bool tags = false;
    bool scripts = false;
    bool xfa = false;
    bool signedField = false;
    bool signatureCovers = false; // a signature's byte range is the whole file
};

QString utf8(QPDFObjectHandle value)
{
    return value.isString() ? QString::fromStdString(value.getUTF8Value()) : QString();
}

QPDFObjectHandle keyOf(QPDFObjectHandle object, const char *key)
{
    return object.isDictionary() ? object.getKey(key) : QPDFObjectHandle::newNull();
}

QByteArray digestOf(QPDFObjectHandle stream)
{
    if (!stream.isStream())
        return QByteArray();
    std::shared_ptr<Buffer> data;
    try {
        data = stream.getStreamData(qpdf_dl_generalized);
    } catch (const std::exception &) {
        data = stream.getRawStreamData();
    }
    return QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char *>(data->getBuffer()),
                                                   qsizetype(data->getSize())),
                                    QCryptographicHash::Sha256)
        .toHex();
}

QString numeral(const std::string &style, long long number)
{
    if (style == "/D")
        return QString::number(number);
    if ((style == "/R" || style == "/r") && number > 0) {
        static const std::pair<int, const char *> digits[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"},
                                                              {100, "C"},  {90, "XC"},  {50, "L"},  {40, "XL"},
                                                              {10, "X"},   {9, "IX"},   {5, "V"},   {4, "IV"},
                                                              {1, "I"}};
        QString text;
        for (const auto &[value, letters] : digits) {
            for (; number >= value; number -= value)
                text += QLatin1String(letters);
        }
        return style == "/R" ? text : text.toLower();
    }
    if ((style == "/A" || style == "/a") && number > 0) {
        const QChar letter = QChar(char16_t((style == "/A" ? 'A' : 'a') + (number - 1) % 26));
        return QString(int(qMin<long long>((number - 1) / 26 + 1, 1000)), letter);
    }
    return QString();
}

// Each page's label; plain numbers where the file has none for a page.
QStringList labelsOf(QPDF &pdf, long long pages)
{
    QStringList labels;
    std::map<long long, QPDFObjectHandle> ranges;
    QPDFObjectHandle tree = pdf.getRoot().getKey("/PageLabels");
    if (tree.isDictionary()) {
        for (const auto &[first, label] : QPDFNumberTreeObjectHelper(tree, pdf))
            ranges[first] = label;
    }
    for (long long page = 0; page < pages; ++page) {
        auto range = ranges.upper_bound(page);
        if (range == ranges.begin() || !(--range)->second.isDictionary()) {
            labels.append(QString::number(page + 1));
            continue;
        }
        QPDFObjectHandle label = range->second;
        QPDFObjectHandle style = label.getKey("/S");
        QPDFObjectHandle start = label.getKey("/St");
        const long long number = (start.isInteger() ? start.getIntValue() : 1) + page - range->first;
        labels.append(utf8(label.getKey("/P")) + (style.isName() ? numeral(style.getName(), number) : QString()));
    }
    return labels;
}

QString viewItem(QPDFObjectHandle item)
{
    if (item.isNumber())
        return QString::number(item.getNumericValue(), 'f', 2);
    if (item.isNull())
        return QStringLiteral("null");
    return QString::fromStdString(item.unparse());
}

Place placeOf(QPDFObjectHandle destination, const std::map<QPDFObjGen, long long> &pageIndex)
{
    if (destination.isDictionary())
        destination = destination.getKey("/D");
    Place place;
    if (!destination.isArray() || destination.getArrayNItems() == 0 || !destination.getArrayItem(0).isIndirect())
        return place;
    const auto page = pageIndex.find(destination.getArrayItem(0).getObjGen());
    if (page == pageIndex.end())
        return place;
    place.page = page->second;
    QStringList view;
    for (int i = 1; i < destination.getArrayNItems(); ++i)
        view.append(viewItem(destination.getArrayItem(i)));
    place.view = view.join(QLatin1Char(' '));
    return place;
}

bool hasTreeEntries(QPDFObjectHandle tree)
{
    for (const char *key : {"/Names", "/Kids"}) {
        QPDFObjectHandle items = keyOf(tree, key);
        if (items.isArray() && items.getArrayNItems() > 0)
            return true;
    }
    return false;
}

// Whether an optional content group is on in a configuration.
QString layerState(QPDFObjectHandle group, const std::set<QPDFObjGen> &listed, QPDFObjectHandle configuration)
{
    if (!group.isIndirect() || !listed.count(group.getObjGen()))
        return QStringLiteral("unlisted");
    const auto lists = [&group](QPDFObjectHandle items) {
        if (!items.isArray())
            return false;
        for (QPDFObjectHandle item : items.getArrayAsVector()) {
            if (item.isIndirect() && item.getObjGen() == group.getObjGen())
                return true;
        }
        return false;
    };
    if (keyOf(configuration, "/BaseState").isNameAndEquals("/OFF"))
        return lists(keyOf(configuration, "/ON")) ? QStringLiteral("on") : QStringLiteral("off");
    return lists(keyOf(configuration, "/OFF")) ? QStringLiteral("off") : QStringLiteral("on");
}

// The font a default appearance string names ("/Helv 10 Tf"), as the
// form's fonts give it: its kind, its name and its encoding.
QString fontOf(const QString &style, QPDFObjectHandle fonts)
{
    static const QRegularExpression named(QStringLiteral("/([^\\s/\\[\\]()<>{}%]+)\\s+[-+.\\d]+\\s+Tf"));
    const QRegularExpressionMatch match = named.match(style);
    if (!match.hasMatch())
        return QString();
    QPDFObjectHandle font = keyOf(fonts, ("/" + match.captured(1).toStdString()).c_str());
    if (!font.isDictionary())
        return QStringLiteral("none");
    QStringList kind;
    for (const char *key : {"/Subtype", "/BaseFont", "/Encoding"}) {
        QPDFObjectHandle value = font.getKey(key);
        kind.append(value.isName()   ? QString::fromStdString(value.getName())
                    : value.isNull() ? QString()
                                     : QStringLiteral("*"));
    }
    return kind.join(QLatin1Char(' '));
}

class FactsReader
{
public:
    explicit FactsReader(QPDF &pdf, qint64 size)
        : m_pdf(pdf)
        , m_size(size)
    {
    }
    DocumentFacts read();

private:
    void readDestinations();
    void readAttachments();
    void readLayers();
    void layerUses(QPDFObjectHandle resources, const QString &where, int depth, std::set<QPDFObjGen> &seen);
    void layerUse(QPDFObjectHandle content, const QString &where);
    void readForm();
    void readCatalog();
    void readDescription();

    QPDF &m_pdf;
    qint64 m_size;
    QPDFObjectHandle m_root;
    std::vector<QPDFPageObjectHelper> m_pages;
    std::map<QPDFObjGen, long long> m_pageIndex;
    DocumentFacts m_facts;
    // Layers: the groups the file lists, its default configuration, the page walked.
    std::set<QPDFObjGen> m_listed;
    QPDFObjectHandle m_configuration;
    long long m_page = 0;
};

DocumentFacts FactsReader::read()
{
    m_root = m_pdf.getRoot();
    m_pages = QPDFPageDocumentHelper(m_pdf).getAllPages();
    for (size_t i = 0; i < m_pages.size(); ++i)
        m_pageIndex.emplace(m_pages[i].getObjectHandle().getObjGen(), (long long)i);
    m_facts.pages = (long long)m_pages.size();
    m_facts.labels = labelsOf(m_pdf, m_facts.pages);
    readDestinations();
    readAttachments();
    readLayers();
    readForm();
    readCatalog();
    readDescription();
    m_facts.readable = true;
    return m_facts;
}

void FactsReader::readDestinations()
{
    QPDFObjectHandle dests = m_root.getKey("/Dests");
    if (dests.isDictionary()) {
        for (const std::string &key : dests.getKeys()) {
            const Place place = placeOf(dests.getKey(key), m_pageIndex);
            if (place.page >= 0)
                m_facts.destinations[QString::fromStdString(key.substr(1))] = place;
        }
    }
    QPDFObjectHandle tree = keyOf(m_root.getKey("/Names"), "/Dests");
    if (tree.isDictionary()) {
        for (const auto &[name, value] : QPDFNameTreeObjectHelper(tree, m_pdf)) {
            const Place place = placeOf(value, m_pageIndex);
            if (place.page >= 0)
                m_facts.destinations[QString::fromStdString(QPDFObjectHandle::newString(name).getUTF8Value())] =
                    place;
        }
    }
    QPDFObjectHandle opening = m_root.getKey("/OpenAction");
    QPDFObjectHandle destination = opening.isDictionary() && keyOf(opening, "/S").isNameAndEquals("/GoTo")
        ? opening.getKey("/D")
        : opening;
    if (destination.isName() || destination.isString()) {
        const QString name = destination.isName() ? QString::fromStdString(destination.getName().substr(1))
                                                  : utf8(destination);
        const auto named = m_facts.destinations.find(name);
        if (named != m_facts.destinations.end())
            m_facts.opening = named->second;
    } else {
        m_facts.opening = placeOf(destination, m_pageIndex);
    }
}

void FactsReader::readAttachments()
{
    const auto fileOf = [](QPDFObjectHandle filespec) {
        QPDFObjectHandle embedded = keyOf(filespec, "/EF");
        for (const char *key : {"/UF", "/F"}) {
            if (keyOf(embedded, key).isStream())
                return embedded.getKey(key);
        }
        return QPDFObjectHandle::newNull();
    };
    QPDFObjectHandle tree = keyOf(m_root.getKey("/Names"), "/EmbeddedFiles");
    if (tree.isDictionary()) {
        for (const auto &[name, filespec] : QPDFNameTreeObjectHelper(tree, m_pdf)) {
            const QString shown = QString::fromStdString(QPDFObjectHandle::newString(name).getUTF8Value());
            m_facts.attachments[shown] = digestOf(fileOf(filespec));
        }
    }
    QPDFObjectHandle associated = m_root.getKey("/AF");
    if (associated.isArray()) {
        for (QPDFObjectHandle filespec : associated.getArrayAsVector())
            m_facts.associated.append(QString::fromLatin1(digestOf(fileOf(filespec))));
    }
}

void FactsReader::layerUse(QPDFObjectHandle content, const QString &where)
{
    if (!content.isDictionary())
        return;
    if (content.getKey("/Type").isNameAndEquals("/OCMD")) {
        QPDFObjectHandle groups = content.getKey("/OCGs");
        std::vector<QPDFObjectHandle> each = groups.isArray() ? groups.getArrayAsVector()
                                                              : std::vector<QPDFObjectHandle>{groups};
        for (size_t i = 0; i < each.size(); ++i) {
            if (each[i].isDictionary())
                m_facts.layerStates[{m_page, where + QStringLiteral("#%1").arg(i)}] =
                    layerState(each[i], m_listed, m_configuration);
        }
        return;
    }
    if (content.getKey("/Type").isNameAndEquals("/OCG"))
        m_facts.layerStates[{m_page, where}] = layerState(content, m_listed, m_configuration);
}

void FactsReader::layerUses(QPDFObjectHandle resources, const QString &where, int depth, std::set<QPDFObjGen> &seen)
{
    QPDFObjectHandle properties = keyOf(resources, "/Properties");
    if (properties.isDictionary()) {
        for (const std::string &key : properties.getKeys())
            layerUse(properties.getKey(key), where + QStringLiteral("P") + QString::fromStdString(key));
    }
    QPDFObjectHandle objects = keyOf(resources, "/XObject");
    if (!objects.isDictionary())
        return;
    for (const std::string &key : objects.getKeys()) {
        QPDFObjectHandle object = objects.getKey(key);
        if (!object.isStream())
            continue;
        const QString here = where + QStringLiteral("X") + QString::fromStdString(key);
        layerUse(object.getDict().getKey("/OC"), here);
        if (depth < 3 && object.getDict().getKey("/Subtype").isNameAndEquals("/Form")
            && seen.insert(object.getObjGen()).second)
            layerUses(object.getDict().getKey("/Resources"), here + QLatin1Char('/'), depth + 1, seen);
    }
}

void FactsReader::readLayers()
{
    QPDFObjectHandle properties = m_root.getKey("/OCProperties");
    QPDFObjectHandle groups = keyOf(properties, "/OCGs");
    if (groups.isArray()) {
        for (QPDFObjectHandle group : groups.getArrayAsVector()) {
            if (group.isIndirect())
                m_listed.insert(group.getObjGen());
        }
    }
    m_configuration = keyOf(properties, "/D");
    m_facts.layers = !m_listed.empty();
    QPDFObjectHandle off = keyOf(m_configuration, "/OFF");
    m_facts.hiddenLayers = m_facts.layers
        && ((off.isArray() && off.getArrayNItems() > 0)
            || keyOf(m_configuration, "/BaseState").isNameAndEquals("/OFF"));
    for (m_page = 0; m_page < (long long)m_pages.size(); ++m_page) {
        QPDFPageObjectHelper &page = m_pages[size_t(m_page)];
        std::set<QPDFObjGen> seen;
        layerUses(page.getAttribute("/Resources", false), QString(), 0, seen);
        QPDFObjectHandle annotations = page.getObjectHandle().getKey("/Annots");
        if (!annotations.isArray())
            continue;
        for (int i = 0; i < annotations.getArrayNItems(); ++i)
            layerUse(keyOf(annotations.getArrayItem(i), "/OC"), QStringLiteral("A%1").arg(i));
    }
}

void FactsReader::readForm()
{
    QPDFObjectHandle form = m_root.getKey("/AcroForm");
    QPDFObjectHandle appearances = keyOf(form, "/NeedAppearances");
    m_facts.needAppearances = appearances.isBool() && appearances.getBoolValue();
    QPDFObjectHandle order = keyOf(form, "/CO");
    m_facts.formDefaults = !utf8(keyOf(form, "/DA")).isEmpty() || keyOf(form, "/Q").isInteger()
        || (order.isArray() && order.getArrayNItems() > 0);
    m_facts.xfa = !keyOf(form, "/XFA").isNull();
    std::map<QPDFObjGen, std::tuple<long long, int, int>> firstWidget; // a field's first widget, levels up
    for (size_t page = 0; page < m_pages.size(); ++page) {
        QPDFObjectHandle annotations = m_pages[page].getObjectHandle().getKey("/Annots");
        if (!annotations.isArray())
            continue;
        for (int i = 0; i < annotations.getArrayNItems(); ++i) {
            QPDFObjectHandle widget = annotations.getArrayItem(i);
            if (!keyOf(widget, "/Subtype").isNameAndEquals("/Widget"))
                continue;
            Widget seen;
            QStringList names;
            QPDFObjectHandle style = QPDFObjectHandle::newNull();
            QPDFObjectHandle alignment = QPDFObjectHandle::newNull();
            QPDFObjectHandle type = QPDFObjectHandle::newNull();
            QPDFObjectHandle value = QPDFObjectHandle::newNull();
            std::set<QPDFObjGen> line;
            int level = 0;
            for (QPDFObjectHandle field = widget; field.isDictionary() && level < 64;
                 field = field.getKey("/Parent"), ++level) {
                if (field.isIndirect() && !line.insert(field.getObjGen()).second)
                    break;
                if (field.isIndirect())
                    firstWidget.emplace(field.getObjGen(), std::make_tuple((long long)page, i, level));
                if (field.getKey("/T").isString())
                    names.prepend(utf8(field.getKey("/T")));
                for (auto [key, found] : {std::pair{"/DA", &style}, std::pair{"/Q", &alignment},
                                          std::pair{"/FT", &type}, std::pair{"/V", &value}}) {
                    if (found->isNull() && field.hasKey(key))
                        *found = field.getKey(key);
                }
            }
            if (style.isNull())
                style = keyOf(form, "/DA");
            if (alignment.isNull())
                alignment = keyOf(form, "/Q");
            seen.name = names.join(QLatin1Char('.'));
            seen.style = style.isString() ? QString::fromLatin1(QByteArray::fromStdString(style.getStringValue()))
                                          : QString();
            seen.alignment = alignment.isInteger() ? alignment.getIntValue() : 0;
            seen.font = fontOf(seen.style, keyOf(keyOf(form, "/DR"), "/Font"));
            m_facts.widgets[{(long long)page, i}] = seen;
            if (type.isNameAndEquals("/Sig") && value.isDictionary()) {
                m_facts.signedField = true;
                QPDFObjectHandle range = value.getKey("/ByteRange");
                if (range.isArray() && range.getArrayNItems() == 4) {
                    std::vector<long long> at;
                    for (QPDFObjectHandle item : range.getArrayAsVector())
                        at.push_back(item.isInteger() ? item.getIntValue() : -1);
                    m_facts.signatureCovers = m_facts.signatureCovers || (at[0] == 0 && at[2] + at[3] == m_size);
                }
            }
        }
    }
    if (order.isArray()) {
        for (QPDFObjectHandle field : order.getArrayAsVector()) {
            const auto widget = field.isIndirect() ? firstWidget.find(field.getObjGen()) : firstWidget.end();
            if (widget != firstWidget.end())
                m_facts.calculationOrder.append(widget->second);
        }
    }
}

void FactsReader::readCatalog()
{
    m_facts.language = utf8(m_root.getKey("/Lang"));
    QPDFObjectHandle layout = m_root.getKey("/PageLayout");
    m_facts.pageLayout = layout.isName() ? QString::fromStdString(layout.getName()) : QString();
    QPDFObjectHandle preferences = m_root.getKey("/ViewerPreferences");
    if (preferences.isDictionary() && !preferences.getKeys().empty())
        m_facts.viewerPreferences = QString::fromStdString(preferences.unparseResolved());
    QPDFObjectHandle mode = m_root.getKey("/PageMode");
    const bool shows = mode.isNameAndEquals("/UseOutlines") ? keyOf(m_root.getKey("/Outlines"), "/First").isDictionary()
        : mode.isNameAndEquals("/UseOC")                    ? m_facts.layers
        : mode.isNameAndEquals("/UseAttachments")           ? !m_facts.attachments.empty()
                                                            : mode.isNameAndEquals("/UseThumbs")
                || mode.isNameAndEquals("/FullScreen");
    if (shows)
        m_facts.pageMode = QString::fromStdString(mode.getName());
    QPDFObjectHandle opening = m_root.getKey("/OpenAction");
    m_facts.scripts = hasTreeEntries(keyOf(m_root.getKey("/Names"), "/JavaScript"))
        || (m_root.getKey("/AA").isDictionary() && !m_root.getKey("/AA").getKeys().empty())
        || keyOf(opening, "/S").isNameAndEquals("/JavaScript");
    QPDFObjectHandle marked = keyOf(m_root.getKey("/MarkInfo"), "/Marked");
    m_facts.tags = m_root.getKey("/StructTreeRoot").isDictionary() || (marked.isBool() && marked.getBoolValue());
    QPDFObjectHandle info = m_pdf.getTrailer().getKey("/Info");
    for (const char *key : {"/Title", "/Author", "/Subject", "/Keywords", "/Producer", "/ModDate"}) {
        const QString value = utf8(keyOf(info, key));
        if (!value.isEmpty())
            m_facts.info[QString::fromLatin1(key + 1)] = value;
    }
}

void FactsReader::readDescription()
{
    QPDFObjectHandle metadata = m_root.getKey("/Metadata");
    if (!metadata.isStream())
        return;
    m_facts.xmp = true;
    std::shared_ptr<Buffer> data;
    try {
        data = metadata.getStreamData(qpdf_dl_generalized);
    } catch (const std::exception &) {
        return;
    }
    QXmlStreamReader xml(QByteArray(reinterpret_cast<const char *>(data->getBuffer()), qsizetype(data->getSize())));
    const auto claims = [](QStringView ns) {
        return ns == QLatin1String("http://www.aiim.org/pdfa/ns/id/")
            || ns == QLatin1String("http://www.aiim.org/pdfua/ns/id/");
    };
    const QString xmpNs = QStringLiteral("http://ns.adobe.com/xap/1.0/");
    const QString pdfNs = QStringLiteral("http://ns.adobe.com/pdf/1.3/");
    bool inTitle = false;
    bool described = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("title"))
            inTitle = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        described = described || xml.name() == QLatin1String("RDF");
        m_facts.claim = m_facts.claim || claims(xml.namespaceUri());
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            m_facts.claim = m_facts.claim || claims(attribute.namespaceUri());
            if (attribute.namespaceUri() == pdfNs && attribute.name() == QLatin1String("Producer"))
                m_facts.xmpProducer = attribute.value().toString();
            if (attribute.namespaceUri() == xmpNs && attribute.name() == QLatin1String("ModifyDate"))
                m_facts.xmpModified = attribute.value().toString();
        }
        if (xml.namespaceUri() == QLatin1String("http://purl.org/dc/elements/1.1/")
            && xml.name() == QLatin1String("title"))
            inTitle = true;
        else if (inTitle && xml.name() == QLatin1String("li") && m_facts.xmpTitle.isEmpty())
            m_facts.xmpTitle = xml.readElementText(QXmlStreamReader::SkipChildElements);
        else if (xml.namespaceUri() == pdfNs && xml.name() == QLatin1String("Producer"))
            m_facts.xmpProducer = xml.readElementText(QXmlStreamReader::SkipChildElements);
        else if (xml.namespaceUri() == xmpNs && xml.name() == QLatin1String("ModifyDate"))
            m_facts.xmpModified = xml.readElementText(QXmlStreamReader::SkipChildElements);
    }
    m_facts.xmpWellFormed = described && !xml.hasError();
}

QJsonArray placeJson(const Place &place)
{
    return {double(place.page), place.view};
}

Place placeFromJson(const QJsonValue &value)
{
    const QJsonArray array = value.toArray();
    return {(long long)array.at(0).toDouble(-1), array.at(1).toString()};
}

QJsonObject toJson(const DocumentFacts &facts)
{
    QJsonObject json;
    json[QStringLiteral("pages")] = double(facts.pages);
    json[QStringLiteral("labels")] = QJsonArray::fromStringList(facts.labels);
    QJsonObject destinations;
    for (const auto &[name, place] : facts.destinations)
        destinations[name] = placeJson(place);
    json[QStringLiteral("destinations")] = destinations;
    QJsonObject attachments;
    for (const auto &[name, digest] : facts.attachments)
        attachments[name] = QString::fromLatin1(digest);
    json[QStringLiteral("attachments")] = attachments;
    json[QStringLiteral("associated")] = QJsonArray::fromStringList(facts.associated);
    QJsonArray states;
    for (const auto &[where, state] : facts.layerStates)
        states.append(QJsonArray{double(where.first), where.second, state});
    json[QStringLiteral("layerStates")] = states;
    QJsonArray widgets;
    for (const auto &[at, widget] : facts.widgets)
        widgets.append(
            QJsonArray{double(at.first), at.second, widget.name, widget.style, double(widget.alignment), widget.font});
    json[QStringLiteral("widgets")] = widgets;
    QJsonArray order;
    for (const auto &[page, index, level] : facts.calculationOrder)
        order.append(QJsonArray{double(page), index, level});
    json[QStringLiteral("calculationOrder")] = order;
    QJsonObject info;
    for (const auto &[key, value] : facts.info)
        info[key] = value;
    json[QStringLiteral("info")] = info;
    json[QStringLiteral("opening")] = placeJson(facts.opening);
    const std::pair<const char *, QString> texts[] = {
        {"language", facts.language},         {"pageLayout", facts.pageLayout},
        {"viewerPreferences", facts.viewerPreferences}, {"pageMode", facts.pageMode},
        {"xmpTitle", facts.xmpTitle},         {"xmpProducer", facts.xmpProducer},
        {"xmpModified", facts.xmpModified}};
    for (const auto &[key, value] : texts)
        json[QLatin1String(key)] = value;
    const std::pair<const char *, bool> flags[] = {
        {"layers", facts.layers},   {"hiddenLayers", facts.hiddenLayers}, {"needAppearances", facts.needAppearances},
        {"formDefaults", facts.formDefaults}, {"xmp", facts.xmp},         {"xmpWellFormed", facts.xmpWellFormed},
        {"claim", facts.claim},     {"tags", facts.tags},                 {"scripts", facts.scripts},
        {"xfa", facts.xfa},         {"signedField", facts.signedField},   {"signatureCovers", facts.signatureCovers}};
    for (const auto &[key, value] : flags)
        json[QLatin1String(key)] = value;
    return json;
}

DocumentFacts factsFromJson(const QJsonObject &json)
{
    DocumentFacts facts;
    facts.readable = true;
    facts.pages = (long long)json[QStringLiteral("pages")].toDouble();
    for (const QJsonValue &label : json[QStringLiteral("labels")].toArray())
        facts.labels.append(label.toString());
    const QJsonObject destinations = json[QStringLiteral("destinations")].toObject();
    for (auto i = destinations.begin(); i != destinations.end(); ++i)
        facts.destinations[i.key()] = placeFromJson(i.value());
    const QJsonObject attachments = json[QStringLiteral("attachments")].toObject();
    for (auto i = attachments.begin(); i != attachments.end(); ++i)
        facts.attachments[i.key()] = i.value().toString().toLatin1();
    for (const QJsonValue &digest : json[QStringLiteral("associated")].toArray())
        facts.associated.append(digest.toString());
    for (const QJsonValue &state : json[QStringLiteral("layerStates")].toArray()) {
        const QJsonArray item = state.toArray();
        facts.layerStates[{(long long)item.at(0).toDouble(), item.at(1).toString()}] = item.at(2).toString();
    }
    for (const QJsonValue &widget : json[QStringLiteral("widgets")].toArray()) {
        const QJsonArray item = widget.toArray();
        facts.widgets[{(long long)item.at(0).toDouble(), item.at(1).toInt()}] =
            Widget{item.at(2).toString(), item.at(3).toString(), (long long)item.at(4).toDouble(),
                   item.at(5).toString()};
    }
    for (const QJsonValue &field : json[QStringLiteral("calculationOrder")].toArray()) {
        const QJsonArray item = field.toArray();
        facts.calculationOrder.append({(long long)item.at(0).toDouble(), item.at(1).toInt(), item.at(2).toInt()});
    }
    const QJsonObject info = json[QStringLiteral("info")].toObject();
    for (auto i = info.begin(); i != info.end(); ++i)
        facts.info[i.key()] = i.value().toString();
    facts.opening = placeFromJson(json[QStringLiteral("opening")]);
    const std::pair<const char *, QString *> texts[] = {
        {"language", &facts.language},         {"pageLayout", &facts.pageLayout},
        {"viewerPreferences", &facts.viewerPreferences}, {"pageMode", &facts.pageMode},
        {"xmpTitle", &facts.xmpTitle},         {"xmpProducer", &facts.xmpProducer},
        {"xmpModified", &facts.xmpModified}};
    for (const auto &[key, value] : texts)
        *value = json[QLatin1String(key)].toString();
    const std::pair<const char *, bool *> flags[] = {
        {"layers", &facts.layers},   {"hiddenLayers", &facts.hiddenLayers}, {"needAppearances", &facts.needAppearances},
        {"formDefaults", &facts.formDefaults}, {"xmp", &facts.xmp},         {"xmpWellFormed", &facts.xmpWellFormed},
        {"claim", &facts.claim},     {"tags", &facts.tags},                 {"scripts", &facts.scripts},
        {"xfa", &facts.xfa},         {"signedField", &facts.signedField},
        {"signatureCovers", &facts.signatureCovers}};
    for (const auto &[key, value] : flags)
        *value = json[QLatin1String(key)].toBool();
    return facts;
}

// The child's side of --facts: reads one file and prints what it holds.
int printFacts(const QString &path)
{
#ifdef Q_OS_UNIX
    const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
    setrlimit(RLIMIT_AS, &memory);
#endif
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        const QByteArray json =
            QJsonDocument(toJson(FactsReader(pdf, QFileInfo(path).size()).read())).toJson(QJsonDocument::Compact);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

DocumentFacts readFacts(const QString &path, int timeoutSeconds)
{
    const ToolRun run = runTool(QCoreApplication::applicationFilePath(), {QStringLiteral("--facts"), path},
                                timeoutSeconds);
    DocumentFacts facts;
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(run.output, &error);
    if (run.exitCode != 0 || !json.isObject()) {
        facts.problem = !run.finished       ? QStringLiteral("reading its parts timed out")
            : run.exitCode != 0             ? QString::fromUtf8(run.error).simplified().left(120)
                                            : error.errorString();
        return facts;
    }
    return factsFromJson(json.object());
}

// The parts a join carries, as this check counts them: one row each.
enum class Part {
    Labels, Destinations, Attachments, Layers, HiddenLayers, NeedAppearances, FormDefaults, FieldNames,
    Language, PageLayout, ViewerPreferences, PageMode, OpeningPlace, Info, Xmp,
    Tags, Signature, Scripts, Claim, Xfa, Count
};

struct PartRow
{
    const char *key;   // in the TSV
    const char *title; // in the table
    bool firstOnly;    // the joined document has one: the first input's
    const char *note;  // how the program's note after "Done." names its loss
};

const PartRow kParts[] = {
    {"labels", "page labels (not 1, 2, 3)", false, "page numbers such as i, ii are lost"},
    {"dests", "named destinations", false, "the named places in it"},
    {"attachments", "attachments", false, "its attached files are lost"},
    {"layers", "layers", false, "its layers can no longer be shown or hidden"},
    {"hidden-layers", "hidden layers", false, "its hidden layers are visible"},
    {"need-appearances", "NeedAppearances", false, "form fields may show old values"},
    {"form-defaults", "form /DA /Q /CO", false, "its form fields may show their text in another style"},
    {"field-names", "form field names", false, "its form fields were renamed"},
    {"lang", "/Lang", true, "its language setting is lost"},
    {"page-layout", "/PageLayout", true, "how it lays out its pages"},
    {"viewer-preferences", "/ViewerPreferences", true, "its settings for the viewer are lost"},
    {"page-mode", "/PageMode", true, "the view it opens with"},
    {"open-action", "/OpenAction destination", true, "the page it opens at is lost"},
    {"info", "Title/Author/Subject/Keywords", true, "its title, author, subject and keywords are lost"},
    {"xmp", "XMP", true, "its description (XMP metadata) is lost"},
    {"tags", "tags", false, "its accessibility tags"},
    {"signature", "signature", false, "its digital signature no longer applies"},
    {"scripts", "scripts", false, "its scripts are left out"},
    {"claim", "PDF/A or PDF/UA claim", false, "its claim to meet PDF/A or PDF/UA"},
    {"xfa", "XFA", false, "its XFA form data is lost"},
};
static_assert(std::size(kParts) == size_t(Part::Count));

constexpr quint32 bit(Part part)
{
    return 1u << int(part);
}

// What no join keeps, or pdftk renames: the rest the program puts back.
constexpr quint32 kNotPutBack =
    bit(Part::FieldNames) | bit(Part::Tags) | bit(Part::Signature) | bit(Part::Scripts) | bit(Part::Claim)
    | bit(Part::Xfa);

QString partKeys(quint32 parts)
{
    QStringList keys;
    for (int i = 0; i < int(Part::Count); ++i) {
        if (parts & (1u << i))
            keys.append(QLatin1String(kParts[i].key));
    }
    return keys.join(QStringLiteral(","));
}

// The parts an input has, as a reader would miss them.
quint32 partsOf(const DocumentFacts &facts)
{
    if (!facts.readable)
        return 0;
    quint32 parts = 0;
    for (qsizetype page = 0; page < facts.labels.size(); ++page) {
        if (facts.labels.at(page) != QString::number(page + 1)) {
            parts |= bit(Part::Labels);
            break;
        }
    }
    const std::pair<Part, bool> has[] = {
        {Part::Destinations, !facts.destinations.empty()},
        {Part::Attachments, !facts.attachments.empty() || !facts.associated.isEmpty()},
        {Part::Layers, facts.layers},
        {Part::HiddenLayers, facts.hiddenLayers},
        // A form's settings apply to its fields: without one on a page, nothing shows them.
        {Part::NeedAppearances, facts.needAppearances && !facts.widgets.empty()},
        {Part::FormDefaults, facts.formDefaults && !facts.widgets.empty()},
        {Part::FieldNames, !facts.widgets.empty()},
        {Part::Language, !facts.language.isEmpty()},
        {Part::PageLayout, !facts.pageLayout.isEmpty()},
        {Part::ViewerPreferences, !facts.viewerPreferences.isEmpty()},
        {Part::PageMode, !facts.pageMode.isEmpty()},
        {Part::OpeningPlace, facts.opening.page >= 0},
        {Part::Info, facts.info.count(QStringLiteral("Title")) || facts.info.count(QStringLiteral("Author"))
                         || facts.info.count(QStringLiteral("Subject"))
                         || facts.info.count(QStringLiteral("Keywords"))},
        {Part::Xmp, facts.xmp},
        {Part::Tags, facts.tags},
        {Part::Signature, facts.signedField},
        {Part::Scripts, facts.scripts},
        {Part::Claim, facts.claim},
        {Part::Xfa, facts.xfa},
    };
    for (const auto &[part, present] : has)
        parts |= present ? bit(part) : 0u;
    return parts;
}

// The parts of one input of a join that the join is to keep.
quint32 partsToKeep(const DocumentFacts &facts, qsizetype index)
{
    quint32 parts = partsOf(facts);
    for (int i = 0; i < int(Part::Count); ++i) {
        if (index > 0 && kParts[i].firstOnly)
            parts &= ~(1u << i);
    }
    return parts;
}

// A PDF date and an XMP date of the same second (or day, where one says no more).
bool sameDate(const QString &pdfDate, const QString &xmpDate)
{
    QString pdf = pdfDate;
    if (pdf.startsWith(QLatin1String("D:")))
        pdf = pdf.mid(2);
    pdf = pdf.left(14);
    QString xmp = xmpDate.left(19);
    xmp.remove(QLatin1Char('-')).remove(QLatin1Char(':')).remove(QLatin1Char('T'));
    const qsizetype digits = qMin(pdf.size(), xmp.size());
    return digits >= 8 && pdf.left(digits) == xmp.left(digits);
}

// Whether a name of an input, or the name it was given because an earlier
// input took it ("name-2"), leads to `place` in the joined file.
template <typename Value>
bool foundUnder(const std::map<QString, Value> &joined, const QString &name, const Value &value, bool taken)
{
    const auto same = joined.find(name);
    if (same != joined.end() && same->second == value)
        return true;
    if (!taken)
        return false;
    const QString renamed = name + QLatin1Char('-');
    for (auto other = joined.lower_bound(renamed); other != joined.end() && other->first.startsWith(renamed); ++other) {
        if (other->second == value)
            return true;
    }
    return false;
}

// The parts of input `index` (its first page at `offset` in the joined
// file) that `joined` keeps, of those in `wanted`; `earlier` are the
// inputs before it.
quint32 partsKept(const QList<DocumentFacts> &inputs, qsizetype index, long long offset, quint32 wanted,
                  const DocumentFacts &joined)
{
    if (!joined.readable)
        return 0;
    const DocumentFacts &input = inputs.at(index);
    const auto taken = [&](auto member, const QString &name) {
        for (qsizetype i = 0; i < index; ++i) {
            if ((inputs.at(i).*member).count(name))
                return true;
        }
        return false;
    };
    quint32 kept = 0;
    const auto keep = [&](Part part, const std::function<bool()> &holds) {
        if ((wanted & bit(part)) && holds())
            kept |= bit(part);
    };
    keep(Part::Labels, [&] {
        for (qsizetype page = 0; page < input.labels.size(); ++page) {
            if (joined.labels.value(offset + page) != input.labels.at(page))
                return false;
        }
        return true;
    });
    keep(Part::Destinations, [&] {
        for (const auto &[name, place] : input.destinations) {
            if (!foundUnder(joined.destinations, name, Place{place.page + offset, place.view},
                            taken(&DocumentFacts::destinations, name)))
                return false;
        }
        return true;
    });
    keep(Part::Attachments, [&] {
        for (const auto &[name, digest] : input.attachments) {
            if (!foundUnder(joined.attachments, name, digest, taken(&DocumentFacts::attachments, name)))
                return false;
        }
        for (const QString &digest : input.associated) {
            if (!joined.associated.contains(digest))
                return false;
        }
        return true;
    });
    const auto sameLayers = [&](bool hiddenOnly) {
        bool used = false;
        for (const auto &[where, state] : input.layerStates) {
            if (state == QLatin1String("unlisted") || (hiddenOnly && state != QLatin1String("off")))
                continue;
            used = true;
            const auto found = joined.layerStates.find({where.first + offset, where.second});
            if (found == joined.layerStates.end() || found->second != state)
                return false;
        }
        // Groups no page uses: the joined file must still have layers, or hide some.
        return used || (hiddenOnly ? joined.hiddenLayers : joined.layers);
    };
    keep(Part::Layers, [&] { return sameLayers(false); });
    keep(Part::HiddenLayers, [&] { return sameLayers(true); });
    keep(Part::NeedAppearances, [&] { return joined.needAppearances; });
    keep(Part::FormDefaults, [&] {
        for (const auto &[at, widget] : input.widgets) {
            const auto found = joined.widgets.find({at.first + offset, at.second});
            if (found == joined.widgets.end() || found->second.style != widget.style
                || found->second.alignment != widget.alignment)
                return false;
            // A font the input's form does not give is no font it is drawn in.
            if (!widget.font.isEmpty() && widget.font != QLatin1String("none") && found->second.font != widget.font)
                return false;
        }
        // The input's calculation order, among the joined file's.
        qsizetype next = 0;
        for (const auto &[page, annotation, level] : joined.calculationOrder) {
            if (next < input.calculationOrder.size()
                && input.calculationOrder.at(next) == std::make_tuple(page - offset, annotation, level))
                ++next;
        }
        return next == input.calculationOrder.size();
    });
    keep(Part::FieldNames, [&] {
        for (const auto &[at, widget] : input.widgets) {
            const auto found = joined.widgets.find({at.first + offset, at.second});
            if (found == joined.widgets.end() || found->second.name != widget.name)
                return false;
        }
        return true;
    });
    keep(Part::Language, [&] { return joined.language == input.language; });
    keep(Part::PageLayout, [&] { return joined.pageLayout == input.pageLayout; });
    keep(Part::ViewerPreferences, [&] { return joined.viewerPreferences == input.viewerPreferences; });
    keep(Part::PageMode, [&] { return joined.pageMode == input.pageMode; });
    keep(Part::OpeningPlace, [&] { return joined.opening == Place{input.opening.page + offset, input.opening.view}; });
    keep(Part::Info, [&] {
        for (const char *key : {"Title", "Author", "Subject", "Keywords"}) {
            const auto own = input.info.find(QLatin1String(key));
            const auto found = joined.info.find(QLatin1String(key));
            if (own != input.info.end() && (found == joined.info.end() || found->second != own->second))
                return false;
        }
        return true;
    });
    keep(Part::Xmp, [&] {
        const auto info = [&joined](const char *key) {
            const auto found = joined.info.find(QLatin1String(key));
            return found == joined.info.end() ? QString() : found->second;
        };
        return joined.xmp && joined.xmpWellFormed && !joined.claim
            && (joined.xmpTitle.isEmpty() || info("Title").isEmpty() || joined.xmpTitle == info("Title"))
            && (joined.xmpProducer.isEmpty() || joined.xmpProducer == info("Producer"))
            && (joined.xmpModified.isEmpty() || sameDate(info("ModDate"), joined.xmpModified));
    });
    keep(Part::Tags, [&] { return joined.tags; });
    keep(Part::Signature, [&] { return joined.signatureCovers; });
    keep(Part::Scripts, [&] { return joined.scripts; });
    keep(Part::Claim, [&] { return joined.claim; });
    keep(Part::Xfa, [&] { return joined.xfa; });
    return kept;
}

// What each input of a join loses in `joined`, by this check's judgement.
// Where one input brings page labels or form defaults, the others' pages
// must still show their own plain numbers, and their fields their own
// style: those are held to the same rows. So is every input's form in a
// join of several, whose form resources pdftk takes from one input alone.
QList<quint32> partsLost(const QList<DocumentFacts> &inputs, const DocumentFacts &joined)
{
    quint32 anyInput = 0;
    for (qsizetype i = 0; i < inputs.size(); ++i)
        anyInput |= partsToKeep(inputs.at(i), i);
    QList<quint32> lost;
    long long offset = 0;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        quint32 wanted = partsToKeep(inputs.at(i), i) | (anyInput & (bit(Part::Labels) | bit(Part::FormDefaults)));
        if (inputs.size() > 1 && !inputs.at(i).widgets.empty())
            wanted |= bit(Part::FormDefaults);
        lost.append(wanted & ~partsKept(inputs, i, offset, wanted, joined));
        offset += inputs.at(i).pages;
    }
    return lost;
}

// What the program did with one list: every message it showed, in order.
struct ProgramJoin
{
    QStringList messages;
    bool done = false;
    bool timedOut = false;
    PopplerView result;
    DocumentFacts resultFacts;
};

ProgramJoin joinWithProgram(const JoinEnvironment &environment, const QStringList &files, int timeoutSeconds)
{
    ProgramJoin join;
    emptyIsolatedDesktop();
    QTemporaryDir appFolder;
    FakeHost host;
    host.folder = QDir::toNativeSeparators(appFolder.path());
    host.paths = files;
    // Messages are acknowledged; the offer to open the result is declined.
    host.fakeDialogs.onAsk = [&host](const FakeDialogs::Asked &question) {
        if (question.kind == QLatin1String("message") && isQuestion(question.style))
            host.fakeDialogs.messageAnswers.enqueue(MessageAnswer::No);
        else if (question.kind == QLatin1String("input"))
            host.fakeDialogs.inputAnswers.enqueue(QString());
    };
    Joiner joiner(host, environment);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        join.timedOut = true;
        joiner.stop();
    });
    deadline.start(timeoutSeconds * 1000 * qMax<qsizetype>(1, files.size()));
    joiner.Start();
    deadline.stop();
    for (const FakeDialogs::Asked &question : host.fakeDialogs.asked)
        join.messages.append(question.text);
    join.done = join.messages.value(0).startsWith(QLatin1String("Done."));
    if (join.done) {
        join.result = readWithPoppler(isolatedOutputPath(), timeoutSeconds);
        join.resultFacts = readFacts(isolatedOutputPath(), timeoutSeconds);
    }
    return join;
}

// What the note after "Done." says each input lost: its line is the
// input's path, a dash, and the losses in plain words.
QList<quint32> namedParts(const ProgramJoin &join, const QStringList &files)
{
    QList<quint32> named(files.size(), 0u);
    for (qsizetype i = 1; i < join.messages.size(); ++i) {
        for (const QString &line : join.messages.at(i).split(QLatin1Char('\n'))) {
            for (qsizetype k = 0; k < files.size(); ++k) {
                if (!line.startsWith(files.at(k) + QStringLiteral(" \u2014 ")))
                    continue;
                for (int part = 0; part < int(Part::Count); ++part) {
                    if (line.contains(QLatin1String(kParts[part].note)))
                        named[k] |= 1u << part;
                }
                // Hidden layers shown are named instead of layers lost.
                if (named[k] & bit(Part::HiddenLayers))
                    named[k] |= bit(Part::Layers);
            }
        }
    }
    return named;
}

// pdftk alone, the way anyone would call it: "" when it makes a file that
// shows what the inputs show, otherwise why not.
QString pdftkAloneVerdict(const QStringList &files, const QList<PopplerView> &inputs, const QString &output,
                          int timeoutSeconds, bool &wrote)
{
    QFile::remove(output);
    wrote = false;
    const ToolRun run = runTool(realPdftk(), QStringList(files) << QStringLiteral("cat") << QStringLiteral("output")
                                                                   << output,
                                timeoutSeconds);
    if (!run.finished)
        return QStringLiteral("pdftk timed out");
    if (run.exitCode != 0) {
        const QString said = QString::fromUtf8(run.error).simplified();
        return QStringLiteral("pdftk exit %1: %2").arg(run.exitCode).arg(said.left(160));
    }
    wrote = QFileInfo(output).isFile();
    for (const PopplerView &input : inputs) {
        if (!input.readable)
            return QStringLiteral("poppler cannot read the input: ") + input.problem;
    }
    return differenceFrom(inputs, readWithPoppler(output, timeoutSeconds));
}

enum class Judgement { Verified, RefusedRightly, HonestRefused, WrongDone, BadReason, NoteOverstates, Unjudged };

const char *judgementTitle(Judgement judgement)
{
    switch (judgement) {
    case Judgement::Verified:
        return "1 joined and verified correctly";
    case Judgement::RefusedRightly:
        return "2 refused correctly, with a reason";
    case Judgement::HonestRefused:
        return "3 honest file refused, although pdftk alone joins it well";
    case Judgement::WrongDone:
        return "4 \"Done.\" although the result differs, or lost something unsaid";
    case Judgement::BadReason:
        return "5 refused with a wrong or no reason (flagged)";
    case Judgement::NoteOverstates:
        return "6 \"Done.\", but the note names as lost a part that is not";
    case Judgement::Unjudged:
        return "- \"Done.\", but poppler cannot read the input to judge it";
    }
    return "";
}

// One judged join: a single file or a pair.
struct Case
{
    QStringList files;
    Judgement judgement = Judgement::Unjudged;
    QString message;      // the program's first message, on one line
    QString pdftkAlone;   // "" when pdftk alone makes a good file
    QString resultIssue;  // what is wrong with the program's "Done."
    QStringList flags;    // why a refusal's reason looks wrong
    QList<PopplerView> inputs;
    QList<DocumentFacts> inputParts;
    // Parts as rows of kParts: those some input has that the join is to
    // keep, those pdftk's own join and the program's result keep for every
    // input that has them, and of the note after "Done.": what it names,
    // what is lost without being named, what it names that is not lost.
    quint32 has = 0;
    quint32 pdftkKept = 0;
    quint32 kept = 0;
    quint32 named = 0;
    quint32 unsaid = 0;
    quint32 overstated = 0;
    bool done = false;
};

// The parts that no input of a join lost.
quint32 keptByAll(quint32 has, const QList<quint32> &lost)
{
    for (quint32 parts : lost)
        has &= ~parts;
    return has;
}

bool hasEncryptKey(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains("/Encrypt");
}

// What a human reviewer should look at twice in a refusal.
QStringList refusalFlags(const Case &item, const QString &text)
{
    QStringList flags;
    bool named = false;
    for (const QString &file : item.files)
        named = named || text.contains(QFileInfo(file).fileName());
    if (!named)
        flags << QStringLiteral("names no file");
    const bool claimsEncryption = text.contains(QLatin1String("encrypted")) || text.contains(QLatin1String("password"));
    bool anyEncrypted = false;
    for (const QString &file : item.files)
        anyEncrypted = anyEncrypted || hasEncryptKey(file);
    if (claimsEncryption && !anyEncrypted)
        flags << QStringLiteral("speaks of encryption, but no input has /Encrypt");
    if (text.contains(QLatin1String("is not a PDF file")) && item.pdftkAlone.isEmpty())
        flags << QStringLiteral("\"not a PDF\", but pdftk joins it");
    return flags;
}

void judge(Case &item, const ProgramJoin &join)
{
    // Every message but the offer to open the result.
    QStringList said = join.messages;
    if (join.done && !said.isEmpty())
        said.removeLast();
    item.message = said.join(QStringLiteral(" | ")).simplified();
    if (join.timedOut)
        item.message = QStringLiteral("[join stopped after the time limit] ") + item.message;
    if (!join.done) {
        item.flags = refusalFlags(item, join.messages.value(0));
        item.judgement = item.pdftkAlone.isEmpty() ? Judgement::HonestRefused
            : item.flags.isEmpty()                 ? Judgement::RefusedRightly
                                                   : Judgement::BadReason;
        return;
    }
    for (const PopplerView &input : item.inputs) {
        if (!input.readable) {
            item.judgement = Judgement::Unjudged;
            return;
        }
    }
    item.done = true;
    const QList<quint32> lost = partsLost(item.inputParts, join.resultFacts);
    const QList<quint32> named = namedParts(join, item.files);
    QStringList unsaid;
    QStringList overstated;
    for (qsizetype i = 0; i < item.files.size(); ++i) {
        const QString name = QFileInfo(item.files.at(i)).fileName() + QStringLiteral(": ");
        item.named |= named.at(i);
        item.unsaid |= lost.at(i) & ~named.at(i);
        item.overstated |= named.at(i) & ~lost.at(i);
        if (lost.at(i) & ~named.at(i))
            unsaid.append(name + partKeys(lost.at(i) & ~named.at(i)));
        if (named.at(i) & ~lost.at(i))
            overstated.append(name + partKeys(named.at(i) & ~lost.at(i)));
    }
    item.kept = keptByAll(item.has, lost);
    item.resultIssue = differenceFrom(item.inputs, join.result);
    // Without /NeedAppearances a reader shows a form's fields as their old
    // appearances draw them: that is what the note says.
    if (!item.resultIssue.isEmpty() && (item.has & ~item.kept & item.named & bit(Part::NeedAppearances)))
        item.resultIssue.clear();
    if (item.resultIssue.isEmpty() && item.has && !join.resultFacts.readable)
        item.resultIssue = QStringLiteral("libqpdf cannot read the result's parts: ") + join.resultFacts.problem;
    if (item.resultIssue.isEmpty() && !unsaid.isEmpty())
        item.resultIssue = QStringLiteral("lost unsaid: ") + unsaid.join(QStringLiteral("; "));
    if (!item.resultIssue.isEmpty()) {
        item.judgement = Judgement::WrongDone;
    } else if (!overstated.isEmpty()) {
        item.resultIssue = QStringLiteral("named, not lost: ") + overstated.join(QStringLiteral("; "));
        item.judgement = Judgement::NoteOverstates;
    } else {
        item.judgement = Judgement::Verified;
    }
}

// Everything known about one input, read once and reused by its pairs.
struct InputFacts
{
    PopplerView view;
    DocumentFacts parts;
};

class CorpusCheck
{
public:
    explicit CorpusCheck(const Options &options);
    void run(const QStringList &files);
    void report(const QString &heading, const QList<Case> &cases, double seconds) const;
    static void reportParts(const QList<Case> &cases);
    void writeTsv(const QString &path) const;

private:
    Case judgeList(const QStringList &files);
    const InputFacts &factsOf(const QString &file);
    QString keptPath(const QStringList &files) const;
    static void progress(const Case &item, qsizetype done, qsizetype total);

    Options m_options;
    JoinEnvironment m_environment;
    QTemporaryDir m_scratch;
    std::map<QString, InputFacts> m_facts;
    QList<Case> m_singles;
    QList<Case> m_pairs;
};

CorpusCheck::CorpusCheck(const Options &options)
    : m_options(options)
    , m_environment(JoinEnvironment::standard())
{
    m_environment.desktopFolder = [] { return QDir::toNativeSeparators(isolatedDesktop()) + QDir::separator(); };
    m_environment.helperFolder = options.helpers.isEmpty() ? helperFolder() : options.helpers;
    if (!options.keep.isEmpty())
        QDir().mkpath(options.keep);
}

const InputFacts &CorpusCheck::factsOf(const QString &file)
{
    auto known = m_facts.find(file);
    if (known == m_facts.end())
        known = m_facts
                    .emplace(file, InputFacts{readWithPoppler(file, m_options.timeoutSeconds),
                                              readFacts(file, m_options.timeoutSeconds)})
                    .first;
    return known->second;
}

QString CorpusCheck::keptPath(const QStringList &files) const
{
    QStringList stems;
    for (const QString &file : files)
        stems.append(QFileInfo(file).completeBaseName());
    const QString folder = m_options.keep.isEmpty() ? m_scratch.path() : m_options.keep;
    return QDir(folder).filePath(stems.join(QStringLiteral("+")) + QStringLiteral(".pdf"));
}

QString namesOf(const Case &item);
QString shortened(const QString &text, int length = 200);

// Each join as it is judged, on the error stream, so that a long run can be
// followed, or stopped with something to show for it.
void CorpusCheck::progress(const Case &item, qsizetype done, qsizetype total)
{
    std::fprintf(stderr, "%lld/%lld [%c] %s: %s\n", static_cast<long long>(done), static_cast<long long>(total),
                 judgementTitle(item.judgement)[0], qPrintable(namesOf(item)),
                 qPrintable(shortened(item.message, 120)));
}

Case CorpusCheck::judgeList(const QStringList &files)
{
    Case item;
    item.files = files;
    for (const QString &file : files) {
        item.inputs.append(factsOf(file).view);
        item.inputParts.append(factsOf(file).parts);
        item.has |= partsToKeep(item.inputParts.last(), item.inputParts.size() - 1);
    }
    const QString pdftkOutput = keptPath(files);
    bool wrote = false;
    item.pdftkAlone = pdftkAloneVerdict(files, item.inputs, pdftkOutput, m_options.timeoutSeconds, wrote);
    if (wrote && item.has)
        item.pdftkKept =
            keptByAll(item.has, partsLost(item.inputParts, readFacts(pdftkOutput, m_options.timeoutSeconds)));
    if (m_options.keep.isEmpty())
        QFile::remove(pdftkOutput);
    judge(item, joinWithProgram(m_environment, files, m_options.timeoutSeconds));
    if (!m_options.keep.isEmpty() && item.done) {
        const QString programOutput = pdftkOutput.chopped(4) + QStringLiteral(".program.pdf");
        QFile::remove(programOutput);
        QFile::copy(isolatedOutputPath(), programOutput);
    }
    return item;
}

void CorpusCheck::run(const QStringList &files)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString &file : files) {
        m_singles.append(judgeList({file}));
        progress(m_singles.last(), m_singles.size(), files.size());
    }
    const double singleSeconds = timer.elapsed() / 1000.0;
    // Pairs of neighbours that joined well alone.
    QStringList good;
    for (const Case &item : m_singles) {
        if (item.judgement == Judgement::Verified)
            good.append(item.files.first());
    }
    timer.restart();
    const qsizetype pairs = qMin<qsizetype>(m_options.pairs, qMax<qsizetype>(0, good.size() - 1));
    for (qsizetype i = 0; i < pairs; ++i) {
        m_pairs.append(judgeList({good.at(i), good.at(i + 1)}));
        progress(m_pairs.last(), m_pairs.size(), pairs);
    }
    report(QStringLiteral("Single files"), m_singles, singleSeconds);
    report(QStringLiteral("Pairs of files that joined well alone"), m_pairs, timer.elapsed() / 1000.0);
}

QString shortened(const QString &text, int length)
{
    return text.size() <= length ? text : text.left(length - 1) + QChar(0x2026);
}

QString namesOf(const Case &item)
{
    QStringList names;
    for (const QString &file : item.files)
        names.append(QFileInfo(file).fileName());
    return names.join(QStringLiteral(" + "));
}

void CorpusCheck::report(const QString &heading, const QList<Case> &cases, double seconds) const
{
    const Judgement all[] = {Judgement::Verified,  Judgement::RefusedRightly, Judgement::HonestRefused,
                             Judgement::WrongDone, Judgement::BadReason,      Judgement::NoteOverstates,
                             Judgement::Unjudged};
    std::printf("\n== %s: %lld joins in %.0f s\n", qPrintable(heading), static_cast<long long>(cases.size()), seconds);
    for (Judgement judgement : all) {
        const auto count = std::count_if(cases.begin(), cases.end(),
                                         [judgement](const Case &item) { return item.judgement == judgement; });
        std::printf("%5lld  %s\n", static_cast<long long>(count), judgementTitle(judgement));
    }
    for (Judgement judgement : all) {
        if (judgement == Judgement::Verified)
            continue;
        bool first = true;
        for (const Case &item : cases) {
            if (item.judgement != judgement)
                continue;
            if (std::exchange(first, false))
                std::printf("\n-- %s\n", judgementTitle(judgement));
            std::printf("%s\n    program: %s\n", qPrintable(namesOf(item)), qPrintable(shortened(item.message)));
            if (!item.resultIssue.isEmpty())
                std::printf("    result: %s\n", qPrintable(item.resultIssue));
            if (!item.flags.isEmpty())
                std::printf("    flagged: %s\n", qPrintable(item.flags.join(QStringLiteral("; "))));
            std::printf("    pdftk alone: %s\n",
                        item.pdftkAlone.isEmpty() ? "good" : qPrintable(shortened(item.pdftkAlone, 160)));
            if (item.done && item.has)
                std::printf("    parts: %s; kept %s; named %s\n", qPrintable(partKeys(item.has)),
                            qPrintable(partKeys(item.kept)), qPrintable(partKeys(item.named)));
        }
    }
    // Named, so no fault of the note; but each is a part the program puts
    // back, and a result that lacks it.
    bool first = true;
    for (const Case &item : cases) {
        const quint32 notPutBack = item.has & item.named & ~item.kept & ~kNotPutBack;
        if (!item.done || !notPutBack)
            continue;
        if (std::exchange(first, false))
            std::printf("\n-- named lost, although the program puts it back\n");
        std::printf("%s: %s\n", qPrintable(namesOf(item)), qPrintable(partKeys(notPutBack)));
    }
    reportParts(cases);
}

// Per part: the joins whose inputs have it, how many of pdftk's own joins
// and of the program's results keep it for every input that has it, and
// what the note after "Done." said of it.
void CorpusCheck::reportParts(const QList<Case> &cases)
{
    std::printf("\n%-30s %6s %6s %6s %6s %6s %6s %6s\n", "part", "inputs", "pdftk", "Done.", "kept", "named",
                "unsaid", "false");
    for (int part = 0; part < int(Part::Count); ++part) {
        const quint32 mask = 1u << part;
        int counts[7] = {};
        for (const Case &item : cases) {
            const bool has = item.has & mask;
            const bool facts[7] = {has,
                                   has && (item.pdftkKept & mask),
                                   has && item.done,
                                   has && item.done && (item.kept & mask),
                                   has && item.done && (item.named & mask),
                                   bool(item.unsaid & mask),
                                   bool(item.overstated & mask)};
            for (int i = 0; i < 7; ++i)
                counts[i] += facts[i] ? 1 : 0;
        }
        std::printf("%-30s %6d %6d %6d %6d %6d %6d %6d\n", kParts[part].title, counts[0], counts[1], counts[2],
                    counts[3], counts[4], counts[5], counts[6]);
    }
}

QString tsvField(QString text)
{
    return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void CorpusCheck::writeTsv(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "Cannot write %s:\n%s\n", qPrintable(path), qPrintable(file.errorString()));
        return;
    }
    file.write("files\tclass\tprogram\tresult\tflags\tpdftk alone\tparts\tpdftk keeps\tkept\tnamed\tunsaid\t"
               "named, not lost\n");
    for (const QList<Case> *cases : {&m_singles, &m_pairs}) {
        for (const Case &item : *cases) {
            const QStringList fields{item.files.join(QStringLiteral(" + ")),
                                     QString::fromLatin1(judgementTitle(item.judgement)).left(1),
                                     item.message,
                                     item.resultIssue,
                                     item.flags.join(QStringLiteral("; ")),
                                     item.pdftkAlone.isEmpty() ? QStringLiteral("good") : item.pdftkAlone,
                                     partKeys(item.has),
                                     partKeys(item.pdftkKept),
                                     partKeys(item.kept),
                                     partKeys(item.named),
                                     partKeys(item.unsaid),
                                     partKeys(item.overstated)};
            QStringList cleaned;
            for (const QString &field : fields)
                cleaned.append(tsvField(field));
            file.write(cleaned.join(QLatin1Char('\t')).toUtf8() + '\n');
        }
    }
}

// Every PDF under the folders, in name order, so that runs can be compared.
QStringList pdfsUnder(const QStringList &folders, int limit)
{
    QStringList files;
    for (const QString &folder : folders) {
        QStringList here;
        QDirIterator walk(folder, {QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files,
                          QDirIterator::Subdirectories);
        while (walk.hasNext())
            here.append(walk.next());
        here.sort();
        files += here;
    }
    return limit >= 0 ? files.mid(0, limit) : files;
}

bool parseOptions(const QStringList &arguments, Options &options)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--limit") && hasValue)
            options.limit = arguments.at(++i).toInt();
        else if (argument == QLatin1String("--pairs") && hasValue)
            options.pairs = arguments.at(++i).toInt();
        else if (argument == QLatin1String("--timeout") && hasValue)
            options.timeoutSeconds = qMax(1, arguments.at(++i).toInt());
        else if (argument == QLatin1String("--out") && hasValue)
            options.tsv = arguments.at(++i);
        else if (argument == QLatin1String("--helpers") && hasValue)
            options.helpers = arguments.at(++i);
        else if (argument == QLatin1String("--keep") && hasValue)
            options.keep = arguments.at(++i);
        else if (argument.startsWith(QLatin1String("--")))
            return false;
        else
            options.folders.append(argument);
    }
    return !options.folders.isEmpty();
}

} // namespace

int main(int argc, char *argv[])
{
    // The check's own reader of a file's parts, started by the check.
    if (argc == 3 && qstrcmp(argv[1], "--facts") == 0)
        return printFacts(QFile::decodeName(argv[2]));
    JoinBench bench(argc, argv);
    Options options;
    if (!parseOptions(bench.app().arguments(), options)) {
        std::fprintf(stderr, "usage: bench_corpus [--limit N] [--pairs N] [--out FILE.tsv] [--helpers DIR] "
                             "[--timeout SECONDS] [--keep DIR] FOLDER...\n");
        return 2;
    }
    CorpusCheck check(options);
    check.run(pdfsUnder(options.folders, options.limit));
    if (!options.tsv.isEmpty())
        check.writeTsv(options.tsv);
    return 0;
}
