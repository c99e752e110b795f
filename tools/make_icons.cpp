// Draws Corvanta's icons and writes them as PNG files, together with the Qt
// resource file that lists them and the Windows .ico of the application icon.
//
//   make_icons <resources folder>
//
// The PNGs are committed, so a build needs only the resource compiler; run
// this (the CMake target "icons") after changing a drawing. Every icon is
// drawn on a 48-unit canvas and scaled; at 16 pixels the outlines get
// thicker and the fine detail is left out, so the small set stays legible.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kInk(0x3a, 0x44, 0x52);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperShade(0xe6, 0xeb, 0xf1);
const QColor kLines(0xa7, 0xb2, 0xbf);
const QColor kPdfRed(0xd6, 0x45, 0x41);
const QColor kGreen(0x2e, 0x9e, 0x4f);
const QColor kRed(0xd9, 0x3b, 0x3b);
const QColor kBlue(0x2f, 0x6f, 0xd0);
const QColor kBlueLight(0x7f, 0xb0, 0xf0);
const QColor kAmber(0xf2, 0xb3, 0x3d);
const QColor kAmberDark(0xc9, 0x86, 0x16);
const QColor kGold(0xf5, 0xc5, 0x18);

// Drawing context: the painter works in 48 units whatever the pixel size.
struct Canvas
{
    QPainter &p;
    int pixels;

