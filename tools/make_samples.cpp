// Writes the sample PDF files that ship in the program's Samples folder.
//
//   corvanta_make_samples <samples-folder> <protected-source.pdf> <password>
//
// The three ordinary samples go straight into <samples-folder>. The pages of
// the password-protected sample go to <protected-source.pdf>, unprotected;
// tools/make-samples.sh then encrypts that file with pdftk under a name that
// tells the password. Needs a Qt platform plugin; "offscreen" will do.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace {

// Page geometry in points (1/72 inch) on A4.
constexpr int kPageWidth = 595;
constexpr int kPageHeight = 842;
constexpr int kMargin = 64;
constexpr int kTextWidth = kPageWidth - 2 * kMargin;

const QColor kAccent(0x1f, 0x5f, 0x8b);
const QColor kInk(0x22, 0x22, 0x22);
const QColor kMuted(0x70, 0x70, 0x70);

QFont font(double points, bool bold = false)
{
    QFont result(QStringLiteral("Liberation Sans"));
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

struct Page
{
    QString heading;
    QStringList paragraphs;
    // Extra drawing below the text, given the painter and the first free y.
    std::function<void(QPainter &, int)> extra;
};

struct Sample
{
    QString fileName;
    QString title;
    QString subtitle;
    QList<Page> pages;
};

int drawParagraphs(QPainter &painter, int y, const QStringList &paragraphs)
{
    painter.setFont(font(12));
    painter.setPen(kInk);
    for (const QString &paragraph : paragraphs) {
        const QRect box = painter.boundingRect(QRect(kMargin, y, kTextWidth, kPageHeight),
                                               Qt::TextWordWrap, paragraph);
        painter.drawText(box, Qt::TextWordWrap, paragraph);
        y = box.bottom() + 12;
    }
    return y;
}

void drawPage(QPainter &painter, const Sample &sample, int index)
{
    const Page &page = sample.pages.at(index);
    const int count = int(sample.pages.size());

    painter.fillRect(QRect(0, 0, kPageWidth, 18), kAccent);

    int y = 72;
    if (index == 0) {
        painter.setFont(font(26, true));
        painter.setPen(kAccent);
        painter.drawText(QRect(kMargin, y, kTextWidth, 40), Qt::AlignLeft | Qt::AlignVCenter, sample.title);
        y += 44;
        painter.setFont(font(13));
        painter.setPen(kMuted);
        painter.drawText(QRect(kMargin, y, kTextWidth, 20), Qt::AlignLeft | Qt::AlignVCenter,
                         sample.subtitle);
        y += 30;
        painter.fillRect(QRect(kMargin, y, kTextWidth, 2), kAccent);
        y += 26;
    }
    painter.setFont(font(16, true));
    painter.setPen(kInk);
    painter.drawText(QRect(kMargin, y, kTextWidth, 24), Qt::AlignLeft | Qt::AlignVCenter, page.heading);
    y += 36;
    y = drawParagraphs(painter, y, page.paragraphs);
    if (page.extra)
        page.extra(painter, y + 8);

    painter.setFont(font(10));
    painter.setPen(kMuted);
    painter.drawLine(kMargin, kPageHeight - 62, kPageWidth - kMargin, kPageHeight - 62);
    painter.drawText(QRect(kMargin, kPageHeight - 56, kTextWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     sample.title);
    painter.drawText(QRect(kMargin, kPageHeight - 56, kTextWidth, 16), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(index + 1).arg(count));
}

bool writeSample(const QString &path, const Sample &sample)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(sample.title);
    writer.setCreator(QStringLiteral("Corvanta sample generator"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    for (int index = 0; index < sample.pages.size(); ++index) {
        if (index > 0)
            writer.newPage();
        drawPage(painter, sample, index);
    }
    return painter.end();
}

// A small bar chart, drawn with plain shapes.
void drawChart(QPainter &painter, int top)
{
    const QStringList quarters{"Q1", "Q2", "Q3", "Q4"};
    const QList<int> values{42, 57, 49, 71};
    const int baseline = top + 190;
    painter.setPen(kMuted);
    painter.drawLine(kMargin + 20, baseline, kMargin + 340, baseline);
    painter.setFont(font(10));
    for (int i = 0; i < values.size(); ++i) {
        const int left = kMargin + 40 + i * 75;
        const int height = values.at(i) * 2;
        painter.fillRect(QRect(left, baseline - height, 45, height), i == 3 ? kAccent : kAccent.lighter(160));
        painter.setPen(kInk);
        painter.drawText(QRect(left, baseline - height - 18, 45, 16), Qt::AlignCenter,
                         QString::number(values.at(i)));
        painter.drawText(QRect(left, baseline + 4, 45, 16), Qt::AlignCenter, quarters.at(i));
    }
}

QList<Sample> ordinarySamples()
{
    return {
        {QStringLiteral("Sample 1 - Welcome.pdf"), QStringLiteral("Welcome to Corvanta"),
         QStringLiteral("Sample document 1 - one page"),
         {{QStringLiteral("Joining PDF files"),
           {QStringLiteral("This is one of the sample documents that come with Corvanta. Load the "
                           "samples, put them in the order you like, and choose Start Joining."),
            QStringLiteral("Corvanta joins the files of its list into one document, joined.pdf, "
                           "which it saves on your Desktop. The pages of the joined document follow "
                           "the list from top to bottom."),
            QStringLiteral("Add files one by one, add every PDF file of a folder and its sub-folders, "
                           "or drag files and folders from your file manager onto the list. Drag "
                           "items up and down to change their order; double-click an item to remove "
                           "it.")},
           {}}}},
        {QStringLiteral("Sample 2 - Report.pdf"), QStringLiteral("Quarterly Report"),
         QStringLiteral("Sample document 2 - three pages"),
         {{QStringLiteral("1. Summary"),
           {QStringLiteral("This report is made up for the samples. It has three pages, so that "
                           "you can see where each document begins and ends in the joined file."),
            QStringLiteral("Orders grew in every quarter but the third. The fourth quarter was the "
                           "strongest of the year.")},
           {}},
          {QStringLiteral("2. Figures"),
           {QStringLiteral("Orders per quarter, in thousands:")},
           drawChart},
          {QStringLiteral("3. Outlook"),
           {QStringLiteral("Next year we expect the same pattern: a quiet start, a busy spring and "
                           "a strong close."),
            QStringLiteral("This is the last page of the report.")},
           {}}}},
        {QStringLiteral("Sample 3 - Letter.pdf"), QStringLiteral("A Short Letter"),
         QStringLiteral("Sample document 3 - two pages"),
         {{QStringLiteral("Dear reader,"),
           {QStringLiteral("thank you for trying Corvanta. This letter has two pages, and the second "
                           "one only holds the closing lines."),
            QStringLiteral("If you join the samples in the order 1, 2, 3, this letter ends the "
                           "joined document. Change the order in the list, join again, and the "
                           "letter moves with it.")},
           {}},
          {QStringLiteral("Kind regards,"),
           {QStringLiteral("The Corvanta team")},
           {}}}},
    };
}

Sample protectedSample(const QString &password)
{
    return {QString(), QStringLiteral("A Protected Document"),
            QStringLiteral("Sample document 4 - protected with the password %1").arg(password),
            {{QStringLiteral("Opened with a password"),
              {QStringLiteral("This document is protected with the password %1. To join it, tick "
                              "\"Prompt for password because PDF files are password protected\" "
                              "before you start, and type %1 when Corvanta asks for this file's "
                              "password.")
                   .arg(password),
               QStringLiteral("Files without a password need no answer: leave the prompt empty "
                              "for them.")},
              {}}}};
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: corvanta_make_samples <samples-folder> <protected-source.pdf> "
                             "<password>\n");
        return 2;
    }
    const QDir samples(arguments.at(1));
    if (!QDir().mkpath(samples.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(samples.path()));
        return 1;
    }
    for (const Sample &sample : ordinarySamples()) {
        if (!writeSample(samples.filePath(sample.fileName), sample)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(samples.filePath(sample.fileName)));
            return 1;
        }
    }
    if (!writeSample(arguments.at(2), protectedSample(arguments.at(3)))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