    bool small() const { return pixels <= 24; }
    // Outline width in units, never thinner than one pixel.
    double stroke(double units) const { return std::max(units, 48.0 / pixels); }
    QPen pen(const QColor &color, double units) const
    {
        return QPen(color, stroke(units), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }
};

// A sheet with a folded top-right corner; `lines` adds text lines; `pdfBand`
// adds the red band that marks a PDF document.
void drawPage(Canvas &c, const QRectF &r, bool lines = true, bool pdfBand = true)
{
    const double fold = r.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    c.p.setPen(c.pen(kInk, 2.0));
    c.p.setBrush(kPaper);
    c.p.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    c.p.setBrush(kPaperShade);
    c.p.drawPath(corner);

    if (pdfBand) {
        const double bandHeight = c.small() ? r.height() * 0.22 : r.height() * 0.16;
        const QRectF band(r.left() + c.stroke(2.0) / 2, r.bottom() - bandHeight - r.height() * 0.12,
                          r.width() * 0.62, bandHeight);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(kPdfRed);
        c.p.drawRect(band);
    }
    if (lines && !c.small()) {
        c.p.setPen(c.pen(kLines, 2.0));
        const double left = r.left() + r.width() * 0.18;
        for (int i = 0; i < 3; ++i) {
            const double y = r.top() + r.height() * (0.3 + 0.14 * i);
            const double right = r.right() - r.width() * (i == 0 ? 0.42 : 0.18);
            c.p.drawLine(QPointF(left, y), QPointF(right, y));
        }
    }
}

// A round badge in the lower right corner with a white symbol drawn on it.
void drawBadge(Canvas &c, const QColor &color, const std::function<void(const QPointF &, double)> &symbol)
{
    const double radius = c.small() ? 14.0 : 11.0;
    const QPointF centre(48 - radius - (c.small() ? 0.5 : 1.0), 48 - radius - (c.small() ? 0.5 : 1.0));
    c.p.setPen(c.small() ? QPen(Qt::NoPen) : QPen(kPaper, 2.5));
    c.p.setBrush(color);
    c.p.drawEllipse(centre, radius, radius);
    symbol(centre, radius);
}

void plusSymbol(Canvas &c, const QPointF &m, double r)
{
    const double arm = r * (c.small() ? 0.64 : 0.55);
    c.p.setPen(QPen(kPaper, c.small() ? 4.5 : 4.0, Qt::SolidLine, Qt::FlatCap));
    c.p.drawLine(QPointF(m.x() - arm, m.y()), QPointF(m.x() + arm, m.y()));
    c.p.drawLine(QPointF(m.x(), m.y() - arm), QPointF(m.x(), m.y() + arm));
}

void minusSymbol(Canvas &c, const QPointF &m, double r)
{
    const double arm = r * (c.small() ? 0.64 : 0.55);
    c.p.setPen(QPen(kPaper, c.small() ? 4.5 : 4.0, Qt::SolidLine, Qt::FlatCap));
    c.p.drawLine(QPointF(m.x() - arm, m.y()), QPointF(m.x() + arm, m.y()));
}

void crossSymbol(Canvas &c, const QPointF &m, double r)
{
    const double arm = r * (c.small() ? 0.48 : 0.42);
    c.p.setPen(QPen(kPaper, c.small() ? 4.5 : 4.0, Qt::SolidLine, Qt::RoundCap));
    c.p.drawLine(m + QPointF(-arm, -arm), m + QPointF(arm, arm));
    c.p.drawLine(m + QPointF(-arm, arm), m + QPointF(arm, -arm));
}

void playSymbol(Canvas &c, const QPointF &m, double r)
{
    const double s = r * 0.5;
    QPolygonF triangle({m + QPointF(-s * 0.7, -s), m + QPointF(s * 1.1, 0), m + QPointF(-s * 0.7, s)});
    c.p.setPen(QPen(kPaper, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.setBrush(kPaper);
    c.p.drawPolygon(triangle);
}

void drawFolder(Canvas &c, const QRectF &r)
{
    QPainterPath back;
    const double tabWidth = r.width() * 0.4;
    const double tabHeight = r.height() * 0.16;
    back.moveTo(r.left(), r.top() + tabHeight);
    back.lineTo(r.left(), r.top() + 2);
    back.quadTo(r.left(), r.top(), r.left() + 2, r.top());
    back.lineTo(r.left() + tabWidth - 3, r.top());
    back.lineTo(r.left() + tabWidth + 1, r.top() + tabHeight);
    back.lineTo(r.right(), r.top() + tabHeight);
    back.lineTo(r.right(), r.bottom());
    back.lineTo(r.left(), r.bottom());
    back.closeSubpath();
    c.p.setPen(c.pen(kAmberDark, 2.0));
    c.p.setBrush(kAmberDark.lighter(125));
    c.p.drawPath(back);

    const QRectF front(r.left(), r.top() + tabHeight + r.height() * 0.14, r.width(),
                       r.height() - tabHeight - r.height() * 0.14);
    c.p.setBrush(kAmber);
    c.p.drawRect(front);
}

// A list box with rows; `highlight` marks one row as selected (-1 for none).
void drawList(Canvas &c, const QRectF &r, int highlight)
{
    c.p.setPen(c.pen(kInk, 2.0));
    c.p.setBrush(kPaper);
    c.p.drawRoundedRect(r, 2, 2);
    const int rows = c.small() ? 3 : 4;
    const double pitch = (r.height() - 6) / rows;
    for (int i = 0; i < rows; ++i) {
        const double top = r.top() + 3 + pitch * i;
        const QRectF row(r.left() + 3, top + pitch * 0.2, r.width() - 6, pitch * 0.6);
        c.p.setPen(Qt::NoPen);
        if (i == highlight) {
            c.p.setBrush(kBlueLight);
            c.p.drawRect(QRectF(r.left() + 2, top, r.width() - 4, pitch));
            c.p.setBrush(kBlue);
        } else {
            c.p.setBrush(kLines);
        }
        c.p.drawRect(QRectF(row.left(), row.top(), row.width() * (i % 2 ? 0.7 : 0.85), row.height()));
    }
}

// ---- The icons -----------------------------------------------------------

void addFiles(Canvas &c)
{
    drawPage(c, c.small() ? QRectF(4, 2, 30, 40) : QRectF(6, 2, 30, 40));
    drawBadge(c, kGreen, [&](const QPointF &m, double r) { plusSymbol(c, m, r); });
}

void addFolder(Canvas &c)
{
    drawFolder(c, c.small() ? QRectF(1, 5, 42, 33) : QRectF(2, 6, 40, 32));
    drawBadge(c, kGreen, [&](const QPointF &m, double r) { plusSymbol(c, m, r); });
}

void clearList(Canvas &c)
{
    drawList(c, c.small() ? QRectF(2, 2, 38, 40) : QRectF(3, 3, 36, 38), -1);
    drawBadge(c, kRed, [&](const QPointF &m, double r) { crossSymbol(c, m, r); });
}

void clearSelected(Canvas &c)
{
    drawList(c, c.small() ? QRectF(2, 2, 38, 40) : QRectF(3, 3, 36, 38), 1);
    drawBadge(c, kRed, [&](const QPointF &m, double r) { minusSymbol(c, m, r); });
}

void startJoining(Canvas &c)
{
    drawPage(c, QRectF(3, 2, 24, 32), !c.small(), true);
    drawPage(c, QRectF(13, 10, 24, 32), !c.small(), true);
    drawBadge(c, kGreen, [&](const QPointF &m, double r) { playSymbol(c, m, r); });
}

void exitIcon(Canvas &c)
{
    // An open door in its frame, with an arrow leaving through it.
    c.p.setPen(c.pen(kInk, 2.5));
    c.p.setBrush(kPaperShade);
    c.p.drawRect(QRectF(8, 4, 24, 40));
    QPainterPath door;
    door.moveTo(8, 4);
    door.lineTo(22, 9);
    door.lineTo(22, 47);
    door.lineTo(8, 44);
    door.closeSubpath();
    c.p.setBrush(QColor(0x9c, 0x6b, 0x3c));
    c.p.drawPath(door);
    c.p.setPen(QPen(kRed, c.small() ? 6.0 : 5.0, Qt::SolidLine, Qt::FlatCap));
    c.p.drawLine(QPointF(26, 25), QPointF(38, 25));
    QPolygonF head({QPointF(36, 15), QPointF(47, 25), QPointF(36, 35)});
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(kRed);
    c.p.drawPolygon(head);
}

void loadSamples(Canvas &c)
{
    drawPage(c, QRectF(14, 1, 26, 34), false, true);
    drawPage(c, QRectF(9, 6, 26, 34), false, true);
    drawPage(c, QRectF(4, 11, 26, 34), !c.small(), true);
    // A star: ready-made examples.
    QPolygonF star;
    const QPointF m(36, 36);
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double radius = i % 2 ? 5.0 : 12.0;
        star << m + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    c.p.setPen(c.pen(kAmberDark, 2.0));
    c.p.setBrush(kGold);
    c.p.drawPolygon(star);
}

void drawSymbolText(Canvas &c, const QString &text, const QRectF &box, const QColor &color)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(box.height()));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(color);
    c.p.drawPath(t.map(path));
}

void faq(Canvas &c)
{
    c.p.setPen(c.pen(kBlue.darker(130), 2.0));
    c.p.setBrush(kBlue);
    c.p.drawEllipse(QRectF(2, 2, 44, 44));
    drawSymbolText(c, QStringLiteral("?"), c.small() ? QRectF(13, 7, 22, 34) : QRectF(15, 9, 18, 30), kPaper);
}

void demoVideo(Canvas &c)
{
    const QRectF film(2, 8, 44, 32);
    c.p.setPen(c.pen(kInk.darker(140), 2.0));
    c.p.setBrush(kInk);
    c.p.drawRoundedRect(film, 4, 4);
    if (!c.small()) {
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(kPaperShade);
        for (int i = 0; i < 6; ++i) {
            c.p.drawRect(QRectF(6 + i * 7, 11, 4, 3));
            c.p.drawRect(QRectF(6 + i * 7, 34, 4, 3));
        }
    }
    QPolygonF triangle({QPointF(19, 15), QPointF(33, 24), QPointF(19, 33)});
    c.p.setPen(QPen(kPaper, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.setBrush(kPaper);
    c.p.drawPolygon(triangle);
}

void additionalHelp(Canvas &c)
{
    // A speech bubble: ask us.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2, 5, 44, 30), 9, 9);
    QPainterPath tail;
    tail.moveTo(12, 32);
    tail.lineTo(9, 45);
    tail.lineTo(24, 33);
    tail.closeSubpath();
    c.p.setPen(c.pen(QColor(0x1f, 0x7a, 0x72), 2.0));
    c.p.setBrush(QColor(0x2f, 0xa8, 0x9c));
    c.p.drawPath(bubble.united(tail));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(kPaper);
    const double dot = c.small() ? 4.5 : 3.5;
    for (int i = 0; i < 3; ++i)
        c.p.drawEllipse(QPointF(13 + i * 11, 20), dot, dot);
}

void goToSite(Canvas &c)
{
    const QRectF globe(2, 2, 40, 40);
    c.p.setPen(c.pen(kBlue.darker(140), 2.0));
    c.p.setBrush(kBlueLight);
    c.p.drawEllipse(globe);
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(c.pen(kBlue.darker(140), c.small() ? 2.0 : 1.5));
    c.p.drawEllipse(QRectF(globe.center().x() - 8, globe.top(), 16, globe.height()));
    c.p.drawLine(QPointF(globe.center().x(), globe.top()), QPointF(globe.center().x(), globe.bottom()));
    c.p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
    if (!c.small()) {
        c.p.drawLine(QPointF(globe.left() + 5, 12), QPointF(globe.right() - 5, 12));
        c.p.drawLine(QPointF(globe.left() + 5, 32), QPointF(globe.right() - 5, 32));
    }
    drawBadge(c, kGreen, [&](const QPointF &m, double r) { playSymbol(c, m, r); });
}

// Two pages held together by a paper clip: the program's own mark.
void application(Canvas &c)
{
    const bool tiny = c.pixels <= 24;
    c.p.save();
    c.p.translate(16, 26);
    c.p.rotate(-8);
    drawPage(c, QRectF(-12, -18, 24, 34), !tiny, true);
    c.p.restore();
    c.p.save();
    c.p.translate(31, 25);
    c.p.rotate(6);
    drawPage(c, QRectF(-12, -18, 24, 34), !tiny, true);
    c.p.restore();

    // The clip: three legs of one wire, drawn over the joint of the pages.
    QPainterPath clip;
    clip.moveTo(3, 7);
    clip.lineTo(3, 21);
    clip.arcTo(QRectF(3, 19, 4, 4), 180, 180);
    clip.lineTo(7, 3.5);
    clip.arcTo(QRectF(0, 0, 7, 7), 0, 180);
    clip.lineTo(0, 23);
    clip.arcTo(QRectF(0, 18, 10, 10), 180, 180);
    clip.lineTo(10, 8);
    c.p.save();
    c.p.translate(19, 3);
    c.p.rotate(8);
    if (tiny) {
        c.p.scale(1.3, 1.1);
        c.p.translate(-1, 0);
    }
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(QPen(kBlue.darker(120), tiny ? 3.2 : 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.drawPath(clip);
    c.p.restore();
}

using Painter = void (*)(Canvas &);

struct IconDrawing
{
    const char *name;
    Painter draw;
};

const IconDrawing kCommandIcons[] = {
    {"add-files", addFiles},       {"add-folder", addFolder},       {"clear-list", clearList},
    {"clear-selected", clearSelected}, {"start-joining", startJoining}, {"exit", exitIcon},
    {"load-samples", loadSamples}, {"faq", faq},                    {"demo-video", demoVideo},
    {"additional-help", additionalHelp}, {"go-to-site", goToSite},
};

const int kCommandSizes[] = {16, 48};
const int kApplicationSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage render(Painter draw, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / 48.0, pixels / 48.0);
    Canvas canvas{painter, pixels};
    draw(canvas);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool writePng(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

// A Windows icon file whose entries are PNG images (understood since Vista).
bool writeIco(const std::vector<QImage> &images, const QString &path)
{
    std::vector<QByteArray> pngs;
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        pngs.push_back(png);
    }
    QByteArray ico;
    auto put16 = [&](quint16 v) { ico.append(char(v & 0xff)).append(char(v >> 8)); };
    auto put32 = [&](quint32 v) { put16(quint16(v & 0xffff)); put16(quint16(v >> 16)); };
    put16(0);
    put16(1);
    put16(quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        ico.append(char(size >= 256 ? 0 : size)).append(char(size >= 256 ? 0 : size));
        ico.append(char(0)).append(char(0));
        put16(1);
        put16(32);
        put32(quint32(pngs[i].size()));
        put32(offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        ico.append(png);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
        std::fprintf(stderr, "Cannot write %s: %s\n", qPrintable(QDir::toNativeSeparators(path)),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons <resources folder>\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    QStringList files;
    bool ok = true;

    for (const IconDrawing &icon : kCommandIcons) {
        for (int size : kCommandSizes) {
            const QString file = QStringLiteral("icons/%1/%2.png").arg(size).arg(QLatin1String(icon.name));
            ok = writePng(render(icon.draw, size), resources.filePath(file)) && ok;
            files << file;
        }
    }
    std::vector<QImage> applicationImages;
    for (int size : kApplicationSizes) {
        const QString file = QStringLiteral("icons/app/%1.png").arg(size);
        const QImage image = render(application, size);
        ok = writePng(image, resources.filePath(file)) && ok;
        files << file;
        if (size == 16 || size == 24 || size == 32 || size == 48 || size == 64 || size == 256)
            applicationImages.push_back(image);
    }
    ok = writeIco(applicationImages, resources.filePath(QStringLiteral("icons/corvanta.ico"))) && ok;

    QFile qrc(resources.filePath(QStringLiteral("corvanta.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "Cannot write %s: %s\n", qPrintable(QDir::toNativeSeparators(qrc.fileName())),
                     qPrintable(qrc.errorString()));
        return 1;
    }
    QTextStream out(&qrc);
    out << "<!-- Written by tools/make_icons; run the CMake target \"icons\" to redraw. -->\n"
        << "<RCC>\n    <qresource prefix=\"/\">\n";
    for (const QString &file : files)
        out << "        <file>" << file << "</file>\n";
    out << "    </qresource>\n</RCC>\n";
    return ok ? 0 : 1;
}
